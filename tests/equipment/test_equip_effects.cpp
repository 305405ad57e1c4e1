#include "equipment_fixture.h"
#include "support/test_registry.h"

#include <QTest>

using equipment_test::Equipment;
using equipment_test::items;
using Choice = ui::Dialogs::SaveChoice;

namespace {

// Packed offsets of slot s's three fields (stored field-major).
constexpr std::size_t KindAt = 116, WhatAt = 138, PowerAt = 160;

// Item 1: slot 0 "One Use Effect", "Bless", power index 2; slot 1 a spell (what 2: spell 3);
// slot 3 "Stat Change When Equipped" on Piety. Item 2 has no effects.
std::vector<core::ItemRecord> effectItems() {
  auto entries = items(2);
  core::ItemRecord& item = entries[0];
  const auto put = [&item](int slot, int kind, int what, int power) {
    item.SetEffect(slot, core::EffectField::Kind, static_cast<std::int16_t>(kind));
    item.SetEffect(slot, core::EffectField::What, static_cast<std::int16_t>(what));
    item.SetEffect(slot, core::EffectField::Power, static_cast<std::int16_t>(power));
  };
  put(0, 5, 1, 2);
  put(1, 3, 2, 0);
  put(3, 10, 3, 0);
  put(4, 12, 0, 0);
  return entries;
}

std::vector<std::int16_t> slotOf(const core::ItemRecord& item, int slot) {
  return {item.Effect(slot, core::EffectField::Kind), item.Effect(slot, core::EffectField::What),
          item.Effect(slot, core::EffectField::Power)};
}

QString cells(Equipment& e, const QString& form, int row) {
  auto* list = e.control<ui::ListView>(form, "ListView1");
  QStringList texts;
  for (int column = 0; column < list->columnCount(); ++column) texts << list->cellText(row, column);
  return texts.join('|');
}

// The editor on item 1, the effects list opened from it, then row `row` double-clicked.
void openSlot(Equipment& e, int row) {
  e.openEditor(1);
  e.clickEd("Command6");
  e.doubleClickRow("frmEquipEffect", row);
}

}  // namespace

class EquipEffectsTest : public QObject {
  Q_OBJECT

 private slots:
  // The list shows each slot; a row opens the editor on its slot, an open editor turning there.
  void theListAndTheEditorShowEachSlot() {
    Equipment e(effectItems());
    const core::SpellRecord spell = e.defs->Spell;
    openSlot(e, 3);
    QVERIFY(!e.window("frmEquipEffect"));
    QCOMPARE(e.window("frmEquipEffEd")->windowTitle(), QString("Choose Special 3"));
    e.clickEd("Command6");
    auto* view = e.control<ui::ListView>("frmEquipEffect", "ListView1");
    QCOMPARE(view->rowCount(), 10);
    QCOMPARE(cells(e, "frmEquipEffect", 1), QString(" 1|One Use Effect|Bless| 2"));
    // The stored spell value is the place in the spell list: 2 is spell 3.
    QCOMPARE(cells(e, "frmEquipEffect", 2),
             QString(" 2|When Attack Spell|%1| 0").arg(test_support::padded("Spell 3").c_str()));
    QCOMPARE(cells(e, "frmEquipEffect", 3), QString(" 3|Nothing|| 0"));
    QCOMPARE(cells(e, "frmEquipEffect", 4), QString(" 4|Stat Change When Equipped|Piety| 0"));
    QCOMPARE(cells(e, "frmEquipEffect", 5), QString(" 5|12|| 0"));
    e.doubleClickRow("frmEquipEffect", 1);
    QCOMPARE(e.window("frmEquipEffEd")->windowTitle(), QString("Choose Special 1"));
    QCOMPARE(e.control<ui::ComboBox>("frmEquipEffEd", "Combo1")->currentText(),
             QString("One Use Effect"));
    QCOMPARE(e.control<ui::ComboBox>("frmEquipEffEd", "Combo3")->currentText(), QString("BLESS"));
    QCOMPARE(slotOf(e.defs->Item, 0), (std::vector<std::int16_t>{5, 1, 2}));
    QVERIFY(e.defs->Spell == spell);  // the spell editor's entry is untouched
  }

