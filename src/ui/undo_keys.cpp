#include "ui/undo_keys.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace ui {

void AddMapUndoKeys(QWidget* window, core::ModDefinitions& defs) {
  auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), window);
  QObject::connect(undo, &QShortcut::activated, window, [&defs] { defs.Document().Undo(); });
  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
    auto* redo = new QShortcut(keys, window);
    QObject::connect(redo, &QShortcut::activated, window, [&defs] { defs.Document().Redo(); });
  }
}

}  // namespace ui
