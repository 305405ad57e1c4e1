#include "maps/forms.h"

#include "maps/frm_map_ed.h"

#include <memory>

namespace maps {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add("frmMapEd", [&defs, &dialogs, &registry] {
    return std::make_unique<frmMapEd>(defs, dialogs, registry);
  });
}

}  // namespace maps
