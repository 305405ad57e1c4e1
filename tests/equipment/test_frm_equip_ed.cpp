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
  return entries;
}

}  // namespace

class FrmEquipEdTest : public QObject {
  Q_OBJECT

 private slots:
  void pagingStopsAtBothEnds_data() {
    QTest::addColumn<long>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("shown");
    QTest::newRow("< on 1") << 1L << "Command1"
                            << "Record 1 of 3";
    QTest::newRow("> on 1") << 1L << "Command4"
                            << "Record 2 of 3";
    QTest::newRow(">> on 1") << 1L << "Command8"
                             << "Record 3 of 3";
    QTest::newRow("> on 3") << 3L << "Command4"
                            << "Record 3 of 3";
    QTest::newRow("<< on 3") << 3L << "Command7"
                             << "Record 1 of 3";
  }
  void pagingStopsAtBothEnds() {
    QFETCH(long, start);
    QFETCH(QString, button);
    QFETCH(QString, shown);
    Equipment e(items(3));
    e.openEditor(start);
    e.clickEd(button);
    QCOMPARE(e.recordLine(), shown);
    QCOMPARE(e.ed<ui::TextBox>("Text1")->text(), ui::ToQString(e.defs->Item.ItemName));
    QVERIFY(e.dialogs.shown().empty());
  }

  // What each kind of item shows, and that the lists show nothing for codes they do not hold.
  void everyFieldIsShown() {
    Equipment e(mixedItems());
    QCOMPARE(e.openEditor(1)->windowTitle(), QString("Equipment Editor"));
    QCOMPARE(e.ed<ui::Label>("Label13")->text(), QString("Spell"));
    QVERIFY(e.ed<ui::ComboBox>("Combo3")->isVisible() &&
            !e.ed<ui::ComboBox>("Combo2")->isVisible());
    QCOMPARE(e.ed<ui::ComboBox>("Combo3")->currentText(), QString("Spell 3"));  // blanks removed
    QCOMPARE(e.ed<ui::TextBox>("Text1")->text(), QString(test_support::padded("Item 1").c_str()));

    e.clickEd("Command4");
    QCOMPARE(e.ed<ui::Label>("Label13")->text(), QString("Use Item"));
    QCOMPARE(e.ed<ui::ComboBox>("Combo1")->currentText(), QString("Ammo"));
    QCOMPARE(e.ed<ui::ComboBox>("Combo2")->currentText(), QString("Missile Weapon"));
    QCOMPARE(e.ed<ui::TextBox>("Text10")->text(), QString("-12"));
    QVERIFY(e.ed<ui::CheckBox>("Check1_3")->isChecked());
    QCOMPARE(e.ed<ui::CheckBox>("Check1_1")->text(), QString("Thief"));
    QCOMPARE(e.ed<ui::CheckBox>("Check1_24")->text(), QString("?"));

    e.clickEd("Command4");
    QCOMPARE(e.ed<ui::ComboBox>("Combo1")->position(), -1);
    QCOMPARE(e.ed<ui::ComboBox>("Combo2")->position(), -1);
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

  // Values no list can show survive a save that did not touch those lists.
  void aSaveKeepsWhatTheListsCannotShow() {
    Equipment e(mixedItems());
    e.openEditor(3);
    e.type("Text1", "Renamed");
    e.clickEd("Command3");
    QCOMPARE(e.onDisk(3, TypeAt), std::int16_t(14));
    QCOMPARE(e.onDisk(3, UseAt), std::int16_t(40));
    const auto name =
        test_support::readBytes(e.itemFile(), equipment_test::itemOffset(3, NameAt), 20);
    QCOMPARE(std::string(name.begin(), name.end()), test_support::padded("Renamed"));
  }

  void theThiefFlagIsStored_data() {
    QTest::addColumn<bool>("checked");
    QTest::addColumn<std::int16_t>("stored");
    QTest::newRow("checked") << true << std::int16_t(-1);
    QTest::newRow("unchecked") << false << std::int16_t(0);
  }
  void theThiefFlagIsStored() {
    QFETCH(bool, checked);
    QFETCH(std::int16_t, stored);
    auto entries = items(2);
    entries[1].UsableBy[0] = 7;  // no box shows element 0: it stays
    entries[1].UsableBy[2] = checked ? 0 : -1;
    Equipment e(entries);
    e.openEditor(2);
    e.clickEd("Check1_1");
    e.clickEd("Command3");
    QCOMPARE(e.onDisk(2, UsableByAt + 2 * 2), stored);
    QCOMPARE(e.onDisk(2, UsableByAt), std::int16_t(7));
    QCOMPARE(e.recordLine(), QString("Record 2 of 2"));
  }

  void hasEffectsCountsEverySlot_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("checked");
    QTest::newRow("none") << -1 << false;
    QTest::newRow("slot 0") << 0 << true;
    QTest::newRow("slot 10 alone") << 10 << true;
  }
  void hasEffectsCountsEverySlot() {
    QFETCH(int, slot);
    QFETCH(bool, checked);
    auto entries = items(1);
    if (slot >= 0) entries[0].SetEffect(slot, core::EffectField::Kind, 6);
    Equipment e(entries);
    e.openEditor(1);
    QCOMPARE(e.ed<ui::CheckBox>("Check2")->isChecked(), checked);
    e.clickEd("Check2");  // display only
    QCOMPARE(e.ed<ui::CheckBox>("Check2")->isChecked(), checked);
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
    QCOMPARE(e.defs->ItemCount, 13L);
    const auto after = e.fileBytes();
    QCOMPARE(after.size(), std::size_t{14 * core::ItemRecord::SlotLength});
    QCOMPARE(e.onDisk(0, 0), std::int16_t(13));
    QVERIFY(std::equal(before.begin() + 2, before.end(), after.begin() + 2));  // item 12 as it was
    QCOMPARE(e.onDisk(13, 0), std::int16_t(13));
    QCOMPARE(e.onDisk(13, CostAt), std::int16_t(35));
  }

