#include "ui/lazy_list.h"

#include "ui/controls.h"

#include <QSignalBlocker>

#include <algorithm>
#include <memory>
#include <utility>

namespace ui {

LazyTextList::LazyTextList(QObject* parent, TextOf textOf)
    : QAbstractListModel(parent), textOf_(std::move(textOf)) {}

void LazyTextList::setCount(int count) {
  count = std::max(0, count);
  if (count != count_) {
    beginResetModel();
    count_ = count;
    endResetModel();
  } else if (count_ > 0) {
    emit dataChanged(index(0), index(count_ - 1), {Qt::DisplayRole});
  }
}

void LazyTextList::setTexts(int count, TextOf textOf) {
  beginResetModel();
  count_ = std::max(0, count);
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

void ShowLazyTexts(ComboBox* list, LazyTextList* texts, int widthInCharacters) {
  const QSignalBlocker block(list);
  list->setModel(texts);
  // Sizing to the contents would make every text; a width in characters makes none.
  list->setWidthInCharacters(widthInCharacters);
  list->setCurrentIndex(-1);
  // Qt picks the first row after a refill; the list keeps its position, or has none.
  auto kept = std::make_shared<int>(-1);
  QObject::connect(texts, &QAbstractItemModel::modelAboutToBeReset, list,
                   [list, kept] { *kept = list->position(); });
  QObject::connect(texts, &QAbstractItemModel::modelReset, list, [list, kept] {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(*kept < list->count() ? *kept : -1);
  });
}

void SetLazyEntries(ComboBox* list, int count, LazyTextList::TextOf textOf, int widthInCharacters) {
  auto* texts = qobject_cast<LazyTextList*>(list->model());
  if (!texts) {
    texts = new LazyTextList(list);
    ShowLazyTexts(list, texts, widthInCharacters);
  }
  list->setWidthInCharacters(widthInCharacters);
  texts->setTexts(count, std::move(textOf));
  const QSignalBlocker block(list);
  list->setCurrentIndex(-1);
}

}  // namespace ui
