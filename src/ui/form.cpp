#include "ui/form.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollArea>
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
  if (!opened_) {
    opened_ = true;
    emit aboutToOpen();
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
  emit painted();
}

bool Form::closeForm() {
  if (closed_) return true;
  return close();
}

void Form::setCaption(const QString& caption) {
  caption_ = caption;
  setWindowTitle(caption);
}

void Form::setSubject(const QString& subject, bool modified) {
  const QString caption = this->caption();
  setWindowTitle(subject.isEmpty()
                     ? caption + QStringLiteral("[*]")
                     : subject + QStringLiteral(" - ") + caption + QStringLiteral("[*]"));
  setWindowModified(modified);
}

QString Form::shownTitle() const {
  QString title = windowTitle();
  title.replace(QStringLiteral("[*]"), isWindowModified() ? QStringLiteral("*") : QString());
  return title;
}

void Form::scrollBody() {
  if (qobject_cast<QScrollArea*>(centralWidget())) return;
  // The controls keep their own size and places; the scroll area only shows part of them.
  body_->resize(body_->size().expandedTo(body_->sizeHint()));
  takeCentralWidget();
  auto* area = new QScrollArea(this);
  area->setObjectName(objectName() + QStringLiteral("_scroll"));
  area->setWidget(body_);
  area->setWidgetResizable(true);
  body_->setMinimumSize(body_->minimumSizeHint().expandedTo(body_->sizeHint()));
  setCentralWidget(area);
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
  emit closing();
  if (loaded_) Form_Unload();
  emit unloaded();
  event->accept();
}

QString CaptionOf(const QWidget* window) {
  if (const auto* form = qobject_cast<const Form*>(window)) return form->caption();
  return window ? window->windowTitle() : QString();
}

}  // namespace ui
