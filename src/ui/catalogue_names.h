#pragma once

#include "core/definitions.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QString>

class QWidget;

namespace ui {

class ComboBox;
class Dialogs;

// Whose names a list shows.
enum class NameSource { Items, ItemPlurals, Creatures, Shops, Spells };

// The name of entry n as lists show it (from the name cache, trailing blanks dropped).
QString ShownName(const core::ModDefinitions& defs, NameSource source, long entry);

// The names of one catalogue's entries, 1..count, as every list and drop-down of them shows
// them: each name is looked up in the name cache only when shown, so 32767 names cost no more
// than ten. It follows its catalogue by itself (a rename, an added entry), keeping the place of
// every row, and tells a failure to read the names once, in a message box of its window, until
// they can be read again; the rows then show what could be read.
class CatalogueNames : public QAbstractListModel {
  Q_OBJECT

 public:
  // The entry number of a row (0 for the leading row).
  static constexpr int EntryRole = Qt::UserRole + 1;

  // `leading` ("Nothing", " ") is a row before entry 1 that stands for no entry; none when empty.
  CatalogueNames(core::ModDefinitions& defs, NameSource source, Dialogs& dialogs, QWidget* window,
                 QString leading = {});
  ~CatalogueNames() override;

  // Rows read "(12) Ember Dart", the number in the text, as the spell progression shows them.
  void setNumbered(bool numbered);
  bool numbered() const { return numbered_; }

  // The entry of `row`; 0 for the leading row or no row.
  long entryOf(int row) const;
  // The row of entry n (the leading row for 0); -1 when the list has none.
  int rowOf(long entry) const;
  // Reads the count and the names again (from the cache); called when the catalogue changes.
  void refresh();
  // The name of entry n as the list shows it.
  QString name(long entry) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  core::ModDefinitions& defs_;
  NameSource source_;
  Dialogs& dialogs_;
  QPointer<QWidget> window_;
  QString leading_;
  int entries_ = 0;
  bool failed_ = false;  // told; quiet until the names read again
  bool numbered_ = false;
};

// Puts `names` behind `list`, sized for `widthInCharacters` characters so that neither showing
// the list nor opening it walks every row. Typing finds the next name that holds the typed text
// anywhere, and the open list shows each entry's number beside its name (in it, for numbered
// names). A refill keeps the
// list's position when it still has that row, without a click.
void ShowNames(ComboBox* list, CatalogueNames* names, int widthInCharacters = 20);
// The open list and typing of ShowNames alone, for a drop-down that shows other lists as well.
void ShowNamesView(ComboBox* list, int widthInCharacters = 20);

}  // namespace ui
