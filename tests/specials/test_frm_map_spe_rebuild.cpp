// What the special square editor shows: the rebuild of each kind, its lists and its preview.
#include "special_editor_fixture.h"
#include "support/test_registry.h"

using special_editor_test::Editor;
using special_editor_test::makeSpecial;
using special_editor_test::withCondition;

class FrmMapSpeRebuildTest : public QObject {
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

  // The lists come from the name caches, names as stored; no working record moves.
  void catalogueListsShowStoredNames() {
    Editor w;
    QVERIFY(w.defs->ReadShopPair(2).ok());
    QVERIFY(w.defs->ReadCreaturePair(1).ok());
    const core::ShopRecord shop = w.defs->Shop;
    const core::CreatureRecord creature = w.defs->Creature;
    const core::ItemRecord item = w.defs->Item;
    w.openSpecial(makeSpecial(2, 1, 1));
    QCOMPARE(w.list("Combo3")->itemText(1), QString("Store 2").leftJustified(25));
    w.choose("Combo1", 5);
    QCOMPARE(w.list("Combo3")->itemText(0), QString("Nothing"));
    QCOMPARE(w.list("Combo3")->itemText(3), QString("Beast 3").leftJustified(20));
    QCOMPARE(w.list("Combo5")->itemText(2), QString("Blade 2").leftJustified(20));
    QVERIFY(w.defs->Shop == shop);
    QVERIFY(w.defs->Creature == creature);
    QVERIFY(w.defs->Item == item);

    // The creature editor renames creature 1: the list follows, typing not yet stored stays.
    w.replaceText("Text3", "77");
    w.defs->Creature.CreatureName = "Wolf";
    QVERIFY(w.defs->WriteCreature().ok());
    w.defs->NotifyChanged(core::CreaturesChanged);
    w.hub->flush();
    QCOMPARE(w.list("Combo3")->itemText(1), QString("Wolf").leftJustified(20));
    QCOMPARE(w.box("Text3")->text(), QString("77"));
  }

  void previewFollowsTheTextNumber() {
    Editor w;
    w.defs->Map.SetText(3, "Beware the stairs");
    w.openSpecial(makeSpecial(4, 0));
    QCOMPARE(w.editor()->windowTitle(), QString("Special Map Square"));
    w.replaceText("Text1", "3");
    QCOMPARE(w.caption("Label8"), QString("Beware the stairs").leftJustified(50));
    QCOMPARE(w.special().Param1, 3);
    w.typeAtEnd("Text1", "0");  // text 30 is all blanks
    QCOMPARE(w.caption("Label8"), QString(50, ' '));
    w.typeAtEnd("Text1", "0");  // 300: beyond the texts, kept with no preview
    QCOMPARE(w.caption("Label8"), QString());
    QCOMPARE(w.special().Param1, 300);
  }
};

REGISTER_TEST(FrmMapSpeRebuildTest);
#include "test_frm_map_spe_rebuild.moc"
