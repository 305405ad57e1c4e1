#include "ui/list_view.h"

#include "ui/controls.h"
#include "ui/row_filter.h"
#include "ui/twips.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>

#include <algorithm>
#include <stdexcept>

namespace ui {

// --- ListModel ---

int ListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return make_ ? sourceCount_ : static_cast<int>(rows_.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

const ListRow& ListModel::row(std::size_t index) const {
  if (!make_) return rows_[index];
  const auto made = made_.find(index);
  if (made != made_.end()) return made->second;
  return made_.emplace(index, make_(static_cast<int>(index))).first->second;
}

const std::vector<ListRow>& ListModel::rows() const {
  makeAllRows();
  return rows_;
}

void ListModel::makeAllRows() const {
  if (!make_) return;
  std::vector<ListRow> rows;
  rows.reserve(static_cast<std::size_t>(sourceCount_));
  for (std::size_t i = 0; i < static_cast<std::size_t>(sourceCount_); ++i) {
    const auto made = made_.find(i);
    rows.push_back(made != made_.end() ? std::move(made->second) : make_(static_cast<int>(i)));
  }
  rows_ = std::move(rows);
  make_ = nullptr;
  made_.clear();
}

void ListModel::setRowSource(int count, RowMaker make) {
  beginResetModel();
  rows_.clear();
  made_.clear();
  sourceCount_ = std::max(0, count);
  make_ = std::move(make);
  endResetModel();
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  // The tip shows a text that its column is too narrow for.
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const ListRow& row = this->row(static_cast<std::size_t>(index.row()));
  const auto sub = static_cast<std::size_t>(index.column() - 1);
  if (index.column() > 0 && sub >= row.subItems.size()) return {};
  const QString& text = index.column() == 0 ? row.text : row.subItems[sub].text;
  // A cell shows no more than a wide screen holds, and the view cuts it to its column: laying
  // out a whole 1024-character description for each row drawn would cost more than the row.
  constexpr qsizetype ShownCharacters = 200;
  if (role == Qt::DisplayRole && text.size() > ShownCharacters) return text.left(ShownCharacters);
  return text;
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= static_cast<int>(columns_.size())) return {};
  return columns_[static_cast<std::size_t>(section)].text;
}

void ListModel::addColumn(ListColumn column) {
  const int at = static_cast<int>(columns_.size());
  beginInsertColumns({}, at, at);
  columns_.push_back(std::move(column));
  endInsertColumns();
}

void ListModel::clearColumns() {
  if (columns_.empty()) return;
  beginRemoveColumns({}, 0, static_cast<int>(columns_.size()) - 1);
  columns_.clear();
  endRemoveColumns();
}

void ListModel::clearRows() {
  const int count = rowCount();
  if (count == 0) {
    make_ = nullptr;
    return;
  }
  beginRemoveRows({}, 0, count - 1);
  rows_.clear();
  make_ = nullptr;
  made_.clear();
  endRemoveRows();
}

void ListModel::addRow(ListRow row) {
  makeAllRows();
  const int at = static_cast<int>(rows_.size());
  beginInsertRows({}, at, at);
  rows_.push_back(std::move(row));
  endInsertRows();
}

void ListModel::setRows(std::vector<ListRow> rows) {
  beginResetModel();
  make_ = nullptr;
  made_.clear();
  rows_ = std::move(rows);
  endResetModel();
}

void ListModel::appendRows(std::vector<ListRow> rows) {
  if (rows.empty()) return;
  makeAllRows();
  const int at = static_cast<int>(rows_.size());
  beginInsertRows({}, at, at + static_cast<int>(rows.size()) - 1);
  rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
               std::make_move_iterator(rows.end()));
  endInsertRows();
}

void ListModel::addSubItem(int row, ListSubItem subItem) {
  if (row < 0 || row >= rowCount()) return;
  makeAllRows();
  std::vector<ListSubItem>& subs = rows_[static_cast<std::size_t>(row)].subItems;
  subs.push_back(std::move(subItem));
  const int column = static_cast<int>(subs.size());
  if (column < static_cast<int>(columns_.size()))
    emit dataChanged(index(row, column), index(row, column));
}

// --- ListView ---

ListView::ListView(QWidget* parent, const QString& name)
    : QTableView(parent), model_(new ListModel(this)), filter_(new RowFilter(model_, this)) {
  setObjectName(name);
  setModel(filter_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setWordWrap(false);
  setSortingEnabled(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  // Fixed, uniform row heights: the view never measures rows, so long lists fill at once.
  QHeaderView* rowsHeader = verticalHeader();
  rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
  rowsHeader->setDefaultSectionSize(fontMetrics().height() + 4);
  rowsHeader->setMinimumSectionSize(1);
  rowsHeader->hide();
  QHeaderView* columnsHeader = horizontalHeader();
  columnsHeader->setSectionResizeMode(QHeaderView::Interactive);
  columnsHeader->setStretchLastSection(false);
  columnsHeader->setHighlightSections(false);
  // The arrows move between rows; Tab belongs to the window.
  setTabKeyNavigation(false);
  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) emit rowPicked(index.row() + 1);
  });
}

void ListView::addColumn(const QString& key, const QString& text, int widthTwips) {
  model_->addColumn(ListColumn{key, text, widthTwips});
  setColumnWidth(model_->columnCount() - 1, std::max(0, TwipsToPixels(widthTwips)));
}

