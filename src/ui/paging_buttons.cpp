#include "ui/paging_buttons.h"

#include "ui/controls.h"
#include "ui/entry_pager.h"

#include <QHBoxLayout>
#include <QKeySequence>

namespace ui {

namespace {

Button* PagingButton(QWidget* parent, const QString& name, const QString& caption,
                     const QString& tip, const QKeySequence& keys) {
  auto* button = new Button(parent, name);
  button->setText(caption);
  button->setToolTip(QString("%1 (%2)").arg(tip, keys.toString(QKeySequence::NativeText)));
  return button;
}

}  // namespace

PagingButtons::PagingButtons(QWidget* parent, const Names& names, const QString& noun,
                             QWidget* recordLine)
    : QWidget(parent) {
  setObjectName("PagingButtons");
  first_ =
      PagingButton(this, names.first, "<<", "First " + noun, QKeySequence(Qt::CTRL | Qt::Key_Home));
  previous_ =
      PagingButton(this, names.previous, "<", "Previous " + noun, QKeySequence(Qt::Key_PageUp));
  next_ = PagingButton(this, names.next, ">", "Next " + noun, QKeySequence(Qt::Key_PageDown));
  last_ =
      PagingButton(this, names.last, ">>", "Last " + noun, QKeySequence(Qt::CTRL | Qt::Key_End));
  goTo_ = PagingButton(this, "cmdGoTo", "Go To...", "Show the " + noun + " of a number or name",
                       QKeySequence(Qt::CTRL | Qt::Key_G));
  // Ctrl+Home and Ctrl+End are the pager's own, caught before a text box takes them.
  previous_->setShortcut(QKeySequence(Qt::Key_PageUp));
  next_->setShortcut(QKeySequence(Qt::Key_PageDown));
  goTo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  for (Button* arrow : {first_, previous_, next_, last_})
    arrow->setFixedWidth(arrow->fontMetrics().horizontalAdvance("<<") + 24);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(first_);
  row->addWidget(previous_);
  if (recordLine) {
    recordLine->setParent(this);
    row->addWidget(recordLine, 1);
  } else {
    row->addStretch(1);
  }
  row->addWidget(next_);
  row->addWidget(last_);
  row->addWidget(goTo_);
}

void PagingButtons::connectTo(EntryPager& pager) {
  connect(first_, &Button::clicked, this, [&pager] { pager.first(); });
  connect(previous_, &Button::clicked, this, [&pager] { pager.previous(); });
  connect(next_, &Button::clicked, this, [&pager] { pager.next(); });
  connect(last_, &Button::clicked, this, [&pager] { pager.last(); });
  connect(goTo_, &Button::clicked, this, [&pager] { pager.goTo(); });
}

}  // namespace ui
