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
    w.clickSquare(4, 5);
    w.dialogs.answerSave(SaveChoice::Discard);  // no question is expected: nothing changed
    w.trigger("mnuNew");
    QCOMPARE(w.dialogs.shown().size(), std::size_t{0});
    QVERIFY(w.defs->Map == core::MapRecord());
    QCOMPARE(w.defs->CurrentMap, 0);
    QCOMPARE(w.selected(), QPoint(4, 5));
    QCOMPARE(w.text("Label2"), QString("0"));
    QCOMPARE(w.text("Label10_0"), QString("Nothing"));
    // A fresh blank map is not an unsaved change.
    w.trigger("mnuNew");
    QCOMPARE(w.dialogs.shown().size(), std::size_t{0});
  }

  // Open asks for a number; below 1 (an empty answer too) it is refused; reading never writes.
  void openReadsTheSlotAndKeepsTheSelection_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("opened");  // 0: refused, map 1 stays
    QTest::addColumn<QString>("chance");
    QTest::newRow("2") << "2" << 2 << "10";
    QTest::newRow("50, beyond the last map: an empty one") << "50" << 50 << "0";
    QTest::newRow("0") << "0" << 0 << "5";
    QTest::newRow("-2") << "-2" << 0 << "5";
    QTest::newRow("empty, confirmed") << "" << 0 << "5";
  }
  void openReadsTheSlotAndKeepsTheSelection() {
    QFETCH(QString, answer);
    QFETCH(int, opened);
    QFETCH(QString, chance);
    MainWindow w;
    w.clickSquare(3, 3);
    const core::MapRecord before = w.defs->Map;
    const auto bytes = readBytes(w.mapsFile());
    w.dialogs.answerInput(answer);
    w.trigger("mnuOpen");
    const ui::ScriptedDialogs::Shown* asked = &w.dialogs.shown().at(0);
    QCOMPARE(asked->prompt, QString("Enter Map Number"));
    QCOMPARE(asked->title, QString("Open Which Map"));
    QCOMPARE(asked->defaultAnswer, QString(" 1"));
    QCOMPARE(w.messages().size(), std::size_t{opened ? 0u : 1u});
    QVERIFY(w.defs->Map == (opened ? mapOnDisk(w, opened) : before));
    QCOMPARE(w.defs->CurrentMap, opened ? opened : 1);
    QCOMPARE(w.text("Label2"), QString::number(opened ? opened : 1));
    QCOMPARE(w.text("Label6"), chance);
    QCOMPARE(w.selected(), QPoint(3, 3));
    QCOMPARE(readBytes(w.mapsFile()), bytes);
  }

  // A save that cannot be made writes nothing, says why and leaves the map unsaved.
  void failedSaveWritesNothing_data() {
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("named");
    QTest::newRow("map number 0") << false << "Map 0";
    QTest::newRow("read-only Maps.dat") << true << "Maps.dat";
  }
  void failedSaveWritesNothing() {
    QFETCH(bool, readOnly);
    QFETCH(QString, named);
    MainWindow w;
    editSquare(w);
    if (!readOnly) w.dialogs.answerInput("0");
    if (!readOnly) w.click("Label2");
    const core::MapRecord edited = w.defs->Map;
    const auto before = readBytes(w.mapsFile());
    if (readOnly) std::filesystem::permissions(w.mapsFile(), std::filesystem::perms(0444));
    w.trigger("mnuSave");
    std::filesystem::permissions(w.mapsFile(), std::filesystem::perms(0644));
    QCOMPARE(w.messages().size(), std::size_t{1});
    QVERIFY2(w.messages().front().contains(named), qPrintable(w.messages().front()));
    QCOMPARE(readBytes(w.mapsFile()), before);
    QVERIFY(w.defs->Map == edited);
    w.trigger("mnuNew");  // still unsaved: leaving asks
    QCOMPARE(w.dialogs.last()->kind, ui::ScriptedDialogs::Kind::SaveQuestion);
  }

  void saveWritesTheSlotWithoutAWord() {
    MainWindow w;
    editSquare(w);
    w.trigger("mnuSave");
    QVERIFY(w.messages().empty());
    QCOMPARE(mapSlotBytes(w.mapsFile(), 1), packedBytes(w.defs->Map));
    QCOMPARE(mapOnDisk(w, 1).WallCode(1, 0, core::North), 1);
  }

  // Renaming map 3 to 7 and saving copies it: slot 3 keeps its bytes, slot 7 gets MapNo 7.
  void renumberingAndSavingCopiesTheMap() {
    MainWindow w;
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
