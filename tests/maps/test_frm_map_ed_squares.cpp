// Square selection and editing through clicks on the map view and the square's labels.
#include "main_window_fixture.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QSignalSpy>

using main_window_test::MainWindow;

using test_support::putSpecial;

namespace {

// The selection frame's top edge and left edge are on screen at square (x, y).
bool frameShownAt(const MainWindow& w, int x, int y) {
  const QImage view = w.control<ui::PictureBox>("picMap")->image();
  const QImage tiles = w.control<ui::PictureBox>("picTiles")->image();
  const core::GlyphRect frame = core::SelectionFrameGlyph;
  for (int i = 0; i < frame.width; ++i) {
    if (view.pixel(13 * x + i, 13 * y) != tiles.pixel(frame.x + i, frame.y)) return false;
    if (view.pixel(13 * x, 13 * y + i) != tiles.pixel(frame.x, frame.y + i)) return false;
  }
  return true;
}

struct ChangeCounter {
  explicit ChangeCounter(core::ModDefinitions& defs) : defs(defs) {
    id = defs.Subscribe([this](unsigned changes, const void*) {
      heard |= changes;
      ++count;
    });
  }
  ~ChangeCounter() { defs.Unsubscribe(id); }
  core::ModDefinitions& defs;
  int id = 0;
  unsigned heard = 0;
  int count = 0;
};

}  // namespace

class FrmMapEdSquaresTest : public QObject {
  Q_OBJECT

 private slots:
  void aClickSelectsTheSquareUnderThePointer() {
    MainWindow w;
    QVERIFY(frameShownAt(w, 1, 0));
    w.defs->SpecialsOffset = 2;
    ChangeCounter changes(*w.defs);
    w.clickSquare(5, 7);
    QCOMPARE(w.selected(), QPoint(5, 7));
    QCOMPARE(w.defs->SpecialsOffset, 0);
    QCOMPARE(w.text("Label13_1"), QString("5X, 7Y"));
    QVERIFY(frameShownAt(w, 5, 7));
    QVERIFY(!frameShownAt(w, 1, 0));
    QVERIFY(changes.heard & core::SelectionChanged);
    QVERIFY(!(changes.heard & core::MapChanged));

    // The edges of a cell belong to it: pixel 13x is column x, pixel 13x + 12 too.
    w.clickViewPixel(QPoint(13 * 32, 13 * 2 + 12));
    QCOMPARE(w.selected(), QPoint(32, 2));
  }

  void clicksBesideTheGridAreIgnored_data() {
    QTest::addColumn<QPoint>("pixel");
    QTest::newRow("right strip") << QPoint(429, 5);
    QTest::newRow("bottom strip") << QPoint(5, 430);
    QTest::newRow("far corner") << QPoint(433, 433);
  }
  void clicksBesideTheGridAreIgnored() {
    QFETCH(QPoint, pixel);
    MainWindow w;
    const core::MapRecord before = w.defs->Map;
    ChangeCounter changes(*w.defs);
    w.clickViewPixel(pixel, Qt::RightButton);
    w.clickViewPixel(pixel);
    QCOMPARE(w.selected(), QPoint(1, 0));
    QVERIFY(w.defs->Map == before);
    QCOMPARE(changes.count, 0);
  }

  // The designer's wall brush: a right click copies the selected square's whole word onto the
  // clicked square and selects it; specials stay where they are.
  void aRightClickCopiesTheSelectedSquare() {
    MainWindow w;
    core::MapRecord& map = w.defs->Map;
    map.SetSquare(1, 0, static_cast<std::int16_t>(0xA123));  // bits 12..15 travel too
    map.SetSquare(4, 4, 0x0010);
    putSpecial(map, 0, 4, 1, 0, 11);
    putSpecial(map, 1, 4, 4, 4, 22);
    w.window->RefreshMainWindow();
    ChangeCounter changes(*w.defs);

    w.clickSquare(4, 4, Qt::RightButton);
    QCOMPARE(map.Square(4, 4), static_cast<std::int16_t>(0xA123));
    QCOMPARE(map.Square(1, 0), static_cast<std::int16_t>(0xA123));
    QCOMPARE(map.SpecialsOnSquare(1, 0), std::vector<int>{0});
    QCOMPARE(map.SpecialsOnSquare(4, 4), std::vector<int>{1});
    QCOMPARE(w.selected(), QPoint(4, 4));
    QCOMPARE(w.text("Label16_0"), QString("Wall5"));  // North code 1 + 4
    QCOMPARE(w.text("Label15_0"), QString("Text 22 "));
    QVERIFY(changes.heard & core::MapChanged);

    // A left click with the right button held is the same gesture.
    QWidget* picMap = w.control<QWidget>("picMap");
    QTest::mousePress(picMap, Qt::RightButton, {}, QPoint(13 * 6 + 3, 3));
    QTest::mouseClick(picMap, Qt::LeftButton, {}, QPoint(13 * 6 + 3, 3));
    QCOMPARE(map.Square(6, 0), static_cast<std::int16_t>(0xA123));
    QTest::mouseRelease(picMap, Qt::RightButton, {}, QPoint(13 * 6 + 3, 3));

    // A plain click copies nothing.
    w.clickSquare(9, 9);
    QCOMPARE(map.Square(9, 9), 0);
  }

