#pragma once

#include "core/definitions.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

namespace checks {

// Makes the Where Used window and the game data check known to the registry.
void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs);

}  // namespace checks
