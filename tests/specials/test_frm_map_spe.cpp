// The special square editor: what it shows for each kind, its lists and its preview; and what it
// stores at each change of a field with a handler and at "OK", into the map record, the main
// window and, after its Save, Maps.dat.
#include "special_editor_fixture.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QWindow>

using special_editor_test::Editor;
using special_editor_test::makeSpecial;
using special_editor_test::withCondition;

class FrmMapSpeTest : public QObject {
  Q_OBJECT

 private slots:
  // One row per kind: the captions, boxes and lists shown, with their texts and positions.
  void eachKindShowsItsFields_data() {
    QTest::addColumn<core::MapSpecial>("special");
    QTest::addColumn<int>("kindPosition");
    QTest::addColumn<QString>("expected");
    const QString shop = "Label2=Building|Label3=Shop|Label6=Flag|Text2=0|Combo2=1/4|";
    QTest::newRow("0 Nothing") << makeSpecial(0) << 0 << "";
    QTest::newRow("1 Exit to Map") << makeSpecial(1, 2, 5, 7, 3) << 1
                                   << "Label2=Map|Label3=MapX|Label4=MapY|Label5=Facing|"
                                      "Label6=Flag|Text1=2|Text2=0|Text5=5|Text6=7|Combo5=3/5";
    QTest::newRow("2 Exit to a shop") << makeSpecial(2, 1, 2) << 2 << shop + "Combo3=1/2";
    QTest::newRow("2 Exit to a temple")
        << makeSpecial(2, 2, 2) << 2
        << "Label2=Building|Label3=Temple|Label6=Flag|Text2=0|Combo2=2/4|Combo4=2/3";
    QTest::newRow("3 Draw Picture")
        << makeSpecial(3, 12, 5) << 3
        << "Label2=Pic Num.|Label5=When Facing|Label6=Flag|Text1=12|Text2=0|Combo5=5/16|Command2";
    QTest::newRow("4 Show Text") << makeSpecial(4, 0, 15) << 4
                                 << special_editor_test::showText("Map 1", 50, 0, "15");
    QTest::newRow("5 Encounter")
        << makeSpecial(5, 3, 4, 2, 100) << 5
        << "Label2=Number|Label4=Creature|Label5=Treasure|Label6=Flag|Label9=Gold|Text1=4|"
           "Text2=0|Text3=100|Combo3=3/4|Combo5=2/3";
    QTest::newRow("6 Set Flag with a condition")
        << withCondition(makeSpecial(6, 7, 2, 9), 4, 3, -2) << 6
        << "Label2=Flag|Label4=When|Label6=Flag|Label7=Condition|Label9=Value|Label10=Value|"
           "Text1=7|Text2=4|Text3=9|Text4=-2|Combo3=2/3|Combo7=3/6";
    QTest::newRow("7 Show Long Text")
        << makeSpecial(7, 10) << 7
        << special_editor_test::showText("The last long text of map 1", 1000, 10, "0");
    QTest::newRow("8 Reward of gold")
        << makeSpecial(8, 1, 25, 1) << 8
        << "Label4=What|Label5=Who|Label6=Flag|Label9=How Much|Text2=0|Text3= 25|Combo3=1/3|"
           "Combo5=1/2";
    QTest::newRow("beyond the lists") << makeSpecial(2, 1, 40) << 2 << shop + "Combo3=-1/2";
    QTest::newRow("a kind beyond the list") << makeSpecial(9, 4) << -1 << "Label6=Flag|Text2=0";
  }
  void eachKindShowsItsFields() {
    QFETCH(core::MapSpecial, special);
    QFETCH(int, kindPosition);
    QFETCH(QString, expected);
    Editor w;
    w.openSpecial(special);
    QCOMPARE(w.defs->SpecialReload, 0);
    QCOMPARE(w.list("Combo1")->position(), kindPosition);
    QCOMPARE(w.described(), expected);
    QCOMPARE(w.special(), special);  // showing stored nothing
  }

