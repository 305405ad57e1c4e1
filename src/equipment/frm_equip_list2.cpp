#include "equipment/frm_equip_list2.h"

#include "core/vocabularies.h"
#include "equipment/frm_equip_ed.h"
#include "ui/window_ids.h"

namespace equipment {

frmEquipList2::frmEquipList2(core::ModDefinitions& defs, ui::Dialogs& dialogs,
                             ui::FormsRegistry& registry, QWidget* parent)
    : ui::EntryList(ui::window::ItemList, "Equipment List",
                    {{"No", "No.", 500},
                     {"Name", "Item", 2000},
                     ui::FittedColumn("Type", "Type", 1000, ui::Texts(core::ItemTypeTexts)),
                     {"Cost", "Cost", 800}},
                    defs, dialogs,
                    {ui::EditorPager<frmEquipEd>(registry, ui::window::ItemEditor),
                     &core::ModDefinitions::ReadItemPair, core::ItemsChanged},
                    parent) {}

// Names, types and costs come from Item.dat itself, read a part at a time as rows are shown.
void frmEquipList2::fillRows(ui::ListView* list) {
  fillEntries(list, defs().Items(), defs().ItemCount, [](const core::ItemRecord& item) {
    return std::vector<ui::ListSubItem>{{"Name", ui::ToShownText(item.ItemName)},
                                        {"Type", ui::ToQString(core::ItemTypeText(item.ItemType))},
                                        {"Cost", QString::number(item.Cost)}};
  });
}

}  // namespace equipment
