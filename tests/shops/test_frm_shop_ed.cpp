#include "shop_editor_fixture.h"
#include "support/test_registry.h"

using shop_test::makeShop;
using shop_test::pluralOf;
using shop_test::ShopEditor;
using shop_test::Stock;

Q_DECLARE_METATYPE(shop_test::Stock)

class ShopEditorTest : public QObject {
  Q_OBJECT

 private slots:
  // The menu reads the shop of the working record first: after start-up that is the header,
  // whose number is the count, so the last shop shows.
  void opensOnTheLastShopWithItsStock() {
    ShopEditor s({makeShop("Armoury", 0, {}), makeShop("Quill & <Co>", 1, {4, -2, 0, 7, 25, 4})});
    QVERIFY(s.open());
    QCOMPARE(s.recordLine(), QString("Record 2 of 2"));
    QCOMPARE(s.control<ui::TextBox>("Text1")->text(), QString("Quill & <Co>"));
    QCOMPARE(s.control<ui::ComboBox>("Combo1")->currentText(), QString("Misc. Shop"));
    // 0 and below give no row; each stocked position has its own row, keyed by position.
    QCOMPARE(s.rows(),
             QStringList({pluralOf(4), pluralOf(7), "Item 25 (not in Item.dat)", pluralOf(4)}));
    QCOMPARE(s.list()->row(4).key, QString("5"));
    QVERIFY(s.w.defs->Item.ItemNo == 1);  // the item working record untouched

    // The pager is wired; choosing the menu again keeps the open editor's unsaved stock.
    s.click("Command4");
    QCOMPARE(s.recordLine(), QString("Record 1 of 2"));
    QCOMPARE(s.control<ui::TextBox>("Text1")->text(), QString("Armoury"));
    s.click("Command5");
    s.selectRows({1});
    s.keyInList(Qt::Key_D);
    s.w.trigger("mnuShop");
    QCOMPARE(s.working(), (Stock{-2, 7, 25, 4}));
  }

  // Each operation changes the working record only and redraws the rows at once.
  void stockOperations_data() {
    QTest::addColumn<Stock>("stock");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<std::vector<int>>("selected");
    QTest::addColumn<Stock>("expected");
    QTest::addColumn<std::vector<int>>("selectedAfter");
    const std::vector<int> none;
    QTest::newRow("repeat and gap packed by ^")
        << Stock{7, 0, 7, 3} << "^" << none << Stock{7, 3} << none;
    QTest::newRow("delete two") << Stock{1, 2, 3, 4} << "Ctrl-D" << std::vector{1, 3} << Stock{2, 4}
                                << none;
    QTest::newRow("v on the last row")
        << Stock{1, 2, 3} << "v" << std::vector{3} << Stock{1, 2, 3} << std::vector{3};
    QTest::newRow("^ on two neighbours")
        << Stock{1, 2, 3, 4} << "^" << std::vector{2, 3} << Stock{2, 3, 1, 4} << std::vector{1, 2};
    QTest::newRow("v on two neighbours")
        << Stock{1, 2, 3, 4} << "v" << std::vector{2, 3} << Stock{1, 3, 4, 2} << std::vector{2, 4};
    // Read unpacked from a file: a row acts on the position it shows.
    QTest::newRow("unpacked ^") << Stock{5, 0, 7} << "^" << std::vector{2} << Stock{7, 5}
                                << std::vector{1};
    QTest::newRow("unpacked delete")
        << Stock{0, 5, 0, 7} << "Ctrl-D" << std::vector{2} << Stock{5} << none;
  }
  void stockOperations() {
    QFETCH(Stock, stock);
    QFETCH(QString, operation);
    QFETCH(std::vector<int>, selected);
    QFETCH(Stock, expected);
    QFETCH(std::vector<int>, selectedAfter);
    ShopEditor s({makeShop("Stall", 0, stock)});
    s.open();
    const auto before = test_support::readBytes(s.shopFile());
    s.selectRows(selected);
    if (operation == "Ctrl-D") s.keyInList(Qt::Key_D);
    if (operation == "^") s.click("Command8");
    if (operation == "v") s.click("Command9");
    QCOMPARE(s.working(), expected);
    QCOMPARE(s.rows(), shop_test::pluralsOf(expected));
    QCOMPARE(s.list()->selectedPositions(), selectedAfter);
    QCOMPARE(test_support::readBytes(s.shopFile()), before);  // only "Save" writes
  }

