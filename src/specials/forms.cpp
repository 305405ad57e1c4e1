#include "specials/forms.h"

namespace specials {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  // No windows here yet.
  (void)registry;
  (void)defs;
  (void)dialogs;
}

}  // namespace specials
