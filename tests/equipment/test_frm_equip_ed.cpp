// The equipment editor and its list.
#include "equipment_fixture.h"
#include "support/test_registry.h"

#include <QTest>

using equipment_test::Equipment;
using equipment_test::items;
using Choice = ui::Dialogs::SaveChoice;

namespace {

// Offsets in the packed item.
constexpr std::size_t NameAt = 2, TypeAt = 42, UseAt = 44, UsableByAt = 60, CostAt = 114;

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

std::vector<core::ItemRecord> eightItems() {
  auto entries = items(8);
  entries[1].ItemType = 7;
  entries[1].Cost = 150;
  entries[2].ItemType = 6;
  entries[3].ItemType = 30;
  return entries;
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
    QVERIFY(e.ed<ui::ComboBox>("Combo3")->isVisible() &&
            !e.ed<ui::ComboBox>("Combo2")->isVisible());
    QCOMPARE(e.ed<ui::ComboBox>("Combo3")->currentText(), QString("Spell 3"));  // blanks removed
    QCOMPARE(e.ed<ui::TextBox>("Text1")->text(), QString(test_support::padded("Item 1").c_str()));
    QVERIFY(!e.ed<ui::CheckBox>("Check2")->isChecked());

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
    e.type("Text1", "Renamed");
    e.clickEd("Check1_1");  // Thief
    e.clickEd("Command3");
    QCOMPARE(e.onDisk(3, TypeAt), std::int16_t(14));
    QCOMPARE(e.onDisk(3, UseAt), std::int16_t(40));
    QCOMPARE(e.onDisk(3, UsableByAt), std::int16_t(7));
    QCOMPARE(e.onDisk(3, UsableByAt + 2 * 2), std::int16_t(-1));
    const auto name =
        test_support::readBytes(e.itemFile(), equipment_test::itemOffset(3, NameAt), 20);
    QCOMPARE(std::string(name.begin(), name.end()), test_support::padded("Renamed"));
  }

  // Choosing a type stores it at once and switches the use list; the use itself stays.
  void theTypeSwitchesTheUseList() {
    Equipment e(mixedItems());
    e.openEditor(1);
    e.choose("frmEquipEd", "Combo1", 4);  // Ammo
    QCOMPARE(e.defs->Item.ItemType, std::int16_t(5));
    QCOMPARE(e.defs->Item.UseCode, std::int16_t(3));
    QCOMPARE(e.ed<ui::Label>("Label13")->text(), QString("Use Item"));
    QVERIFY(e.ed<ui::ComboBox>("Combo2")->isVisible() &&
            !e.ed<ui::ComboBox>("Combo3")->isVisible());
    e.choose("frmEquipEd", "Combo1", 10);  // Spell Scroll
    QCOMPARE(e.ed<ui::Label>("Label13")->text(), QString("Spell"));
    QCOMPARE(e.ed<ui::ComboBox>("Combo3")->position(), 2);
  }

  // The new item goes to the end; the item shown before is not written.
  void newItemAppendsWithoutSavingTheItemShown() {
    Equipment e(items(12));
    e.openEditor(12);
    const auto before = e.fileBytes();
    e.type("Text1", "Lantern");
    e.type("Text10", "35");
    e.clickEd("Command2");
    QCOMPARE(e.recordLine(), QString("Record 13 of 13"));
    const auto after = e.fileBytes();
    QCOMPARE(after.size(), std::size_t{14 * core::ItemRecord::SlotLength});
    QCOMPARE(e.onDisk(0, 0), std::int16_t(13));
    QVERIFY(std::equal(before.begin() + 2, before.end(), after.begin() + 2));  // item 12 as it was
    QCOMPARE(e.onDisk(13, 0), std::int16_t(13));
    QCOMPARE(e.onDisk(13, CostAt), std::int16_t(35));
  }

  // A number that cannot be stored is refused by its caption, and nothing is written.
  void aNumberThatCannotBeStoredWritesNothing() {
    Equipment e(items(2));
    e.openEditor(1);
    const auto before = e.fileBytes();
    e.type("Text11", "ten");
    e.clickEd("Command3");
    QCOMPARE(e.fileBytes(), before);
    QVERIFY(e.dialogs.messages().at(0).startsWith("\"Speed\" must be a whole number"));
    QCOMPARE(e.ed<ui::TextBox>("Text11")->text(), QString("ten"));
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
    e.type("Text10", "9");
    e.dialogs.answerSave(Choice::Save);
    e.clickEd("Command4");
    QCOMPARE(e.dialogs.last()->prompt, QString("Save changes to item 1?"));
    QCOMPARE(e.recordLine(), QString("Record 2 of 2"));
    QCOMPARE(e.onDisk(1, CostAt), std::int16_t(9));
  }

  // The list shows every item without reading one; a pick asks about the typing first (Cancel
  // keeps the list), and without the editor it still becomes the working record.
  void theListShowsAndPicksItems() {
    Equipment e(eightItems());
    e.openEditor(1);
    const core::ItemRecord shown = e.defs->Item;
    e.type("Text1", "Typed");
    e.clickEd("Command5");
    auto* list = e.control<ui::ListView>("frmEquipList2", "ListView1");
    QCOMPARE(list->rowCount(), 8);
    const ui::ListRow& row = list->row(2);
    QCOMPARE(row.key, QString("0 2"));
    QCOMPARE(row.text, QString(" 2"));
    QCOMPARE(row.subItems.at(0).text, QString(test_support::padded("Item 2").c_str()));
    QCOMPARE(row.subItems.at(1).text, QString("Body Armour"));
    QCOMPARE(row.subItems.at(2).text, QString("150"));
    QCOMPARE(list->cellText(3, 2), QString());  // type code 6 has no text
    QCOMPARE(list->cellText(4, 2), QString());  // nor has a code outside the list
    QVERIFY(e.defs->Item == shown);
    e.doubleClickRow("frmEquipList2", 7);  // no answer: Cancel
    QVERIFY(e.window("frmEquipList2"));
    QCOMPARE(e.ed<ui::TextBox>("Text1")->text(), QString("Typed"));
    e.dialogs.answerSave(Choice::Discard);
    e.doubleClickRow("frmEquipList2", 7);
    QVERIFY(!e.window("frmEquipList2"));
    QCOMPARE(e.recordLine(), QString("Record 7 of 8"));
    QVERIFY(e.defs->ItemScratch == e.defs->Item);
    QVERIFY(e.registry->close("frmEquipEd"));
    e.registry->show("frmEquipList2");
    e.doubleClickRow("frmEquipList2", 4);
    QCOMPARE(e.defs->Item.ItemNo, std::int16_t(4));
  }
};

REGISTER_TEST(FrmEquipEdTest);
#include "test_frm_equip_ed.moc"
