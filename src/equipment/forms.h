#pragma once

#include "core/definitions.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

namespace equipment {

// Makes this folder's windows known to the registry.
void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs);

}  // namespace equipment
