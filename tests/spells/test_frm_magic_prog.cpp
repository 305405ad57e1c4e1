#include "spell_windows_fixture.h"
#include "spells/frm_magic_prog.h"
#include "support/test_registry.h"
#include "ui/controls.h"
#include "ui/list_view.h"

#include <QTest>

using namespace spell_test;

namespace {

constexpr int Fighter = 0, Cleric = 2, Mage = 3;

spells::frmMagicProg* showProg(SpellWindows& w) {
  return w.registry->show<spells::frmMagicProg>("frmMagicProg");
}
ui::ListView* rowsOf(QWidget* window) {
  return SpellWindows::control<ui::ListView>(window, "ListView1");
}
ui::ComboBox* combo(QWidget* window, const QString& name) {
  return SpellWindows::control<ui::ComboBox>(window, name);
}
// Each row as "class level spell replace", numbered.
QStringList rowTexts(QWidget* window) {
  ui::ListView* list = rowsOf(window);
  QStringList rows;
  for (int r = 1; r <= list->rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < 5; ++c) cells << list->cellText(r, c);
    rows << cells.join("|");
  }
  return rows;
}

}  // namespace

class FrmMagicProgTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsAreOrderedByClassAndLevelAndFiltered() {
    SpellWindows w({sampleSpell("Spark"), sampleSpell("Frost  ")},
                   {prog(Mage, 3, 2, 1), prog(Fighter, 5, 1), prog(Fighter, 1, 2),
                    prog(Fighter, 25), prog(9, 2), prog(Fighter, 1, 1)});
    auto* window = showProg(w);
    QCOMPARE(window->windowTitle(), QString("Spell Progression"));
    QCOMPARE(SpellWindows::control<ui::Label>(window, "Label4")->text(), QString(" 6"));
    QCOMPARE(combo(window, "Combo2")->itemText(1), QString("(2) Frost"));
    QCOMPARE(combo(window, "Combo4")->itemText(0), QString(" "));
    QCOMPARE(combo(window, "Combo3")->itemText(19), QString(" 20"));
    QCOMPARE(rowTexts(window),
             QStringList({" 1|Fighter| 1|(2) Frost| ", " 2|Fighter| 1|(1) Spark| ",
                          " 3|Fighter| 5|(1) Spark| ", " 4|Mage| 3|(2) Frost|(1) Spark"}));
    QCOMPARE(rowsOf(window)->row(4).key, QString("0 4"));
    QCOMPARE(window->entryOfRow(1), 3L);
    QCOMPARE(window->entryOfRow(4), 1L);

    combo(window, "Combo1")->setPosition(Mage + 1);
    QCOMPARE(rowTexts(window), QStringList({" 1|Mage| 3|(2) Frost|(1) Spark"}));
    // The rebuild never touched the spell being edited.
    QCOMPARE(w.defs->Spell.SpellNo, std::int16_t{2});
  }

  void addingStoresTheEntryAndItsHeader() {
    SpellWindows w({sampleSpell("Spark"), sampleSpell("Frost")}, {prog(Mage, 3)});
    auto* window = showProg(w);
    const auto before = test_support::readBytes(w.progFile());
    SpellWindows::click(window, "Command1");  // "All": nothing is added
    QCOMPARE(test_support::readBytes(w.progFile()), before);

    combo(window, "Combo1")->setPosition(Cleric + 1);
    combo(window, "Combo3")->setPosition(3);
    combo(window, "Combo2")->setPosition(1);
    combo(window, "Combo4")->setPosition(0);
    SpellWindows::click(window, "Command1");
    QCOMPARE(w.progSlot(3), (std::vector<int>{2, Cleric, 4, 2, 0}));
    QCOMPARE(w.progSlot(1), (std::vector<int>{2, Cleric, 4, 2, 0}));
    QCOMPARE(w.defs->SpellProgCount, 2L);
    QCOMPARE(rowTexts(window), QStringList({" 1|Cleric| 4|(2) Frost| "}));
    QCOMPARE(SpellWindows::control<ui::Label>(window, "Label4")->text(), QString(" 2"));
  }

  void removingShiftsTheLaterEntries_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("row");
    QTest::addColumn<std::vector<int>>("slot3");
    // Entries: Fighter 1, Thief 2, Mage 3 (rows in that order).
    QTest::newRow("second of three") << 3 << 2 << std::vector<int>{2, Mage, 3, 1, 0};
    QTest::newRow("the only one") << 1 << 1 << std::vector<int>{};
  }
  void removingShiftsTheLaterEntries() {
    QFETCH(int, count);
    QFETCH(int, row);
    QFETCH(std::vector<int>, slot3);
    std::vector<core::SpellProgRecord> entries = {prog(Fighter, 1), prog(1, 2), prog(Mage, 3)};
    entries.resize(static_cast<std::size_t>(count));
    SpellWindows w({sampleSpell("Spark")}, entries, {0, 0, 7, 0, 9, 0});
    auto* window = showProg(w);
    SpellWindows::click(window, "Command2");  // no row selected: nothing happens
    QCOMPARE(w.defs->SpellProgCount, long{count});

    rowsOf(window)->setSelected(row, true);
    SpellWindows::click(window, "Command2");
    QCOMPARE(w.defs->SpellProgCount, long{count - 1});
    QCOMPARE(w.progSlot(1), (std::vector<int>{count - 1, 7, 9, 0, 0}));
    if (!slot3.empty()) {
      QCOMPARE(w.progSlot(2), (std::vector<int>{1, Fighter, 1, 1, 0}));
      QCOMPARE(w.progSlot(3), slot3);
    }
    QCOMPARE(rowsOf(window)->rowCount(), count - 1);
    QCOMPARE(SpellWindows::control<ui::Label>(window, "Label4")->text(),
             " " + QString::number(count - 1));
  }

  void theLastPossibleEntryIsRefused() {
    SpellWindows w({sampleSpell("Spark")});
    test_support::writeBytes(w.progFile(), SpellWindows::headerCounting(10, 32767));
    w.open();
    auto* window = showProg(w);
    combo(window, "Combo1")->setPosition(1);
    SpellWindows::click(window, "Command1");
    QVERIFY(w.dialogs.messages().back().contains("32767"));
    QCOMPARE(test_support::readBytes(w.progFile()).size(), std::size_t{10});
  }
};

REGISTER_TEST(FrmMagicProgTest);
#include "test_frm_magic_prog.moc"
