#pragma once

#include <QAbstractProxyModel>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {

class ListModel;

// The rows of a list as the designer asked to see them: only those whose text in any column
// holds the filter text (letter case ignored), in the order of one column (numbers by value),
// or in the list's own order. With no filter and no order it passes every row through untouched,
// so a list whose rows are made only when shown stays that way until the designer filters or
// sorts it; then each row's texts are gathered once, and every later keystroke or click works
// on them.
class RowFilter : public QAbstractProxyModel {
  Q_OBJECT

 public:
  // Bits of each row's set of neighbouring byte pairs.
  static constexpr std::size_t PairBits = 1024;

  explicit RowFilter(ListModel* rows, QObject* parent = nullptr);

  // Shows the rows that hold `text`; empty shows every row.
  void setFilterText(const QString& text);
  const QString& filterText() const { return needle_; }
  // Orders the rows by `column`; -1 is the list's own order.
  void sortByColumn(int column, Qt::SortOrder order);
  int sortColumn() const { return sortColumn_; }
  Qt::SortOrder sortOrder() const { return sortOrder_; }

  // The row of the list behind shown row `row` (0-based); -1 when there is none.
  int sourceRow(int row) const;
  // The shown row of list row `sourceRow`; -1 when the filter hides it.
  int shownRow(int sourceRow) const;
  // Every row of the list, whether shown or not.
  int totalRows() const;

  QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
  QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;

 private:
  bool passesAll() const { return needle_.isEmpty() && sortColumn_ < 0; }
  // The list changed: what was gathered from it is dropped and the shown rows made again.
  void sourceReset();
  void rebuild();
  void gatherTexts();
  void order();
  void notePairs(std::string_view rowText);
  void needlePairs();
  bool matches(int sourceRow) const;
  std::size_t rowsGathered() const;
  void remember(const QString& needle, const std::vector<char>& matched);

  ListModel* rows_;
  QString needle_;           // case-folded
  std::string needleBytes_;  // the same as UTF-8, as the texts are searched
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
  // Gathered on the first filter or sort: each row's texts, case-folded, one line per column, as
  // UTF-8 one row after another (a byte search runs at memory speed over long descriptions).
  std::string texts_;
  std::vector<std::size_t> starts_;  // row r is texts_[starts_[r], starts_[r + 1])
  std::vector<std::uint64_t> pairs_;  // row r's pair set is PairBits / 64 words from r * that
  std::vector<std::size_t> needleBits_;  // the pairs of the text typed
  bool gathered_ = false;
  std::vector<char> matched_;  // by list row, for needle_
  // The rows of the last few texts, for the same texts typed again.
  std::vector<std::pair<QString, std::vector<char>>> recent_;
  std::vector<int> ordered_;  // list rows in the chosen order
  std::vector<int> shown_;    // shown row -> list row
  std::vector<int> shownAt_;  // list row -> shown row, -1 when hidden
};

}  // namespace ui