  void aNumberThatCannotBeStoredWritesNothing_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("typed");
    QTest::newRow("save, empty") << "Command3"
                                 << "";
    QTest::newRow("save, words") << "Command3"
                                 << "ten";
    QTest::newRow("new, too large") << "Command2"
                                    << "40000";
  }
  void aNumberThatCannotBeStoredWritesNothing() {
    QFETCH(QString, button);
    QFETCH(QString, typed);
    Equipment e(items(2));
    e.openEditor(1);
    const auto before = e.fileBytes();
    e.type("Text1", "Changed");
    e.type("Text11", typed);
    e.clickEd(button);
    QCOMPARE(e.fileBytes(), before);
    QCOMPARE(e.defs->ItemCount, 2L);
    QVERIFY(e.dialogs.messages().at(0).startsWith("\"Speed\" must be a whole number"));
    QCOMPARE(e.ed<ui::TextBox>("Text11")->text(), typed);
    QCOMPARE(e.ed<ui::TextBox>("Text1")->text(), QString("Changed"));
  }

  // Typing counts as a change: paging and closing ask first, and Cancel keeps it all.
  void leavingAnEditedItemAsks() {
    auto entries = items(2);
    entries[0].UsableBy[3] = 1;      // ticked, though not as -1
    entries[0].ItemName[18] = '\0';  // a name padded by another tool
    Equipment e(entries);
    e.openEditor(1);
    e.clickEd("Command4");
    e.clickEd("Command1");
    QVERIFY(e.dialogs.shown().empty());  // nothing was changed, so nothing is asked

    e.type("Text10", "9");
    e.clickEd("Command4");  // no answer queued: Cancel
    QCOMPARE(e.dialogs.last()->prompt, QString("Save changes to item 1?"));
    QVERIFY(!e.registry->close("frmEquipEd"));
    QCOMPARE(e.recordLine(), QString("Record 1 of 2"));
    QCOMPARE(e.ed<ui::TextBox>("Text10")->text(), QString("9"));
    e.dialogs.answerSave(Choice::Save);
    e.clickEd("Command4");
    QCOMPARE(e.recordLine(), QString("Record 2 of 2"));
    QCOMPARE(e.onDisk(1, CostAt), std::int16_t(9));
  }

  void anEmptyCatalogueHasNothingToPage() {
    Equipment e(items(0));
    e.openEditor(0);
    e.clickEd("Command8");
    e.clickEd("Command4");
    QCOMPARE(e.recordLine(), QString("Record 0 of 0"));
    e.clickEd("Command3");
    QCOMPARE(test_support::readBytes(e.itemFile()).size(), core::ItemRecord::SlotLength);
    QCOMPARE(e.dialogs.messages().size(), std::size_t{1});
  }

  void aFullCatalogueRefusesNewItem() {
    std::vector<std::uint8_t> header(core::ItemRecord::SlotLength, 0);
    header[0] = 0xFF;
    header[1] = 0x7F;  // 32767 items
    Equipment e(header);
    e.openEditor(32767);
    e.clickEd("Command2");
    QCOMPARE(e.fileBytes(), header);
    QVERIFY(e.dialogs.messages().at(0).startsWith("Cannot add another item"));
  }
};

REGISTER_TEST(FrmEquipEdTest);
#include "test_frm_equip_ed.moc"
