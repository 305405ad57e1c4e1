#include "shop_editor_fixture.h"
#include "shops/frm_shop_item_add.h"
#include "support/test_registry.h"

using shop_test::makeShop;
using shop_test::pluralOf;
using shop_test::ShopEditor;
using shop_test::Stock;

class ShopItemAddTest : public QObject {
  Q_OBJECT

 private slots:
  // Ctrl-I offers "Nothing" and every item for the first empty position; the typing in the shop
  // window survives the repaint the new stock causes.
  void insertPicksAnItemForTheFirstEmptyPosition_data() {
    QTest::addColumn<Stock>("stock");
    QTest::addColumn<QString>("answer");  // the button
    QTest::addColumn<int>("pick");        // position in the list; 0 is "Nothing"
    QTest::addColumn<Stock>("expected");
    QTest::newRow("an item") << Stock{1, 2} << "Command1" << 5 << Stock{1, 2, 5};
    QTest::newRow("into a gap") << Stock{1, 0, 3} << "Command1" << 9 << Stock{1, 9, 3};
    QTest::newRow("Nothing") << Stock{1, 2} << "Command1" << 0 << Stock{1, 2};
    QTest::newRow("already stocked") << Stock{1, 2} << "Command1" << 2 << Stock{1, 2};
    QTest::newRow("Cancel") << Stock{1, 2} << "Command2" << 5 << Stock{1, 2};
  }
  void insertPicksAnItemForTheFirstEmptyPosition() {
    QFETCH(Stock, stock);
    QFETCH(QString, answer);
    QFETCH(int, pick);
    QFETCH(Stock, expected);
    ShopEditor s({makeShop("Stall", 0, stock)}, 12);
    s.open();
    s.typeName("Typed, not saved");
    s.keyInList(Qt::Key_I);
    QPointer<shops::frmShopItemAdd> dialog =
        s.w.registry->find<shops::frmShopItemAdd>("frmShopItemAdd");
    QVERIFY(dialog && dialog->isVisible());
    auto* items = dialog->findChild<ui::ComboBox*>("Combo1");
    QCOMPARE(items->count(), 13);
    QCOMPARE(items->itemText(0), QString("Nothing"));
    QCOMPARE(items->itemText(12), pluralOf(12));
    items->setPosition(pick);
    s.w.defs->NotifyChanged(core::ItemsChanged);  // a repaint keeps the pick
    s.flush();
    QCOMPARE(items->position(), pick);
    QTest::mouseClick(dialog->findChild<QWidget*>(answer), Qt::LeftButton);
    s.flush();
    QVERIFY(dialog.isNull() || dialog->isClosed());
    QCOMPARE(s.working(), expected);
    QCOMPARE(s.rows(), shop_test::pluralsOf(expected));
    QCOMPARE(s.control<ui::TextBox>("Text1")->text(), QString("Typed, not saved"));
  }

  // A full stock opens no dialog; paging away closes an open one, which belongs to its shop.
  void theDialogBelongsToAShopWithRoom() {
    Stock full;
    for (int item = 1; item <= 16; ++item) full.push_back(item);
    ShopEditor s({makeShop("Full", 0, full), makeShop("B", 0, {1})});
    s.openAt(1);
    s.keyInList(Qt::Key_I);
    QVERIFY(!s.w.registry->find("frmShopItemAdd"));
    s.click("Command5");
    s.keyInList(Qt::Key_I);
    QVERIFY(s.w.registry->find("frmShopItemAdd"));
    s.click("Command4");
    QVERIFY(!s.w.registry->find("frmShopItemAdd") ||
            s.w.registry->find("frmShopItemAdd")->isClosed());
    QCOMPARE(s.working(), full);
  }
};

REGISTER_TEST(ShopItemAddTest);
#include "test_frm_shop_item_add.moc"
