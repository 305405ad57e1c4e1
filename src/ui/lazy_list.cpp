#include "ui/lazy_list.h"

#include "ui/controls.h"

#include <QListView>
#include <QSignalBlocker>

#include <utility>

namespace ui {

void LazyTextList::setTexts(int count, TextOf textOf) {
  beginResetModel();
  count_ = count > 0 ? count : 0;
  textOf_ = std::move(textOf);
  endResetModel();
}

int LazyTextList::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : count_;
}

QVariant LazyTextList::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= count_ || !textOf_) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return textOf_(index.row());
}

void SetLazyEntries(ComboBox* list, int count, LazyTextList::TextOf textOf, int widthInCharacters) {
  const QSignalBlocker block(list);
  auto* texts = qobject_cast<LazyTextList*>(list->model());
  if (!texts) {
    texts = new LazyTextList(list);
    list->setModel(texts);
    // Measuring every text for the width would make every name be looked up.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto* view = qobject_cast<QListView*>(list->view())) view->setUniformItemSizes(true);
  }
  list->setMinimumContentsLength(widthInCharacters);
  texts->setTexts(count, std::move(textOf));
  // A reset model selects its first text; the list starts with none, as an emptied list does.
  list->setCurrentIndex(-1);
}

}  // namespace ui
