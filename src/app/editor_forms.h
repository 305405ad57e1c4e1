#pragma once

#include "core/definitions.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

// Makes every window of the editor known to the registry.
void AddEditorForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs);
