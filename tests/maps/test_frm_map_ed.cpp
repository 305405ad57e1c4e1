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
    w.open();
    QVERIFY(w.window);
    QCOMPARE(w.window->windowTitle(), QString("Map Editor"));
    QVERIFY(w.messages().empty());

    const core::ModDefinitions& defs = *w.defs;
    QCOMPARE(defs.CurrentMap, 1);
    QCOMPARE(defs.SelectedX, 1);
    QCOMPARE(defs.SelectedY, 0);
    QCOMPARE(defs.TextPage, 0);
    QVERIFY(defs.Map == core::MapRecord::unpack(test_support::mapSlotBytes(w.mapsFile(), 1)));
    QCOMPARE(defs.CreatureCount, 3L);
    QCOMPARE(defs.ItemCount, 2L);
    QCOMPARE(defs.ShopCount, 2L);
    QCOMPARE(defs.SpellCount, 1L);
    QCOMPARE(defs.SpellProgCount, 0L);
    QCOMPARE(defs.Item.ItemNo, 1);  // entry 1
    QCOMPARE(defs.Shop.ShopNo, 2);  // the header, which counts the shops
    QCOMPARE(defs.Creature.CreatureNo, 3);

    // What the designer sees of map 1.
    QCOMPARE(w.text("Label2"), QString("1"));
    QCOMPARE(w.text("Label4"), QString("2"));
    QCOMPARE(w.text("Label6"), QString("5"));
    QCOMPARE(w.text("Label8"), QString("0"));
    QCOMPARE(w.text("Label18"), QString("11"));
    QCOMPARE(w.text("Label20"), QString("0"));
    QCOMPARE(w.text("Label10_0"), QString("Beast 2             "));
    QCOMPARE(w.text("Label11_0"), QString("2D6+1"));
    QCOMPARE(w.text("Label12_0"), QString("25%"));
    QCOMPARE(w.text("Label10_1"), QString("Nothing"));
    QCOMPARE(w.text("Label11_1"), QString());
    QCOMPARE(w.text("Label13_1"), QString("1X, 0Y"));
    QCOMPARE(w.text("Label14_4"), QString("Specials:  0 of 100"));
    for (int d = 0; d < 4; ++d) QCOMPARE(w.text(QString("Label16_%1").arg(d)), QString("Nothing"));
    QImage back(434, 434, QImage::Format_RGB32);
    back.fill(main_window_test::BackColour);
    QVERIFY(cornerSquareDrawn(w.control<ui::PictureBox>("picMap")->image(), back));
  }

  void everyControlHasItsNameCaptionAndTooltip() {
    MainWindow w;
    w.open();
    const std::vector<std::pair<const char*, const char*>> headings = {
        {"Label1", "Map Number:"},           {"Label3", "Graphic Set:"},
        {"Label5", "Encounter %:"},          {"Label7", "Encounter Lvl:"},
        {"Label17", "Hits Refresh Rate:"},   {"Label19", "Mana Refresh Rate:"},
        {"Label13_0", "Details of Square:"}, {"Label14_0", "North Wall:"},
        {"Label14_1", "East Wall:"},         {"Label14_2", "South Wall:"},
        {"Label14_3", "West Wall:"}};
    for (const auto& [name, caption] : headings) QCOMPARE(w.text(name), QString(caption));
    QCOMPARE(w.control("Label1")->toolTip(), QString("The current Map"));
    QCOMPARE(w.control("Label3")->toolTip(), QString("What graphics Set to display"));
    QCOMPARE(w.control("Label5")->toolTip(), QString("Chance of Random Encounter"));
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
    w.open();
    const auto* picMap = w.control<ui::PictureBox>("picMap");
    QCOMPARE(picMap->size(), QSize(434, 434));
    QWidget* client = w.window->centralWidget();
    QCOMPARE(picMap->mapTo(client, QPoint(0, 0)), QPoint(8, 8));
    QVERIFY(client->geometry().top() >= w.window->menuBar()->geometry().bottom());
    QCOMPARE(picMap->image().size(), QSize(434, 434));
    // Back.bmp was loaded: outside the drawn squares the view shows its colour.
    QCOMPARE(picMap->image().pixel(432, 432) & 0xFFFFFF, main_window_test::BackColour);
  }

  void menusHaveTheirCaptionsNamesAndKeys() {
    MainWindow w;
    w.open();
    QStringList titles;
    for (QAction* top : w.window->menuBar()->actions())
      titles << top->objectName() + "=" + top->text();
    QCOMPARE(titles, QStringList({"mnuFile=&File", "mnuMap=&Map", "mnuItems=&Items",
                                  "mnuMonsters=&Monsters", "mnuSpells=&Spells"}));
    const std::vector<std::pair<const char*, const char*>> entries = {
        {"mnuNew", "&New Map"},
        {"mnuOpen", "&Open Map"},
        {"mnuSave", "&Save Map"},
        {"mnuSep1", " __________"},
        {"mnuExit", "&Exit"},
        {"mnuMapTxt", "Edit &Text Specials"},
        {"mnuMapLTxt", "Edit &Long Text Specials"},
        {"mnuItemEdit", "&Item Editor"},
        {"mnuShop", "&Shop Editor"},
        {"mnuMonEdit", "&Monster Editor"},
        {"mnuMagEdit", "&Spell Editor"},
        {"mnuSpellProg", "Spell &Progression"}};
    for (const auto& [name, caption] : entries) {
      QVERIFY2(w.action(name), name);
      QCOMPARE(w.action(name)->text(), QString(caption));
    }
    QCOMPARE(w.window->findChild<QMenu*>("mnuFile")->actions().size(), 5);
    QCOMPARE(w.action("mnuNew")->shortcut(), QKeySequence("Ctrl+N"));
    QCOMPARE(w.action("mnuOpen")->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(w.action("mnuSave")->shortcut(), QKeySequence("Ctrl+S"));
    QCOMPARE(w.action("mnuExit")->shortcut(), QKeySequence("Ctrl+Q"));
  }

  // An entry that opens another window is usable only once that window exists in the build.
  void windowEntriesFollowTheRegistry() {
    MainWindow w;
    w.open();
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
    w.open();
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

    w.trigger("mnuMonEdit");
    QCOMPARE(w.defs->Creature.CreatureNo, 1);
    QCOMPARE(QString::fromStdString(w.defs->Creature.CreatureName).trimmed(), QString("Beast 1"));
    QVERIFY(w.standIn("frmEquipEd") && w.standIn("frmCreatEd"));
    QVERIFY(w.messages().empty());
  }

  void missingPicturesGiveOneMessageAndTheViewStillDraws_data() {
    QTest::addColumn<QStringList>("missing");
    QTest::newRow("Back.bmp") << QStringList{"Back.bmp"};
    QTest::newRow("Tiles.bmp") << QStringList{"Tiles.bmp"};
    QTest::newRow("both") << QStringList{"Back.bmp", "Tiles.bmp"};
  }
  void missingPicturesGiveOneMessageAndTheViewStillDraws() {
    QFETCH(QStringList, missing);
    MainWindow w;
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
    MainWindow w;
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
    QTest::newRow("map number") << "Label2"
                                << "Enter Map Number"
                                << "Map Number" << 1 << " 1";
    QTest::newRow("graphic set") << "Label4"
                                 << "Enter the graphic set to use"
                                 << "Graphics" << -3 << "-3";
    QTest::newRow("encounter chance") << "Label6"
                                      << "Enter chance for encounter"
                                      << "Encounter Chance" << 0 << " 0";
    QTest::newRow("encounter level") << "Label8"
                                     << "Enter average level of encounter"
                                     << "Encounter Level" << 7 << " 7";
    QTest::newRow("hit refresh") << "Label18"
                                 << "Enter the number of ticks before adding a hitpoint."
                                 << "Hit Refresh" << 15 << " 15";
    QTest::newRow("mana refresh") << "Label20"
                                  << "Enter the number of ticks before adding a manapoint."
                                  << "Mana Refresh" << -32768 << "-32768";
  }
  void eachPropertyAsksWithItsPromptTitleAndDefault() {
    QFETCH(QString, label);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    QFETCH(int, before);
    QFETCH(QString, defaultAnswer);
    MainWindow w;
    w.open();
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
    QTest::newRow("2.5 to even") << "2.5" << false << 2;
    QTest::newRow("3.5 to even") << "3.5" << false << 4;
    QTest::newRow("blanks then -7") << "  -7 x" << false << -7;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("cancelled") << "" << true << 0;
  }
  void answersAreReadAsLeadingNumbers() {
    QFETCH(QString, answer);
    QFETCH(bool, cancel);
    QFETCH(int, stored);
    MainWindow w;
    w.open();
    cancel ? w.dialogs.cancelInput() : w.dialogs.answerInput(answer);
    w.click("Label2");
    QCOMPARE(w.defs->CurrentMap, stored);
    QCOMPARE(w.defs->Map.MapNo, stored);  // the map is renamed with it
    QCOMPARE(w.text("Label2"), QString::number(stored));

    cancel ? w.dialogs.cancelInput() : w.dialogs.answerInput(answer);
    w.click("Label4");
    QCOMPARE(w.defs->Map.GraphicSet, stored);
    QVERIFY(w.messages().empty());
  }

  void anAnswerOutsideTheIntegerRangeIsRefused_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("field");
    QTest::newRow("chance 70000") << "Label6"
                                  << "70000"
                                  << "Encounter %";
    QTest::newRow("map -40000") << "Label2"
                                << "-40000"
                                << "Map Number";
    QTest::newRow("mana 1e6") << "Label20"
                              << "1e6"
                              << "Mana Refresh Rate";
  }
  void anAnswerOutsideTheIntegerRangeIsRefused() {
    QFETCH(QString, label);
    QFETCH(QString, answer);
    QFETCH(QString, field);
    MainWindow w;
    w.open();
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
