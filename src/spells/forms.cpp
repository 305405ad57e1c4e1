#include "spells/forms.h"

#include "spells/frm_magic_ed.h"
#include "spells/frm_magic_list.h"
#include "spells/frm_magic_prog.h"
#include "ui/catalogue_list.h"

#include <memory>

namespace spells {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add("frmMagicEd", [&defs, &dialogs, &registry] {
    return std::make_unique<frmMagicEd>(defs, dialogs, registry);
  });
  registry.add("frmMagicList", [&defs, &dialogs, &registry] {
    return std::make_unique<frmMagicList>(defs, dialogs, registry);
  });
  registry.add("frmMagicProg",
               [&defs, &dialogs] { return std::make_unique<frmMagicProg>(defs, dialogs); });
  registry.addPlaceHandler(core::GameFile::Spells, [&registry](const core::Place& place) {
    return ui::ShowEntryInEditor(registry, "frmMagicEd",
                                 ui::EditorPager<frmMagicEd>(registry, "frmMagicEd"), place.entry);
  });
  // The progression lists its rows by class and level, not by entry: the table is shown whole.
  registry.addPlaceHandler(core::GameFile::SpellProgression, [&registry](const core::Place&) {
    return registry.show("frmMagicProg") != nullptr;
  });
}

}  // namespace spells
