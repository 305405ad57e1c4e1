#include "creature_fixture.h"
#include "support/test_registry.h"

using creature_test::Creatures;
using test_support::padded;

class CreatureListTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsShowTypeAndAverages() {
    Creatures c(0);
    core::CreatureRecord negative = creature_test::beast(1);
    negative.HitDice = 1;
    negative.HitSides = -3;  // -1.5 rounds down to -2
    negative.HitBonus = 0;
    negative.CreatureType = 4;  // no type
    core::CreatureRecord orc = creature_test::beast(2);
    orc.HitDice = 3;
    orc.HitSides = 5;
    orc.HitBonus = 2;
    orc.Experience = 10;
    orc.ExperiencePerHit = 2;
    orc.CreatureType = 3;
    core::CreatureRecord noType = creature_test::beast(3);
    noType.CreatureType = -1;
    c.writeCreatures({negative, orc, noType});
    c.open(2);
    ui::Form* window = c.show("frmCreatList2");
    QCOMPARE(window->windowTitle(), QString("Creature List"));
    auto* list = c.control<ui::ListView>("frmCreatList2", "ListView1");
    QCOMPARE(list->columnCount(), 5);
    QStringList headers;
    for (int column = 0; column < 5; ++column)
      headers << list->model()->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headers, QStringList({"No.", "Name", "Type", "Average Hits", "Average Exp"}));
    QCOMPARE(list->columnWidth(1), 2000 / 15);
    QCOMPARE(list->rowCount(), 3);
    const QStringList expected[] = {{" 1", "Beast 1             ", "", "-2", "0"},
                                    {" 2", "Beast 2             ", "Water Element", "9", "28"},
                                    {" 3", "Beast 3             ", "", "9", "0"}};
    for (int row = 1; row <= 3; ++row) {
      QStringList cells;
      for (int column = 0; column < 5; ++column) cells << list->cellText(row, column);
      QCOMPARE(cells, expected[row - 1]);
      QCOMPARE(list->row(row).key, "0" + expected[row - 1][0]);
    }
    QCOMPARE(c.defs->Creature.CreatureNo, std::int16_t(2));  // the working record is untouched
  }

  void anEmptyCatalogueListsNoRows() {
    Creatures c(0);
    c.open();
    c.show("frmCreatList2");
    auto* list = c.control<ui::ListView>("frmCreatList2", "ListView1");
    QCOMPARE(list->columnCount(), 5);
    QCOMPARE(list->rowCount(), 0);
  }

  // The pick goes into the working record; the open editor shows it and the list closes.
  void aDoubleClickShowsTheCreature_data() {
    QTest::addColumn<bool>("editorOpen");
    QTest::newRow("editor open") << true;
    QTest::newRow("editor closed") << false;
  }
  void aDoubleClickShowsTheCreature() {
    QFETCH(bool, editorOpen);
    Creatures c;
    c.open(1);
    if (editorOpen) c.show("frmCreatEd");
    c.show("frmCreatList2");
    creature_test::doubleClickRow(c.control<ui::ListView>("frmCreatList2", "ListView1"), 7);
    QVERIFY(!c.find("frmCreatList2"));
    QCOMPARE(c.defs->Creature.CreatureNo, std::int16_t(7));
    QVERIFY(c.defs->CreatureScratch == c.defs->Creature);
    c.show("frmCreatEd");
    QCOMPARE(c.recordLine(), QString("Record 7 of 12"));
    QCOMPARE(c.box("Text1")->text(), QString("Beast 7"));
  }

  // A save or an addition shows in an open list at once.
  void theListFollowsTheEditorsWrites() {
    Creatures c;
    c.open(2);
    c.show("frmCreatEd");
    c.show("frmCreatList2");
    c.type("Text1", "Ogre");
    c.click("frmCreatEd", "Command2");
    auto* list = c.control<ui::ListView>("frmCreatList2", "ListView1");
    QCOMPARE(list->rowCount(), 13);
    QCOMPARE(list->cellText(13, 1), QString::fromStdString(padded("Ogre")));
  }
};

REGISTER_TEST(CreatureListTest);
#include "test_frm_creat_list2.moc"
