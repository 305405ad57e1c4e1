#include "ui/catalogue_undo.h"

#include "ui/change_follower.h"
#include "ui/controls.h"
#include "ui/entry_pager.h"
#include "ui/form.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QStatusBar>

#include <utility>

namespace ui {

namespace {

// What each file's writes tell the windows that show it.
unsigned ChangeOf(core::CatalogueFile file) {
  switch (file) {
    case core::CatalogueFile::Items:
      return core::ItemsChanged;
    case core::CatalogueFile::Creatures:
      return core::CreaturesChanged;
    case core::CatalogueFile::Shops:
      return core::ShopsChanged;
    case core::CatalogueFile::Spells:
      return core::SpellsChanged;
    case core::CatalogueFile::SpellProgression:
      break;
  }
  return core::SpellProgChanged;
}

// "Save Item 5" is a step over "Item 5".
QString SubjectOf(const QString& label) {
  const qsizetype blank = label.indexOf(' ');
  return blank < 0 ? label : label.mid(blank + 1);
}

}  // namespace

CatalogueUndo::CatalogueUndo(Form* window, core::ModDefinitions& defs, core::CatalogueFile file,
                             Dialogs& dialogs, Hooks hooks)
    : QObject(window),
      window_(window),
      defs_(defs),
      file_(file),
      dialogs_(dialogs),
      hooks_(std::move(hooks)) {
  QMenu* menu = window->addMenu("mnuEdit", "&Edit");
  undo_ = window->addMenuEntry(menu, "mnuUndo", "&Undo");
  redo_ = window->addMenuEntry(menu, "mnuRedo", "&Redo");
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  connect(undo_, &QAction::triggered, this, [this] { undo(); });
  connect(redo_, &QAction::triggered, this, [this] { redo(); });
  connect(menu, &QMenu::aboutToShow, this, &CatalogueUndo::updateEntries);
  // Every write of the file is told to the windows: the entries follow, whichever window wrote.
  new ChangeFollower(this, defs_, window, ChangeOf(file), [this] { updateEntries(); });
  updateEntries();
}

CatalogueUndo::~CatalogueUndo() = default;

void CatalogueUndo::updateEntries() {
  const core::CatalogueHistory& history = defs_.WriteHistory(file_);
  undo_->setEnabled(history.CanUndo());
  undo_->setText(history.CanUndo() ? "&Undo " + ToQString(history.UndoLabel()) : "&Undo");
  redo_->setEnabled(history.CanRedo());
  redo_->setText(history.CanRedo() ? "&Redo " + ToQString(history.RedoLabel()) : "&Redo");
}

bool CatalogueUndo::step(bool redo) {
  const core::CatalogueHistory& history = defs_.WriteHistory(file_);
  if (redo ? !history.CanRedo() : !history.CanUndo()) return false;
  const QString label = ToQString(redo ? history.RedoLabel() : history.UndoLabel());
  const std::uint64_t recorded = history.Recorded();
  if (hooks_.mayLeave && !hooks_.mayLeave()) return false;
  // Saved at the question: that save is now the step to take back first, by another Undo.
  if (history.Recorded() != recorded) {
    updateEntries();
    return false;
  }
  core::Status status = defs_.UndoWrite(file_, redo);
  if (status.changedOnDisk()) {
    if (!dialogs_.askOverwrite(window_,
                               ChangedOnDiskQuestion(SubjectOf(label), "this editor wrote it"),
                               CaptionOf(window_))) {
      return false;
    }
    status = defs_.UndoWrite(file_, redo, true);
  }
  if (!status.ok()) {
    dialogs_.messageBox(window_, QString::fromStdString(status.message()), CaptionOf(window_));
    updateEntries();
    return false;
  }
  if (hooks_.shown) hooks_.shown();
  defs_.NotifyChanged(ChangeOf(file_), window_->changeOrigin());
  window_->statusBar()->showMessage((redo ? "Redid " : "Undid ") + label);
  updateEntries();
  return true;
}

}  // namespace ui
