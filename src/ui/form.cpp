#include "ui/form.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QShortcut>

namespace ui {

Form::Form(const QString& name, QWidget* parent) : QMainWindow(parent), body_(new QWidget(this)) {
  setObjectName(name);
  setAttribute(Qt::WA_DeleteOnClose);
  body_->setObjectName(name + QStringLiteral("_body"));
  setCentralWidget(body_);
}

Form::~Form() = default;

void Form::ensureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  Form_Load();
}

void Form::showForm() {
  if (closed_) return;
  ensureLoaded();
  if (closed_) return;  // Form_Load may close the window again
  if (isVisible()) {
    raise();
    activateWindow();
    return;
  }
  show();
  activateWindow();
  runPaint();
}

void Form::hideForm() {
  hide();
}

void Form::refresh() {
  if (closed_) return;
  ensureLoaded();
  if (closed_) return;
  runPaint();
}

// A paint that raises events whose handlers ask for another paint would otherwise recurse; the
// request is kept and served once, after the paint in progress.
void Form::runPaint() {
  if (painting_) {
    repaintAsked_ = true;
    return;
  }
  painting_ = true;
  repaintAsked_ = false;
  Form_Paint();
  if (repaintAsked_ && !closed_) {
    repaintAsked_ = false;
    Form_Paint();
  }
  repaintAsked_ = false;
  painting_ = false;
}

bool Form::closeForm() {
  if (closed_) return true;
  return close();
}

void Form::closeOnEscape() {
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &Form::closeForm);
}

QMenu* Form::addMenu(const QString& name, const QString& caption) {
  // Two parts of a window may both put entries into one menu ("Tools").
  for (QMenu* existing : menuBar()->findChildren<QMenu*>(name, Qt::FindDirectChildrenOnly))
    return existing;
  QMenu* menu = menuBar()->addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

QAction* Form::addMenuEntry(QMenu* menu, const QString& name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

void Form::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (loaded_ && !closed_) Form_Resize();
}

void Form::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  if (loaded_ && !Form_QueryUnload()) {
    event->ignore();
    return;
  }
  closed_ = true;
  if (loaded_) Form_Unload();
  emit unloaded();
  event->accept();
}

}  // namespace ui