  // The lists come from the name caches, names without their trailing blanks; no working record
  // moves. The text preview follows the number typed.
  void catalogueListsAndPreview() {
    Editor w;
    QVERIFY(w.defs->ReadShopPair(2).ok());
    QVERIFY(w.defs->ReadCreaturePair(1).ok());
    const core::ShopRecord shop = w.defs->Shop;
    const core::CreatureRecord creature = w.defs->Creature;
    w.openSpecial(makeSpecial(2, 1, 1));
    QCOMPARE(w.editor()->windowTitle(), QString("Special 0 at 1X, 0Y"));
    // Owned by the main window, it stays above the map.
    QCOMPARE(w.editor()->parentWidget(), w.window.data());
    QVERIFY(w.editor()->isWindow());
    QCOMPARE(w.editor()->windowHandle()->transientParent(), w.window->windowHandle());
    QCOMPARE(w.list("Combo3")->itemText(1), QString("Store 2"));
    w.choose("Combo1", 5);
    QCOMPARE(w.list("Combo3")->itemText(3), QString("Beast 3"));
    QCOMPARE(w.list("Combo5")->itemText(2), QString("Blade 2"));
    QVERIFY(w.defs->Shop == shop);
    QVERIFY(w.defs->Creature == creature);

    // The creature editor renames creature 1: the list follows, typing not yet stored stays.
    w.replaceText("Text3", "77");
    w.defs->Creature.CreatureName = "Wolf";
    QVERIFY(w.defs->WriteCreature().ok());
    w.defs->NotifyChanged(core::CreaturesChanged);
    w.hub->flush();
    QCOMPARE(w.list("Combo3")->itemText(1), QString("Wolf"));
    QCOMPARE(w.box("Text3")->text(), QString("77"));

    test_support::editMap(*w.defs,
                          [&](core::MapRecord& map) { map.SetText(3, "Beware the stairs"); });
    w.choose("Combo1", 4);
    w.replaceText("Text1", "3");
    QCOMPARE(w.caption("Label8"), QString("Beware the stairs").leftJustified(50));
    w.typeAtEnd("Text1", "0");  // text 30 is all blanks
    QCOMPARE(w.caption("Label8"), QString(50, ' '));
    w.typeAtEnd("Text1", "0");  // 300: beyond the texts, kept with no preview
    QCOMPARE(w.caption("Label8"), QString());
    QCOMPARE(w.special().Param1, 300);
  }

  // A kind change keeps only kind and square, as one step: Ctrl+Z in the editor brings the
  // fields back, and the editor shows them at once.
  void aKindChangeIsOneUndoStep() {
    Editor w;
    const core::MapSpecial before = withCondition(makeSpecial(5, 3, 4, 2, 100), 6, 2, 8);
    w.openSpecial(before, 7);
    w.choose("Combo1", 4);
    QCOMPARE(w.special(), makeSpecial(4));
    QCOMPARE(w.described(), special_editor_test::showText("Map 1", 50, 0, "0"));
    QCoreApplication::processEvents();  // the main window repaints after the store
    QCOMPARE(w.action("mnuUndo")->text(), QString("&Undo Special 7"));
    w.activate(w.editor());
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
    QCOMPARE(w.box("Text1")->cursorPosition(), 3);
    QCOMPARE(w.special().Param1, -45);
    QTest::keyClick(w.box("Text1"), Qt::Key_Home);
    QTest::keyClick(w.box("Text1"), Qt::Key_Delete);
    QCOMPARE(w.box("Text1")->text(), QString("45"));
    QCOMPARE(w.box("Text1")->cursorPosition(), 0);
    QCOMPARE(w.special().Param1, 45);
    QTest::mouseClick(w.in("Command2"), Qt::LeftButton);
    QCOMPARE(w.standIn("frmMapBit")->paints, 2);
    QCOMPARE(w.defs->CurrentSpecial, 0);
    w.in("Command2")->setFocus();
    QTest::keyClick(w.in("Command2"), Qt::Key_Return);  // Enter on "View" views, not "OK"
    QCOMPARE(w.standIn("frmMapBit")->paints, 3);
    QVERIFY(w.editor());
  }

