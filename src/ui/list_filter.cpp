#include "ui/list_filter.h"

#include "ui/control_keys.h"
#include "ui/list_view.h"
#include "ui/row_filter.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QShortcut>

namespace ui {

namespace {

// Escape empties the box before the window's own Escape (closing a list) can take it.
class FilterBox : public QLineEdit {
 public:
  FilterBox(QWidget* parent, ListView* list) : QLineEdit(parent), list_(list) {}

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Escape && !text().isEmpty()) {
        event->accept();
        return true;
      }
    }
    return QLineEdit::event(event);
  }

  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Escape:
        if (text().isEmpty()) break;
        clear();
        return;
      case Qt::Key_Down:
      case Qt::Key_PageDown:
        goToList();
        return;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (list_->rowCount() > 0) {
          goToList();
          emit list_->rowPicked(list_->selectedPosition());
          return;
        }
        break;
      default:
        break;
    }
    QLineEdit::keyPressEvent(event);
  }

 private:
  void goToList() {
    if (list_->rowCount() > 0 && list_->selectedPosition() == 0) list_->setSelected(1, true);
    list_->setFocus(Qt::ShortcutFocusReason);
  }

  ListView* list_;
};

}  // namespace

ListFilter::ListFilter(QWidget* parent, ListView* list)
    : QWidget(parent), list_(list), box_(new FilterBox(this, list)), count_(new QLabel(this)) {
  setObjectName("ListFilter");
  box_->setObjectName("txtFilter");
  box_->setPlaceholderText("Filter (Ctrl+F)");
  box_->setClearButtonEnabled(true);
  box_->setToolTip("Shows the rows that hold this text in any column (Escape empties it)");
  // With no typing of its own to take back, Ctrl+Z is the window's (the spell progression's).
  TakeEditKeys(box_);
  count_->setObjectName("lblFilterCount");
  count_->setTextFormat(Qt::PlainText);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box_, 1);
  layout->addWidget(count_);

  auto* find = new QShortcut(QKeySequence::Find, parent);
  find->setContext(Qt::WindowShortcut);
  connect(find, &QShortcut::activated, box_, [this] {
    box_->setFocus(Qt::ShortcutFocusReason);
    box_->selectAll();
  });
  connect(box_, &QLineEdit::textChanged, list_, &ListView::setFilterText);
  RowFilter* rows = list_->rowFilter();
  connect(rows, &QAbstractItemModel::modelReset, this, &ListFilter::showCount);
  connect(rows, &QAbstractItemModel::rowsInserted, this, &ListFilter::showCount);
  connect(rows, &QAbstractItemModel::rowsRemoved, this, &ListFilter::showCount);
  showCount();
}

QString ListFilter::CountText(int shown, int total) {
  const QLocale english(QLocale::English);
  return english.toString(shown) + " of " + english.toString(total);
}

QString ListFilter::countText() const {
  return count_->text();
}

void ListFilter::showCount() {
  count_->setText(CountText(list_->rowCount(), list_->rowFilter()->totalRows()));
}

}  // namespace ui
