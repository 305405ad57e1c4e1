#pragma once

#include <QAbstractListModel>
#include <QString>

#include <functional>

namespace ui {

class ComboBox;

// A read-only list of texts made only when asked for: a drop-down list of thousands of names
// costs nothing to fill, and only the names on screen are ever looked up.
class LazyTextList : public QAbstractListModel {
  Q_OBJECT

 public:
  using TextOf = std::function<QString(int position)>;

  explicit LazyTextList(QObject* parent = nullptr) : QAbstractListModel(parent) {}

  // Replaces every entry: `count` texts, the one at position p made by textOf(p).
  void setTexts(int count, TextOf textOf);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  int count_ = 0;
  TextOf textOf_;
};

// Makes `list` show `count` texts made on demand, with no selection (no click event). The list
// keeps its width for `widthInCharacters` characters instead of measuring every text.
void SetLazyEntries(ComboBox* list, int count, LazyTextList::TextOf textOf,
                    int widthInCharacters = 20);

}  // namespace ui
