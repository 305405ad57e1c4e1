// The main window's start-up, pictures, menus, property input and files, checked on screen and
// in Maps.dat.
#include "main_window_fixture.h"
#include "support/test_registry.h"

#include <sys/stat.h>

#include <filesystem>

using main_window_test::MainWindow;
using test_support::mapSlotBytes;
using test_support::packedBytes;
using test_support::readBytes;
using SaveChoice = ui::Dialogs::SaveChoice;

class FrmMapEdStartTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpShowsMapOne() {
    MainWindow w;
    QVERIFY(w.messages().empty());
    QVERIFY(w.defs->Document().Map() == w.mapOnDisk(1));
    w.expectTexts({{"Label2", "1"}, {"Label6", "5"}, {"Label10_0", "Beast 2             "}});
    w.expectTexts({{"Label11_0", "2D6+1"}, {"Label12_0", "25%"}, {"Label10_1", "Nothing"}});
    w.expectTexts({{"Label13_1", "1X, 0Y"}, {"Label14_4", "Specials:  0 of 100"}});
    // The picture sits 8 pixels in, in a ring of 2 pixels for the focus frame.
    QCOMPARE(w.control<QWidget>("picMap")->mapTo(w.window->centralWidget(), QPoint(2, 2)),
             QPoint(8, 8));
    QVERIFY(w.viewShowsTheMap());
    // 1024 x 768 less the window's frame, title bar and a task bar.
    QVERIFY(w.window->minimumSizeHint().boundedTo(QSize(1000, 680)) == w.window->minimumSizeHint());
  }

  // Each bad file is named in one message; pictures are replaced by the editor's own and the
  // rest of the program starts.
  void badStartUpFilesAreNamedOnce() {
    const std::tuple<QString, QString, QString> rows[] = {
        {"Back.bmp", "missing", "Back.bmp"}, {"Back.bmp", "small", "Back.bmp"},
        {"Back.bmp", "cut", "Back.bmp"},     {"Back.bmp", "fifo", "Back.bmp"},
        {"Tiles.bmp", "small", "Tiles.bmp"}, {"Back.bmp Tiles.bmp", "missing", "Tiles.bmp"},
        {"Mag.dat", "folder", "Mag.dat"},    {"Dat", "missing", "Cannot find the Dat folder"}};
    for (const auto& [file, fault, named] : rows) {
      MainWindow w{main_window_test::Unopened{}};
      for (const QString& name : file.split(' ')) {
        const auto path = name.endsWith(".bmp") ? w.dir->data() / name.toStdString()
                          : name == "Dat"       ? w.dir->dat()
                                                : w.dir->datFile(name.toStdString());
        if (fault == "small") core::WriteBmp(path, core::Bitmap(100, 30, 0));
        if (fault == "cut")
          std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
        if (fault == "missing" || fault == "fifo" || fault == "folder")
          std::filesystem::remove_all(path);
        if (fault == "fifo") QCOMPARE(::mkfifo(path.c_str(), 0644), 0);  // would hang the start
        if (fault == "folder") std::filesystem::create_directory(path);
      }
      w.open();
      QCOMPARE(w.messages().size(), std::size_t{1});
      QVERIFY2(w.messages().front().count(named) == 1, qPrintable(w.messages().front()));
      QCOMPARE(w.messages().front().contains("Back.bmp"), file.contains("Back.bmp"));
      QCOMPARE(w.defs->CreatureCount, file == "Dat" ? 0L : 3L);  // the steps before Mag.dat ran
      if (file.endsWith(".bmp")) QVERIFY(w.viewShowsTheMap(file.contains("Back.bmp")));
    }
  }

  // An entry that opens another window is usable once that window exists; a catalogue entry
  // reads the entry its editor opens on, unless the editor is open and may hold unsaved work.
  void menuEntriesOpenTheirWindows() {
    MainWindow w;
    QVERIFY(!w.action("mnuItemEdit")->isEnabled());
    w.addStandIn("frmEquipEd");
    w.refreshMenus();
    w.trigger("mnuItemEdit");
    QCOMPARE(w.defs->Item.ItemName, test_support::padded("Blade 1"));
    QVERIFY(w.standIn("frmEquipEd")->isVisible() && w.window->isVisible());
    QVERIFY(w.defs->ReadItemPair(2).ok());
    w.trigger("mnuItemEdit");
    QCOMPARE(w.defs->Item.ItemName, test_support::padded("Blade 2"));
  }

  // Each property label asks for its own field, offering the stored number; answers are read as
  // leading numbers; a cancelled box changes nothing; a number out of range is refused, naming
  // the field and quoting the start of a long answer.
  void propertyLabelsAskForTheirField() {
    MainWindow w;
    const core::MapRecord& map = w.defs->Document().Map();
    const std::pair<const char*, const std::int16_t*> fields[] = {
        {"Label2", &w.defs->CurrentMap},  {"Label4", &map.GraphicSet},
        {"Label6", &map.EncounterChance}, {"Label8", &map.EncounterLevel},
        {"Label18", &map.HitRefresh},     {"Label20", &map.ManaRefresh}};
    int answer = 40;
    for (const auto& [label, field] : fields) {
      w.dialogs.answerInput(QString::number(++answer) + "abc");
      w.click(label);
      QCOMPARE(*field, answer);
      QCOMPARE(w.text(label), QString::number(answer));
    }
    QCOMPARE(map.MapNo, 41);  // the map is renamed with its number
    w.dialogs.answerInput("44");
    w.click("Label8");
    QCOMPARE(w.dialogs.last()->prompt + w.dialogs.last()->defaultAnswer,
             QString("Enter average level of encounter 44"));
    const core::MapRecord before = map;
    const QString quote = "\"" + QString(20, '9') + QChar(0x2026) + "\"";
    for (const auto& [typed, named] : {std::pair<QString, QString>{"70000", "Graphic Set"},
                                       {QString(5000, '9'), quote},
                                       {QString(), ""}}) {
      w.dialogs.clearShown();
      typed.isNull() ? w.dialogs.cancelInput() : w.dialogs.answerInput(typed);
      w.click("Label4");
      QVERIFY(map == before);
      QCOMPARE(w.messages().size(), std::size_t{named.isEmpty() ? 0u : 1u});
      if (!named.isEmpty())
        QVERIFY2(w.messages().front().contains(named), qPrintable(w.messages().front()));
    }
    QCOMPARE(w.text("Label4"), QString("42"));
  }

  // Another editor saved map 1 since it was opened: saving asks before overwriting it.
  void saveAsksBeforeOverwritingAnotherEditorsMap() {
    MainWindow w;
    core::ModDefinitions other(w.dir->root());
    QVERIFY(other.Startup().ok());
    test_support::editMap(other, [](core::MapRecord& map) { map.GraphicSet = 5; });
    QVERIFY(other.SaveMap(1).ok());
    w.click("Label16_0");
    w.dialogs.answerOverwrite(false);
    w.trigger("mnuSave");
    QCOMPARE(w.dialogs.last()->prompt,
             QString("Map 1 was changed on disk since it was opened. Overwrite it?"));
    QCOMPARE(w.mapOnDisk(1).GraphicSet, std::int16_t{5});
    w.dialogs.answerOverwrite(true);
    w.trigger("mnuSave");
    QVERIFY(w.mapOnDisk(1) == w.defs->Document().Map());
  }
};

