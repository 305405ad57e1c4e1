#pragma once

#include "core/definitions.h"

class QWidget;

namespace ui {

// The keys that take back the last change to the map (Ctrl+Z) or do it again (Ctrl+Y,
// Ctrl+Shift+Z), for a window that edits the map. In a text box the keys first take back or
// redo the box's own typing, while it has any (control_keys.h).
void AddMapUndoKeys(QWidget* window, core::ModDefinitions& defs);

}  // namespace ui
