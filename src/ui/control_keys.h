#pragma once

class QAbstractButton;
class QWidget;

namespace ui {

// Keys a control takes before the window's shortcuts see them.

// Ctrl+Z takes back the box's own typing, Ctrl+Y and Ctrl+Shift+Z do it again, while the box
// has any; with none left the keys go to the window (a map window undoes the map's last step).
// `box` is a QLineEdit or a QPlainTextEdit.
void TakeEditKeys(QWidget* box);
// For a box whose every change the window stores at once as a step of its own: its typing is
// already the window's history, so the keys always go to the window and a box's own undo never
// becomes a new step.
void LeaveEditKeysToWindow(QWidget* box);

// Enter and the keypad's Enter on the focused button press it, whatever Enter does elsewhere in
// the window.
void TakeEnterKey(QAbstractButton* button);

}  // namespace ui
