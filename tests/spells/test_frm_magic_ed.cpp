#include "spell_windows_fixture.h"
#include "spells/frm_magic_ed.h"
#include "support/test_registry.h"
#include "ui/controls.h"

#include <QTest>

using namespace spell_test;
using test_support::namedEntries;
using Choice = ui::Dialogs::SaveChoice;

namespace {

spells::frmMagicEd* showEditor(SpellWindows& w) {
  return w.registry->show<spells::frmMagicEd>("frmMagicEd");
}

QString textOf(QWidget* window, const QString& name) {
  return SpellWindows::control<ui::TextBox>(window, name)->text();
}
QString labelOf(QWidget* window, const QString& name) {
  return SpellWindows::control<ui::Label>(window, name)->text();
}
void type(QWidget* window, const QString& box, const QString& text) {
  auto* textBox = SpellWindows::control<ui::TextBox>(window, box);
  textBox->selectAll();
  QTest::keyClick(textBox, Qt::Key_Delete);
  QTest::keyClicks(textBox, text);
}
ui::ComboBox* combo(QWidget* window, const QString& name) {
  return SpellWindows::control<ui::ComboBox>(window, name);
}

}  // namespace

class FrmMagicEdTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnTheFirstSpellWithItsNamedControls() {
    SpellWindows w({sampleSpell("Spark", 5, 3), sampleSpell("Frost")});
    auto* ed = showEditor(w);
    QCOMPARE(ed->objectName(), QString("frmMagicEd"));
    QCOMPARE(ed->windowTitle(), QString("Spell Editor"));
    QCOMPARE(labelOf(ed, "MainLabel"), QString("Record 1 of 2"));
    QCOMPARE(textOf(ed, "Text1"), QString("Spark"));
    QCOMPARE(combo(ed, "Combo1")->currentText(), QString("Light"));
    QCOMPARE(combo(ed, "Combo4")->currentText(), QString("CombatSelf"));
    QCOMPARE(textOf(ed, "Text12"), QString("7"));
    QCOMPARE(combo(ed, "Combo2")->count(), 6);
    QCOMPARE(SpellWindows::control<QCheckBox>(ed, "Check1_6")->text(), QString("Paladin"));
    QCOMPARE(SpellWindows::control<QCheckBox>(ed, "Check1_24")->text(), QString("?"));
    QCOMPARE(SpellWindows::control<QWidget>(ed, "Text13")->toolTip(),
             QString("0=Inherent Power, Otherwise spell level"));
    QCOMPARE(labelOf(ed, "Label18"), QString(" 0 of 32"));
    QVERIFY(!SpellWindows::control<QWidget>(ed, "Command9")->isEnabled());
    // The scratch record was read with the working record; the editor opens the list.
    QCOMPARE(w.defs->SpellScratch.SpellNo, std::int16_t{1});
    SpellWindows::click(ed, "Command5");
    QVERIFY(w.registry->find("frmMagicList"));
  }

  void saveWritesEveryChangeAtItsPlace() {
    SpellWindows w({sampleSpell("Spark"), sampleSpell("Frost")});
    const auto specialsBefore = w.magSlot(2, 116, 66);
    auto* ed = showEditor(w);
    type(ed, "Text1", "Fireball");
    SpellWindows::control<QCheckBox>(ed, "Check1_6")->click();  // Paladin
    const QString forty = QString("0123456789").repeated(4);
    type(ed, "Text10", forty);
    QCOMPARE(labelOf(ed, "Label18"), QString(" 40 of 32"));
    auto* description = SpellWindows::control<ui::TextBox>(ed, "Text11");
    description->selectAll();
    QTest::keyClicks(description, "ab");
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, "cd");
    QCOMPARE(labelOf(ed, "Label13"), QString(" 6 of 1024"));
    type(ed, "Text5", "12.5");  // halves go to the even neighbour

    SpellWindows::click(ed, "Command3");
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

    SpellWindows::control<QCheckBox>(ed, "Check1_6")->click();
    SpellWindows::click(ed, "Command3");
    QCOMPARE(core::IntegerAt(w.magSlot(2), 44), std::int16_t{0});
  }

  void saveVsNoneHidesTheSaveEffectAndKeepsIt() {
    SpellWindows w({sampleSpell("Spark")});
    auto* ed = showEditor(w);
    ui::ComboBox* saveVs = combo(ed, "Combo2");
    QWidget* effect = combo(ed, "Combo3");
    QVERIFY(!effect->isHidden());
    saveVs->setPosition(0);
    QVERIFY(effect->isHidden());
    saveVs->setPosition(4);
    QVERIFY(!effect->isHidden());
    saveVs->setPosition(0);
    SpellWindows::click(ed, "Command3");
    QCOMPARE(core::IntegerAt(w.magSlot(2), 112), std::int16_t{0});
    QCOMPARE(core::IntegerAt(w.magSlot(2), 114), std::int16_t{3});
    QVERIFY(effect->isHidden());
  }

  void codesOutsideTheirListsShowNoneAndSurviveASave() {
    core::SpellRecord odd = sampleSpell("Odd", 12, -3);
    odd.UsableBy[3] = 5;  // any non-zero flag means usable
    SpellWindows w({odd});
    const auto before = w.magSlot(2);
    auto* ed = showEditor(w);
    QCOMPARE(combo(ed, "Combo1")->position(), -1);
    QCOMPARE(combo(ed, "Combo4")->position(), -1);
    QVERIFY(SpellWindows::control<QCheckBox>(ed, "Check1_2")->isChecked());
    SpellWindows::click(ed, "Command3");
    QCOMPARE(w.magSlot(2), before);
  }

  void pagingReadsAsTheEditorSays() {
    SpellWindows w(namedEntries<core::SpellRecord>(3, "Spell"));
    auto* ed = showEditor(w);
    SpellWindows::click(ed, "Command1");  // "<" on the first: nothing
    QCOMPARE(labelOf(ed, "MainLabel"), QString("Record 1 of 3"));
    SpellWindows::click(ed, "Command8");
    QCOMPARE(labelOf(ed, "MainLabel"), QString("Record 3 of 3"));
    SpellWindows::click(ed, "Command4");  // ">" on the last: nothing
    QCOMPARE(textOf(ed, "Text1"), QString("Spell 3"));
    // "<" reads the working record only.
    SpellWindows::click(ed, "Command1");
    QCOMPARE(textOf(ed, "Text1"), QString("Spell 2"));
    QCOMPARE(w.defs->SpellScratch.SpellNo, std::int16_t{3});
    SpellWindows::click(ed, "Command7");
    QCOMPARE(labelOf(ed, "MainLabel"), QString("Record 1 of 3"));
    QCOMPARE(w.dialogs.shown().size(), std::size_t{0});  // nothing changed, nothing asked
  }

  void newSpellAppendsTheScreen() {
    SpellWindows w(namedEntries<core::SpellRecord>(40, "Spell"));
    auto* ed = showEditor(w);
    SpellWindows::click(ed, "Command4");
    SpellWindows::click(ed, "Command4");
    SpellWindows::click(ed, "Command2");
    QCOMPARE(labelOf(ed, "MainLabel"), QString("Record 41 of 41"));
    QCOMPARE(core::IntegerAt(w.magSlot(42), 0), std::int16_t{41});
    QCOMPARE(w.magSlot(42, 2, 20), w.magSlot(4, 2, 20));
    QCOMPARE(core::IntegerAt(w.magSlot(1), 0), std::int16_t{41});
    QCOMPARE(w.defs->SpellCount, 41L);
    QVERIFY(w.dialogs.messages().empty());
  }

  void aNumberThatCannotBeStoredWritesNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::newRow("empty, save") << ""
                                 << "Command3";
    QTest::newRow("not a number, save") << "lots"
                                        << "Command3";
    QTest::newRow("too large, new") << "40000"
                                    << "Command2";
  }
  void aNumberThatCannotBeStoredWritesNothing() {
    QFETCH(QString, typed);
    QFETCH(QString, button);
    SpellWindows w(namedEntries<core::SpellRecord>(2, "Spell"));
    const auto before = test_support::readBytes(w.magFile());
    auto* ed = showEditor(w);
    type(ed, "Text1", "Changed");
    type(ed, "Text15", typed);
    SpellWindows::click(ed, button);
    QCOMPARE(w.dialogs.messages().size(), std::size_t{1});
    QVERIFY(w.dialogs.messages().front().startsWith("\"Duration sides\" must be a whole number"));
    QCOMPARE(test_support::readBytes(w.magFile()), before);
    QCOMPARE(w.defs->SpellCount, 2L);
    QCOMPARE(textOf(ed, "Text15"), typed);
    QCOMPARE(textOf(ed, "Text1"), QString("Changed"));
  }

  void unsavedChangesAreAskedAbout_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<QString>("storedName");
    QTest::newRow("save") << int(Choice::Save) << "Spell 2"
                          << "Changed";
    QTest::newRow("discard") << int(Choice::Discard) << "Spell 2"
                             << "Spell 1";
    QTest::newRow("cancel") << int(Choice::Cancel) << "Changed"
                            << "Spell 1";
  }
  void unsavedChangesAreAskedAbout() {
    QFETCH(int, choice);
    QFETCH(QString, shownAfter);
    QFETCH(QString, storedName);
    SpellWindows w(namedEntries<core::SpellRecord>(2, "Spell"));
    auto* ed = showEditor(w);
    type(ed, "Text1", "Changed");
    w.dialogs.answerSave(Choice(choice));
    SpellWindows::click(ed, "Command4");
    QCOMPARE(w.dialogs.shown().front().prompt, QString("Save changes to spell 1?"));
    QCOMPARE(textOf(ed, "Text1"), shownAfter);
    QCOMPARE(w.magText(2, 2, 20), test_support::padded(storedName.toStdString()));
  }

  void closingWithUnsavedChangesAsks() {
    SpellWindows w(namedEntries<core::SpellRecord>(1, "Spell"));
    auto* ed = showEditor(w);
    type(ed, "Text20", "x");  // not even a number: still a change
    w.dialogs.answerSave(Choice::Cancel);
    QVERIFY(!ed->closeForm());
    w.dialogs.answerSave(Choice::Discard);
    QVERIFY(ed->closeForm());
  }

  void anEmptyCatalogueSavesNothingAndAppends() {
    SpellWindows w({});
    const auto before = test_support::readBytes(w.magFile());
    auto* ed = showEditor(w);
    QCOMPARE(labelOf(ed, "MainLabel"), QString("Record 0 of 0"));
    type(ed, "Text1", "First");
    SpellWindows::click(ed, "Command3");
    QVERIFY(w.dialogs.messages().front().contains("\"New Spell\""));
    QCOMPARE(test_support::readBytes(w.magFile()), before);
    SpellWindows::click(ed, "Command2");
    QCOMPARE(labelOf(ed, "MainLabel"), QString("Record 1 of 1"));
    QCOMPARE(core::IntegerAt(w.magSlot(1), 0), std::int16_t{1});
  }

  void theLastPossibleSpellIsRefused() {
    SpellWindows w({});
    test_support::writeBytes(w.magFile(),
                             SpellWindows::headerCounting(core::SpellRecord::SlotLength, 32767));
    w.open();
    auto* ed = showEditor(w);
    SpellWindows::click(ed, "Command2");
    QVERIFY(w.dialogs.messages().back().contains("32767"));
    QCOMPARE(test_support::readBytes(w.magFile()).size(), core::SpellRecord::SlotLength);
  }
};

REGISTER_TEST(FrmMagicEdTest);
#include "test_frm_magic_ed.moc"
