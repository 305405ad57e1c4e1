#include "ui/entry_name_list.h"

#include "ui/controls.h"

#include <QListView>
#include <QSignalBlocker>

#include <memory>
#include <utility>

namespace ui {

EntryNameList::EntryNameList(QStringList leadingRows, NameOf nameOf, QObject* parent)
    : QAbstractListModel(parent), leading_(std::move(leadingRows)), nameOf_(std::move(nameOf)) {}

void EntryNameList::setCount(long count) {
  if (count < 0) count = 0;
  if (count != count_) {
    beginResetModel();
    count_ = count;
    endResetModel();
  } else if (rowCount() > 0) {
    emit dataChanged(index(0), index(rowCount() - 1));
  }
}

int EntryNameList::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(leading_.size() + count_);
}

QVariant EntryNameList::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  const int row = index.row();
  if (row < leading_.size()) return leading_.at(row);
  const long entry = row - static_cast<long>(leading_.size()) + 1;
  return entry <= count_ ? ToQString(nameOf_(entry)) : QVariant();
}

void ShowEntryNames(ComboBox* list, EntryNameList* names, int nameWidth) {
  list->setModel(names);
  // Sizing to the contents would read every name; a fixed width in characters reads none.
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(nameWidth);
  if (auto* view = qobject_cast<QListView*>(list->view())) view->setUniformItemSizes(true);
  list->setCurrentIndex(-1);
  // Qt picks the first row after a refill; the list keeps its position, or none.
  auto kept = std::make_shared<int>(-1);
  QObject::connect(names, &QAbstractItemModel::modelAboutToBeReset, list,
                   [list, kept] { *kept = list->position(); });
  QObject::connect(names, &QAbstractItemModel::modelReset, list, [list, kept] {
    const QSignalBlocker block(list);
    list->setCurrentIndex(*kept < list->count() ? *kept : -1);
  });
}

}  // namespace ui
