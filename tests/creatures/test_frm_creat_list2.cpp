#include "creature_fixture.h"
#include "support/test_registry.h"

using creature_test::Creatures;
using test_support::padded;

class CreatureListTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsShowTypeAndAverages() {
    core::CreatureRecord negative = creature_test::beast(1);
    negative.HitSides = -3;     // -1.5 rounds down to -2
    negative.CreatureType = 4;  // no type
    core::CreatureRecord orc = creature_test::beast(2);
    orc.HitDice = 3;
    orc.HitSides = 5;
    orc.HitBonus = 2;
    orc.Experience = 10;
    orc.ExperiencePerHit = 2;
    orc.CreatureType = 3;
    Creatures c({negative, orc});
    c.open(2);
    c.show("frmCreatList2");
    ui::ListView* list = c.rows("frmCreatList2");
    QCOMPARE(list->rowCount(), 2);
    const QStringList expected[] = {{" 1", "Beast 1             ", "", "-2", "0"},
                                    {" 2", "Beast 2             ", "Water Element", "9", "28"}};
    for (int row = 1; row <= 2; ++row) {
      QStringList cells;
      for (int column = 0; column < 5; ++column) cells << list->cellText(row, column);
      QCOMPARE(cells, expected[row - 1]);
    }
    QCOMPARE(list->row(2).key, QString("0 2"));
    QCOMPARE(c.defs->Creature.CreatureNo, std::int16_t(2));  // the working record is untouched
  }

  // Without the editor the pick goes into the working record the editor then opens on.
  void aDoubleClickReadsTheCreature() {
    Creatures c;
    c.open(1);
    c.show("frmCreatList2");
    test_support::doubleClickRow(c.rows("frmCreatList2"), 7);
    QVERIFY(!c.find("frmCreatList2"));
    QVERIFY(c.defs->CreatureScratch == c.defs->Creature);
    c.show("frmCreatEd");
    QCOMPARE(c.recordLine(), QString("Record 7 of 12"));
  }
};

REGISTER_TEST(CreatureListTest);
#include "test_frm_creat_list2.moc"
