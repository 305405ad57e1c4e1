// The equipment editor, its list, and the item effects list and editor.
#include "equipment_fixture.h"
#include "support/test_registry.h"

#include <QTest>

using equipment_test::Equipment;
using equipment_test::items;
using Choice = ui::Dialogs::SaveChoice;

namespace {

// A scroll of the last spell, an ammo item, and a blade with an odd type and use.
std::vector<core::ItemRecord> mixedItems() {
  auto entries = items(3);
  entries[0].ItemType = 11;
  entries[0].UseCode = 3;
  entries[1].ItemType = 5;
  entries[1].UseCode = 4;
  entries[1].Cost = -12;
  entries[1].UsableBy[4] = -1;
  entries[2].ItemType = 14;
  entries[2].UseCode = 40;
  entries[2].UsableBy[0] = 7;  // no box shows element 0
  entries[2].SetEffect(10, core::EffectField::Kind, 6);
  return entries;
}

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

class FrmEquipEdTest : public QObject {
  Q_OBJECT

 private slots:
  // What each kind of item shows; codes the lists do not hold show nothing and survive a save.
  void everyFieldIsShownAndKept() {
    Equipment e(mixedItems());
    e.openEditor(1);
    QCOMPARE(e.ed<ui::Label>("Label13")->text(), QString("Spell"));
    QCOMPARE(e.ed<ui::ComboBox>("Combo3")->currentText(), QString("Spell 3"));  // blanks removed
    QVERIFY(!e.ed<ui::CheckBox>("Check2")->isChecked());
    // Choosing a type stores it at once and switches the use list; the use itself stays.
    e.choose("frmEquipEd", "Combo1", 4);  // Ammo
    QCOMPARE(e.defs->Item.ItemType, std::int16_t(5));
    QCOMPARE(e.defs->Item.UseCode, std::int16_t(3));
    QCOMPARE(e.ed<ui::Label>("Label13")->text(), QString("Use Item"));
    QVERIFY(e.ed<ui::ComboBox>("Combo2")->isVisible());
    e.choose("frmEquipEd", "Combo1", 10);  // Spell Scroll
    QCOMPARE(e.ed<ui::ComboBox>("Combo3")->position(), 2);

    e.clickEd("Command4");  // the pager is wired
    QCOMPARE(e.recordLine(), QString("Record 2 of 3"));
    QCOMPARE(e.ed<ui::Label>("Label13")->text(), QString("Use Item"));
    QCOMPARE(e.ed<ui::ComboBox>("Combo1")->currentText(), QString("Ammo"));
    QCOMPARE(e.ed<ui::ComboBox>("Combo2")->currentText(), QString("Missile Weapon"));
    QCOMPARE(e.ed<ui::TextBox>("Text10")->text(), QString("-12"));
    QVERIFY(e.ed<ui::CheckBox>("Check1_3")->isChecked());

    e.clickEd("Command4");
    QCOMPARE(e.ed<ui::ComboBox>("Combo1")->position(), -1);
    QCOMPARE(e.ed<ui::ComboBox>("Combo2")->position(), -1);
    QVERIFY(e.ed<ui::CheckBox>("Check2")->isChecked());  // slot 10 alone counts
    e.clickEd("Check2");                                 // display only
    QVERIFY(e.ed<ui::CheckBox>("Check2")->isChecked());
    QVERIFY(e.ed<ui::CheckBox>("Check2")->isReadOnly());
    e.type("Text1", "Renamed");
    e.clickEd("Check1_1");  // Thief
    e.clickEd("Command3");
    const core::ItemRecord saved = e.stored(3);
    QCOMPARE(saved.ItemType, std::int16_t(14));
    QCOMPARE(saved.UseCode, std::int16_t(40));
    QCOMPARE(saved.UsableBy[0], std::int16_t(7));
    QCOMPARE(saved.UsableBy[2], std::int16_t(-1));
    QCOMPARE(saved.ItemName, test_support::padded("Renamed"));
  }

