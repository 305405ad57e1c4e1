#include "equipment/forms.h"

#include "equipment/frm_equip_ed.h"
#include "equipment/frm_equip_eff_ed.h"
#include "equipment/frm_equip_effect.h"
#include "equipment/frm_equip_list2.h"
#include "ui/catalogue_list.h"
#include "ui/window_ids.h"

#include <memory>

namespace equipment {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add(
      ui::window::ItemEditor,
      [&defs, &dialogs, &registry] {
        return std::make_unique<frmEquipEd>(defs, dialogs, registry);
      },
      // It opens on the item last shown (entry 1 after start-up).
      [&defs] { return defs.ReadItemPair(defs.ItemEntry); });
  registry.add(ui::window::ItemList, [&defs, &dialogs, &registry] {
    return std::make_unique<frmEquipList2>(defs, dialogs, registry);
  });
  registry.add(ui::window::ItemEffects,
               [&defs, &registry] { return std::make_unique<frmEquipEffect>(defs, registry); });
  registry.add(ui::window::EffectEditor,
               [&defs, &dialogs] { return std::make_unique<frmEquipEffEd>(defs, dialogs); });
  // An effect slot named somewhere shows with the item's effect list.
  registry.addPlaceHandler(core::GameFile::Items, [&registry](const core::Place& place) {
    if (!ui::ShowEntryInEditor(registry, ui::window::ItemEditor,
                               ui::EditorPager<frmEquipEd>(registry, ui::window::ItemEditor),
                               place.entry))
      return false;
    if (place.slotKind == core::SlotKind::Effect) registry.show(ui::window::ItemEffects);
    return true;
  });
  // These stay above the window they serve and open beside it.
  registry.setOwner(ui::window::ItemEffects, ui::window::ItemEditor);
  registry.setOwner(ui::window::EffectEditor, ui::window::ItemEditor);
}

}  // namespace equipment
