#include "ui/row_filter.h"

#include "ui/list_view.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string_view>

namespace ui {

RowFilter::RowFilter(ListModel* rows, QObject* parent) : QAbstractProxyModel(parent), rows_(rows) {
  QAbstractProxyModel::setSourceModel(rows);
  // Passed through, the list's own changes are told as they are; a filtered or ordered list is
  // made again from the list, which is no slower than moving its rows one by one.
  connect(rows, &QAbstractItemModel::rowsAboutToBeInserted, this,
          [this](const QModelIndex&, int first, int last) {
            if (passesAll()) beginInsertRows({}, first, last);
          });
  connect(rows, &QAbstractItemModel::rowsInserted, this, [this] {
    if (passesAll()) {
      gathered_ = false;
      endInsertRows();
    } else {
      sourceReset();
    }
  });
  connect(rows, &QAbstractItemModel::rowsAboutToBeRemoved, this,
          [this](const QModelIndex&, int first, int last) {
            if (passesAll()) beginRemoveRows({}, first, last);
          });
  connect(rows, &QAbstractItemModel::rowsRemoved, this, [this] {
    if (passesAll()) {
      gathered_ = false;
      endRemoveRows();
    } else {
      sourceReset();
    }
  });
  connect(rows, &QAbstractItemModel::columnsAboutToBeInserted, this,
          [this](const QModelIndex&, int first, int last) { beginInsertColumns({}, first, last); });
  connect(rows, &QAbstractItemModel::columnsInserted, this, [this] {
    gathered_ = false;
    endInsertColumns();
  });
  connect(rows, &QAbstractItemModel::columnsAboutToBeRemoved, this,
          [this](const QModelIndex&, int first, int last) { beginRemoveColumns({}, first, last); });
  connect(rows, &QAbstractItemModel::columnsRemoved, this, [this] {
    gathered_ = false;
    endRemoveColumns();
    if (sortColumn_ >= rows_->columnCount()) sortByColumn(-1, Qt::AscendingOrder);
  });
  connect(rows, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
  connect(rows, &QAbstractItemModel::modelReset, this, [this] {
    gathered_ = false;
    if (!passesAll()) rebuild();
    endResetModel();
  });
  connect(rows, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& from, const QModelIndex& to) {
            if (passesAll())
              emit dataChanged(index(from.row(), from.column()), index(to.row(), to.column()));
            else
              sourceReset();
          });
  connect(rows, &QAbstractItemModel::headerDataChanged, this,
          &QAbstractItemModel::headerDataChanged);
}

void RowFilter::sourceReset() {
  beginResetModel();
  gathered_ = false;
  rebuild();
  endResetModel();
}

void RowFilter::setFilterText(const QString& text) {
  const QString needle = text.toCaseFolded();
  if (needle == needle_) return;
  // A longer text within the last one only narrows what it showed: the rows it hid stay hidden.
  const bool narrows = gathered_ && !needle_.isEmpty() && needle.contains(needle_) &&
                       matched_.size() == rowsGathered();
  beginResetModel();
  if (!needle_.isEmpty() && gathered_ && matched_.size() == rowsGathered())
    remember(needle_, matched_);
  needle_ = needle;
  needleBytes_ = needle.toStdString();
  needlePairs();
  // A text taken back (Backspace) shows again what it showed before.
  const auto known = std::find_if(recent_.begin(), recent_.end(),
                                  [&needle](const auto& seen) { return seen.first == needle; });
  if (gathered_ && known != recent_.end()) {
    matched_ = known->second;
  } else if (narrows) {
    for (std::size_t row = 0; row < matched_.size(); ++row)
      if (matched_[row]) matched_[row] = matches(static_cast<int>(row));
  } else {
    matched_.clear();
  }
  rebuild();
  endResetModel();
}

void RowFilter::sortByColumn(int column, Qt::SortOrder order) {
  if (column < -1 || column >= rows_->columnCount()) column = -1;
  if (column == sortColumn_ && order == sortOrder_) return;
  beginResetModel();
  sortColumn_ = column;
  sortOrder_ = order;
  ordered_.clear();
  rebuild();
  endResetModel();
}

void RowFilter::remember(const QString& needle, const std::vector<char>& matched) {
  constexpr std::size_t Kept = 16;  // a word typed and taken back again
  std::erase_if(recent_, [&needle](const auto& seen) { return seen.first == needle; });
  if (recent_.size() >= Kept) recent_.erase(recent_.begin());
  recent_.emplace_back(needle, matched);
}

void RowFilter::gatherTexts() {
  if (gathered_) return;
  const int count = rows_->rowCount();
  const int columns = rows_->columnCount();
  texts_.clear();
  pairs_.clear();
  pairs_.reserve(static_cast<std::size_t>(count) * (PairBits / 64));
  starts_.assign(1, 0);
  starts_.reserve(static_cast<std::size_t>(count) + 1);
  QString row;
  for (int r = 0; r < count; ++r) {
    const ListRow& listed = rows_->row(static_cast<std::size_t>(r));
    row = listed.text;
    const int shownSubItems = std::min<int>(columns - 1, static_cast<int>(listed.subItems.size()));
    for (int sub = 0; sub < shownSubItems; ++sub)
      row += QLatin1Char('\n') + listed.subItems[static_cast<std::size_t>(sub)].text;
    texts_ += row.toCaseFolded().toStdString();
    texts_ += '\n';
    notePairs(std::string_view(texts_).substr(starts_.back()));
    starts_.push_back(texts_.size());
  }
  matched_.clear();
  recent_.clear();
  ordered_.clear();
  gathered_ = true;
}

std::size_t RowFilter::rowsGathered() const {
  return gathered_ ? starts_.size() - 1 : 0;
}

namespace {

// Pairs of neighbouring bytes, hashed into a row's bit set.
std::size_t PairBit(unsigned char first, unsigned char second) {
  return (static_cast<std::size_t>(first) * 0x9E3Bu + second * 0x2F1u) % RowFilter::PairBits;
}

}  // namespace

void RowFilter::notePairs(std::string_view text) {
  const std::size_t words = PairBits / 64;
  const std::size_t base = pairs_.size();
  pairs_.resize(base + words, 0);
  for (std::size_t i = 1; i < text.size(); ++i) {
    const std::size_t bit = PairBit(static_cast<unsigned char>(text[i - 1]),
                                    static_cast<unsigned char>(text[i]));
    pairs_[base + bit / 64] |= std::uint64_t{1} << (bit % 64);
  }
}

void RowFilter::needlePairs() {
  needleBits_.clear();
  for (std::size_t i = 1; i < needleBytes_.size(); ++i)
    needleBits_.push_back(PairBit(static_cast<unsigned char>(needleBytes_[i - 1]),
                                  static_cast<unsigned char>(needleBytes_[i])));
}

// A row that lacks a pair of the text typed cannot hold it, and most rows are passed that way
// without reading their texts; the rest are searched by the C library, which skips ahead on long
// texts of repeated letters.
bool RowFilter::matches(int sourceRow) const {
  const auto row = static_cast<std::size_t>(sourceRow);
  const std::uint64_t* bits = pairs_.data() + row * (PairBits / 64);
  for (std::size_t bit : needleBits_)
    if (!(bits[bit / 64] & (std::uint64_t{1} << (bit % 64)))) return false;
  return memmem(texts_.data() + starts_[row], starts_[row + 1] - starts_[row], needleBytes_.data(),
                needleBytes_.size()) != nullptr;
}

// Numbers by value where every cell of the column that holds anything reads as a number,
// otherwise texts with letter case ignored; equal rows keep the list's own order.
void RowFilter::order() {
  const int count = static_cast<int>(rowsGathered());
  ordered_.resize(static_cast<std::size_t>(count));
  std::iota(ordered_.begin(), ordered_.end(), 0);
  if (sortColumn_ < 0) return;
  const auto cell = [this](int row) -> QStringView {
    const ListRow& listed = rows_->row(static_cast<std::size_t>(row));
    if (sortColumn_ == 0) return listed.text;
    const auto sub = static_cast<std::size_t>(sortColumn_ - 1);
    return sub < listed.subItems.size() ? QStringView(listed.subItems[sub].text) : QStringView();
  };
  std::vector<double> numbers(static_cast<std::size_t>(count));
  bool numeric = true;
  for (int row = 0; row < count && numeric; ++row) {
    const QStringView text = cell(row).trimmed();
    bool ok = true;
    numbers[static_cast<std::size_t>(row)] = text.isEmpty() ? -1e300 : text.toDouble(&ok);
    numeric = ok;
  }
  const bool down = sortOrder_ == Qt::DescendingOrder;
  if (numeric) {
    std::stable_sort(ordered_.begin(), ordered_.end(), [&numbers, down](int a, int b) {
      const double left = numbers[static_cast<std::size_t>(a)];
      const double right = numbers[static_cast<std::size_t>(b)];
      return down ? right < left : left < right;
    });
    return;
  }
  std::vector<QString> texts(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row)
    texts[static_cast<std::size_t>(row)] = cell(row).toString().toCaseFolded();
  std::stable_sort(ordered_.begin(), ordered_.end(), [&texts, down](int a, int b) {
    const QString& left = texts[static_cast<std::size_t>(a)];
    const QString& right = texts[static_cast<std::size_t>(b)];
    return down ? right < left : left < right;
  });
}

void RowFilter::rebuild() {
  shown_.clear();
  shownAt_.clear();
  if (passesAll()) return;
  gatherTexts();
  if (ordered_.size() != rowsGathered()) order();
  const bool filtered = !needle_.isEmpty();
  if (filtered && matched_.size() != rowsGathered()) {
    matched_.resize(rowsGathered());
    for (std::size_t row = 0; row < matched_.size(); ++row)
      matched_[row] = matches(static_cast<int>(row));
  }
  shownAt_.assign(rowsGathered(), -1);
  shown_.reserve(rowsGathered());
  for (int row : ordered_) {
    if (filtered && !matched_[static_cast<std::size_t>(row)]) continue;
    shownAt_[static_cast<std::size_t>(row)] = static_cast<int>(shown_.size());
    shown_.push_back(row);
  }
}

int RowFilter::sourceRow(int row) const {
  if (row < 0 || row >= rowCount()) return -1;
  return passesAll() ? row : shown_[static_cast<std::size_t>(row)];
}

int RowFilter::shownRow(int sourceRow) const {
  if (sourceRow < 0 || sourceRow >= rows_->rowCount()) return -1;
  return passesAll() ? sourceRow : shownAt_[static_cast<std::size_t>(sourceRow)];
}

int RowFilter::totalRows() const {
  return rows_->rowCount();
}

QModelIndex RowFilter::mapToSource(const QModelIndex& proxyIndex) const {
  if (!proxyIndex.isValid()) return {};
  const int row = sourceRow(proxyIndex.row());
  return row < 0 ? QModelIndex() : rows_->index(row, proxyIndex.column());
}

QModelIndex RowFilter::mapFromSource(const QModelIndex& sourceIndex) const {
  if (!sourceIndex.isValid()) return {};
  const int row = shownRow(sourceIndex.row());
  return row < 0 ? QModelIndex() : index(row, sourceIndex.column());
}

QModelIndex RowFilter::index(int row, int column, const QModelIndex& parent) const {
  if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
    return {};
  return createIndex(row, column);
}

QModelIndex RowFilter::parent(const QModelIndex&) const {
  return {};
}

int RowFilter::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return passesAll() ? rows_->rowCount() : static_cast<int>(shown_.size());
}

int RowFilter::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_->columnCount();
}

}  // namespace ui
