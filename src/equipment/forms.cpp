#include "equipment/forms.h"

#include "equipment/frm_equip_ed.h"
#include "equipment/frm_equip_eff_ed.h"
#include "equipment/frm_equip_effect.h"
#include "equipment/frm_equip_list2.h"
#include "ui/catalogue_list.h"

#include <memory>

namespace equipment {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add("frmEquipEd", [&defs, &dialogs, &registry] {
    return std::make_unique<frmEquipEd>(defs, dialogs, registry);
  });
  registry.add("frmEquipList2", [&defs, &dialogs, &registry] {
    return std::make_unique<frmEquipList2>(defs, dialogs, registry);
  });
  registry.add("frmEquipEffect",
               [&defs, &registry] { return std::make_unique<frmEquipEffect>(defs, registry); });
  registry.add("frmEquipEffEd",
               [&defs, &dialogs] { return std::make_unique<frmEquipEffEd>(defs, dialogs); });
  // An effect slot named somewhere shows with the item's effect list.
  registry.addPlaceHandler(core::GameFile::Items, [&registry](const core::Place& place) {
    if (!ui::ShowEntryInEditor(registry, "frmEquipEd",
                               ui::EditorPager<frmEquipEd>(registry, "frmEquipEd"), place.entry))
      return false;
    if (place.slotKind == core::SlotKind::Effect) registry.show("frmEquipEffect");
    return true;
  });
}

}  // namespace equipment
