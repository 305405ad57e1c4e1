#include "specials/forms.h"

#include "specials/frm_map_spe.h"
#include "ui/window_ids.h"

#include <memory>

namespace specials {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add(ui::window::SpecialEditor, [&defs, &dialogs, &registry] {
    return std::make_unique<frmMapSpe>(defs, dialogs, registry);
  });
  // Above the map it edits, never hidden behind it.
  registry.setOwner(ui::window::SpecialEditor, ui::window::MainWindow);
}

}  // namespace specials