  // Text1's typing is stored as the map's steps as it is typed: Ctrl+Z and Ctrl+Y there move
  // through those steps and never record one. A box stored only by "OK" takes back its own
  // typing first, then the map's last step.
  void undoKeysInTheBoxes() {
    Editor w;
    w.openSpecial(makeSpecial(5, 1, 4, 2, 100));  // Text1: number, Text3: gold
    test_support::startHistory(*w.defs);
    w.activate(w.editor());
    const auto key = [&w](const char* box, Qt::KeyboardModifiers modifiers, Qt::Key k) {
      QTest::keyClick(w.box(box), k, modifiers);
      main_window_test::settle();
    };
    w.typeAtEnd("Text1", "2");
    QCOMPARE(w.special().Param2, 42);
    key("Text1", Qt::ControlModifier, Qt::Key_Z);
    QCOMPARE(w.special().Param2, 4);
    QCOMPARE(w.box("Text1")->text(), QString("4"));
    QVERIFY(w.defs->Document().History().CanRedo());
    key("Text1", Qt::ControlModifier, Qt::Key_Y);
    QCOMPARE(w.box("Text1")->text(), QString("42"));

    w.typeAtEnd("Text3", "7");
    key("Text3", Qt::ControlModifier, Qt::Key_Z);
    QCOMPARE(w.box("Text3")->text(), QString("100"));
    QCOMPARE(w.special().Param2, 42);
    key("Text3", Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    QCOMPARE(w.box("Text3")->text(), QString("1007"));
    key("Text3", Qt::ControlModifier, Qt::Key_Z);
    key("Text3", Qt::ControlModifier, Qt::Key_Z);  // no typing left: the map's step
    QCOMPARE(w.special().Param2, 4);
    QCOMPARE(w.defs->Document().History().StepCount(), std::size_t{1});
  }

  // The caption names the square the special is on; typing stores it there. "OK" after another
  // square was selected asks: Move and Keep Place store the window as one step, Cancel stores
  // nothing and keeps the window open.
  void okAsksBeforeMovingTheSpecial_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QPoint>("square");
    QTest::addColumn<QString>("undoEntry");
    using Choice = ui::Dialogs::MoveChoice;
    QTest::newRow("Move") << int(Choice::Move) << QPoint(14, 2) << "&Undo Move Special 12";
    QTest::newRow("Keep Place") << int(Choice::KeepPlace) << QPoint(16, 15) << "&Undo Special 12";
    QTest::newRow("Cancel") << int(Choice::Cancel) << QPoint(16, 15) << "&Undo Special 12";
  }
  void okAsksBeforeMovingTheSpecial() {
    QFETCH(int, answer);
    QFETCH(QPoint, square);
    QFETCH(QString, undoEntry);
    const bool cancelled = answer == int(ui::Dialogs::MoveChoice::Cancel);
    const auto at = [](core::MapSpecial special, QPoint place) {
      special.SquareX = static_cast<std::int16_t>(place.x());
      special.SquareY = static_cast<std::int16_t>(place.y());
      return special;
    };
    Editor w;
    w.clickSquare(16, 15);
    w.openSpecial(makeSpecial(4, 3), 12);
    test_support::startHistory(*w.defs);
    QCOMPARE(w.editor()->windowTitle(), QString("Special 12 at 16X, 15Y"));
    w.clickSquare(14, 2);
    w.typeAtEnd("Text1", "1");
    w.choose("Combo5", 4);  // no handler: stored by "OK"
    QCOMPARE(w.special(), at(makeSpecial(4, 31), QPoint(16, 15)));
    QCOMPARE(w.editor()->windowTitle(), QString("Special 12 at 16X, 15Y"));

    w.dialogs.answerMove(ui::Dialogs::MoveChoice(answer));
    w.ok();
    w.hub->flush();
    QCOMPARE(w.dialogs.last()->prompt, QString("Move special 12 from 16X, 15Y to 14X, 2Y?"));
    QCOMPARE(!w.editor(), !cancelled);
    QCOMPARE(w.special(), at(makeSpecial(4, 31, cancelled ? 0 : 4), square));
    QCOMPARE(w.action("mnuUndo")->text(), undoEntry);
    QCOMPARE(w.defs->Document().History().StepCount(), std::size_t{cancelled ? 1u : 2u});
    w.trigger("mnuUndo");
    QCOMPARE(w.special(), at(cancelled ? makeSpecial(4, 3) : makeSpecial(4, 31), {16, 15}));
  }

  // "OK" on an empty line with the kind left at "Nothing" stores nothing, not even the square of
  // the free entry (which still holds an old one), and leaves no step to undo.
  void okOnAnEmptyLineStoresNothing() {
    Editor w;
    test_support::editMap(
        *w.defs, [](core::MapRecord& map) { test_support::putSpecial(map, 0, 0, 7, 7, 0, 0); });
    test_support::startHistory(*w.defs);
    const core::MapRecord before = w.defs->Document().Map();
    w.openLine(0);
    QCOMPARE(w.entry, 0);
    QCOMPARE(w.editor()->windowTitle(), QString("Special 0 at 1X, 0Y"));
    w.clickSquare(3, 3);
    w.ok();
    QVERIFY(!w.editor());
    QVERIFY(w.defs->Document().Map() == before);
    QVERIFY(!w.defs->Document().History().CanUndo());
    QVERIFY(w.dialogs.shown().empty());
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
        {makeSpecial(5, -2, 1, 9), "Combo3", 1, makeSpecial(5, 1, 1, 9)},
        {makeSpecial(8, 2, 3, 7), "Combo3", 2, makeSpecial(8, 2, 3, 7)},
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
  // it moves to the square selected since only when "OK" is answered with Move.
  void aNewSpecialReachesMapsDat() {
    Editor w;
    test_support::editMap(*w.defs, [](core::MapRecord& map) {
      test_support::putSpecial(map, 0, 4, 1, 0, 2);
    });  // entry 0 in use on this square
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
    QCOMPARE(w.special(), makeSpecial(6, 71, 2, 9));  // still on its own square
    w.dialogs.answerMove(ui::Dialogs::MoveChoice::Move);
    w.ok();
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

REGISTER_TEST(FrmMapSpeTest);
#include "test_frm_map_spe.moc"
