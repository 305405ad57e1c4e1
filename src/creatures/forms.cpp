#include "creatures/forms.h"

#include "creatures/frm_creat_bit.h"
#include "creatures/frm_creat_ed.h"
#include "creatures/frm_creat_list2.h"
#include "creatures/frm_creat_spe.h"
#include "creatures/frm_creat_spe_ed.h"
#include "ui/catalogue_list.h"
#include "ui/window_ids.h"

#include <memory>

namespace creatures {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add(
      ui::window::CreatureEditor,
      [&defs, &dialogs, &registry] {
        return std::make_unique<frmCreatEd>(defs, dialogs, registry);
      },
      [&defs] { return defs.ReadCreaturePair(1); });
  registry.add(ui::window::CreatureList, [&defs, &dialogs, &registry] {
    return std::make_unique<frmCreatList2>(defs, dialogs, registry);
  });
  registry.add(ui::window::CreaturePicture,
               [&defs] { return std::make_unique<frmCreatBit>(defs); });
  registry.add(ui::window::CreatureSpecials,
               [&defs, &registry] { return std::make_unique<frmCreatSpe>(defs, registry); });
  registry.add(ui::window::CreatureSpecialEditor,
               [&defs, &dialogs] { return std::make_unique<frmCreatSpeEd>(defs, dialogs); });
  // A special slot named somewhere shows with the creature's special effects.
  registry.addPlaceHandler(core::GameFile::Creatures, [&registry](const core::Place& place) {
    if (!ui::ShowEntryInEditor(registry, ui::window::CreatureEditor,
                               ui::EditorPager<frmCreatEd>(registry, ui::window::CreatureEditor),
                               place.entry))
      return false;
    if (place.slotKind == core::SlotKind::CreatureSpecial)
      registry.show(ui::window::CreatureSpecials);
    return true;
  });
  // These stay above the window they serve and open beside it.
  registry.setOwner(ui::window::CreatureSpecials, ui::window::CreatureEditor);
  registry.setOwner(ui::window::CreatureSpecialEditor, ui::window::CreatureEditor);
  registry.setOwner(ui::window::CreaturePicture, ui::window::CreatureEditor);
}

}  // namespace creatures
