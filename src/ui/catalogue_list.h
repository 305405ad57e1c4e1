#pragma once

#include "core/catalogue_sweep.h"
#include "core/definitions.h"
#include "core/numbers.h"
#include "ui/form.h"
#include "ui/forms_registry.h"
#include "ui/list_view.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {

class ListFilter;

// A column `widthTwips` wide, widened where its heading or one of `texts` would be cut.
ListColumn FittedColumn(const QString& key, const QString& heading, int widthTwips,
                        QStringList texts = {});

// The texts of a vocabulary, for FittedColumn.
template <std::size_t N>
QStringList Texts(const std::array<std::string_view, N>& names) {
  QStringList texts;
  for (std::string_view name : names)
    texts << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
  return texts;
}

// The shape every catalogue's list window shares: one report list filled once when the window
// loads, one row per entry in entry order, the list taking the window less 200 twips each way,
// and a double-click or Enter that picks the row's entry and closes the list. A double-click
// with no row under it, or Enter with no row selected, does nothing.
class CatalogueList : public Form {
  Q_OBJECT

 public:
  CatalogueList(const QString& name, const QString& caption, std::vector<ListColumn> columns,
                QWidget* parent = nullptr);

  ListView* list() const { return ListView1_; }
  // The filter box above the list; null for a list without one.
  ListFilter* filter() const { return filter_; }
  // The size it opens with: room for every column and a screenful of rows.
  QSize sizeHint() const override { return openingSize_; }

  // The key of row k: "0" followed by its "No." text.
  static QString RowKey(const QString& numberText);

 protected:
  // Every entry's row, in entry order.
  virtual std::vector<ListRow> entryRows() { return {}; }
  // Puts the rows into the list when the window loads: entryRows() unless a list makes its rows
  // only when shown (ListView::setRowSource).
  virtual void fillRows(ListView* list) { list->setRows(entryRows()); }
  // Loads entry k for the editor (asking about its unsaved changes); false keeps the list open.
  virtual bool pickEntry(long entry) = 0;

  void Form_Load() override;
  // Puts a filter box above the list and lets a click on a column heading order the rows.
  void addFilterAndOrder();

 private:
  void rowPicked(int position);

  std::vector<ListColumn> columns_;
  ListView* ListView1_;
  ListFilter* filter_ = nullptr;
  QSize openingSize_;
};

class Dialogs;
class EntryPager;

// The pager of the editor `name` while it is open, for EntryList::Pick.
template <class Editor>
std::function<EntryPager*()> EditorPager(FormsRegistry& registry, const QString& name) {
  return [&registry, name]() -> EntryPager* {
    auto* editor = registry.find<Editor>(name);
    return editor ? &editor->pager() : nullptr;
  };
}

// Shows entry `entry` in the editor `name` (0: the editor as it is), opening the editor when it is
// closed; the editor's pager asks about its unsaved changes first. False when the designer
// cancelled or the entry could not be read.
bool ShowEntryInEditor(FormsRegistry& registry, const QString& name,
                       const std::function<EntryPager*()>& pagerOf, long entry);

// The list of every entry of one catalogue (items, creatures, spells): its rows read from the
// catalogue file as they are shown, a filter box and ordering by any column, and a double-click
// that shows the entry in its editor.
class EntryList : public CatalogueList {
  Q_OBJECT

 public:
  // Where a picked entry goes: through the open editor's pager, which asks about unsaved changes
  // first; with the editor closed, into the working records by `read`, announcing `changed`.
  struct Pick {
    std::function<EntryPager*()> openEditor;  // null when the editor is not open
    core::Status (core::ModDefinitions::*read)(long entry);
    unsigned changed;
  };

  EntryList(const QString& name, const QString& caption, std::vector<ListColumn> columns,
            core::ModDefinitions& defs, Dialogs& dialogs, Pick pick, QWidget* parent = nullptr);

 protected:
  core::ModDefinitions& defs() const { return defs_; }
  // A row per entry 1..count of `catalogue`, its cells after "No." given by cells(record). The
  // file is read a chunk at a time as rows are shown, so a list of 32767 entries opens at the
  // cost of the rows on screen. When the first rows cannot be read the list stays empty and a
  // message says why; a row of a later part that cannot be read shows only its number.
  template <class Record, class Cells>
  void fillEntries(ListView* list, const core::Catalogue<Record>& catalogue, long count,
                   Cells cells) {
    auto entries = std::make_shared<core::ChunkedEntries<Record>>(catalogue, count);
    const core::Status first = count > 0 ? entries->entry(1).status() : core::Status::Ok();
    if (!first.ok()) {
      list->setRows({});
      tell(first);
      return;
    }
    list->setRowSource(static_cast<int>(entries->count()), [entries, cells](int index) {
      const QString number = QString::fromStdString(core::NumberWithLeadingBlank(index + 1L));
      ListRow row{RowKey(number), number, {}};
      if (auto record = entries->entry(index + 1L); record.ok()) row.subItems = cells(*record);
      return row;
    });
  }
  bool pickEntry(long entry) override;

 private:
  void tell(const core::Status& status);

  core::ModDefinitions& defs_;
  Dialogs& dialogs_;
  Pick pick_;
};

}  // namespace ui