  void saveTakesNameTypeAndStockAndCloses() {
    ShopEditor s({makeShop("Armoury", 0, {1, 2}), makeShop("Quill", 1, {3})});
    s.openAt(1);
    s.typeName("Corner Shop Of The Old Town Gate");  // longer than 25: the box keeps 25
    s.control<ui::ComboBox>("Combo1")->setPosition(1);
    s.selectRows({1});
    s.keyInList(Qt::Key_D);
    s.click("Command1");
    QVERIFY(s.editor.isNull() || s.editor->isClosed());
    const core::ShopRecord saved = s.stored(1);
    QCOMPARE(saved.ShopName, std::string("Corner Shop Of The Old To"));
    QCOMPARE(saved.ShopType, std::int16_t(1));
    QCOMPARE(shop_test::asStock(saved.Stock), Stock{2});
    QCOMPARE(s.stored(2).ShopName, test_support::padded("Quill", 25));
  }

  // "New Shop" on shop 4 of 9 stores shop 4 as on screen as shop 10, counted in the header.
  void newShopAppendsTheShopOnScreen() {
    std::vector<core::ShopRecord> shops;
    for (int n = 1; n <= 9; ++n) shops.push_back(makeShop("Shop " + std::to_string(n), 0, {n}));
    shops[3] = makeShop("Fourth", 1, {4, 5, 6});
    ShopEditor s(shops);
    s.openAt(4);
    const auto header = test_support::readBytes(s.shopFile(), 0, core::ShopRecord::SlotLength);
    s.click("Command3");
    QCOMPARE(s.recordLine(), QString("Record 10 of 10"));
    core::ShopRecord expected = makeShop("Fourth", 1, {4, 5, 6});
    expected.ShopNo = 10;
    QVERIFY(s.stored(10) == expected);
    auto headerAfter = test_support::readBytes(s.shopFile(), 0, core::ShopRecord::SlotLength);
    QCOMPARE(headerAfter[0], std::uint8_t(10));
    headerAfter[0] = header[0];
    QCOMPARE(headerAfter, header);  // every other header byte kept
    QVERIFY(s.w.defs->Shop == expected && s.w.defs->ShopScratch == expected);
  }

  // Name, type and stock are each a change that "Cancel", ">" and closing ask about; a stock
  // stored unpacked is none.
  void leavingWithUnsavedChangesAsks() {
    using Choice = ui::Dialogs::SaveChoice;
    const struct {
      const char* change;
      const char* leave;
      Choice answer;
      bool left;
    } cases[] = {{"name", ">", Choice::Cancel, false},
                 {"type", ">", Choice::Save, true},
                 {"stock", "Cancel", Choice::Discard, true},
                 {"none", "Cancel", Choice::Cancel, true}};
    for (const auto& c : cases) {
      ShopEditor s({makeShop("A", 0, {1, 0, 2}), makeShop("B", 0, {})});
      s.openAt(1);
      if (c.change == std::string("name")) s.typeName("Z");
      if (c.change == std::string("type")) s.control<ui::ComboBox>("Combo1")->setPosition(1);
      if (c.change == std::string("stock")) s.keyInList(Qt::Key_D);  // packs the stock
      s.w.dialogs.answerSave(c.answer);
      if (c.leave == std::string(">")) s.click("Command5");
      if (c.leave == std::string("Cancel")) s.click("Command2");
      const bool left = c.leave == std::string(">") ? s.recordLine() == "Record 2 of 2"
                                                    : s.editor.isNull() || s.editor->isClosed();
      QCOMPARE(left, c.left);
      QCOMPARE(s.w.dialogs.shown().size(), std::size_t{c.change == std::string("none") ? 0u : 1u});
      if (!s.w.dialogs.shown().empty())
        QCOMPARE(s.w.dialogs.last()->prompt, QString("Save changes to shop 1?"));
      QCOMPARE(shop_test::asStock(s.stored(1).Stock), (Stock{1, 0, 2}));
      QCOMPARE(s.stored(1).ShopType, std::int16_t(c.change == std::string("type") ? 1 : 0));
    }
  }
};

REGISTER_TEST(ShopEditorTest);
#include "test_frm_shop_ed.moc"
