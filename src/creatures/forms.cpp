#include "creatures/forms.h"

namespace creatures {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  // No windows here yet.
  (void)registry;
  (void)defs;
  (void)dialogs;
}

}  // namespace creatures
