#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QTableView>

#include <functional>
#include <unordered_map>
#include <vector>

namespace ui {

class RowFilter;

// One column header of a report list.
struct ListColumn {
  QString key;
  QString text;
  int widthTwips = 1440;
};

// A sub-item (a cell right of the first one).
struct ListSubItem {
  QString key;
  QString text;
};

// One row: its key, the text of its first column and its sub-items, left to right.
struct ListRow {
  QString key;
  QString text;
  std::vector<ListSubItem> subItems;
};

// The rows and columns behind a ListView, read-only for the view.
class ListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Makes row `index` (0-based) of a list whose rows are made when first needed.
  using RowMaker = std::function<ListRow(int index)>;

  const std::vector<ListColumn>& columns() const { return columns_; }
  // Every row (rows not made yet are made now).
  const std::vector<ListRow>& rows() const;
  // Row `index` (0-based), made now if it was not yet.
  const ListRow& row(std::size_t index) const;

  void addColumn(ListColumn column);
  void clearColumns();
  void clearRows();
  void addRow(ListRow row);
  void setRows(std::vector<ListRow> rows);
  void appendRows(std::vector<ListRow> rows);
  void addSubItem(int row, ListSubItem subItem);  // row 0-based
  // Replaces all rows by `count` rows that are made only when shown or asked for: a list of
  // tens of thousands of entries opens at once, at the cost of the rows on screen. Changing the
  // rows afterwards makes them all.
  void setRowSource(int count, RowMaker make);

 private:
  // Turns a list of rows made on demand into a plain one.
  void makeAllRows() const;

  std::vector<ListColumn> columns_;
  mutable std::vector<ListRow> rows_;
  // While make_ is set the list has sourceCount_ rows, and made_ holds those made so far.
  mutable RowMaker make_;
  mutable std::unordered_map<std::size_t, ListRow> made_;
  int sourceCount_ = 0;
};

// A report-style list view. Rows are addressed by their 1-based position as shown, as in the
// old list view: with a filter or an order set (see RowFilter), position 1 is the first row the
// designer sees. Whole rows are selected; several at once unless setMultiSelect(false). Row heights
// are fixed so tens of thousands of long rows fill at once. A double-click on a row or Enter on the
// selected row picks it; Tab and Shift+Tab leave the list for the window's next control.
class ListView : public QTableView {
  Q_OBJECT

 public:
  ListView(QWidget* parent, const QString& name);

  // --- Columns ---
  void addColumn(const QString& key, const QString& text, int widthTwips);
  void clearColumns();
  int columnCount() const;

  // --- Rows ---
  void clearRows();
  // Adds a row at the end and returns its place in the list's own order (its position while no
  // filter or order is set).
  int addRow(const QString& key, const QString& text);
  // Adds a sub-item to the row at that place (the next column to the right).
  void addSubItem(int position, const QString& key, const QString& text);
  // Replaces all rows at once (the fast way to fill a long list).
  void setRows(std::vector<ListRow> rows);
  void appendRows(std::vector<ListRow> rows);
  // `count` rows made by `make` when first shown or asked for (see ListModel::setRowSource).
  void setRowSource(int count, ListModel::RowMaker make);
  // The rows shown (all of them unless filtered).
  int rowCount() const;
  const ListRow& row(int position) const;  // 1..rowCount()
  // The place (1-based) in the list's own order of the row shown at `position`; 0 when none.
  int listedPosition(int position) const;

  // --- Filter and order ---
  // Shows only the rows that hold `text` in any column, letter case ignored. A row that was
  // selected stays selected while it is shown.
  void setFilterText(const QString& text);
  // A click on a column heading orders the rows by it, a second click the other way round.
  void setSortable(bool sortable);
  void sortByColumn(int column, Qt::SortOrder order);
  RowFilter* rowFilter() const { return filter_; }
  // The text in `column` (0 = the row's own text, 1.. its sub-items); empty when absent.
  QString cellText(int position, int column) const;

  // --- Selection ---
  void setMultiSelect(bool multi);
  bool isSelected(int position) const;
  void setSelected(int position, bool selected);
  // Positions of the selected rows in ascending order.
  std::vector<int> selectedPositions() const;
  // The current row when it is selected, otherwise the first selected row; 0 when none.
  int selectedPosition() const;
  // The text of selectedPosition(); empty when none.
  QString selectedItem() const;

  // Old character code of a key press: Ctrl+letter gives 1..26 (Ctrl+D is 4), Enter 13,
  // Backspace 8, Escape 27, Tab 9, a character its Windows-1252 code; 0 for keys without one.
  static int CharacterCode(const QKeyEvent& event);

 signals:
  // A row double-clicked, or the selected row when Enter was pressed.
  void rowPicked(int position);
  // A key press with its old character code (only keys that have one).
  void keyPressed(int charCode);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Keeps the selected row selected (and in view) through a change of filter or order.
  void keepingSelection(const std::function<void()>& change);
  void headingClicked(int column);

  ListModel* model_;
  RowFilter* filter_;
};

}  // namespace ui
