#pragma once

// The main window with the map's own editors registered, as the editor program has them.
#include "main_window_fixture.h"
#include "maps/forms.h"

#include <QCoreApplication>
#include <QMenu>

namespace map_editors_test {

using main_window_test::MainWindow;

// Registers every map window and lets the main window's menus see them.
inline void addEditors(MainWindow& w) {
  maps::AddForms(*w.registry, *w.defs, w.dialogs);
  emit w.window->findChild<QMenu*>("mnuMap")->aboutToShow();
}

// The open window `name`, or null.
template <class T = ui::Form>
T* form(const MainWindow& w, const QString& name) {
  return qobject_cast<T*>(w.registry->find(name));
}

// A control of the open window `formName`.
template <class T>
T* control(const MainWindow& w, const QString& formName, const QString& name) {
  ui::Form* open = w.registry->find(formName);
  return open ? open->findChild<T*>(name) : nullptr;
}

// Lets the change hub run the repaints queued by a store.
inline void settle() {
  QCoreApplication::processEvents();
}

// Replaces a box's text the way typing does: select all, then type.
inline void retype(ui::TextBox* box, const QString& text) {
  box->setFocus();
  box->selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(box, Qt::Key_Delete);
  } else {
    QTest::keyClicks(box, text);
  }
}

}  // namespace map_editors_test
