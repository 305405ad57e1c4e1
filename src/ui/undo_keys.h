#pragma once

#include "core/definitions.h"

class QWidget;

namespace ui {

// The keys that take back the last change to the map (Ctrl+Z) or do it again (Ctrl+Y,
// Ctrl+Shift+Z), for a window that edits the map. A text box that has the focus keeps Ctrl+Z
// for its own typing.
void AddMapUndoKeys(QWidget* window, core::ModDefinitions& defs);

}  // namespace ui
