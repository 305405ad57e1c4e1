#include "ui/name_list_model.h"

#include <QComboBox>
#include <QListView>

#include <algorithm>
#include <utility>

namespace ui {

NameListModel::NameListModel(CountSource count, NameSource name, QObject* parent)
    : QAbstractListModel(parent),
      count_(std::move(count)),
      name_(std::move(name)),
      rows_(std::max(0, count_())) {}

int NameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return name_(index.row());
}

void NameListModel::sync() {
  const int rows = std::max(0, count_());
  if (rows > rows_) {
    beginInsertRows(QModelIndex(), rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
  } else if (rows < rows_) {
    beginRemoveRows(QModelIndex(), rows, rows_ - 1);
    rows_ = rows;
    endRemoveRows();
  }
  if (rows_ > 0) emit dataChanged(index(0), index(rows_ - 1), {Qt::DisplayRole});
}

void UseNameList(QComboBox& combo, NameListModel& model, int nameWidth) {
  combo.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo.setMinimumContentsLength(nameWidth);
  auto* view = new QListView(&combo);
  view->setUniformItemSizes(true);
  combo.setView(view);
  combo.setModel(&model);
  combo.setCurrentIndex(-1);
}

}  // namespace ui
