// Square selection and editing through the map view, the square's labels and the keyboard, and
// the Edit menu's undo and redo.
#include "main_window_fixture.h"
#include "support/test_registry.h"

#include <QApplication>

using main_window_test::MainWindow;
using test_support::putSpecial;

class FrmMapEdSquaresTest : public QObject {
  Q_OBJECT

 private slots:
  // A click selects the square under the pointer (its edges belong to it); clicks beside the
  // grid do nothing; arrows move the selection up to the edges of the grid; none changes the map.
  void clicksAndArrowsSelectASquare() {
    MainWindow w;
    const core::MapRecord before = w.defs->Document().Map();
    for (const QPoint pixel : {QPoint(429, 5), QPoint(5, 430), QPoint(433, 433)}) {
      w.clickViewPixel(pixel, Qt::RightButton);
      w.clickViewPixel(pixel);
    }
    QCOMPARE(w.selected(), QPoint(1, 0));
    w.defs->SpecialsOffset = 2;
    w.clickSquare(5, 7);
    QCOMPARE(w.defs->SpecialsOffset, 0);
    QCOMPARE(w.text("Label13_1"), QString("5X, 7Y"));
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left})
      QTest::keyClick(w.control<QWidget>("picMap"), key);
    QCOMPARE(w.selected(), QPoint(5, 9));
    QVERIFY(w.viewShowsTheMap());
    w.clickViewPixel(QPoint(13 * 32 + 12, 13 * 0));
    QTest::keyClick(w.control<QWidget>("picMap"), Qt::Key_Right);
    QTest::keyClick(w.control<QWidget>("picMap"), Qt::Key_Up);
    QCOMPARE(w.selected(), QPoint(32, 0));
    QVERIFY(w.defs->Document().Map() == before);
  }

  // The designer's wall brush: a right click (or a left click with the right button held)
  // copies the selected square's whole word onto the clicked square and selects it; specials
  // stay where they are.
  void aRightClickCopiesTheSelectedSquare() {
    MainWindow w;
    const core::MapRecord& map = w.defs->Document().Map();
    test_support::editMap(*w.defs, [](core::MapRecord& edited) {
      edited.SetSquare(1, 0, static_cast<std::int16_t>(0xA123));  // bits 12..15 travel too
      putSpecial(edited, 1, 4, 4, 4, 22);
    });
    w.clickSquare(4, 4, Qt::RightButton);
    QCOMPARE(map.Square(4, 4), static_cast<std::int16_t>(0xA123));
    w.expectTexts({{"Label13_1", "4X, 4Y"}, {"Label16_0", "Wall5"}, {"Label15_0", "Text 22 "}});
    QWidget* picMap = w.control<QWidget>("picMap");
    QTest::mousePress(picMap, Qt::RightButton, {}, QPoint(13 * 6 + 3, 3));
    QTest::mouseClick(picMap, Qt::LeftButton, {}, QPoint(13 * 6 + 3, 3));
    QTest::mouseRelease(picMap, Qt::RightButton, {}, QPoint(13 * 6 + 3, 3));
    QCOMPARE(map.Square(6, 0), static_cast<std::int16_t>(0xA123));
    w.clickSquare(9, 9);
    QCOMPARE(map.Square(9, 9), 0);
  }

  // A click steps a side on through the eight codes and back; a Shift click steps it back.
  void sideLabelsCycleTheWallCodes() {
    MainWindow w;
    // North Nothing, East Wall1, South Wall4, West Door1
    test_support::editMap(*w.defs, [](core::MapRecord& map) { map.SetSquare(1, 0, 0x0C82); });
    for (const char* name :
         {"Wall1", "Wall2", "Wall3", "Wall4", "Wall5", "Door1", "Door2", "Nothing"}) {
      w.click("Label16_0");
      QCOMPARE(w.text("Label16_0"), QString(name));
    }
    QTest::mouseClick(w.control("Label16_1"), Qt::LeftButton, Qt::ShiftModifier);
    QTest::mouseClick(w.control("Label16_1"), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(w.text("Label16_1"), QString("Door2"));
    QCOMPARE(w.defs->Document().Map().Square(1, 0), 0x0EA2);  // East Door2, the others kept
  }

  // The lines list the square's specials in use from the offset; up stops at the top, down at
  // the empty line after the last. A line opens its entry in the special editor (raised and
  // reloaded when open), the empty line the lowest free entry, none when the table is full;
  // without the editor in the build nothing opens and nothing is said.
  void specialsLinesAndTheirButtons() {
    MainWindow w;
    test_support::editMap(*w.defs, [](core::MapRecord& map) {
      putSpecial(map, 1, -1, 1, 0);  // neither listed nor counted nor free
      putSpecial(map, 3, 5, 1, 0, 0, 32767);
      putSpecial(map, 8, 6, 1, 0, 8);
      putSpecial(map, 9, 4, 2, 2, 9);
    });
    w.expectTexts({{"Label15_0", "Encounter 32767 (no creature)"}, {"Label15_1", "Set Flag 8"}});
    QCOMPARE(w.text("Label14_4"), QString("Specials:  3 of 100"));
    const ui::Label* line = w.control("Label15_0");
    QVERIFY(line->sizeHint().width() > line->fontMetrics().horizontalAdvance(line->text()));
    auto* up = w.control<ui::Button>("SpecialsUp");
    auto* down = w.control<ui::Button>("SpecialsDown");
    const auto states = [&] { return std::pair(up->isEnabled(), down->isEnabled()); };
    QCOMPARE(states(), std::pair(false, true));
    w.click("SpecialsDown");
    w.click("Label15_0");
    QCOMPARE(w.defs->CurrentSpecial, 8);
    QVERIFY(w.dialogs.shown().empty());
    w.addStandIn("frmMapSpe");
    w.click("Label15_1");
    QCOMPARE(w.defs->CurrentSpecial, 0);
    down->click();
    down->click();  // a click from code when disabled does nothing either
    QCOMPARE(w.text("Label15_0"), QString());
    QCOMPARE(states(), std::pair(true, false));
    w.click("SpecialsUp");
    w.click("Label15_0");
    QCOMPARE(w.defs->CurrentSpecial, 8);
    QCOMPARE(w.defs->SpecialReload, 1);
    QCOMPARE(w.standIn("frmMapSpe")->paints, 2);
    test_support::editMap(*w.defs, [](core::MapRecord& map) {
      for (int i = 0; i < core::SpecialCount; ++i)
        if (map.Special(i, core::SpecialField::Kind) == 0) putSpecial(map, i, 6, 20, 20, i);
    });
    w.click("Label15_1");
    QCOMPARE(w.defs->CurrentSpecial, 8);
    w.clickSquare(5, 5);  // a square without specials
    QCOMPARE(states(), std::pair(false, false));
  }

  // The map view has the focus from the start and Tab goes on to the labels; Space and Enter
  // click, Shift+Enter steps a side back.
  void keyboardReachesTheClickableLabels() {
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
      QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    MainWindow w;
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    QCOMPARE(QApplication::focusWidget(), w.control<QWidget>("picMap"));
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.control<QWidget>("Label2"));
    w.control("Label16_0")->setFocus();
    press(Qt::Key_Space);
    QCOMPARE(w.text("Label16_0"), QString("Wall1"));
    press(Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(w.text("Label16_0"), QString("Nothing"));
    w.addStandIn("frmMapEnc");
    w.control("Label10_4")->setFocus();
    press(Qt::Key_Enter);
    QCOMPARE(w.defs->EncounterSlot, 4);
    QVERIFY(w.standIn("frmMapEnc"));
  }

  // Each of the window's own steps is named in the Edit menu, taken back (Ctrl+Z) and done
  // again; undoing back to the map as saved leaves nothing to ask about.
  void eachStepIsUndoneAndRedone() {
    const std::pair<const char*, const char*> steps[] = {
        {"Label16_3", "West Wall"}, {"Label2", "Map Number"}, {"picMap", "Copy Square"}};
    for (const auto& [control, label] : steps) {
      MainWindow w;
      core::MapRecord start = w.defs->Document().Map();
      start.SetSquare(1, 0, 0x0123);  // something to copy
      w.defs->Document().Replace(start, 1);
      w.trigger("mnuSave");
      const core::MapRecord saved = w.defs->Document().Map();
      w.dialogs.answerInput(" 9");
      if (QString(control) == "picMap") w.clickSquare(1, 1, Qt::RightButton);
      if (QString(control) != "picMap")
        QTest::mouseClick(w.control(control), Qt::LeftButton, Qt::ShiftModifier);
      const core::MapRecord after = w.defs->Document().Map();
      QCOMPARE(w.action("mnuUndo")->text(), QString("&Undo ") + label);
      w.activate();
      QTest::keyClick(w.control<QWidget>("picMap"), Qt::Key_Z, Qt::ControlModifier);
      QVERIFY(w.defs->Document().Map() == saved && !w.action("mnuUndo")->isEnabled());
      QCOMPARE(w.text("Label2") + w.text("Label4"), QString("12"));
      QCOMPARE(w.action("mnuRedo")->text(), QString("&Redo ") + label);
      w.trigger("mnuRedo");
      QVERIFY(w.defs->Document().Map() == after);
      w.trigger("mnuUndo");
      w.dialogs.clearShown();
      w.trigger("mnuNew");
      QVERIFY(w.dialogs.shown().empty());
    }
  }
};

REGISTER_TEST(FrmMapEdSquaresTest);
#include "test_frm_map_ed_squares.moc"
