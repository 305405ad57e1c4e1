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
  void insertPicksAnItemForTheFirstEmptyPosition_data() {
    QTest::addColumn<Stock>("stock");
    QTest::addColumn<QString>("answer");  // "Save" or "Cancel"
    QTest::addColumn<int>("pick");        // position in the list; 0 is "Nothing"
    QTest::addColumn<Stock>("expected");
    QTest::newRow("an item") << Stock{1, 2} << "Save" << 5 << Stock{1, 2, 5};
    QTest::newRow("into a gap") << Stock{1, 0, 3} << "Save" << 9 << Stock{1, 9, 3};
    QTest::newRow("Nothing") << Stock{1, 2} << "Save" << 0 << Stock{1, 2};
    QTest::newRow("already stocked") << Stock{1, 2} << "Save" << 2 << Stock{1, 2};
    QTest::newRow("Cancel") << Stock{1, 2} << "Cancel" << 5 << Stock{1, 2};
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
    QCOMPARE(dialog->windowTitle(), QString("Add Item to Shop"));
    auto* items = dialog->findChild<ui::ComboBox*>("Combo1");
    QCOMPARE(items->count(), 13);
    QCOMPARE(items->itemText(0), QString("Nothing"));
    QCOMPARE(items->itemText(12), pluralOf(12));
    QCOMPARE(items->position(), 0);
    QCOMPARE(s.w.defs->ShopInsertSlot, std::int16_t(stock.size() == 2 ? 2 : 1));

    items->setPosition(pick);
    s.w.defs->NotifyChanged(core::ItemsChanged);  // a repaint keeps the pick
    s.flush();
    QCOMPARE(items->position(), pick);
    QTest::mouseClick(dialog->findChild<QWidget*>(answer == "Save" ? "Command1" : "Command2"),
                      Qt::LeftButton);
    s.flush();
    QVERIFY(dialog.isNull() || dialog->isClosed());
    QCOMPARE(s.working(), expected);
    QStringList names;
    for (int item : expected) names << pluralOf(item);
    QCOMPARE(s.rows(), names);
    // The typing in the shop window survives the repaint the new stock caused.
    QCOMPARE(s.control<ui::TextBox>("Text1")->text(), QString("Typed, not saved"));
  }

  void aFullStockOpensNoDialog() {
    Stock full;
    for (int item = 1; item <= 16; ++item) full.push_back(item);
    ShopEditor s({makeShop("Full", 0, full)});
    s.open();
    s.keyInList(Qt::Key_I);
    QVERIFY(!s.w.registry->find("frmShopItemAdd"));
    QCOMPARE(s.working(), full);
  }

  // The dialog belongs to the shop on screen; paging away closes it.
  void pagingClosesTheDialog() {
    ShopEditor s({makeShop("A", 0, {1}), makeShop("B", 0, {1, 2, 3})});
    s.openAt(1);
    s.keyInList(Qt::Key_I);
    QVERIFY(s.w.registry->find("frmShopItemAdd"));
    s.click("Command5");
    QVERIFY(!s.w.registry->find("frmShopItemAdd") ||
            s.w.registry->find("frmShopItemAdd")->isClosed());
    QCOMPARE(s.working(), (Stock{1, 2, 3}));
  }
};

REGISTER_TEST(ShopItemAddTest);
#include "test_frm_shop_item_add.moc"