  // Each choice is stored at once; a new kind starts empty and shows its own lists.
  void choicesAreStoredInTheSlot() {
    const struct {
      const char* list;
      int position;
      std::vector<std::int16_t> slot;
      const char* label2;
      QStringList visible;
    } steps[] = {{"Combo3", 4, {5, 4, 0}, "Effect", {"Combo1", "Combo3", "Combo4"}},
                 {"Combo4", 9, {5, 4, 9}, "Effect", {"Combo1", "Combo3", "Combo4"}},
                 {"Combo1", 9, {9, 0, 0}, "Stat", {"Combo1", "Combo5", "Combo4"}},
                 {"Combo1", 1, {1, 0, 0}, "Spell", {"Combo1", "Combo2"}}};
    Equipment e(effectItems());
    openSlot(e, 1);
    for (const auto& step : steps) {
      e.choose("frmEquipEffEd", step.list, step.position);
      QCOMPARE(slotOf(e.defs->Item, 0), step.slot);
      ui::Label* label = e.control<ui::Label>("frmEquipEffEd", "Label2");
      QCOMPARE(label->isVisible() ? label->text() : QString(), QString(step.label2));
      QStringList shown;
      for (const char* name : {"Combo1", "Combo2", "Combo3", "Combo5", "Combo4"})
        if (e.control<ui::ComboBox>("frmEquipEffEd", name)->isVisible()) shown << name;
      QCOMPARE(shown, step.visible);
    }
  }

  // The stat kinds offer a stat and a power; OK then "Save Item" writes the slot, and the
  // spell is stored as its place in the list (spell number - 1).
  void okThenSaveWritesTheSlot() {
    Equipment e(effectItems());
    openSlot(e, 3);
    e.choose("frmEquipEffEd", "Combo1", 10);
    e.choose("frmEquipEffEd", "Combo5", 3);
    e.choose("frmEquipEffEd", "Combo4", 4);
    QCOMPARE(slotOf(e.defs->Item, 2), (std::vector<std::int16_t>{10, 3, 4}));
    e.clickEd("Command6");
    e.doubleClickRow("frmEquipEffect", 5);
    e.choose("frmEquipEffEd", "Combo1", 2);
    e.choose("frmEquipEffEd", "Combo2", 2);  // "Spell 3"
    e.click("frmEquipEffEd", "Command1");
    QVERIFY(!e.window("frmEquipEffEd"));
    e.clickEd("Command3");
    QCOMPARE(e.onDisk(1, KindAt + 2 * 2), std::int16_t(10));
    QCOMPARE(e.onDisk(1, WhatAt + 2 * 2), std::int16_t(3));
    QCOMPARE(e.onDisk(1, PowerAt + 2 * 2), std::int16_t(4));
    QCOMPARE(e.onDisk(1, KindAt + 2 * 4), std::int16_t(2));
    QCOMPARE(e.onDisk(1, WhatAt + 2 * 4), std::int16_t(2));
    e.clickEd("Command6");
    QCOMPARE(cells(e, "frmEquipEffect", 5),
             QString(" 5|Many Use Spell|%1| 0").arg(test_support::padded("Spell 3").c_str()));
    // The editor opens on the same line again.
    e.doubleClickRow("frmEquipEffect", 5);
    QCOMPARE(e.control<ui::ComboBox>("frmEquipEffEd", "Combo2")->position(), 2);
  }

  // "Has Effects" follows at once and the typing survives it; moving on with Discard drops the
  // slot, and the disk never sees it.
  void anUnsavedSlotIsDroppedOnlyByDiscard() {
    Equipment e(items(2));
    e.openEditor(2);
    const auto before = e.fileBytes();
    e.type("Text1", "Not saved yet");
    e.clickEd("Command6");
    e.doubleClickRow("frmEquipEffect", 10);
    e.choose("frmEquipEffEd", "Combo1", 6);
    e.click("frmEquipEffEd", "Command1");
    e.settle();
    QVERIFY(e.ed<ui::CheckBox>("Check2")->isChecked());
    QCOMPARE(e.ed<ui::TextBox>("Text1")->text(), QString("Not saved yet"));
    e.dialogs.answerSave(Choice::Discard);
    e.clickEd("Command1");
    e.clickEd("Command4");
    QCOMPARE(e.defs->Item.Effect(9, core::EffectField::Kind), std::int16_t(0));
    QVERIFY(!e.ed<ui::CheckBox>("Check2")->isChecked());
    QCOMPARE(e.fileBytes(), before);
  }
};

REGISTER_TEST(EquipEffectsTest);
#include "test_equip_effects.moc"