  // Editor A adds items under editor B's window: B is told, and its item goes after A's, never
  // over one; Cancel writes nothing.
  void newItemGoesAfterAnotherEditorsItems() {
    Equipment e(items(18));
    e.openEditor(18);
    core::ModDefinitions a(e.dir->root());
    QVERIFY(a.Startup().ok());
    const auto addByA = [&a](const std::string& name) {
      test_support::nameEntry(a.Item, name);
      QVERIFY(a.AppendItem().ok());
    };
    addByA("Axe");
    const auto before = e.fileBytes();
    e.type("Text1", "Lantern");
    e.clickEd("Command2");  // no answer: Cancel
    QVERIFY(e.fileBytes() == before);
    addByA("Bow");
    e.dialogs.answerConfirm(true);
    e.clickEd("Command2");
    const auto& asked = e.dialogs.shown();
    QCOMPARE(asked.size(), std::size_t{2});
    QCOMPARE(asked[0].prompt, QString("Another editor added entries to the item file since this "
                                      "editor read it; add this one as item 20?"));
    QCOMPARE(asked[1].kind, ui::ScriptedDialogs::Kind::ConfirmQuestion);
    QCOMPARE(asked[1].action, QString("Add"));
    QVERIFY(asked[1].prompt.endsWith("add this one as item 21?"));
    QCOMPARE(e.recordLine(), QString("Record 21 of 21"));
    QCOMPARE(core::IntegerAt(e.fileBytes(), 0), std::int16_t(21));
    QCOMPARE(e.stored(19).ItemName, test_support::padded("Axe"));
    QCOMPARE(e.stored(20).ItemName, test_support::padded("Bow"));
    QCOMPARE(e.stored(21).ItemName, test_support::padded("Lantern"));
    QCOMPARE(e.stored(21).ItemNo, std::int16_t(21));
  }

  // Values another tool stored differently are no change; typing is, and Save stores it.
  void leavingAnEditedItemAsks() {
    auto entries = items(2);
    entries[0].UsableBy[3] = 1;      // ticked, though not as -1
    entries[0].ItemName[18] = '\0';  // a name padded by another tool
    Equipment e(entries);
    e.openEditor(1);
    e.clickEd("Command4");
    e.clickEd("Command1");
    QVERIFY(e.dialogs.shown().empty());
    // A number that cannot be stored is refused by its caption, and nothing is written.
    const auto before = e.fileBytes();
    e.type("Text10", "9");
    e.type("Text11", "ten");
    e.clickEd("Command3");
    QCOMPARE(e.fileBytes(), before);
    QVERIFY(e.dialogs.messages().at(0).startsWith("\"Speed\" must be a whole number"));
    e.type("Text11", "4");
    e.dialogs.answerSave(Choice::Save);
    e.clickEd("Command4");
    QCOMPARE(e.dialogs.last()->prompt, QString("Save changes to item 1?"));
    QCOMPARE(e.recordLine(), QString("Record 2 of 2"));
    QCOMPARE(e.stored(1).Cost, std::int16_t(9));
  }

  // The list shows every item without reading one; a pick asks about the typing first (Cancel
  // keeps the list), and without the editor it still becomes the working record.
  void theListShowsAndPicksItems() {
    Equipment e(mixedItems());
    e.openEditor(1);
    const core::ItemRecord shown = e.defs->Item;
    e.type("Text1", "Typed");
    e.clickEd("Command5");
    auto* list = e.control<ui::ListView>("frmEquipList2", "ListView1");
    QCOMPARE(list->rowCount(), 3);
    const ui::ListRow& row = list->row(2);
    QCOMPARE(row.key, QString("0 2"));
    QCOMPARE(row.text, QString(" 2"));
    QCOMPARE(row.subItems.at(0).text, QString(test_support::padded("Item 2").c_str()));
    QCOMPARE(row.subItems.at(1).text, QString("Ammo"));
    QCOMPARE(row.subItems.at(2).text, QString("-12"));
    QCOMPARE(list->cellText(3, 2), QString());  // a code outside the list
    QVERIFY(e.defs->Item == shown);
    e.doubleClickRow("frmEquipList2", 3);  // no answer: Cancel
    QVERIFY(e.window("frmEquipList2"));
    QCOMPARE(e.ed<ui::TextBox>("Text1")->text(), QString("Typed"));
    e.dialogs.answerSave(Choice::Discard);
    e.doubleClickRow("frmEquipList2", 3);
    QVERIFY(!e.window("frmEquipList2"));
    QCOMPARE(e.recordLine(), QString("Record 3 of 3"));
    QVERIFY(e.defs->ItemScratch == e.defs->Item);
    QVERIFY(e.registry->close("frmEquipEd"));
    e.registry->show("frmEquipList2");
    e.doubleClickRow("frmEquipList2", 2);
    QCOMPARE(e.defs->Item.ItemNo, std::int16_t(2));
  }

