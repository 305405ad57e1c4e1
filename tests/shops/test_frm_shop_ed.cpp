// The shop editor and its "Add Item to Shop" dialog.
#include "shop_editor_fixture.h"
#include "shops/frm_shop_item_add.h"
#include "support/test_registry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

using shop_test::makeShop;
using shop_test::ShopEditor;
using shop_test::Stock;

class ShopEditorTest : public QObject {
  Q_OBJECT

 private slots:
  // The menu reads the shop of the working record first: after start-up that is the header,
  // whose number is the count, so the last shop shows. "New Shop" copies the shop on screen.
  void opensOnTheLastShopWithItsStock() {
    ShopEditor s({makeShop("Armoury", 0, {}), makeShop("Quill & <Co>", 1, {4, -2, 0, 7, 25, 4})});
    QVERIFY(s.open());
    QCOMPARE(s.recordLine(), QString("Record 2 of 2"));
    QCOMPARE(s.control<ui::TextBox>("Text1")->text(), QString("Quill & <Co>"));
    QCOMPARE(s.control<ui::ComboBox>("Combo1")->currentText(), QString("Misc. Shop"));
    // 0 and below give no row; each stocked position has its own row, keyed by position.
    QStringList rows = shop_test::pluralsOf({4, 7, 25, 4});
    rows[2] = "Item 25 (not in Item.dat)";
    QCOMPARE(s.rows(), rows);
    QCOMPARE(s.list()->row(4).key, QString("5"));
    QVERIFY(s.w.defs->Item.ItemNo == 1);  // the item working record untouched

    // Choosing the menu again keeps the open editor's unsaved stock.
    s.selectRows({1});
    s.keyInList(Qt::Key_D);
    s.w.trigger("mnuShop");
    QCOMPARE(s.working(), (Stock{-2, 7, 25, 4}));

    // "New Shop" appends the shop on screen, counted in the header whose other bytes stay.
    auto header = test_support::readBytes(s.shopFile(), 0, core::ShopRecord::SlotLength);
    header[0] = 3;
    s.click("Command3");
    QCOMPARE(s.recordLine(), QString("Record 3 of 3"));
    const core::ShopRecord added = s.stored(3);
    QCOMPARE(added.ShopName, test_support::padded("Quill & <Co>", 25));
    QCOMPARE(shop_test::asStock(added.Stock), (Stock{-2, 7, 25, 4}));
    QVERIFY(s.w.defs->ShopScratch == added);
    QCOMPARE(test_support::readBytes(s.shopFile(), 0, core::ShopRecord::SlotLength), header);
  }

  // Each operation changes the working record only and redraws the rows at once; on a stock
  // read unpacked from a file a row acts on the position it shows.
  void stockOperations() {
    const struct {
      Stock stock;
      const char* operation;
      std::vector<int> selected;
      Stock expected;
      std::vector<int> selectedAfter;
    } cases[] = {{{7, 0, 7, 3}, "^", {}, {7, 3}, {}},  // a repeat and a gap packed
                 {{1, 2, 3, 4}, "Ctrl-D", {1, 3}, {2, 4}, {}},
                 {{1, 2, 3}, "v", {3}, {1, 2, 3}, {3}},  // the last row stays
                 {{1, 2, 3, 4}, "^", {2, 3}, {2, 3, 1, 4}, {1, 2}},
                 {{1, 2, 3, 4}, "v", {2, 3}, {1, 3, 4, 2}, {2, 4}},
                 {{0, 5, 0, 7}, "^", {2}, {7, 5}, {1}}};
    for (const auto& c : cases) {
      ShopEditor s({makeShop("Stall", 0, c.stock)});
      s.open();
      s.selectRows(c.selected);
      if (c.operation == std::string("Ctrl-D")) s.keyInList(Qt::Key_D);
      if (c.operation == std::string("^")) s.click("Command8");
      if (c.operation == std::string("v")) s.click("Command9");
      QCOMPARE(s.working(), c.expected);
      QCOMPARE(s.rows(), shop_test::pluralsOf(c.expected));
      QCOMPARE(s.list()->selectedPositions(), c.selectedAfter);
    }
  }

  // The pager is wired: type and stock changes are asked about on ">" and "Cancel", and only
  // "Save" writes; a stock stored unpacked is no change. "Save" takes name (cut to 25), type and
  // stock, and closes.
  void unsavedChangesAndSave() {
    ShopEditor s({makeShop("A", 0, {1, 0, 2}), makeShop("B", 0, {})});
    s.open(1);
    s.click("Command5");
    s.click("Command4");
    QVERIFY(s.w.dialogs.shown().empty());
    s.control<ui::ComboBox>("Combo1")->setPosition(1);
    s.click("Command5");  // no answer: Cancel
    QCOMPARE(s.w.dialogs.last()->prompt, QString("Save changes to shop 1?"));
    s.w.dialogs.answerSave(ui::Dialogs::SaveChoice::Save);
    s.click("Command5");
    QCOMPARE(s.recordLine(), QString("Record 2 of 2"));
    QCOMPARE(s.stored(1).ShopType, std::int16_t(1));
    s.click("Command4");
    s.keyInList(Qt::Key_D);  // packs the stock
    s.w.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    s.click("Command2");
    QVERIFY(s.editor.isNull() || s.editor->isClosed());
    QCOMPARE(shop_test::asStock(s.stored(1).Stock), (Stock{1, 0, 2}));

    s.open(1);
    s.control<ui::TextBox>("Text1")->setText("Corner Shop Of The Old Town Gate");
    s.keyInList(Qt::Key_D);
    s.click("Command1");
    QVERIFY(s.editor.isNull() || s.editor->isClosed());
    QCOMPARE(s.stored(1).ShopName, std::string("Corner Shop Of The Old To"));
    QCOMPARE(shop_test::asStock(s.stored(1).Stock), (Stock{1, 2}));
  }

