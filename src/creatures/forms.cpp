#include "creatures/forms.h"

#include "creatures/frm_creat_bit.h"
#include "creatures/frm_creat_ed.h"
#include "creatures/frm_creat_list2.h"
#include "creatures/frm_creat_spe.h"
#include "creatures/frm_creat_spe_ed.h"
#include "ui/catalogue_list.h"

#include <memory>

namespace creatures {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add("frmCreatEd", [&defs, &dialogs, &registry] {
    return std::make_unique<frmCreatEd>(defs, dialogs, registry);
  });
  registry.add("frmCreatList2", [&defs, &dialogs, &registry] {
    return std::make_unique<frmCreatList2>(defs, dialogs, registry);
  });
  registry.add("frmCreatBit", [&defs] { return std::make_unique<frmCreatBit>(defs); });
  registry.add("frmCreatSpe",
               [&defs, &registry] { return std::make_unique<frmCreatSpe>(defs, registry); });
  registry.add("frmCreatSpeEd",
               [&defs, &dialogs] { return std::make_unique<frmCreatSpeEd>(defs, dialogs); });
  // A special slot named somewhere shows with the creature's special effects.
  registry.addPlaceHandler(core::GameFile::Creatures, [&registry](const core::Place& place) {
    if (!ui::ShowEntryInEditor(registry, "frmCreatEd",
                               ui::EditorPager<frmCreatEd>(registry, "frmCreatEd"), place.entry))
      return false;
    if (place.slotKind == core::SlotKind::CreatureSpecial) registry.show("frmCreatSpe");
    return true;
  });
}

}  // namespace creatures
