// What the special square editor stores: at each change of a field with a handler and at "OK",
// into the map record, the main window and, after its Save, Maps.dat.
#include "special_editor_fixture.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

using special_editor_test::Editor;
using special_editor_test::makeSpecial;
using special_editor_test::withCondition;

class FrmMapSpeStoreTest : public QObject {
  Q_OBJECT

 private slots:
  // A kind change keeps only kind and square, as one step: Ctrl+Z in the editor brings the
  // fields back, and the editor shows them at once.
  void aKindChangeIsOneUndoStep() {
    Editor w;
    const core::MapSpecial before = withCondition(makeSpecial(5, 3, 4, 2, 100), 6, 2, 8);
    w.openSpecial(before, 7);
    w.defs->StartMapHistory();  // the special as if loaded with the map
    w.choose("Combo1", 4);
    QCOMPARE(w.special(), makeSpecial(4));
    QCOMPARE(w.described(), special_editor_test::showText("Map 1", 50, 0, "0"));
    QCoreApplication::processEvents();  // the main window repaints after the store
    QCOMPARE(w.action("mnuUndo")->text(), QString("&Undo Special 7"));
    w.editor()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.editor()));
    QTest::keyClick(w.editor(), Qt::Key_Z, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QCOMPARE(w.special(), before);
    QCOMPARE(w.list("Combo1")->position(), 5);
  }

  // The condition part appears and goes with Text2; hidden, it stores "None" and 0 whatever its
  // boxes held before.
  void theConditionFollowsItsFlag() {
    Editor w;
    w.openSpecial(makeSpecial(4, 1));
    QVERIFY(!w.shown("Combo7"));
    w.typeAtEnd("Text2", "3");
    QVERIFY(w.shown("Combo7") && w.shown("Text4"));
    QCOMPARE(w.list("Combo7")->currentText(), QString("None"));
    QCOMPARE(w.box("Text4")->text(), QString("0"));
    w.choose("Combo7", 3);  // no handler: stored with the next change
    w.replaceText("Text4", "5");
    w.ok();
    QCOMPARE(w.special(), withCondition(makeSpecial(4, 1), 3, 3, 5));

    w.openLine(0);
    w.clearBox("Text2");
    QVERIFY(!w.shown("Combo7") && !w.shown("Text4") && w.caption("Label7").isEmpty());
    QCOMPARE(w.special(), makeSpecial(4, 1));
    w.typeAtEnd("Text2", "2");
    QCOMPARE(w.special(), withCondition(makeSpecial(4, 1), 2, 0, 0));
    QCOMPARE(w.box("Text4")->text(), QString("0"));
  }

  // Typing is left as typed while it reads as what was stored: no snapping, no jumping cursor.
  // "View" shows the picture number, an open viewer the new number.
  void typingIsLeftAsTypedAndViewed() {
    Editor w;
    w.openSpecial(makeSpecial(3, 12));
    QTest::mouseClick(w.in("Command2"), Qt::LeftButton);
    QCOMPARE(w.standIn("frmMapBit")->paints, 1);
    w.clearBox("Text1");
    QCOMPARE(w.special().Param1, 0);
    QTest::keyClicks(w.box("Text1"), "-");
    QCOMPARE(w.box("Text1")->text(), QString("-"));
    QTest::keyClicks(w.box("Text1"), "45");
    QCOMPARE(w.box("Text1")->textCursor().position(), 3);
    QCOMPARE(w.special().Param1, -45);
    QTest::keyClick(w.box("Text1"), Qt::Key_Home);
    QTest::keyClick(w.box("Text1"), Qt::Key_Delete);
    QCOMPARE(w.box("Text1")->text(), QString("45"));
    QCOMPARE(w.box("Text1")->textCursor().position(), 0);
    QCOMPARE(w.special().Param1, 45);
    QTest::mouseClick(w.in("Command2"), Qt::LeftButton);
    QCOMPARE(w.standIn("frmMapBit")->paints, 2);
    QCOMPARE(w.defs->CurrentSpecial, 0);
  }

  // A list without a handler is stored by "OK" alone, not by closing. A box that cannot be
  // stored keeps its field and its text, and "OK" says so and stays. Only Save writes the file.
  void okStoresWhatCanBeStored() {
    Editor w;
    w.openSpecial(makeSpecial(1, 2, 3, 4, 0));
    w.choose("Combo5", 3);
    QTest::keyClick(w.box("Text5"), Qt::Key_Escape);
    QVERIFY(!w.editor());
    QCOMPARE(w.special().Param4, 0);
    w.openLine(0);
    w.choose("Combo5", 3);
    const auto before = test_support::mapSlotBytes(w.mapsFile(), 1);
    QTest::keyClick(w.box("Text5"), Qt::Key_Return);  // Enter is "OK"
    QVERIFY(!w.editor());
    QCOMPARE(w.special().Param4, 3);
    QCOMPARE(test_support::mapSlotBytes(w.mapsFile(), 1), before);

    w.openLine(0);
    w.replaceText("Text5", "east");
    w.replaceText("Text3", "7");  // hidden for this kind: never read
    w.clearBox("Text1");
    QCOMPARE(w.special(), makeSpecial(1, 2, 3, 4, 3));
    w.typeAtEnd("Text1", "9");
    QCOMPARE(w.special(), makeSpecial(1, 9, 3, 4, 3));
    QVERIFY(w.box("Text5")->property("refused").toBool());
    QCOMPARE(w.box("Text5")->text(), QString("east"));
    w.replaceText("Text6", "40000");
    w.ok();
    QVERIFY(w.editor());
    QCOMPARE(
        w.messages(),
        std::vector<QString>{"\"MapX\" must be a whole number from -32768 to 32767; it keeps 3.\n"
                             "\"MapY\" must be a whole number from -32768 to 32767; it keeps 4."});
    w.replaceText("Text5", " 6 ");
    w.replaceText("Text6", "-32768");
    w.ok();
    QVERIFY(!w.editor());
    QCOMPARE(w.special(), makeSpecial(1, 9, 6, -32768, 3));
  }

  // A stored value beyond its list stays until the designer changes that field; a new building
  // chooses no shop or temple yet.
  void valuesBeyondTheListsAreKept() {
    const struct {
      core::MapSpecial special;
      const char* list;
      int choice;
      core::MapSpecial afterChoice;
    } cases[] = {
        {makeSpecial(5, 40, 1, 7), "Combo3", 2, makeSpecial(5, 2, 1, 7)},
        {makeSpecial(2, 9, 4), "Combo2", 0, makeSpecial(2, 0, 0)},
        {makeSpecial(2, 1, 2), "Combo2", 2, makeSpecial(2, 2, 0)},
        {makeSpecial(8, 5, 30, 6, 2), "Combo3", 1, makeSpecial(8, 1, 30, 6, 2)},
        {withCondition(makeSpecial(12, 1, 2, 3, 4), 0, 0, 0), "Combo1", 3, makeSpecial(3)}};
    for (const auto& c : cases) {
      Editor w;
      w.openSpecial(c.special);
      w.ok();
      QCOMPARE(w.special(), c.special);
      w.openLine(0);
      w.choose(c.list, c.choice);
      QCOMPARE(w.special(), c.afterChoice);
    }
  }

  // A new special made on an empty line reaches the main window at once and Maps.dat by Save;
  // a store moves it to the square selected since.
  void aNewSpecialReachesMapsDat() {
    Editor w;
    test_support::putSpecial(w.defs->Map, 0, 4, 1, 0, 2);  // entry 0 in use on this square
    w.openLine(1);
    QCOMPARE(w.described(), QString());
    w.choose("Combo1", 6);
    w.replaceText("Text1", "7");
    w.choose("Combo3", 2);
    w.replaceText("Text3", "9");
    w.ok();
    w.hub->flush();
    QCOMPARE(w.text("Label15_1"), QString("Set Flag 7"));
    QCOMPARE(w.text("Label14_4"), QString("Specials:  2 of 100"));
    w.dialogs.answerSave(ui::Dialogs::SaveChoice::Cancel);
    w.trigger("mnuNew");  // the unsaved-changes question covers the edit
    QCOMPARE(w.dialogs.shown().size(), std::size_t{1});
    QCOMPARE(w.special(), makeSpecial(6, 7, 2, 9));
    w.openLine(1);
    w.clickSquare(4, 5);
    w.typeAtEnd("Text1", "1");
    w.hub->flush();
    QCOMPARE(w.text("Label15_0"), QString("Set Flag 71"));
    core::MapSpecial moved = makeSpecial(6, 71, 2, 9);
    moved.SquareX = 4;
    moved.SquareY = 5;
    w.trigger("mnuSave");
    const auto bytes = test_support::mapSlotBytes(w.mapsFile(), 1);
    QCOMPARE(core::MapRecord::unpack(bytes).GetSpecial(1), moved);
  }
};

REGISTER_TEST(FrmMapSpeStoreTest);
#include "test_frm_map_spe_store.moc"
