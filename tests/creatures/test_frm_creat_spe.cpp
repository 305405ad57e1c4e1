#include "creature_fixture.h"
#include "support/test_registry.h"

using creature_test::Creatures;
using creature_test::integerAt;
using test_support::padded;
using Field = core::SpecialSlotField;

namespace {

// Byte offset in Mon.dat of field `field` of special slot `slot` of creature `entry`.
std::size_t specialOffset(long entry, int slot, Field field) {
  return static_cast<std::size_t>(entry) * core::CreatureRecord::SlotLength + 88 +
         2 * static_cast<std::size_t>(slot + 11 * static_cast<int>(field));
}

// The specials list of creature 5 (editor open on it), then row `row` double-clicked.
void openSlot(Creatures& c, int row) {
  c.show("frmCreatEd");
  c.click("frmCreatEd", "Command9");
  creature_test::doubleClickRow(c.control<ui::ListView>("frmCreatSpe", "ListView1"), row);
}

}  // namespace

class CreatureSpecialsTest : public QObject {
  Q_OBJECT

 private slots:
  void theListShowsTenSlots() {
    Creatures c;
    c.open(5);
    c.defs->Creature.SetCreatureSpecial(1, Field::Chance, 40);
    c.defs->Creature.SetCreatureSpecial(1, Field::Effect, 1);
    c.defs->Creature.SetCreatureSpecial(1, Field::Power, 9);
    c.defs->Creature.SetCreatureSpecial(2, Field::Effect, 2);
    c.defs->Creature.SetCreatureSpecial(2, Field::Power, 5);  // spell 6 of 5
    c.defs->Creature.SetCreatureSpecial(10, Field::Chance, 70);
    c.show("frmCreatSpe");
    auto* list = c.control<ui::ListView>("frmCreatSpe", "ListView1");
    QCOMPARE(list->rowCount(), 10);
    QCOMPARE(list->row(10).key, QString("0 10"));
    const QStringList expected[] = {{" 1", "Always", "Cast Spell", "Spell 3             "},
                                    {" 2", " 40%", "Disease", "10"},
                                    {" 3", "", "Cast Spell", "No spell 6"},
                                    {" 4", " 30%", "", ""},
                                    {" 5", "", "", ""}};
    for (int row = 1; row <= 5; ++row) {
      QStringList cells;
      for (int column = 0; column < 4; ++column) cells << list->cellText(row, column);
      QCOMPARE(cells, expected[row - 1]);
    }
    QCOMPARE(list->model()->headerData(3, Qt::Horizontal).toString(), QString("Spell/Power"));
  }

  void theEditorShowsTheSlot_data() {
    QTest::addColumn<int>("chance");
    QTest::addColumn<int>("effect");
    QTest::addColumn<int>("power");
    QTest::addColumn<QString>("shown");  // effect, chance, third label, power or spell
    QTest::newRow("always, spell 3")
        << -1 << 2 << 2 << "Cast Spell|Always|Spell|Spell 3             ";
    QTest::newRow("25% rounds to 30%") << 25 << 1 << 0 << "Cause Disease|30%|Power|1";
    QTest::newRow("15% rounds to 10%") << 15 << 1 << 9 << "Cause Disease|10%|Power|10";
    QTest::newRow("chance above 95") << 96 << 1 << 12 << "Cause Disease||Power|";
    QTest::newRow("spell beyond the list") << 10 << 2 << 5 << "Cast Spell|10%|Spell|";
    QTest::newRow("nothing") << 0 << 0 << 0 << "Nothing|||";
  }
  void theEditorShowsTheSlot() {
    QFETCH(int, chance);
    QFETCH(int, effect);
    QFETCH(int, power);
    QFETCH(QString, shown);
    Creatures c;
    c.open(5);
    c.defs->Creature.SetCreatureSpecial(9, Field::Chance, static_cast<std::int16_t>(chance));
    c.defs->Creature.SetCreatureSpecial(9, Field::Effect, static_cast<std::int16_t>(effect));
    c.defs->Creature.SetCreatureSpecial(9, Field::Power, static_cast<std::int16_t>(power));
    const core::CreatureRecord before = c.defs->Creature;
    openSlot(c, 10);
    QVERIFY(!c.find("frmCreatSpe"));
    ui::Form* editor = c.find("frmCreatSpeEd");
    QCOMPARE(editor->windowTitle(), QString("Choose Special 9"));
    QCOMPARE(c.defs->CurrentCreatureSpecial, std::int16_t(9));
    QCOMPARE(c.defs->CreatureSpecialReload, std::int16_t(0));
    const auto visibleText = [&](const char* name) {
      auto* list = c.list("frmCreatSpeEd", name);
      return list->isVisible() ? list->currentText() : QString();
    };
    auto* label3 = c.control<QLabel>("frmCreatSpeEd", "Label3");
    const QString third = visibleText(effect == 2 ? "Combo4" : "Combo3");
    QCOMPARE(visibleText("Combo1") + "|" + visibleText("Combo2") + "|" +
                 (label3->isVisible() ? label3->text() : QString()) + "|" + third,
             shown);
    QVERIFY(c.defs->Creature == before);  // showing stores nothing
  }

