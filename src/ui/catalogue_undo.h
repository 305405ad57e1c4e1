#pragma once

#include "core/definitions.h"
#include "ui/dialogs.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class QAction;

namespace ui {

class Form;

// The "Edit" menu of a window that writes a catalogue file: Undo and Redo of this session's
// writes of that file, named after the step ("Undo Save Item 5", "Redo New Spell 19"), with
// Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z, once no text box has typing of its own to take back. The
// history is the file's, so every window that writes it shares it. A step over an entry that
// another editor changed since asks first, as a save does; the window's status line says what
// was done ("Undid Save Item 5").
class CatalogueUndo : public QObject {
 public:
  struct Hooks {
    // Before a step: may the entry on screen be dropped (the unsaved-changes question)?
    std::function<bool()> mayLeave;
    // After it: show the entry as the file now holds it and tell the other windows.
    std::function<void()> shown;
  };

  CatalogueUndo(Form* window, core::ModDefinitions& defs, core::CatalogueFile file,
                Dialogs& dialogs, Hooks hooks);
  ~CatalogueUndo() override;

  // False when there was nothing to do, the designer cancelled or the write failed (a message
  // said why).
  bool undo() { return step(false); }
  bool redo() { return step(true); }

  QAction* undoEntry() const { return undo_; }
  QAction* redoEntry() const { return redo_; }
  // The entries name the steps they would take ("&Undo Save Item 5"), enabled when there is one.
  void updateEntries();

 private:
  bool step(bool redo);

  Form* window_;
  core::ModDefinitions& defs_;
  core::CatalogueFile file_;
  Dialogs& dialogs_;
  Hooks hooks_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
};

}  // namespace ui