  // The effects list and its editor.
  // The list shows each slot; a row opens the editor on its slot, an open editor turning there.
  void theListAndTheEditorShowEachSlot() {
    Equipment e(effectItems());
    const core::SpellRecord spell = e.defs->Spell;
    openSlot(e, 3);
    QVERIFY(!e.window("frmEquipEffect"));
    QCOMPARE(e.window("frmEquipEffEd")->windowTitle(), QString("Choose Special 3"));
    e.clickEd("Command6");
    QCOMPARE(e.control<ui::ListView>("frmEquipEffect", "ListView1")->rowCount(), 10);
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
                 {"Combo5", 3, {9, 3, 0}, "Stat", {"Combo1", "Combo5", "Combo4"}},
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

  // OK then "Save Item" writes the slot, the spell stored as its place in the list.
  void okThenSaveWritesTheSlot() {
    Equipment e(effectItems());
    openSlot(e, 5);
    e.choose("frmEquipEffEd", "Combo1", 2);
    e.choose("frmEquipEffEd", "Combo2", 2);  // "Spell 3"
    e.click("frmEquipEffEd", "Command1");
    QVERIFY(!e.window("frmEquipEffEd"));
    e.clickEd("Command3");
    QCOMPARE(slotOf(e.stored(1), 4), (std::vector<std::int16_t>{2, 2, 0}));
    QCOMPARE(slotOf(e.stored(1), 0), (std::vector<std::int16_t>{5, 1, 2}));
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

  // A use chosen but not saved survives a change of type and back, even through a spell list
  // that cannot show it.
  void theUseChoiceSurvivesATypeRoundTrip() {
    Equipment e(items(2));
    e.openEditor(1);
    e.choose("frmEquipEd", "Combo1", 0);
    e.choose("frmEquipEd", "Combo2", 4);
    e.choose("frmEquipEd", "Combo1", 10);  // Spell Scroll: 3 spells, no spell 5
    QCOMPARE(e.ed<ui::ComboBox>("Combo3")->position(), -1);
    e.choose("frmEquipEd", "Combo1", 1);
    QCOMPARE(e.ed<ui::ComboBox>("Combo2")->position(), 4);
    e.clickEd("Command3");
    QCOMPARE(e.stored(1).UseCode, std::int16_t(5));
    QCOMPARE(e.stored(1).ItemType, std::int16_t(2));
  }

  // The effect windows close with the editor, once its question has covered their choices.
  void theEffectWindowsCloseWithTheEditor() {
    Equipment e(items(2));
    openSlot(e, 2);
    e.clickEd("Command6");  // the list again, beside the effect editor
    auto* list = e.control<ui::ListView>("frmEquipEffect", "ListView1");
    const QFontMetrics metrics(list->font());
    QVERIFY(list->columnWidth(1) > metrics.horizontalAdvance("Stat Change When Equipped"));
    e.choose("frmEquipEffEd", "Combo1", 6);
    e.dialogs.answerSave(Choice::Cancel);
    QVERIFY(!e.window("frmEquipEd")->close());
    QVERIFY(e.window("frmEquipEffEd") && e.window("frmEquipEffect"));
    e.dialogs.answerSave(Choice::Save);
    QVERIFY(e.window("frmEquipEd")->close());
    QCOMPARE(e.dialogs.shown().back().prompt, QString("Save changes to item 1?"));
    QVERIFY(!e.window("frmEquipEffEd") && !e.window("frmEquipEffect"));
    QCOMPARE(e.stored(1).Effect(1, core::EffectField::Kind), std::int16_t(6));
  }
};

REGISTER_TEST(FrmEquipEdTest);
#include "test_frm_equip_ed.moc"