  // Each choice goes into slot 9 at once; the editor redraws from it.
  void choicesGoIntoTheWorkingRecord_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("slot");  // Chance, Effect, Power after the choice
    QTest::newRow("Cause Disease") << "Combo1" << 1 << QList<int>{0, 1, 0};
    QTest::newRow("30%") << "Combo2" << 4 << QList<int>{30, 2, 2};
    QTest::newRow("Never") << "Combo2" << 0 << QList<int>{0, 2, 2};
    QTest::newRow("Always") << "Combo2" << 1 << QList<int>{-1, 2, 2};
    QTest::newRow("spell 5") << "Combo4" << 4 << QList<int>{-1, 2, 4};
  }
  void choicesGoIntoTheWorkingRecord() {
    QFETCH(QString, list);
    QFETCH(int, position);
    QFETCH(QList<int>, slot);
    Creatures c;
    c.open(5);
    openSlot(c, 1);  // Always, Cast Spell, spell 3
    const core::SpellRecord spell = c.defs->Spell;
    Creatures::choose(c.list("frmCreatSpeEd", list), position);
    const core::CreatureRecord& creature = c.defs->Creature;
    QCOMPARE((QList<int>{creature.CreatureSpecial(0, Field::Chance),
                         creature.CreatureSpecial(0, Field::Effect),
                         creature.CreatureSpecial(0, Field::Power)}),
             slot);
    QCOMPARE(c.list("frmCreatSpeEd", "Combo1")->position(), slot[1]);
    if (slot[1] == 1) {
      QCOMPARE(c.list("frmCreatSpeEd", "Combo2")->currentText(), QString("Never"));
      QCOMPARE(c.list("frmCreatSpeEd", "Combo3")->currentText(), QString("1"));
      QCOMPARE(c.control<QLabel>("frmCreatSpeEd", "Label3")->text(), QString("Power"));
    }
    QVERIFY(c.defs->Spell == spell);
    QCOMPARE(c.defs->CreatureSpecialReload, std::int16_t(0));
  }

  // Spell n is stored as n - 1 in both windows, and the save writes it so.
  void castSpellIsStoredAsThePositionInTheSpellList() {
    Creatures c;
    c.open(5);
    openSlot(c, 4);  // 30%, nothing
    Creatures::choose(c.list("frmCreatSpeEd", "Combo1"), 2);
    auto* spells = c.list("frmCreatSpeEd", "Combo4");
    QCOMPARE(spells->count(), 5);
    QCOMPARE(spells->itemText(3), QString::fromStdString(padded("Spell 4")));
    Creatures::choose(spells, 3);
    c.click("frmCreatSpeEd", "Command1");
    QVERIFY(!c.find("frmCreatSpeEd"));
    c.settle();
    QVERIFY(c.control<QCheckBox>("frmCreatEd", "Check1")->isChecked());
    c.click("frmCreatEd", "Command3");
    const std::vector<std::uint8_t> bytes = c.monBytes();
    QCOMPARE(integerAt(bytes, specialOffset(5, 3, Field::Effect)), std::int16_t(2));
    QCOMPARE(integerAt(bytes, specialOffset(5, 3, Field::Power)), std::int16_t(3));
    QCOMPARE(integerAt(bytes, specialOffset(5, 3, Field::Chance)), std::int16_t(0));
    c.click("frmCreatEd", "Command9");
    auto* list = c.control<ui::ListView>("frmCreatSpe", "ListView1");
    QCOMPARE(list->cellText(4, 3), QString::fromStdString(padded("Spell 4")));
  }

  // Slot 10 is never shown and survives every change and save.
  void slotTenIsKept() {
    Creatures c;
    std::vector<core::CreatureRecord> entries;
    for (int k = 1; k <= 5; ++k) entries.push_back(creature_test::beast(k));
    entries[4].SetCreatureSpecial(10, Field::Chance, 77);
    entries[4].SetCreatureSpecial(10, Field::Effect, 9);
    entries[4].SetCreatureSpecial(10, Field::Power, -5);
    c.writeCreatures(entries);
    c.open(5);
    openSlot(c, 10);
    Creatures::choose(c.list("frmCreatSpeEd", "Combo1"), 1);
    Creatures::choose(c.list("frmCreatSpeEd", "Combo2"), 10);
    c.click("frmCreatEd", "Command3");
    const std::vector<std::uint8_t> bytes = c.monBytes();
    QCOMPARE(integerAt(bytes, specialOffset(5, 10, Field::Chance)), std::int16_t(77));
    QCOMPARE(integerAt(bytes, specialOffset(5, 10, Field::Effect)), std::int16_t(9));
    QCOMPARE(integerAt(bytes, specialOffset(5, 10, Field::Power)), std::int16_t(-5));
    QCOMPARE(integerAt(bytes, specialOffset(5, 9, Field::Chance)), std::int16_t(90));
  }

  // Another row chosen in a re-opened list moves the open editor to that slot.
  void anOpenEditorMovesToTheChosenSlot() {
    Creatures c;
    c.open(5);
    openSlot(c, 1);
    ui::Form* editor = c.find("frmCreatSpeEd");
    c.click("frmCreatEd", "Command9");
    creature_test::doubleClickRow(c.control<ui::ListView>("frmCreatSpe", "ListView1"), 4);
    QCOMPARE(c.find("frmCreatSpeEd"), editor);
    QCOMPARE(editor->windowTitle(), QString("Choose Special 3"));
    QCOMPARE(c.list("frmCreatSpeEd", "Combo2")->currentText(), QString("30%"));
    QCOMPARE(c.list("frmCreatSpeEd", "Combo1")->currentText(), QString("Nothing"));
    QVERIFY(!c.list("frmCreatSpeEd", "Combo4")->isVisible());
  }
};

REGISTER_TEST(CreatureSpecialsTest);
#include "test_frm_creat_spe.moc"
