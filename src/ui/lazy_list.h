#pragma once

#include <QAbstractListModel>
#include <QString>

#include <functional>

namespace ui {

class ComboBox;

// The rows of a drop-down list of names, each made only when the list shows it: a list of 32767
// creatures, items or spells costs no more to fill than a list of ten, and only the names on
// screen are ever looked up (from the name cache).
class LazyTextList : public QAbstractListModel {
  Q_OBJECT

 public:
  using TextOf = std::function<QString(int position)>;

  explicit LazyTextList(QObject* parent = nullptr, TextOf textOf = {});

  // `count` rows, the one at position p made by textOf(p). A new count fills the list afresh;
  // the same count only has the rows on screen made again (a renamed entry).
  void setCount(int count);
  void setTexts(int count, TextOf textOf);
  int count() const { return count_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  int count_ = 0;
  TextOf textOf_;
};

// Puts `texts` behind `list`, sized for `widthInCharacters` characters so that neither showing
// the list nor opening it walks every row. Filled afresh, the list keeps its position when it
// still has that row and has none otherwise, without a click.
void ShowLazyTexts(ComboBox* list, LazyTextList* texts, int widthInCharacters);

// Makes `list` show `count` texts made by textOf, with no selection and no click; the first
// call puts a LazyTextList behind it.
void SetLazyEntries(ComboBox* list, int count, LazyTextList::TextOf textOf,
                    int widthInCharacters = 20);

}  // namespace ui
