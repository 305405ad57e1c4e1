#include "equipment/forms.h"

#include "equipment/frm_equip_ed.h"
#include "equipment/frm_equip_eff_ed.h"
#include "equipment/frm_equip_effect.h"
#include "equipment/frm_equip_list2.h"

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
}

}  // namespace equipment