  void arrowKeysMoveTheSelectionWithoutCopying() {
    MainWindow w;
    QWidget* picMap = w.control<QWidget>("picMap");
    w.defs->Map.SetSquare(1, 0, 0x0F0F);
    w.clickSquare(1, 0);
    w.defs->SpecialsOffset = 1;
    QTest::keyClick(picMap, Qt::Key_Right);
    QCOMPARE(w.selected(), QPoint(2, 0));
    QCOMPARE(w.defs->SpecialsOffset, 0);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Left}) QTest::keyClick(picMap, key);
    QCOMPARE(w.selected(), QPoint(1, 2));
    QCOMPARE(w.text("Label13_1"), QString("1X, 2Y"));
    QVERIFY(frameShownAt(w, 1, 2));
    QCOMPARE(w.defs->Map.Square(2, 0), 0);
    QCOMPARE(w.defs->Map.Square(1, 2), 0);

    // The selection stops at the edges of the grid.
    w.clickSquare(0, 32);
    QTest::keyClick(picMap, Qt::Key_Left);
    QTest::keyClick(picMap, Qt::Key_Down);
    QCOMPARE(w.selected(), QPoint(0, 32));
  }

  // Nothing, Wall1..Wall5, Door1, Door2, Nothing: eight clicks come back; the others stay.
  void sideLabelsCycleTheWallCodes() {
    MainWindow w;
    w.defs->Map.SetSquare(1, 0, 0x0C82);  // North Nothing, East Wall1, South Wall4, West Door1
    w.window->RefreshMainWindow();
    const QStringList cycle = {"Wall1", "Wall2", "Wall3", "Wall4",
                               "Wall5", "Door1", "Door2", "Nothing"};
    for (const QString& name : cycle) {
      w.click("Label16_0");
      QCOMPARE(w.text("Label16_0"), name);
      QCOMPARE(w.text("Label16_2"), QString("Wall4"));
    }
    QCOMPARE(w.defs->Map.Square(1, 0), 0x0C82);
    QCOMPARE(w.defs->Map.Square(1, 1), 0);  // the neighbour keeps its own code

    w.defs->Map.SetSquare(1, 0, 0x0022);  // East code 3
    w.window->RefreshMainWindow();
    QCOMPARE(w.text("Label16_1"), QString("Wall3"));
    w.click("Label16_1");
    QCOMPARE(w.defs->Map.Square(1, 0), 0x0200);
    QCOMPARE(w.text("Label16_1"), QString("Wall4"));
  }

  void specialsListScrollsWithinItsLimits() {
    MainWindow w;
    putSpecial(w.defs->Map, 3, 4, 1, 0, 3);
    putSpecial(w.defs->Map, 8, 6, 1, 0, 8);
    putSpecial(w.defs->Map, 9, 4, 2, 2, 9);
    w.window->RefreshMainWindow();
    QCOMPARE(w.text("Label15_0"), QString("Text 3 "));
    QCOMPARE(w.text("Label15_1"), QString("Set Flag 8"));
    QCOMPARE(w.text("Label14_4"), QString("Specials:  3 of 100"));

    w.click("SpecialsUp");
    QCOMPARE(w.defs->SpecialsOffset, 0);
    QCOMPARE(w.text("Label15_0"), QString("Text 3 "));
    w.click("SpecialsDown");
    QCOMPARE(w.text("Label15_0"), QString("Set Flag 8"));
    w.click("SpecialsDown");
    w.click("SpecialsDown");  // no further than the empty line after the last special
    QCOMPARE(w.defs->SpecialsOffset, 2);
    for (int line = 0; line < 4; ++line)
      QCOMPARE(w.text(QString("Label15_%1").arg(line)), QString());
    w.click("SpecialsUp");
    QCOMPARE(w.defs->SpecialsOffset, 1);
  }

  // Entries 4, 9 and 30 on the square, offset 1: line 1 is entry 30, line 2 the lowest free.
  void aSpecialsLineOpensItsEntry() {
    MainWindow w;
    core::MapRecord& map = w.defs->Map;
    putSpecial(map, 0, 1, 10, 10);  // elsewhere
    putSpecial(map, 1, -1, 1, 0);   // a negative kind is neither listed nor free
    for (int entry : {4, 9, 30}) putSpecial(map, entry, 4, 1, 0, entry);
    w.window->RefreshMainWindow();
    w.click("SpecialsDown");
    QCOMPARE(w.text("Label15_1"), QString("Text 30 "));

    // Without the special editor in this build nothing opens, and nothing is said.
    w.click("Label15_1");
    QCOMPARE(w.defs->CurrentSpecial, 30);
    QCOMPARE(w.defs->SpecialReload, 1);
    QVERIFY(w.dialogs.shown().empty());

    w.addStandIn("frmMapSpe");
    w.defs->SpecialReload = 0;
    w.click("Label15_2");
    QCOMPARE(w.defs->CurrentSpecial, 2);
    QCOMPARE(w.defs->SpecialReload, 1);
    QVERIFY(w.standIn("frmMapSpe"));
    QCOMPARE(w.standIn("frmMapSpe")->paints, 1);
    // Already open: it is raised and loads the newly chosen entry.
    w.click("Label15_0");
    QCOMPARE(w.defs->CurrentSpecial, 9);
    QCOMPARE(w.standIn("frmMapSpe")->paints, 2);
    QVERIFY(w.window->isVisible());
  }

  void aFullTableOpensNothingFromAnEmptyLine() {
    MainWindow w;
    for (int i = 0; i < core::SpecialCount; ++i) putSpecial(w.defs->Map, i, 6, 20, 20, i);
    w.addStandIn("frmMapSpe");
    w.window->RefreshMainWindow();
    QCOMPARE(w.text("Label14_4"), QString("Specials:  101 of 100"));
    w.defs->CurrentSpecial = 7;
    w.click("Label15_0");
    QCOMPARE(w.defs->CurrentSpecial, 7);
    QCOMPARE(w.defs->SpecialReload, 0);
    QVERIFY(!w.standIn("frmMapSpe"));
  }

  void encounterLabelsHandTheSlotOver() {
    MainWindow w;
    w.click("Label11_3");
    QCOMPARE(w.defs->EncounterSlot, 3);
    QVERIFY(w.dialogs.shown().empty());
    w.addStandIn("frmMapEnc");
    for (const char* label : {"Label9_10", "Label10_10", "Label12_10"}) {
      w.defs->EncounterSlot = 0;
      w.click(label);
      QCOMPARE(w.defs->EncounterSlot, 10);
    }
    QVERIFY(w.standIn("frmMapEnc"));
  }

  // Another window's change shows once its handler has returned, not in the middle of it.
  void anotherWindowsChangeRepaintsTheMainWindow() {
    MainWindow w;
    int otherWindow = 0;
    w.defs->Map.GraphicSet = 9;
    w.defs->Map.SetEncounter(4, core::EncounterField::Creature, 3);
    w.defs->NotifyChanged(core::MapChanged, &otherWindow);
    QCOMPARE(w.text("Label4"), QString("2"));
    QTRY_COMPARE(w.text("Label4"), QString("9"));
    QCOMPARE(w.text("Label10_4"), QString("Beast 3             "));

    w.defs->SelectedX = 7;
    w.defs->NotifyChanged(core::SelectionChanged, &otherWindow);
    QTRY_COMPARE(w.text("Label13_1"), QString("7X, 0Y"));
  }
};

REGISTER_TEST(FrmMapEdSquaresTest);
#include "test_frm_map_ed_squares.moc"
