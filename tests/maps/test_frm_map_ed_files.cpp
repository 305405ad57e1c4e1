// New, Open, Save and Exit of the main window, checked on screen and in Maps.dat.
#include "main_window_fixture.h"
#include "support/test_registry.h"

#include <QMenu>

#include <filesystem>

using main_window_test::MainWindow;
using test_support::mapSlotBytes;
using test_support::packedBytes;
using test_support::readBytes;
using SaveChoice = ui::Dialogs::SaveChoice;

namespace {

core::MapRecord mapOnDisk(const MainWindow& w, long slot) {
  return core::MapRecord::unpack(mapSlotBytes(w.mapsFile(), slot));
}

// An edit through the window: the North side of the selected square (1, 0) becomes Wall1.
void editSquare(MainWindow& w) {
  w.click("Label16_0");
}

}  // namespace

class FrmMapEdFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void newBlanksTheMapAndKeepsTheSelection() {
    MainWindow w;
    w.open();
    w.clickSquare(4, 5);
    w.dialogs.answerSave(SaveChoice::Discard);  // no question is expected: nothing changed
    w.trigger("mnuNew");
    QCOMPARE(w.dialogs.shown().size(), std::size_t{0});
    QVERIFY(w.defs->Map == core::MapRecord());
    QCOMPARE(w.defs->CurrentMap, 0);
    QCOMPARE(w.defs->SelectedX, 4);
    QCOMPARE(w.defs->SelectedY, 5);
    QCOMPARE(w.text("Label2"), QString("0"));
    QCOMPARE(w.text("Label10_0"), QString("Nothing"));
    // A fresh blank map is not an unsaved change.
    w.trigger("mnuNew");
    QCOMPARE(w.dialogs.shown().size(), std::size_t{0});
  }

  void openReadsTheSlotAndKeepsTheSelection() {
    MainWindow w;
    w.open();
    w.clickSquare(3, 3);
    w.dialogs.answerInput("2");
    w.trigger("mnuOpen");
    const ui::ScriptedDialogs::Shown* asked = w.dialogs.last();
    QCOMPARE(asked->prompt, QString("Enter Map Number"));
    QCOMPARE(asked->title, QString("Open Which Map"));
    QCOMPARE(asked->defaultAnswer, QString(" 1"));
    QVERIFY(w.defs->Map == mapOnDisk(w, 2));
    QCOMPARE(w.defs->CurrentMap, 2);
    QCOMPARE(w.text("Label2"), QString("2"));
    QCOMPARE(w.text("Label6"), QString("10"));
    QCOMPARE(w.defs->SelectedX, 3);
    QVERIFY(w.messages().empty());
  }

  void openingBeyondTheLastMapGivesAnEmptyMap() {
    MainWindow w;
    w.open();
    const auto before = readBytes(w.mapsFile());
    w.dialogs.answerInput("50");
    w.trigger("mnuOpen");
    QVERIFY(w.messages().empty());
    QCOMPARE(w.defs->CurrentMap, 50);
    QCOMPARE(w.defs->Map.MapNo, 0);
    QCOMPARE(w.defs->Map.Square(0, 0), 0);
    QCOMPARE(w.text("Label10_0"), QString("Nothing"));
    QCOMPARE(readBytes(w.mapsFile()), before);  // reading wrote nothing
  }

  void mapNumbersBelowOneAreRefused_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("0") << "0";
    QTest::newRow("-2") << "-2";
    QTest::newRow("cancelled") << "";
  }
  void mapNumbersBelowOneAreRefused() {
    QFETCH(QString, answer);
    MainWindow w;
    w.open();
    const core::MapRecord before = w.defs->Map;
    w.dialogs.answerInput(answer);
    w.trigger("mnuOpen");
    QCOMPARE(w.messages().size(), std::size_t{1});
    QVERIFY(w.defs->Map == before);
    QCOMPARE(w.defs->CurrentMap, 1);
    QCOMPARE(w.text("Label2"), QString("1"));
  }

  void saveBelowOneWritesNothing() {
    MainWindow w;
    w.open();
    const auto before = readBytes(w.mapsFile());
    w.dialogs.answerInput("0");
    w.click("Label2");
    const core::MapRecord renamed = w.defs->Map;
    w.trigger("mnuSave");
    QCOMPARE(w.messages().size(), std::size_t{1});
    QVERIFY(w.messages().front().contains("Map 0"));
    QCOMPARE(readBytes(w.mapsFile()), before);
    QVERIFY(w.defs->Map == renamed);
  }

  void saveWritesTheSlotWithoutAWord() {
    MainWindow w;
    w.open();
    editSquare(w);
    w.trigger("mnuSave");
    QVERIFY(w.messages().empty());
    QCOMPARE(mapSlotBytes(w.mapsFile(), 1), packedBytes(w.defs->Map));
    QCOMPARE(mapOnDisk(w, 1).WallCode(1, 0, core::North), 1);
  }

  // Renaming map 3 to 7 and saving copies it: slot 3 keeps its bytes, slot 7 gets MapNo 7.
  void renumberingAndSavingCopiesTheMap() {
    MainWindow w;
    w.open();
    w.dialogs.answerInput("3");
    w.trigger("mnuOpen");
    const auto slot3 =
        readBytes(w.mapsFile(), 2 * core::MapRecord::SlotLength, core::MapRecord::SlotLength);
    w.dialogs.answerInput("7");
    w.click("Label2");
    QCOMPARE(w.defs->CurrentMap, 7);
    w.trigger("mnuSave");
    QVERIFY(w.messages().empty());

    QCOMPARE(readBytes(w.mapsFile(), 2 * core::MapRecord::SlotLength, core::MapRecord::SlotLength),
             slot3);
    core::MapRecord expected = mapOnDisk(w, 3);
    expected.MapNo = 7;
    QCOMPARE(mapSlotBytes(w.mapsFile(), 7), packedBytes(expected));
    QCOMPARE(std::filesystem::file_size(w.mapsFile()), 7 * core::MapRecord::SlotLength);
  }

  void anUnwritableMapsFileIsReportedByName() {
    MainWindow w;
    w.open();
    editSquare(w);
    const core::MapRecord edited = w.defs->Map;
    const auto before = readBytes(w.mapsFile());
    std::filesystem::permissions(w.mapsFile(), std::filesystem::perms(0444));
    w.trigger("mnuSave");
    std::filesystem::permissions(w.mapsFile(), std::filesystem::perms(0644));
    QCOMPARE(w.messages().size(), std::size_t{1});
    QVERIFY2(w.messages().front().contains("Maps.dat"), qPrintable(w.messages().front()));
    QCOMPARE(readBytes(w.mapsFile()), before);
    QVERIFY(w.defs->Map == edited);
    // Still unsaved: leaving asks.
    w.trigger("mnuNew");
    QCOMPARE(w.dialogs.last()->kind, ui::ScriptedDialogs::Kind::SaveQuestion);
  }

  // New, Open and Exit with unsaved changes ask first; each answer is followed to its end.
  void unsavedChangesAreOfferedForSaving_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("choice");
    for (const char* command : {"mnuNew", "mnuOpen", "mnuExit"}) {
      QTest::addRow("%s save", command) << command << int(SaveChoice::Save);
      QTest::addRow("%s discard", command) << command << int(SaveChoice::Discard);
      QTest::addRow("%s cancel", command) << command << int(SaveChoice::Cancel);
    }
  }
  void unsavedChangesAreOfferedForSaving() {
    QFETCH(QString, command);
    QFETCH(int, choice);
    MainWindow w;
    w.open();
    const auto before = readBytes(w.mapsFile());
    editSquare(w);
    const core::MapRecord edited = w.defs->Map;
    w.dialogs.answerSave(static_cast<SaveChoice>(choice));
    if (command == "mnuOpen") w.dialogs.answerInput("2");
    w.trigger(command);

    QVERIFY(!w.dialogs.shown().empty());
    QCOMPARE(w.dialogs.shown().front().kind, ui::ScriptedDialogs::Kind::SaveQuestion);
    QCOMPARE(w.dialogs.shown().front().prompt, QString("Save changes to map 1?"));
    QVERIFY(w.messages().empty());
    const bool wentOn = choice != int(SaveChoice::Cancel);
    if (choice == int(SaveChoice::Save)) {
      QCOMPARE(mapSlotBytes(w.mapsFile(), 1), packedBytes(edited));
    } else {
      QCOMPARE(readBytes(w.mapsFile()), before);
    }
    if (!wentOn) {
      QVERIFY(w.defs->Map == edited);
      QCOMPARE(w.defs->CurrentMap, 1);
      QVERIFY(!w.window->isClosed());
      QCOMPARE(w.dialogs.shown().size(), std::size_t{1});  // Open asked no number
      return;
    }
    if (command == "mnuNew") QVERIFY(w.defs->Map == core::MapRecord());
    if (command == "mnuOpen") QVERIFY(w.defs->Map == mapOnDisk(w, 2));
    if (command == "mnuExit") QVERIFY(w.window->isClosed());
  }

  // A new map has number 0 until the designer gives it one: saving it is refused, and then the
  // command that asked stops and the edited map stays.
  void savingAnUnnumberedMapStopsTheCommand() {
    MainWindow w;
    w.open();
    w.trigger("mnuNew");
    editSquare(w);
    const core::MapRecord edited = w.defs->Map;
    const auto before = readBytes(w.mapsFile());
    for (const char* command : {"mnuOpen", "mnuNew", "mnuExit"}) {
      w.dialogs.clearShown();
      w.dialogs.answerSave(SaveChoice::Save);
      w.trigger(command);
      QCOMPARE(w.dialogs.shown().size(), std::size_t{2});
      QCOMPARE(w.dialogs.shown().at(0).prompt, QString("Save changes to map 0?"));
      QCOMPARE(w.dialogs.shown().at(1).kind, ui::ScriptedDialogs::Kind::Message);
      QVERIFY(w.defs->Map == edited);
      QVERIFY(!w.window->isClosed());
    }
    QCOMPARE(readBytes(w.mapsFile()), before);
  }

  void exitClosesEveryWindow() {
    MainWindow w;
    w.open();
    w.addStandIn("frmTextEd");
    w.addStandIn("frmMapEnc");
    emit w.window->findChild<QMenu*>("mnuMap")->aboutToShow();
    w.trigger("mnuMapTxt");
    w.click("Label10_2");
    QVERIFY(w.standIn("frmTextEd") && w.standIn("frmMapEnc"));
    QPointer<ui::Form> text = w.standIn("frmTextEd");
    w.trigger("mnuExit");
    QVERIFY(w.dialogs.shown().empty());  // nothing to save
    QVERIFY(w.window->isClosed());
    QVERIFY(!w.registry->find("frmTextEd"));
    QVERIFY(!w.registry->find("frmMapEnc"));
    QVERIFY(text.isNull() || text->isClosed());
  }

  // Closing the main window by its frame is the same as Exit.
  void closingTheWindowAsksLikeExit() {
    MainWindow w;
    w.open();
    editSquare(w);
    w.dialogs.answerSave(SaveChoice::Cancel);
    QVERIFY(!w.window->close());
    QVERIFY(!w.window->isClosed());
    QCOMPARE(w.dialogs.last()->prompt, QString("Save changes to map 1?"));
    w.dialogs.answerSave(SaveChoice::Discard);
    QVERIFY(w.window->close());
    QVERIFY(w.window->isClosed());
  }
};

REGISTER_TEST(FrmMapEdFilesTest);
#include "test_frm_map_ed_files.moc"
