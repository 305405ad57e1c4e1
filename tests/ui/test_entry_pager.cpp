#include "support/scripted_dialogs.h"
#include "support/test_registry.h"
#include "ui/entry_pager.h"

#include <QTest>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::int16_t>;

// A catalogue of Integers behind one number box: enough to drive every path of the pager.
struct Editor {
  QWidget window;
  ui::ScriptedDialogs dialogs;
  ui::TextBox* box = new ui::TextBox(&window, "Text1");
  Entries stored;  // entry k at k - 1
  long shown;
  std::int16_t working = 0;
  bool changedOnDisk = false;  // the next write without overwrite is refused once
  std::unique_ptr<ui::EntryPager> pager;

  std::int16_t& storedShown() { return stored[static_cast<std::size_t>(shown - 1)]; }
  core::Status read(long n) {
    shown = n;
    working = storedShown();
    return core::Status::Ok();
  }
  core::Status write(bool overwrite) {
    if (!overwrite && std::exchange(changedOnDisk, false))
      return core::Status::ChangedOnDisk("changed");
    storedShown() = working;
    return core::Status::Ok();
  }
  core::Status append() {
    stored.push_back(working);
    return read(static_cast<long>(stored.size()));
  }

  Editor(Entries entries, long start) : stored(std::move(entries)), shown(start) {
    window.setWindowTitle("Test Editor");
    if (start >= 1) box->setText(QString::number(storedShown()));
    ui::EntryPager::Hooks hooks{
        .noun = "item",
        .newCaption = "New Item",
        .savedMessage = {},
        .count = [this] { return static_cast<long>(stored.size()); },
        .shown = [this] { return shown; },
        .read = [this](long n, ui::PageMove) { return read(n); },
        .takeScreen =
            [this] {
              return ui::TakeWholeNumbers({{box, "Cost", &working}});
            },
        .unsaved = [this] { return box->text() != QString::number(storedShown()); },
        .write = [this](bool overwrite) { return write(overwrite); },
        .append = [this] { return append(); },
        .show = [this] { box->setText(QString::number(working)); },
        .name = [this](long n) { return "Price " + QString::number(stored[n - 1]); },
    };
    pager = std::make_unique<ui::EntryPager>(&window, dialogs, std::move(hooks));
  }
};

}  // namespace

class EntryPagerTest : public QObject {
  Q_OBJECT

 private slots:
  void pagingStopsAtTheEnds() {
    const struct {
      long start;
      void (ui::EntryPager::*button)();
      long expected;
    } cases[] = {
        {1, &ui::EntryPager::previous, 1}, {2, &ui::EntryPager::previous, 1},
        {3, &ui::EntryPager::next, 3},     {0, &ui::EntryPager::next, 1},  // from the header
        {3, &ui::EntryPager::first, 1},    {1, &ui::EntryPager::last, 3},
    };
    for (const auto& [start, button, expected] : cases) {
      Editor editor({10, 20, 30}, start);
      (editor.pager.get()->*button)();
      QCOMPARE(editor.pager->recordLine(), QString("Record %1 of 3").arg(expected));
    }
  }

  // "Go To..." finds an entry by number or by name, the next match after the one shown first,
  // and asks about unsaved changes as paging does.
  void goToFindsByNumberOrName() {
    Editor editor({10, 20, 30, 20}, 1);
    const struct {
      QString answer;
      long expected;
    } cases[] = {{"30", 1},  {" 3 ", 3}, {"price 20", 4}, {"PRICE 20", 2},
                 {"e 3", 3}, {"9", 3},   {"gold", 3}};
    for (const auto& [answer, expected] : cases) {
      editor.dialogs.answerInput(answer);
      editor.pager->goTo();
      QCOMPARE(editor.shown, expected);
    }
    const std::vector<QString> told = editor.dialogs.messages();
    QCOMPARE(told.size(), std::size_t{3});  // a number is never taken for part of a name
    QCOMPARE(told[1], QString("There is no item 9: they are numbered 1 to 4."));
    QCOMPARE(told[2], QString("No item has \"gold\" in its name."));

    editor.box->setText("99");  // unsaved: Cancel stays, Discard goes
    editor.dialogs.answerInput("1");
    editor.dialogs.answerSave(ui::Dialogs::SaveChoice::Cancel);
    QVERIFY(!editor.pager->goTo());
    QCOMPARE(editor.shown, 3L);
    editor.dialogs.answerInput("1");
    editor.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    QVERIFY(editor.pager->goTo());
    QCOMPARE(editor.shown, 1L);
    QCOMPARE(editor.stored[2], std::int16_t{30});
  }

