// The main window's start-up, controls, menus, pictures and property input.
#include "main_window_fixture.h"
#include "support/test_registry.h"

#include <QMenu>
#include <QMenuBar>

#include <filesystem>

using main_window_test::MainWindow;
using ui::ScriptedDialogs;

namespace {

// Square (0, 0) of every sample map has all four sides Wall5: its cell must show the second-wall
// glyph of every side ANDed onto the background.
bool cornerSquareDrawn(const QImage& view, const QImage& background) {
  const QImage tiles = ui::ToQImage(core::MakeTileSheet());
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      QRgb expected = background.pixel(1 + x, 1 + y);
      for (const core::GlyphRect& glyph : core::SecondWallGlyphs)
        expected &= tiles.pixel(glyph.x + x, glyph.y + y);
      if ((view.pixel(1 + x, 1 + y) & 0xFFFFFF) != (expected & 0xFFFFFF)) return false;
    }
  }
  return true;
}

}  // namespace

class FrmMapEdStartTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpLoadsMapOneAndTheCatalogues() {
    MainWindow w;
    QVERIFY(w.window);
    QCOMPARE(w.window->windowTitle(), QString("Map Editor"));
    QVERIFY(w.messages().empty());

    const core::ModDefinitions& defs = *w.defs;
    QCOMPARE((std::vector<int>{defs.CurrentMap, defs.SelectedX, defs.SelectedY, defs.TextPage}),
             (std::vector<int>{1, 1, 0, 0}));
    QVERIFY(defs.Map == core::MapRecord::unpack(test_support::mapSlotBytes(w.mapsFile(), 1)));
    QCOMPARE((std::vector<long>{defs.CreatureCount, defs.ItemCount, defs.ShopCount, defs.SpellCount,
                                defs.SpellProgCount}),
             (std::vector<long>{3, 2, 2, 1, 0}));

