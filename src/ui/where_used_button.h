#pragma once

#include "core/definitions.h"
#include "core/references.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/forms_registry.h"

#include <functional>

namespace ui {

// The name under which the editor program registers the Where Used window.
inline const QString WhereUsedForm = QStringLiteral("frmWhereUsed");

// "Where Used" of a catalogue editor: a button (cmdWhereUsed) for the editor to lay out, and
// Shift+F12 from any control of the window. Both hand the entry shown to the Where Used window
// (WhereUsedTarget, WhereUsedEntry) and show it, or list afresh the one already open.
Button* AddWhereUsedButton(Form* editor, FormsRegistry& registry, core::ModDefinitions& defs,
                           core::RefTarget target, std::function<long()> entryShown);

}  // namespace ui
