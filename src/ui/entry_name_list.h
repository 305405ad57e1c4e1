#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include <functional>
#include <string>

namespace ui {

class ComboBox;

// The rows of a drop-down list of catalogue names: a few fixed rows first ("Nothing"), then
// entries 1..count. A name is looked up only when the list shows its row, so a list of 32767
// items costs no more than the one pass that fills the name cache.
class EntryNameList : public QAbstractListModel {
  Q_OBJECT

 public:
  // The name of entry n as the record stores it (bytes, trailing blanks kept).
  using NameOf = std::function<std::string(long entry)>;

  EntryNameList(QStringList leadingRows, NameOf nameOf, QObject* parent = nullptr);

  // Entries 1..count follow the leading rows. Also tells the list that names may have changed.
  void setCount(long count);
  long count() const { return count_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  QStringList leading_;
  NameOf nameOf_;
  long count_ = 0;
};

// Puts `names` behind `list`, sized for names of `nameWidth` characters so that the list never
// measures every row. Call once; afterwards fill the list through names->setCount only.
void ShowEntryNames(ComboBox* list, EntryNameList* names, int nameWidth);

}  // namespace ui
