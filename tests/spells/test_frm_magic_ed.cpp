// The spell editor and its list.
#include "spell_windows_fixture.h"
#include "spells/frm_magic_ed.h"
#include "support/list_view_clicks.h"
#include "support/test_registry.h"
#include "ui/catalogue_list.h"

#include <QTest>

using namespace spell_test;
using test_support::namedEntries;

namespace {

spells::frmMagicEd* showEditor(SpellWindows& w) {
  return w.registry->show<spells::frmMagicEd>("frmMagicEd");
}
ui::ListView* showList(SpellWindows& w) {
  return w.registry->show<ui::CatalogueList>("frmMagicList")->list();
}

void type(QWidget* window, const QString& box, const QString& text) {
  auto* textBox = control<ui::TextBox>(window, box);
  textBox->selectAll();
  QTest::keyClick(textBox, Qt::Key_Delete);
  QTest::keyClicks(textBox, text);
}
}  // namespace

class FrmMagicEdTest : public QObject {
  Q_OBJECT

 private slots:
  // The editor opens on the first spell; a save writes every change at its place.
  void saveWritesEveryChangeAtItsPlace() {
    SpellWindows w({sampleSpell("Spark", 5, 3), sampleSpell("Frost")});
    const auto specialsBefore = w.magSlot(2, 116, 66);
    auto* ed = showEditor(w);
    QCOMPARE(textOf(ed, "MainLabel"), QString("Record 1 of 2"));
    QCOMPARE(textOf(ed, "Text1"), QString("Spark"));
    QCOMPARE(combo(ed, "Combo1")->currentText(), QString("Light"));
    type(ed, "Text1", "Fireball");
    control<QCheckBox>(ed, "Check1_6")->click();  // Paladin
    const QString forty = QString("0123456789").repeated(4);
    type(ed, "Text10", forty);
    QCOMPARE(textOf(ed, "Label18"), QString(" 40 of 32"));
    auto* description = control<ui::TextArea>(ed, "Text11");
    description->selectAll();
    QTest::keyClicks(description, "ab");
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, "cd");
    type(ed, "Text5", "12");

    click(ed, "Command3");
    QCOMPARE(w.dialogs.messages(), std::vector<QString>{"Spell Saved"});
    QCOMPARE(w.magText(2, 2, 20), test_support::padded("Fireball"));
    QCOMPARE(core::IntegerAt(w.magSlot(2), 44), std::int16_t{-1});
    QCOMPARE(core::IntegerAt(w.magSlot(2), 90), std::int16_t{12});
    QCOMPARE(w.magText(2, 182, 32), forty.left(32).toStdString());
    QCOMPARE(w.magText(2, 214, 1024), test_support::padded("ab\r\ncd", 1024));
    QCOMPARE(w.magSlot(2, 116, 66), specialsBefore);
    // The screen shows what was stored: 32 characters, and the line break again.
    QCOMPARE(textOf(ed, "Text10"), forty.left(32));
    QCOMPARE(textOf(ed, "Text11"), QString("ab\ncd"));
  }

  // Codes outside their lists show nothing and survive a save; any non-zero class flag means
  // usable; "None" hides the save effect and keeps it.
  void theCodedLists() {
    core::SpellRecord odd = sampleSpell("Odd", 12, -3);
    odd.UsableBy[3] = 5;
    SpellWindows w({odd});
    const auto before = w.magSlot(2);
    auto* ed = showEditor(w);
    QCOMPARE(combo(ed, "Combo1")->position(), -1);
    QVERIFY(control<QCheckBox>(ed, "Check1_2")->isChecked());
    click(ed, "Command3");
    QCOMPARE(w.magSlot(2), before);
    QWidget* effect = combo(ed, "Combo3");
    combo(ed, "Combo2")->setPosition(0);
    QVERIFY(effect->isHidden());
    click(ed, "Command3");
    QCOMPARE(core::IntegerAt(w.magSlot(2), 112), std::int16_t{0});
    QCOMPARE(core::IntegerAt(w.magSlot(2), 114), std::int16_t{3});
  }

  // The pager is wired: "<" reads the working record only; a number that cannot be stored is
  // refused by its caption and nothing is written. A pick in the list asks about the change
  // first (Cancel keeps the list open), then shows the spell.
  void pagingARefusedNumberAPickAndNewSpell() {
    SpellWindows w(namedEntries<core::SpellRecord>(5, "Spell"));
    auto* ed = showEditor(w);
    click(ed, "Command8");
    QCOMPARE(textOf(ed, "MainLabel"), QString("Record 5 of 5"));
    click(ed, "Command1");
    QCOMPARE(textOf(ed, "Text1"), QString("Spell 4"));
    QCOMPARE(w.defs->SpellScratch.SpellNo, std::int16_t{5});
    const auto before = test_support::readBytes(w.magFile());
    type(ed, "Text15", "lots");
    click(ed, "Command3");
    QCOMPARE(w.dialogs.messages().size(), std::size_t{1});
    QVERIFY(w.dialogs.messages().front().startsWith("\"Duration sides\" must be a whole number"));
    QCOMPARE(test_support::readBytes(w.magFile()), before);

    click(ed, "Command5");
    ui::ListView* list = showList(w);
    w.dialogs.answerSave(ui::Dialogs::SaveChoice::Cancel);
    test_support::doubleClickRow(list, 2);
    QVERIFY(w.registry->find("frmMagicList"));
    QCOMPARE(textOf(ed, "MainLabel"), QString("Record 4 of 5"));
    w.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    test_support::doubleClickRow(list, 2);
    QVERIFY(!w.registry->find("frmMagicList"));
    QCOMPARE(textOf(ed, "MainLabel"), QString("Record 2 of 5"));
    QCOMPARE(w.defs->SpellScratch.SpellNo, std::int16_t{2});
    // "New Spell" appends the screen, the header counting it.
    click(ed, "Command2");
    QCOMPARE(textOf(ed, "MainLabel"), QString("Record 6 of 6"));
    QCOMPARE(w.magSlot(7, 2, 20), w.magSlot(3, 2, 20));
    QCOMPARE(core::IntegerAt(w.magSlot(1), 0), std::int16_t{6});
  }

  // The list shows type, target, cost and the whole description, without reading a spell.
  void theListShowsEverySpell() {
    core::SpellRecord last = sampleSpell("Odd", 9, 6);
    last.Description = std::string(1023, 'w') + "!";
    SpellWindows w({sampleSpell("Heal Me", 0, 0), sampleSpell("Glow", 5, 3), last});
    w.defs->Spell = sampleSpell("Working");
    const core::SpellRecord working = w.defs->Spell;
    ui::ListView* list = showList(w);
    const QStringList expected[] = {{"1", "Heal Me", "Heal", "Self", "7"},
                                    {"2", "Glow", "Light", "CombatSelf", "7"},
                                    {"3", "Odd", "", "CombatAll", "7"}};  // a type beyond
    for (int row = 1; row <= 3; ++row) {
      QStringList cells;
      for (int column = 0; column < 5; ++column) cells << list->cellText(row, column).trimmed();
      QCOMPARE(cells, expected[row - 1]);
    }
    QCOMPARE(list->cellText(3, 5).size(), 1024);
    QVERIFY(list->cellText(3, 5).endsWith("!"));
    QVERIFY(w.defs->Spell == working);
  }

  void anEmptyCatalogueListsNothing() {
    SpellWindows w({});
    QCOMPARE(showList(w)->rowCount(), 0);
  }
};

REGISTER_TEST(FrmMagicEdTest);
#include "test_frm_magic_ed.moc"
