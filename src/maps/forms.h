#pragma once

#include "core/definitions.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

namespace maps {

// Makes the main window and the map's own editors known to the registry.
void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs);

}  // namespace maps
