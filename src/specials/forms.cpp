#include "specials/forms.h"

#include "specials/frm_map_spe.h"

#include <memory>

namespace specials {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add("frmMapSpe", [&defs, &dialogs, &registry] {
    return std::make_unique<frmMapSpe>(defs, dialogs, registry);
  });
  // Above the map it edits, never hidden behind it.
  registry.setOwner("frmMapSpe", "frmMapEd");
}

}  // namespace specials
