#include "equipment/frm_equip_list2.h"

#include "core/vocabularies.h"
#include "equipment/frm_equip_ed.h"

namespace equipment {

frmEquipList2::frmEquipList2(core::ModDefinitions& defs, ui::Dialogs& dialogs,
                             ui::FormsRegistry& registry, QWidget* parent)
    : ui::CatalogueList("frmEquipList2", "Equipment List",
                        {{"No", "No.", 500},
                         {"Name", "Item", 2000},
                         {"Type", "Type", 1000},
                         {"Cost", "Cost", 800}},
                        parent),
      defs_(defs),
      dialogs_(dialogs),
      registry_(registry) {}

// Names, types and costs come from Item.dat itself, read a part at a time as rows are shown.
void frmEquipList2::fillRows(ui::ListView* list) {
  const core::Status status =
      fillFromFile(list, defs_.Items(), defs_.ItemCount, [](const core::ItemRecord& item) {
        return std::vector<ui::ListSubItem>{
            {"Name", ui::ToQString(item.ItemName)},
            {"Type", ui::ToQString(core::ItemTypeText(item.ItemType))},
            {"Cost", QString::number(item.Cost)}};
      });
  if (!status.ok())
    dialogs_.messageBox(this, QString::fromStdString(status.message()), windowTitle());
}

bool frmEquipList2::pickEntry(long entry) {
  // The open editor asks about its unsaved changes first.
  if (auto* editor = registry_.find<frmEquipEd>("frmEquipEd")) return editor->pager().pick(entry);
  const core::Status status = defs_.ReadItemPair(entry);
  if (!status.ok()) {
    dialogs_.messageBox(this, QString::fromStdString(status.message()), windowTitle());
    return false;
  }
  defs_.NotifyChanged(core::ItemsChanged, changeOrigin());
  return true;
}

}  // namespace equipment
