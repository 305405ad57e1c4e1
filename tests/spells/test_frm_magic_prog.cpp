#include "spell_windows_fixture.h"
#include "spells/frm_magic_prog.h"
#include "support/test_registry.h"
#include "ui/list_view.h"

#include <QLineEdit>
#include <QTest>

using namespace spell_test;

namespace {

constexpr int Fighter = 0, Cleric = 2, Mage = 3;

spells::frmMagicProg* showProg(SpellWindows& w) {
  return w.registry->show<spells::frmMagicProg>("frmMagicProg");
}
// Each row as "class level spell replace", numbered.
QStringList rowTexts(QWidget* window) {
  auto* list = control<ui::ListView>(window, "ListView1");
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
    QCOMPARE(textOf(window, "Label4"), QString(" 6"));
    QCOMPARE(rowTexts(window),
             QStringList({" 1|Fighter| 1|(2) Frost| ", " 2|Fighter| 1|(1) Spark| ",
                          " 3|Fighter| 5|(1) Spark| ", " 4|Mage| 3|(2) Frost|(1) Spark"}));
    QCOMPARE(window->entryOfRow(1), 3L);
    combo(window, "Combo1")->setPosition(Mage + 1);
    QCOMPARE(rowTexts(window), QStringList({" 1|Mage| 3|(2) Frost|(1) Spark"}));
    QCOMPARE(w.defs->Spell.SpellNo, std::int16_t{2});  // the spell being edited stays
  }

  // "All" adds nothing and no selection removes nothing; a removal shifts the later entries down
  // and an addition goes to the end, the header counting them.
  void addingAndRemovingKeepTheFileInStep() {
    SpellWindows w({sampleSpell("Spark"), sampleSpell("Frost")},
                   {prog(Fighter, 1), prog(1, 2), prog(Mage, 3)}, {0, 0, 7, 0, 9, 0});
    auto* window = showProg(w);
    const auto before = test_support::readBytes(w.progFile());
    click(window, "Command1");
    click(window, "Command2");
    QCOMPARE(test_support::readBytes(w.progFile()), before);
    control<ui::ListView>(window, "ListView1")->setSelected(2, true);
    click(window, "Command2");
    QCOMPARE(w.progSlot(1), (std::vector<int>{2, 7, 9, 0, 0}));
    QCOMPARE(w.progSlot(2), (std::vector<int>{1, Fighter, 1, 1, 0}));
    QCOMPARE(w.progSlot(3), (std::vector<int>{2, Mage, 3, 1, 0}));

    combo(window, "Combo1")->setPosition(Cleric + 1);
    combo(window, "Combo3")->setPosition(3);
    combo(window, "Combo2")->setPosition(1);
    combo(window, "Combo4")->setPosition(0);
    QCOMPARE(combo(window, "Combo2")->currentText(), QString("(2) Frost"));
    QCOMPARE(combo(window, "Combo4")->itemText(1), QString("(1) Spark"));
    click(window, "Command1");
    QCOMPARE(w.progSlot(4), (std::vector<int>{3, Cleric, 4, 2, 0}));
    QCOMPARE(w.progSlot(1), (std::vector<int>{3, Cleric, 4, 2, 0}));
    QCOMPARE(w.defs->SpellProgCount, 3L);
    QCOMPARE(rowTexts(window), QStringList({" 1|Cleric| 4|(2) Frost| "}));
  }

  // Filtered and ordered by a heading, "Remove Spell" takes away the entry of the row selected,
  // not the one at that place in the list's own order.
  void aFilteredOrderedRowRemovesItsOwnEntry() {
    SpellWindows w({sampleSpell("Spark"), sampleSpell("Frost")},
                   {prog(Fighter, 1, 1), prog(Fighter, 5, 2), prog(Mage, 3, 2), prog(Mage, 9, 1)});
    auto* window = showProg(w);
    auto* list = control<ui::ListView>(window, "ListView1");
    QTest::keyClicks(window->findChild<QLineEdit*>("txtFilter"), "frost");
    QCOMPARE(rowTexts(window),
             QStringList({" 2|Fighter| 5|(2) Frost| ", " 3|Mage| 3|(2) Frost| "}));
    list->sortByColumn(2, Qt::AscendingOrder);  // by level
    QCOMPARE(rowTexts(window),
             QStringList({" 3|Mage| 3|(2) Frost| ", " 2|Fighter| 5|(2) Frost| "}));
    list->setSelected(2, true);
    click(window, "Command2");
    QCOMPARE(w.progSlot(1), (std::vector<int>{3, 0, 0, 0, 0}));
    QCOMPARE(w.progSlot(2), (std::vector<int>{1, Fighter, 1, 1, 0}));
    QCOMPARE(w.progSlot(3), (std::vector<int>{2, Mage, 3, 2, 0}));
    QCOMPARE(w.progSlot(4), (std::vector<int>{3, Mage, 9, 1, 0}));
    QCOMPARE(rowTexts(window), QStringList({" 2|Mage| 3|(2) Frost| "}));
  }

  void theLastPossibleEntryIsRefused() {
    SpellWindows w({sampleSpell("Spark")});
    std::vector<std::uint8_t> header(10, 0);
    core::PutIntegerAt(header, 0, 32767);
    test_support::writeBytes(w.progFile(), header);
    w.open();
    auto* window = showProg(w);
    combo(window, "Combo1")->setPosition(1);
    click(window, "Command1");
    QVERIFY(w.dialogs.messages().back().contains("32767"));
    QCOMPARE(test_support::readBytes(w.progFile()), header);
  }
};

REGISTER_TEST(FrmMagicProgTest);
#include "test_frm_magic_prog.moc"