class FrmMapEdFilesTest : public QObject {
  Q_OBJECT

 private slots:
  // Open asks for a number, offering the current one, and keeps the selection; below 1 it is
  // refused; beyond the last map it opens an empty one; reading never writes.
  void openReadsTheSlot() {
    for (const int answer : {2, 50, 0}) {
      MainWindow w;
      w.clickSquare(3, 3);
      const auto bytes = readBytes(w.mapsFile());
      w.dialogs.answerInput(QString::number(answer));
      w.trigger("mnuOpen");
      QCOMPARE(w.dialogs.shown().at(0).defaultAnswer, QString(" 1"));  // the current map
      QCOMPARE(w.messages().size(), std::size_t{answer ? 0u : 1u});
      QVERIFY(w.defs->Document().Map() == w.mapOnDisk(answer ? answer : 1));
      QCOMPARE(w.text("Label6"), QString(answer == 2 ? "10" : answer ? "0" : "5"));
      QCOMPARE(w.selected(), QPoint(3, 3));
      QCOMPARE(readBytes(w.mapsFile()), bytes);
    }
  }

  // Maps.dat removed while the editor runs: Open says so and keeps the map shown; Save says so
  // and makes a new file only when the designer agrees.
  void missingMapsFileIsSaidAndMadeOnlyWhenAsked() {
    MainWindow w;
    w.dialogs.answerInput("3");
    w.trigger("mnuOpen");
    w.click("Label16_0");
    const core::MapRecord shown = w.defs->Document().Map();
    std::filesystem::remove(w.mapsFile());
    w.dialogs.answerSave(SaveChoice::Discard);
    w.dialogs.answerInput("2");
    w.trigger("mnuOpen");
    const QString missing = QString::fromStdString(w.mapsFile().string()) + " is missing";
    QVERIFY2(w.messages().back().contains(missing), qPrintable(w.messages().back()));
    QVERIFY(w.defs->Document().Map() == shown);
    QCOMPARE(w.defs->CurrentMap, std::int16_t{3});
    w.trigger("mnuSave");  // no answer: Cancel
    QCOMPARE(w.dialogs.last()->kind, ui::ScriptedDialogs::Kind::ConfirmQuestion);
    QCOMPARE(w.dialogs.last()->action, QString("Create"));
    QVERIFY(w.dialogs.last()->prompt.startsWith(missing));
    QVERIFY(
        w.dialogs.last()->prompt.endsWith("Create a new Maps.dat holding map 3 (maps 1 to 2 "
                                          "blank)?"));
    QVERIFY(!std::filesystem::exists(w.mapsFile()));
    w.dialogs.answerConfirm(true);
    w.trigger("mnuSave");
    QCOMPARE(readBytes(w.mapsFile()).size(), 3 * core::MapRecord::SlotLength);
    QCOMPARE(mapSlotBytes(w.mapsFile(), 3), packedBytes(shown));
  }

