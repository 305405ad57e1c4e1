#include "ui/control_keys.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace ui {

namespace {

constexpr const char* KeysLeftToWindow = "editKeysLeftToWindow";

enum class EditKey { None, Undo, Redo };

Qt::KeyboardModifiers Modifiers(const QKeyEvent& event) {
  return event.modifiers() & ~Qt::KeypadModifier;
}

EditKey EditKeyOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = Modifiers(event);
  if (event.key() == Qt::Key_Z && modifiers == Qt::ControlModifier) return EditKey::Undo;
  if ((event.key() == Qt::Key_Y && modifiers == Qt::ControlModifier) ||
      (event.key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)))
    return EditKey::Redo;
  return EditKey::None;
}

// True when `box` has typing of its own that `key` can take back or do again; `apply` does it.
bool OwnEdit(QObject* box, EditKey key, bool apply) {
  if (box->property(KeysLeftToWindow).toBool()) return false;
  const bool undo = key == EditKey::Undo;
  if (auto* line = qobject_cast<QLineEdit*>(box)) {
    if (line->isReadOnly() || !(undo ? line->isUndoAvailable() : line->isRedoAvailable()))
      return false;
    if (apply) undo ? line->undo() : line->redo();
    return true;
  }
  if (auto* area = qobject_cast<QPlainTextEdit*>(box)) {
    const QTextDocument* document = area->document();
    if (area->isReadOnly() || !(undo ? document->isUndoAvailable() : document->isRedoAvailable()))
      return false;
    if (apply) undo ? area->undo() : area->redo();
    return true;
  }
  return false;
}

// A shortcut override left unaccepted lets the window's shortcut take the key; an accepted one
// brings the key to the control as a key press.
class EditKeys final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* box, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
      return false;
    const EditKey key = EditKeyOf(*static_cast<QKeyEvent*>(event));
    if (key == EditKey::None) return false;
    const bool own = OwnEdit(box, key, event->type() == QEvent::KeyPress);
    event->setAccepted(own);
    return true;
  }
};

bool IsEnter(const QKeyEvent& event) {
  return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
         Modifiers(event) == Qt::NoModifier;
}

class EnterKey final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
      return false;
    if (!IsEnter(*static_cast<QKeyEvent*>(event))) return false;
    auto* button = static_cast<QAbstractButton*>(watched);
    if (event->type() == QEvent::KeyPress && button->isEnabled()) button->click();
    event->accept();
    return true;
  }
};

}  // namespace

void TakeEditKeys(QWidget* box) {
  box->installEventFilter(new EditKeys(box));
}

void LeaveEditKeysToWindow(QWidget* box) {
  box->setProperty(KeysLeftToWindow, true);
}

void TakeEnterKey(QAbstractButton* button) {
  button->installEventFilter(new EnterKey(button));
}

}  // namespace ui
