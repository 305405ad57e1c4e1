#include "creature_fixture.h"
#include "support/test_registry.h"

using creature_test::Creatures;
using test_support::padded;
using Field = core::SpecialSlotField;

namespace {

void putSlot(core::CreatureRecord& creature, int slot, int chance, int effect, int power) {
  creature.SetCreatureSpecial(slot, Field::Chance, static_cast<std::int16_t>(chance));
  creature.SetCreatureSpecial(slot, Field::Effect, static_cast<std::int16_t>(effect));
  creature.SetCreatureSpecial(slot, Field::Power, static_cast<std::int16_t>(power));
}

// The specials list of the creature in the editor, then row `row` double-clicked.
void openSlot(Creatures& c, int row) {
  c.show("frmCreatEd");
  c.click("frmCreatEd", "Command9");
  test_support::doubleClickRow(c.rows("frmCreatSpe"), row);
}

}  // namespace

class CreatureSpecialsTest : public QObject {
  Q_OBJECT

 private slots:
  // The list shows each slot; a row opens the editor on its slot, an open editor moving there.
  void theListAndTheEditorShowEachSlot() {
    const struct {
      int chance, effect, power;
      const char* shown;  // effect, chance, third label, power or spell
    } cases[] = {
        {-1, 2, 2, "Cast Spell|Always|Spell|Spell 3"}, {25, 1, 0, "Cause Disease|30%|Power|1"},
        {15, 1, 9, "Cause Disease|10%|Power|10"},      {96, 1, 12, "Cause Disease||Power|"},
        {10, 2, 5, "Cast Spell|10%|Spell|"},           {0, 0, 0, "Nothing|||"}};
    Creatures c;
    c.open(5);
    putSlot(c.defs->Creature, 1, 40, 1, 9);
    putSlot(c.defs->Creature, 2, 0, 2, 5);  // spell 6 of 5
    for (int k = 0; k < 6; ++k)
      putSlot(c.defs->Creature, 4 + k, cases[k].chance, cases[k].effect, cases[k].power);
    const core::CreatureRecord before = c.defs->Creature;
    c.show("frmCreatSpe");
    QCOMPARE(c.find("frmCreatSpe")->windowTitle(), QString("Special Effects: Beast 5"));
    ui::ListView* list = c.rows("frmCreatSpe");
    QCOMPARE(list->rowCount(), 10);
    const QStringList expected[] = {{" 1", "Always", "Cast Spell", "Spell 3             "},
                                    {" 2", " 40%", "Disease", "10"},
                                    {" 3", "", "Cast Spell", "No spell 6"},
                                    {" 4", " 30%", "", ""}};
    for (int row = 1; row <= 4; ++row) {
      QStringList cells;
      for (int column = 0; column < 4; ++column) cells << list->cellText(row, column);
      QCOMPARE(cells, expected[row - 1]);
    }
    const auto visibleText = [&](const char* name) {
      auto* box = c.list("frmCreatSpeEd", name);
      return box->isVisible() ? box->currentText() : QString();
    };
    ui::Form* editor = nullptr;
    for (int k = 0; k < 6; ++k) {
      openSlot(c, 5 + k);
      QVERIFY(!c.find("frmCreatSpe"));
      if (!editor) editor = c.find("frmCreatSpeEd");
      QCOMPARE(c.find("frmCreatSpeEd"), editor);
      QCOMPARE(editor->windowTitle(), QString("Choose Special %1").arg(4 + k));
      auto* label3 = c.control<QLabel>("frmCreatSpeEd", "Label3");
      const QString third = visibleText(cases[k].effect == 2 ? "Combo4" : "Combo3");
      QCOMPARE(visibleText("Combo1") + "|" + visibleText("Combo2") + "|" +
                   (label3->isVisible() ? label3->text() : QString()) + "|" + third,
               QString(cases[k].shown));
    }
    QVERIFY(c.defs->Creature == before);  // showing stores nothing
  }

  // Each choice goes into the slot at once, spell n as n - 1, and the save writes it; slot 10,
  // never shown, is kept.
  void okThenSaveWritesTheSlot() {
    Creatures c;
    c.open(5);
    openSlot(c, 4);
    Creatures::choose(c.list("frmCreatSpeEd", "Combo1"), 2);
    QVERIFY(c.list("frmCreatSpeEd", "Combo4")->isVisible());
    Creatures::choose(c.list("frmCreatSpeEd", "Combo4"), 3);
    Creatures::choose(c.list("frmCreatSpeEd", "Combo2"), 1);
    QCOMPARE(c.defs->Creature.CreatureSpecial(3, Field::Chance), -1);  // stored at once
    c.click("frmCreatSpeEd", "Command1");
    QVERIFY(!c.find("frmCreatSpeEd"));
    c.click("frmCreatEd", "Command3");
    const core::CreatureRecord stored = c.storedEntry(5);
    const auto slotOf = [&](int slot) {
      return QList<int>{stored.CreatureSpecial(slot, Field::Chance),
                        stored.CreatureSpecial(slot, Field::Effect),
                        stored.CreatureSpecial(slot, Field::Power)};
    };
    QCOMPARE(slotOf(3), (QList<int>{-1, 2, 3}));
    QCOMPARE(slotOf(10), (QList<int>{77, 9, -5}));
    c.click("frmCreatEd", "Command9");
    QCOMPARE(c.rows("frmCreatSpe")->cellText(4, 3), QString::fromStdString(padded("Spell 4")));
  }
};

REGISTER_TEST(CreatureSpecialsTest);
#include "test_frm_creat_spe.moc"