  // Map 3 renamed to 7 and edited: Save writes slot 7 without a word, slot 3 keeps its bytes,
  // and the saved map is no unsaved change. Renamed to 0 it cannot be saved: Save says so and
  // writes nothing, and a command whose save question was answered Save stops there.
  void saveWritesTheSlotOfTheMapNumber() {
    MainWindow w;
    w.dialogs.answerInput("3");
    w.trigger("mnuOpen");
    const auto slot3 = mapSlotBytes(w.mapsFile(), 3);
    w.dialogs.answerInput("7");
    w.click("Label2");
    w.click("Label16_0");
    w.trigger("mnuSave");
    QCOMPARE(mapSlotBytes(w.mapsFile(), 3), slot3);
    QCOMPARE(mapSlotBytes(w.mapsFile(), 7), packedBytes(w.defs->Document().Map()));
    w.trigger("mnuNew");
    QCOMPARE(w.dialogs.shown().size(), std::size_t{2});  // the two number boxes only
    w.click("Label16_0");
    w.dialogs.answerInput("0");
    w.click("Label2");
    const core::MapRecord edited = w.defs->Document().Map();
    const auto before = readBytes(w.mapsFile());
    w.trigger("mnuSave");
    QVERIFY2(w.dialogs.last()->prompt.contains("Map 0"), qPrintable(w.dialogs.last()->prompt));
    for (const char* command : {"mnuOpen", "mnuNew", "mnuExit"}) {
      w.dialogs.clearShown();
      w.dialogs.answerSave(SaveChoice::Save);
      w.trigger(command);
      QCOMPARE(w.dialogs.shown().at(0).prompt, QString("Save changes to map 0?"));
      QCOMPARE(w.dialogs.shown().size(), std::size_t{2});  // and the refusal
      QVERIFY(w.defs->Document().Map() == edited && !w.window->isClosed());
    }
    QCOMPARE(readBytes(w.mapsFile()), before);
  }

  // New, Open, Exit and closing the frame with unsaved changes ask first; each answer is
  // followed to its end: New blanks the map, Open reads it, leaving closes the other windows.
  void unsavedChangesAreOfferedForSaving() {
    for (const QString command : {"mnuNew", "mnuOpen", "mnuExit", "close"})
      for (const SaveChoice choice : {SaveChoice::Save, SaveChoice::Discard, SaveChoice::Cancel}) {
        MainWindow w;
        w.addStandIn("frmTextEd");
        w.registry->show("frmTextEd");
        const auto before = readBytes(w.mapsFile());
        w.click("Label16_0");
        const core::MapRecord edited = w.defs->Document().Map();
        w.dialogs.answerSave(choice);
        w.dialogs.answerInput("2");
        command == "close" ? void(w.window->close()) : w.trigger(command);
        QCOMPARE(w.dialogs.shown().front().prompt, QString("Save changes to map 1?"));
        QCOMPARE(readBytes(w.mapsFile()) == before, choice != SaveChoice::Save);
        if (choice == SaveChoice::Save)
          QCOMPARE(mapSlotBytes(w.mapsFile(), 1), packedBytes(edited));
        const bool cancelled = choice == SaveChoice::Cancel;
        const bool closed = (command == "mnuExit" || command == "close") && !cancelled;
        QCOMPARE(w.window->isClosed(), closed);
        QCOMPARE(w.registry->find("frmTextEd") == nullptr, closed);
        if (cancelled) QVERIFY(w.defs->Document().Map() == edited && w.dialogs.shown().size() == 1);
        if (!cancelled && command == "mnuNew")
          QVERIFY(w.defs->Document().Map() == core::MapRecord());
        if (!cancelled && command == "mnuOpen") QVERIFY(w.defs->Document().Map() == w.mapOnDisk(2));
      }
  }
};

REGISTER_TEST(FrmMapEdStartTest);
REGISTER_TEST(FrmMapEdFilesTest);
#include "test_frm_map_ed.moc"
