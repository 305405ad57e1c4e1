#include "app/editor_forms.h"

#include "checks/forms.h"
#include "creatures/forms.h"
#include "equipment/forms.h"
#include "maps/forms.h"
#include "shops/forms.h"
#include "specials/forms.h"
#include "spells/forms.h"

void AddEditorForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  maps::AddForms(registry, defs, dialogs);
  specials::AddForms(registry, defs, dialogs);
  equipment::AddForms(registry, defs, dialogs);
  shops::AddForms(registry, defs, dialogs);
  creatures::AddForms(registry, defs, dialogs);
  spells::AddForms(registry, defs, dialogs);
  checks::AddForms(registry, defs, dialogs);
}
