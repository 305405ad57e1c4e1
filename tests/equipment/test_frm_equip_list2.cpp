#include "equipment_fixture.h"
#include "support/test_registry.h"

#include <QTest>

using equipment_test::Equipment;
using equipment_test::items;
using Choice = ui::Dialogs::SaveChoice;

namespace {

std::vector<core::ItemRecord> eightItems() {
  auto entries = items(8);
  entries[1].ItemType = 7;
  entries[1].Cost = 150;
  entries[2].ItemType = 6;
  entries[3].ItemType = 30;
  return entries;
}

}  // namespace

class FrmEquipList2Test : public QObject {
  Q_OBJECT

 private slots:
  void everyItemHasARow() {
    Equipment e(eightItems());
    e.openEditor(1);
    const core::ItemRecord shown = e.defs->Item;
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
    QVERIFY(e.defs->Item == shown);             // filling the list reads no working record
  }

  // The pick asks about the typing first; Cancel keeps the list and the typing.
  void aDoubleClickShowsThatItemInTheEditor() {
    Equipment e(eightItems());
    e.openEditor(1);
    e.type("Text1", "Typed");
    e.clickEd("Command5");
    e.doubleClickRow("frmEquipList2", 7);  // no answer: Cancel
    QVERIFY(e.window("frmEquipList2"));
    QCOMPARE(e.ed<ui::TextBox>("Text1")->text(), QString("Typed"));
    e.dialogs.answerSave(Choice::Discard);
    e.doubleClickRow("frmEquipList2", 7);
    QVERIFY(!e.window("frmEquipList2"));
    QCOMPARE(e.recordLine(), QString("Record 7 of 8"));
    QVERIFY(e.defs->ItemScratch == e.defs->Item);
  }

  // Without the editor the pick still becomes the working record it opens on.
  void aPickWithoutTheEditorLoadsTheItem() {
    Equipment e(eightItems());
    e.registry->show("frmEquipList2");
    e.doubleClickRow("frmEquipList2", 4);
    QCOMPARE(e.defs->Item.ItemNo, std::int16_t(4));
  }
};

REGISTER_TEST(FrmEquipList2Test);
#include "test_frm_equip_list2.moc"
