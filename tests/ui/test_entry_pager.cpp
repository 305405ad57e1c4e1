#include "support/test_registry.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/entry_pager.h"

#include <QTest>
#include <QWidget>

#include <memory>
#include <vector>

namespace {

// A catalogue of Integers behind one number box: enough to drive every path of the pager.
struct Editor {
  QWidget window;
  ui::ScriptedDialogs dialogs;
  ui::TextBox* box = new ui::TextBox(&window, "Text1");
  std::vector<std::int16_t> stored;  // entry k at k - 1
  long shown = 0;
  std::int16_t working = 0;
  int writes = 0;
  bool changedOnDisk = false;  // the next write without overwrite is refused once
  std::unique_ptr<ui::EntryPager> pager;

  explicit Editor(std::vector<std::int16_t> entries, long start) : stored(std::move(entries)) {
    window.setWindowTitle("Test Editor");
    ui::EntryPager::Hooks hooks;
    hooks.noun = "item";
    hooks.newCaption = "New Item";
    hooks.count = [this] { return static_cast<long>(stored.size()); };
    hooks.shown = [this] { return shown; };
    hooks.read = [this](long n, ui::PageMove) {
      shown = n;
      working = stored[static_cast<std::size_t>(n - 1)];
      return core::Status::Ok();
    };
    hooks.takeScreen = [this] { return ui::TakeWholeNumbers({{box, "Cost", &working}}); };
    hooks.unsaved = [this] {
      std::int16_t screen = working;
      return !ui::TakeWholeNumbers({{box, "Cost", &screen}}).isEmpty() ||
             screen != stored[static_cast<std::size_t>(shown - 1)];
    };
    hooks.write = [this](bool overwrite) {
      if (changedOnDisk && !overwrite) {
        changedOnDisk = false;
        return core::Status::ChangedOnDisk("changed");
      }
      ++writes;
      stored[static_cast<std::size_t>(shown - 1)] = working;
      return core::Status::Ok();
    };
    hooks.append = [this](bool) {
      ++writes;
      stored.push_back(working);
      shown = static_cast<long>(stored.size());
      return core::Status::Ok();
    };
    hooks.show = [this] { box->setText(QString::number(working)); };
    pager = std::make_unique<ui::EntryPager>(&window, dialogs, std::move(hooks));
    if (start >= 1) showEntry(start);
  }
  void showEntry(long n) {
    shown = n;
    working = stored[static_cast<std::size_t>(n - 1)];
    box->setText(QString::number(working));
  }
};

}  // namespace

class EntryPagerTest : public QObject {
  Q_OBJECT

 private slots:
  void pagingStopsAtTheEnds_data() {
    QTest::addColumn<long>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<long>("expected");
    QTest::newRow("< on 1") << 1L << "<" << 1L;
    QTest::newRow("< on 2") << 2L << "<" << 1L;
    QTest::newRow("> on 3 of 3") << 3L << ">" << 3L;
    QTest::newRow("> on 1") << 1L << ">" << 2L;
    QTest::newRow("<< on 3") << 3L << "<<" << 1L;
    QTest::newRow(">> on 1") << 1L << ">>" << 3L;
    QTest::newRow("> from the header") << 0L << ">" << 1L;
  }
  void pagingStopsAtTheEnds() {
    QFETCH(long, start);
    QFETCH(QString, button);
    QFETCH(long, expected);
    Editor editor({10, 20, 30}, start);
    if (button == "<") editor.pager->previous();
    if (button == ">") editor.pager->next();
    if (button == "<<") editor.pager->first();
    if (button == ">>") editor.pager->last();
    QCOMPARE(editor.shown, expected);
    QCOMPARE(editor.pager->recordLine(), QString("Record %1 of 3").arg(expected));
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
    QCOMPARE(editor.stored, std::vector<std::int16_t>{4});
    QCOMPARE(editor.pager->recordLine(), QString("Record 1 of 1"));
  }

  void unsavedChangesAreAskedAbout_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<long>("shownAfter");
    QTest::addColumn<std::int16_t>("storedFirst");
    QTest::newRow("save") << int(ui::Dialogs::SaveChoice::Save) << 2L << std::int16_t(77);
    QTest::newRow("discard") << int(ui::Dialogs::SaveChoice::Discard) << 2L << std::int16_t(10);
    QTest::newRow("cancel") << int(ui::Dialogs::SaveChoice::Cancel) << 1L << std::int16_t(10);
  }
  void unsavedChangesAreAskedAbout() {
    QFETCH(int, choice);
    QFETCH(long, shownAfter);
    QFETCH(std::int16_t, storedFirst);
    Editor editor({10, 20}, 1);
    editor.box->setText("77");
    editor.dialogs.answerSave(static_cast<ui::Dialogs::SaveChoice>(choice));
    editor.pager->next();
    QCOMPARE(editor.dialogs.last()->prompt, QString("Save changes to item 1?"));
    QCOMPARE(editor.dialogs.last()->title, QString("Test Editor"));
    QCOMPARE(editor.shown, shownAfter);
    QCOMPARE(editor.stored[0], storedFirst);
    if (shownAfter == 1) QCOMPARE(editor.box->text(), QString("77"));  // typing kept on Cancel
  }

  void nothingIsAskedWithoutChanges() {
    Editor editor({10, 20}, 1);
    editor.pager->next();
    QVERIFY(editor.dialogs.shown().empty());
    QCOMPARE(editor.shown, 2L);
  }

  void aNumberThatCannotBeStoredWritesNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << "";
    QTest::newRow("text") << "12 gold";
    QTest::newRow("too large") << "32768";
  }
  void aNumberThatCannotBeStoredWritesNothing() {
    QFETCH(QString, typed);
    Editor editor({10, 20}, 2);
    editor.box->setText(typed);
    QVERIFY(!editor.pager->save());
    QVERIFY(!editor.pager->append());
    QCOMPARE(editor.writes, 0);
    QCOMPARE(editor.stored, (std::vector<std::int16_t>{10, 20}));
    QCOMPARE(editor.box->text(), typed);
    QCOMPARE(editor.dialogs.messages().front(),
             QString("\"Cost\" must be a whole number from -32768 to 32767. Nothing was saved."));
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

  void aFullCatalogueRefusesTheAppend() {
    Editor editor(std::vector<std::int16_t>(core::MaxEntries, 1), 1);
    QVERIFY(!editor.pager->append());
    QCOMPARE(editor.writes, 0);
    QVERIFY(editor.dialogs.messages().front().startsWith("Cannot add another item"));
  }

  void codedListsKeepAValueTheyCannotShow() {
    QWidget window;
    ui::ComboBox list(&window, "Combo1");
    for (const char* text : {"A", "B", "C"}) list.addItem(text);
    ui::ShowCode(&list, 9, 1);
    QCOMPARE(list.position(), -1);
    QCOMPARE(ui::CodeFromList(&list, 1, 9), std::int16_t(9));
    ui::ShowCode(&list, 3, 1);
    QCOMPARE(list.position(), 2);
    QCOMPARE(ui::CodeFromList(&list, 1, 9), std::int16_t(3));
  }
};

REGISTER_TEST(EntryPagerTest);
#include "test_entry_pager.moc"