void ListView::clearColumns() {
  model_->clearColumns();
}

int ListView::columnCount() const {
  return model_->columnCount();
}

void ListView::clearRows() {
  model_->clearRows();
}

int ListView::addRow(const QString& key, const QString& text) {
  model_->addRow(ListRow{key, text, {}});
  return model_->rowCount();
}

void ListView::addSubItem(int position, const QString& key, const QString& text) {
  model_->addSubItem(position - 1, ListSubItem{key, text});
}

void ListView::setRows(std::vector<ListRow> rows) {
  model_->setRows(std::move(rows));
}

void ListView::appendRows(std::vector<ListRow> rows) {
  model_->appendRows(std::move(rows));
}

int ListView::rowCount() const {
  return filter_->rowCount();
}

const ListRow& ListView::row(int position) const {
  if (position < 1 || position > rowCount()) throw std::out_of_range("no row at this position");
  return model_->row(static_cast<std::size_t>(filter_->sourceRow(position - 1)));
}

int ListView::listedPosition(int position) const {
  return filter_->sourceRow(position - 1) + 1;
}

void ListView::keepingSelection(const std::function<void()>& change) {
  const int selected = filter_->sourceRow(selectedPosition() - 1);
  change();
  const int shown = selected < 0 ? -1 : filter_->shownRow(selected);
  if (shown < 0) return;
  setSelected(shown + 1, true);
  scrollTo(filter_->index(shown, 0));
}

void ListView::setFilterText(const QString& text) {
  keepingSelection([this, &text] { filter_->setFilterText(text); });
}

void ListView::sortByColumn(int column, Qt::SortOrder order) {
  keepingSelection([this, column, order] { filter_->sortByColumn(column, order); });
  horizontalHeader()->setSortIndicatorShown(column >= 0);
  if (column >= 0) horizontalHeader()->setSortIndicator(column, order);
}

void ListView::setSortable(bool sortable) {
  QHeaderView* header = horizontalHeader();
  header->setSectionsClickable(sortable);
  disconnect(header, &QHeaderView::sectionClicked, this, nullptr);
  if (sortable) connect(header, &QHeaderView::sectionClicked, this, &ListView::headingClicked);
}

void ListView::headingClicked(int column) {
  const bool again = filter_->sortColumn() == column;
  const bool up = !again || filter_->sortOrder() == Qt::DescendingOrder;
  sortByColumn(column, up ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void ListView::setRowSource(int count, ListModel::RowMaker make) {
  model_->setRowSource(count, std::move(make));
}

QString ListView::cellText(int position, int column) const {
  if (position < 1 || position > rowCount() || column < 0) return {};
  const ListRow& r = row(position);
  if (column == 0) return r.text;
  const auto sub = static_cast<std::size_t>(column - 1);
  return sub < r.subItems.size() ? r.subItems[sub].text : QString();
}

void ListView::setMultiSelect(bool multi) {
  setSelectionMode(multi ? QAbstractItemView::ExtendedSelection
                         : QAbstractItemView::SingleSelection);
}

bool ListView::isSelected(int position) const {
  if (position < 1 || position > rowCount()) return false;
  return selectionModel()->isRowSelected(position - 1, {});
}

void ListView::setSelected(int position, bool selected) {
  if (position < 1 || position > rowCount()) return;
  const QModelIndex index = filter_->index(position - 1, 0);
  if (selected) {
    auto flags = QItemSelectionModel::Select | QItemSelectionModel::Rows;
    if (selectionMode() == QAbstractItemView::SingleSelection) flags |= QItemSelectionModel::Clear;
    selectionModel()->setCurrentIndex(index, flags);
  } else {
    selectionModel()->select(index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
  }
}

std::vector<int> ListView::selectedPositions() const {
  std::vector<int> positions;
  for (const QModelIndex& index : selectionModel()->selectedRows())
    positions.push_back(index.row() + 1);
  std::sort(positions.begin(), positions.end());
  return positions;
}

int ListView::selectedPosition() const {
  const QModelIndex current = selectionModel()->currentIndex();
  if (current.isValid() && selectionModel()->isRowSelected(current.row(), {}))
    return current.row() + 1;
  const std::vector<int> positions = selectedPositions();
  return positions.empty() ? 0 : positions.front();
}

QString ListView::selectedItem() const {
  const int position = selectedPosition();
  return position > 0 ? row(position).text : QString();
}

int ListView::CharacterCode(const QKeyEvent& event) {
  const int key = event.key();
  if (event.modifiers().testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
    return key - Qt::Key_A + 1;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Tab:
      return 9;
    default:
      break;
  }
  const QString text = event.text();
  if (text.size() != 1) return 0;
  const std::string bytes = ToBytes(text);
  if (bytes.size() != 1) return 0;
  const int code = static_cast<unsigned char>(bytes[0]);
  return code == '?' && text != QLatin1String("?") ? 0 : code;
}

void ListView::keyPressEvent(QKeyEvent* event) {
  const int code = CharacterCode(*event);
  if (code > 0) emit keyPressed(code);
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && selectedPosition() > 0) {
    emit rowPicked(selectedPosition());
    return;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace ui
