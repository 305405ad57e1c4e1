#include "spells/forms.h"

#include "spells/frm_magic_ed.h"
#include "spells/frm_magic_list.h"
#include "spells/frm_magic_prog.h"
#include "ui/catalogue_list.h"
#include "ui/window_ids.h"

#include <memory>

namespace spells {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add(ui::window::SpellEditor, [&defs, &dialogs, &registry] {
    return std::make_unique<frmMagicEd>(defs, dialogs, registry);
  });
  registry.add(ui::window::SpellList, [&defs, &dialogs, &registry] {
    return std::make_unique<frmMagicList>(defs, dialogs, registry);
  });
  registry.add(ui::window::SpellProgression,
               [&defs, &dialogs] { return std::make_unique<frmMagicProg>(defs, dialogs); });
  registry.addPlaceHandler(core::GameFile::Spells, [&registry](const core::Place& place) {
    return ui::ShowEntryInEditor(registry, ui::window::SpellEditor,
                                 ui::EditorPager<frmMagicEd>(registry, ui::window::SpellEditor),
                                 place.entry);
  });
  // The progression lists its rows by class and level, not by entry: the table is shown whole.
  registry.addPlaceHandler(core::GameFile::SpellProgression, [&registry](const core::Place&) {
    return registry.show(ui::window::SpellProgression) != nullptr;
  });
}

}  // namespace spells