  // Ctrl-I offers "Nothing" and every item for the first empty position; the typing in the shop
  // window survives the repaint the new stock causes.
  void insertPicksAnItemForTheFirstEmptyPosition() {
    const struct {
      const char* button;
      int pick;  // position in the list; 0 is "Nothing"
      Stock expected;
    } steps[] = {{"Command1", 9, {1, 9, 3}},
                 {"Command1", 0, {1, 9, 3}},
                 {"Command1", 3, {1, 9, 3}},  // already stocked
                 {"Command2", 5, {1, 9, 3}},
                 {"Command1", 5, {1, 9, 3, 5}}};
    Stock full;
    for (int item = 1; item <= 16; ++item) full.push_back(item);
    ShopEditor s({makeShop("Full", 0, full), makeShop("Stall", 0, {1, 0, 3})});
    s.open(1);
    s.keyInList(Qt::Key_I);  // a full stock opens no dialog
    QVERIFY(!s.w.registry->find("frmShopItemAdd"));
    s.click("Command5");
    s.control<ui::TextBox>("Text1")->setText("Typed, not saved");
    for (const auto& step : steps) {
      s.keyInList(Qt::Key_I);
      QPointer<shops::frmShopItemAdd> dialog =
          s.w.registry->find<shops::frmShopItemAdd>("frmShopItemAdd");
      QVERIFY(dialog && dialog->isVisible());
      auto* items = dialog->findChild<ui::ComboBox*>("Combo1");
      QCOMPARE(items->itemText(0), QString("Nothing"));
      items->setPosition(step.pick);
      s.w.defs->NotifyChanged(core::ItemsChanged);  // a repaint keeps the pick
      s.flush();
      QCOMPARE(items->position(), step.pick);
      QTest::mouseClick(dialog->findChild<QWidget*>(step.button), Qt::LeftButton);
      s.flush();
      QVERIFY(dialog.isNull() || dialog->isClosed());
      QCOMPARE(s.working(), step.expected);
      QCOMPARE(s.rows(), shop_test::pluralsOf(step.expected));
    }
    QCOMPARE(s.control<ui::TextBox>("Text1")->text(), QString("Typed, not saved"));
    // The dialog belongs to the shop on screen: paging away closes it.
    s.keyInList(Qt::Key_I);
    s.w.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    s.click("Command4");
    QVERIFY(!s.w.registry->find("frmShopItemAdd") ||
            s.w.registry->find("frmShopItemAdd")->isClosed());
    QCOMPARE(s.working(), full);
  }

  // The add dialog's filter box: Ctrl+F, and the typed letters list the items that hold them with
  // their count, the first ready for Enter; Escape empties the box before it cancels the dialog.
  void theAddDialogFiltersItsItems() {
    ShopEditor s({makeShop("Stall", 0, {1, 0, 3})});
    s.open(1);
    s.keyInList(Qt::Key_I);
    QPointer<shops::frmShopItemAdd> dialog =
        s.w.registry->find<shops::frmShopItemAdd>("frmShopItemAdd");
    QVERIFY(dialog && dialog->isVisible());
    auto* box = dialog->findChild<QLineEdit*>("txtFilter");
    auto* items = dialog->findChild<ui::ComboBox*>("Combo1");
    auto* count = dialog->findChild<QLabel*>("lblFilterCount");
    QCOMPARE(count->text(), QString("20 of 20"));
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(items, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), box);
    QTest::keyClicks(box, "EM 1");
    QCOMPARE(count->text(), QString("11 of 20"));
    QCOMPARE(items->count(), 12);  // "Nothing" stays
    QCOMPARE(items->currentText().trimmed(), QString("Item 1s"));
    QTest::keyClicks(box, "5");
    QCOMPARE(count->text(), QString("1 of 20"));
    QCOMPARE(items->currentText().trimmed(), QString("Item 15s"));
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(dialog->isVisible());  // the first Escape empties the box only
    QCOMPARE(items->count(), 21);
    QTest::keyClicks(box, "m 2");
    QTest::keyClick(box, Qt::Key_Return);
    s.flush();
    QVERIFY(dialog.isNull() || dialog->isClosed());
    QCOMPARE(s.working(), (Stock{1, 2, 3}));
  }
};

REGISTER_TEST(ShopEditorTest);
#include "test_frm_shop_ed.moc"