    // What the designer sees of map 1.
    w.expectTexts({{"Label2", "1"}, {"Label4", "2"}, {"Label6", "5"}, {"Label8", "0"}});
    w.expectTexts({{"Label18", "11"}, {"Label20", "0"}, {"Label13_1", "1X, 0Y"}});
    w.expectTexts({{"Label10_0", "Beast 2             "}, {"Label11_0", "2D6+1"}});
    w.expectTexts({{"Label12_0", "25%"}, {"Label10_1", "Nothing"}, {"Label11_1", ""}});
    w.expectTexts({{"Label14_4", "Specials:  0 of 100"}, {"Label15_0", ""}});
    for (int d = 0; d < 4; ++d) QCOMPARE(w.text(QString("Label16_%1").arg(d)), QString("Nothing"));
    QImage back(434, 434, QImage::Format_RGB32);
    back.fill(main_window_test::BackColour);
    QVERIFY(cornerSquareDrawn(w.control<ui::PictureBox>("picMap")->image(), back));
  }

  // Every control is there by its name; a few captions and tooltips as spot checks.
  void everyControlHasItsName() {
    MainWindow w;
    w.expectTexts({{"Label1", "Map Number:"}, {"Label19", "Mana Refresh Rate:"}});
    w.expectTexts({{"Label13_0", "Details of Square:"}, {"Label14_3", "West Wall:"}});
    QCOMPARE(w.control("Label7")->toolTip(), QString("Level of difficulty this encounter has"));
    for (int s = 0; s < 11; ++s) {
      QCOMPARE(w.text(QString("Label9_%1").arg(s)), QString::number(s + 1));
      for (const char* array : {"Label10", "Label11", "Label12"})
        QVERIFY(w.control(QString("%1_%2").arg(array).arg(s)));
    }
    for (int i = 0; i < 4; ++i) {
      QVERIFY(w.control(QString("Label15_%1").arg(i)));
      QVERIFY(w.control(QString("Label16_%1").arg(i)));
    }
    QVERIFY(w.control<ui::Button>("SpecialsUp"));
    QVERIFY(w.control<ui::Button>("SpecialsDown"));
    QVERIFY(!w.control<ui::PictureBox>("picTiles")->isVisible());
    QVERIFY(w.control<ui::PictureBox>("picMap")->isVisible());
  }

  void mapViewSitsEightPixelsInUnderTheMenuBar() {
    MainWindow w;
    const auto* picMap = w.control<ui::PictureBox>("picMap");
    // The picture, with a ring of 2 pixels around it for the focus frame.
    QCOMPARE(picMap->size(), QSize(438, 438));
    QWidget* client = w.window->centralWidget();
    QCOMPARE(picMap->mapTo(client, QPoint(2, 2)), QPoint(8, 8));
    QVERIFY(client->geometry().top() >= w.window->menuBar()->geometry().bottom());
    QCOMPARE(picMap->image().size(), QSize(434, 434));
    // Back.bmp was loaded: outside the drawn squares the view shows its colour.
    QCOMPARE(picMap->image().pixel(432, 432) & 0xFFFFFF, main_window_test::BackColour);
  }

  void menusHaveTheirCaptionsNamesAndKeys() {
    MainWindow w;
    QStringList titles;
    for (QAction* top : w.window->menuBar()->actions())
      titles << top->objectName() + "=" + top->text();
    QCOMPARE(titles, QStringList({"mnuFile=&File", "mnuEdit=&Edit", "mnuMap=&Map", "mnuItems=&Items",
                                  "mnuMonsters=&Monsters", "mnuSpells=&Spells"}));
    QStringList file;
    for (QAction* entry : w.window->findChild<QMenu*>("mnuFile")->actions())
      file << entry->objectName() + "=" + entry->text() + "=" + entry->shortcut().toString();
    QCOMPARE(file, QStringList({"mnuNew=&New Map=Ctrl+N", "mnuOpen=&Open Map=Ctrl+O",
                                "mnuSave=&Save Map=Ctrl+S",
                                "mnuSep1= __________=", "mnuExit=&Exit=Ctrl+Q"}));
    QCOMPARE(w.action("mnuMapLTxt")->text(), QString("Edit &Long Text Specials"));
    QCOMPARE(w.action("mnuSpellProg")->text(), QString("Spell &Progression"));
    for (const char* name : {"mnuMapTxt", "mnuItemEdit", "mnuShop", "mnuMonEdit", "mnuMagEdit"})
      QVERIFY2(w.action(name), name);
  }

  // An entry that opens another window is usable only once that window exists in the build.
  void windowEntriesFollowTheRegistry() {
    MainWindow w;
    for (const char* name : {"mnuNew", "mnuOpen", "mnuSave", "mnuExit"})
      QVERIFY2(w.action(name)->isEnabled(), name);
    QVERIFY(!w.action("mnuSep1")->isEnabled());
    const QStringList windowEntries = {"mnuMapTxt",  "mnuMapLTxt", "mnuItemEdit", "mnuShop",
                                       "mnuMonEdit", "mnuMagEdit", "mnuSpellProg"};
    for (const QString& name : windowEntries) QVERIFY(!w.action(name)->isEnabled());

    w.addStandIn("frmTextEd");
    w.addStandIn("frmShopEd");
    emit w.window->findChild<QMenu*>("mnuMap")->aboutToShow();
    emit w.window->findChild<QMenu*>("mnuItems")->aboutToShow();
    QVERIFY(w.action("mnuMapTxt")->isEnabled());
    QVERIFY(w.action("mnuShop")->isEnabled());
    QVERIFY(!w.action("mnuMapLTxt")->isEnabled());
    QVERIFY(!w.action("mnuItemEdit")->isEnabled());

    w.trigger("mnuMapTxt");
    QVERIFY(w.standIn("frmTextEd"));
    QVERIFY(w.standIn("frmTextEd")->isVisible());
    QVERIFY(w.window->isVisible());  // both stay usable
  }

  // The catalogue entries read the entry the editor opens on, then show it.
  void catalogueEntriesReadTheirEntryFirst() {
    MainWindow w;
    for (const char* name : {"frmEquipEd", "frmShopEd", "frmCreatEd"}) w.addStandIn(name);
    emit w.window->findChild<QMenu*>("mnuItems")->aboutToShow();
    emit w.window->findChild<QMenu*>("mnuMonsters")->aboutToShow();

    w.trigger("mnuShop");  // the header's ShopNo is the count: the last shop
    QCOMPARE(w.defs->Shop.ShopNo, 2);
    QCOMPARE(QString::fromStdString(w.defs->Shop.ShopName).trimmed(), QString("Store 2"));
    QVERIFY(w.defs->ShopScratch == w.defs->Shop);
    QVERIFY(w.standIn("frmShopEd"));

    w.trigger("mnuItemEdit");
    QCOMPARE(QString::fromStdString(w.defs->Item.ItemName).trimmed(), QString("Blade 1"));
    QVERIFY(w.defs->ItemScratch == w.defs->Item);
    // An open item editor keeps the changes it has not saved: the item is not read again.
    w.defs->Item.Cost = 99;
    w.trigger("mnuItemEdit");
    QCOMPARE(w.defs->Item.Cost, std::int16_t(99));

    w.trigger("mnuMonEdit");
    QCOMPARE(w.defs->Creature.CreatureNo, 1);
    QCOMPARE(QString::fromStdString(w.defs->Creature.CreatureName).trimmed(), QString("Beast 1"));
    QVERIFY(w.standIn("frmEquipEd") && w.standIn("frmCreatEd"));
    QVERIFY(w.messages().empty());

    // An open creature editor is brought forward on the creature it shows.
    QVERIFY(w.defs->ReadCreaturePair(3).ok());
    w.trigger("mnuMonEdit");
    QCOMPARE(w.defs->Creature.CreatureNo, 3);
  }

  void missingPicturesGiveOneMessageAndTheViewStillDraws_data() {
    QTest::addColumn<QStringList>("missing");
    QTest::newRow("Back.bmp") << QStringList{"Back.bmp"};
    QTest::newRow("Tiles.bmp") << QStringList{"Tiles.bmp"};
    QTest::newRow("both") << QStringList{"Back.bmp", "Tiles.bmp"};
  }
  void missingPicturesGiveOneMessageAndTheViewStillDraws() {
    QFETCH(QStringList, missing);
    MainWindow w{main_window_test::Unopened{}};
    for (const QString& file : missing) std::filesystem::remove(w.dir->data() / file.toStdString());
    w.open();
    QCOMPARE(w.messages().size(), std::size_t{1});
    for (const QString& file : missing)
      QVERIFY2(w.messages().front().contains(file), qPrintable(w.messages().front()));
    if (missing.size() == 1) {
      const QString present = missing.front() == "Back.bmp" ? "Tiles.bmp" : "Back.bmp";
      QVERIFY(!w.messages().front().contains(present));
    }
    const ui::PictureBox* picMap = w.control<ui::PictureBox>("picMap");
    const QImage background = missing.contains("Back.bmp") ? ui::ToQImage(core::MakeMapBackground())
                                                           : QImage(434, 434, QImage::Format_RGB32);
    QImage plain = background;
    if (!missing.contains("Back.bmp")) plain.fill(main_window_test::BackColour);
    QVERIFY(cornerSquareDrawn(picMap->image(), plain));
    // The rest of the program is unaffected.
    QCOMPARE(w.defs->CreatureCount, 3L);
    QCOMPARE(w.text("Label10_0"), QString("Beast 2             "));
  }

  void startUpFailuresAreReportedByFile() {
    MainWindow w{main_window_test::Unopened{}};
    std::filesystem::create_directory(w.dir->datFile("Mag.dat.tmp"));
    std::filesystem::remove(w.dir->datFile("Mag.dat"));
    std::filesystem::rename(w.dir->datFile("Mag.dat.tmp"), w.dir->datFile("Mag.dat"));
    w.open();
    QCOMPARE(w.messages().size(), std::size_t{1});
    QVERIFY2(w.messages().front().contains("Mag.dat"), qPrintable(w.messages().front()));
    QCOMPARE(w.defs->CreatureCount, 3L);  // the steps before it ran
    QCOMPARE(w.text("Label2"), QString("1"));
  }
};

