#pragma once

class QMenu;

namespace ui {

class Form;
class FormsRegistry;

// The keys every window has for reaching the others: Ctrl+Tab and Ctrl+Shift+Tab bring forward
// the next and the previous open window, Ctrl+1 to Ctrl+9 the window at that place of the
// Window menu (Ctrl+1 is the first one opened: the main window).
void AddWindowKeys(Form* form, FormsRegistry& registry);

// A "Window" menu in `form`'s menu bar that lists every open window by its title, with the keys
// above.
QMenu* AddWindowMenu(Form* form, FormsRegistry& registry);

}  // namespace ui
