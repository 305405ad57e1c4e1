#include "equipment/forms.h"

namespace equipment {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  // No windows here yet.
  (void)registry;
  (void)defs;
  (void)dialogs;
}

}  // namespace equipment