  void anEmptyCatalogueShowsNothingAndRefusesSave() {
    Editor editor({}, 0);
    editor.pager->last();
    editor.pager->next();
    QCOMPARE(editor.pager->recordLine(), QString("Record 0 of 0"));
    QVERIFY(!editor.pager->save());
    QCOMPARE(editor.dialogs.messages().back(),
             QString("There is no item to save here: use \"New Item\" to add one."));
    editor.box->setText("4");
    QVERIFY(editor.pager->append());
    QCOMPARE(editor.stored, Entries{4});
    QCOMPARE(editor.pager->recordLine(), QString("Record 1 of 1"));
  }

  // Leaving entry 1 for entry 2 with the box as typed; "10" is what entry 1 holds.
  void unsavedChangesAreAskedAbout() {
    using Choice = ui::Dialogs::SaveChoice;
    const struct {
      QString typed;
      Choice choice;
      long shownAfter;
      std::int16_t storedFirst;
    } cases[] = {
        {"77", Choice::Save, 2, 77},
        {"77", Choice::Discard, 2, 10},
        {"77", Choice::Cancel, 1, 10},  // the typing stays
        {"10", Choice::Cancel, 2, 10},  // nothing to ask
    };
    for (const auto& [typed, choice, shownAfter, storedFirst] : cases) {
      Editor editor({10, 20}, 1);
      editor.box->setText(typed);
      editor.dialogs.answerSave(choice);
      editor.pager->next();
      QCOMPARE(editor.stored[0], storedFirst);
      QCOMPARE(editor.box->text(), shownAfter == 1 ? typed : QString("20"));
      const ui::ScriptedDialogs::Shown* asked = editor.dialogs.last();
      QCOMPARE(asked ? asked->prompt : QString(), typed == "10" ? "" : "Save changes to item 1?");
    }
  }

  // Refused without a write: numbers that cannot be stored, and an append to a full catalogue.
  void refusalsWriteNothing() {
    for (const QString typed : {"", "12 gold", "32768"}) {
      Editor editor({10, 20}, 2);
      editor.box->setText(typed);
      QVERIFY(!editor.pager->save());
      QVERIFY(!editor.pager->append());
      QCOMPARE(editor.stored, (Entries{10, 20}));
      QCOMPARE(editor.box->text(), typed);
      QCOMPARE(editor.dialogs.messages().front(),
               QString("\"Cost\" must be a whole number from -32768 to 32767. Nothing was saved."));
    }
    Editor full(Entries(core::MaxEntries, 1), 1);
    QVERIFY(!full.pager->append());
    QCOMPARE(full.stored.size(), std::size_t{core::MaxEntries});
    QVERIFY(full.dialogs.messages().front().startsWith("Cannot add another item"));
  }

  void aChangeOnDiskIsOverwrittenOnlyWhenTheDesignerSaysSo() {
    Editor editor({10, 20}, 2);
    editor.box->setText("5");
    editor.changedOnDisk = true;
    QVERIFY(!editor.pager->save());  // no answer queued: Cancel
    QCOMPARE(editor.dialogs.last()->prompt,
             QString("Item 2 was changed on disk since it was opened. Overwrite it?"));
    QCOMPARE(editor.stored[1], std::int16_t(20));
    editor.changedOnDisk = true;
    editor.dialogs.answerOverwrite(true);
    QVERIFY(editor.pager->save());
    QCOMPARE(editor.stored[1], std::int16_t(5));
  }

  // Position p stands for code p + 1; a code the list cannot show survives a save.
  void codedListsKeepAValueTheyCannotShow() {
    ui::ComboBox list(nullptr, "Combo1");
    for (const char* text : {"A", "B", "C"}) list.addItem(text);
    ui::ShowCode(&list, 9, 1);
    QCOMPARE(list.position(), -1);
    QCOMPARE(ui::CodeFromList(&list, 1, 9), std::int16_t(9));
    ui::ShowCode(&list, 1, 1);
    QCOMPARE(list.position(), 0);
    QCOMPARE(ui::CodeFromList(&list, 1, 9), std::int16_t(1));
  }
};

REGISTER_TEST(EntryPagerTest);
#include "test_entry_pager.moc"