class FrmMapEdPropertyTest : public QObject {
  Q_OBJECT

 private slots:
  void eachPropertyAsksWithItsPromptTitleAndDefault_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("defaultAnswer");
    const auto row = [](const char* name, const char* label, const char* prompt, const char* title,
                        int before, const char* shown) {
      QTest::newRow(name) << QString(label) << QString(prompt) << QString(title) << before
                          << QString(shown);
    };
    row("map number", "Label2", "Enter Map Number", "Map Number", 1, " 1");
    row("graphic set", "Label4", "Enter the graphic set to use", "Graphics", -3, "-3");
    row("encounter chance", "Label6", "Enter chance for encounter", "Encounter Chance", 0, " 0");
    row("encounter level", "Label8", "Enter average level of encounter", "Encounter Level", 7,
        " 7");
    row("hit refresh", "Label18", "Enter the number of ticks before adding a hitpoint.",
        "Hit Refresh", 15, " 15");
    row("mana refresh", "Label20", "Enter the number of ticks before adding a manapoint.",
        "Mana Refresh", -32768, "-32768");
  }
  void eachPropertyAsksWithItsPromptTitleAndDefault() {
    QFETCH(QString, label);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    QFETCH(int, before);
    QFETCH(QString, defaultAnswer);
    MainWindow w;
    std::int16_t* field = fieldOf(w, label);
    *field = static_cast<std::int16_t>(before);
    w.window->RefreshMainWindow();

    w.dialogs.answerInput("42");
    w.click(label);
    const ScriptedDialogs::Shown* asked = w.dialogs.last();
    QVERIFY(asked && asked->kind == ScriptedDialogs::Kind::Input);
    QCOMPARE(asked->prompt, prompt);
    QCOMPARE(asked->title, title);
    QCOMPARE(asked->defaultAnswer, defaultAnswer);
    QCOMPARE(*field, 42);
    QCOMPARE(w.text(label), QString("42"));
  }

  void answersAreReadAsLeadingNumbers_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("stored");
    QTest::newRow("12abc") << "12abc" << false << 12;
    QTest::newRow("3.5 to even") << "3.5" << false << 4;
    QTest::newRow("blanks then -7") << "  -7 x" << false << -7;
    QTest::newRow("empty, confirmed") << "" << false << 0;
    QTest::newRow("cancelled: unchanged") << "" << true << 0;
  }
  void answersAreReadAsLeadingNumbers() {
    QFETCH(QString, answer);
    QFETCH(bool, cancel);
    QFETCH(int, stored);
    MainWindow w;
    const int mapNumber = cancel ? w.defs->CurrentMap : stored;
    const int graphicSet = cancel ? w.defs->Map.GraphicSet : stored;
    cancel ? w.dialogs.cancelInput() : w.dialogs.answerInput(answer);
    w.click("Label2");
    QCOMPARE(w.defs->CurrentMap, mapNumber);
    QCOMPARE(w.defs->Map.MapNo, mapNumber);  // the map is renamed with it
    QCOMPARE(w.text("Label2"), QString::number(mapNumber));

    cancel ? w.dialogs.cancelInput() : w.dialogs.answerInput(answer);
    w.click("Label4");
    QCOMPARE(w.defs->Map.GraphicSet, graphicSet);
    QVERIFY(w.messages().empty());
  }

  void anAnswerOutsideTheIntegerRangeIsRefused_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("field");
    QTest::newRow("chance 70000") << QString("Label6") << QString("70000")
                                  << QString("Encounter %");
    QTest::newRow("map -40000") << QString("Label2") << QString("-40000") << QString("Map Number");
    QTest::newRow("mana 1e6") << QString("Label20") << QString("1e6")
                              << QString("Mana Refresh Rate");
  }
  void anAnswerOutsideTheIntegerRangeIsRefused() {
    QFETCH(QString, label);
    QFETCH(QString, answer);
    QFETCH(QString, field);
    MainWindow w;
    const core::MapRecord before = w.defs->Map;
    const QString shownBefore = w.text(label);
    w.dialogs.answerInput(answer);
    w.click(label);
    QCOMPARE(w.messages().size(), std::size_t{1});
    QVERIFY2(w.messages().front().contains(field), qPrintable(w.messages().front()));
    QVERIFY(w.defs->Map == before);
    QCOMPARE(w.defs->CurrentMap, 1);
    QCOMPARE(w.text(label), shownBefore);
  }

 private:
  static std::int16_t* fieldOf(MainWindow& w, const QString& label) {
    core::MapRecord& map = w.defs->Map;
    if (label == "Label2") return &w.defs->CurrentMap;
    if (label == "Label4") return &map.GraphicSet;
    if (label == "Label6") return &map.EncounterChance;
    if (label == "Label8") return &map.EncounterLevel;
    if (label == "Label18") return &map.HitRefresh;
    return &map.ManaRefresh;
  }
};

REGISTER_TEST(FrmMapEdStartTest);
REGISTER_TEST(FrmMapEdPropertyTest);
#include "test_frm_map_ed.moc"
