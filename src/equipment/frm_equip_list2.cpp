#include "equipment/frm_equip_list2.h"

#include "core/catalogue_sweep.h"
#include "core/numbers.h"
#include "core/vocabularies.h"
#include "equipment/frm_equip_ed.h"

#include <array>

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

// One pass over Item.dat: names, types and costs come from the same read. The keys and type
// texts are shared between rows, so a list of 32767 items makes only the texts that differ.
std::vector<ui::ListRow> frmEquipList2::entryRows() {
  static const QString nameKey("Name"), typeKey("Type"), costKey("Cost");
  std::array<QString, core::ItemTypeTexts.size() + 1> typeTexts;  // code 0 and the unknown: empty
  for (std::size_t code = 1; code < typeTexts.size(); ++code)
    typeTexts[code] = ui::ToQString(core::ItemTypeText(static_cast<int>(code)));
  std::vector<ui::ListRow> rows;
  rows.reserve(static_cast<std::size_t>(std::max(0L, defs_.ItemCount)));
  const core::Status status = core::ForEachEntry(
      defs_.Items(), defs_.ItemCount, [&](long entry, const core::ItemRecord& item) {
        const QString number = QString::fromStdString(core::NumberWithLeadingBlank(entry));
        const bool known = item.ItemType >= 1 && item.ItemType < std::ssize(typeTexts);
        rows.push_back(
            {RowKey(number),
             number,
             {{nameKey, ui::ToQString(item.ItemName)},
              {typeKey, known ? typeTexts[static_cast<std::size_t>(item.ItemType)] : typeTexts[0]},
              {costKey, QString::number(item.Cost)}}});
      });
  if (!status.ok())
    dialogs_.messageBox(this, QString::fromStdString(status.message()), windowTitle());
  return rows;
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
