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
    QCOMPARE(s.editor->windowTitle(), QString("Shop Editor"));
    QCOMPARE(s.recordLine(), QString("Record 2 of 2"));
    QCOMPARE(s.control<ui::TextBox>("Text1")->text(), QString("Quill & <Co>"));
    QCOMPARE(s.control<ui::ComboBox>("Combo1")->currentText(), QString("Misc. Shop"));
    QCOMPARE(s.control<ui::Label>("lblStockKeys")->text(),
             QString("Ctrl-D to Delete     Ctrl-I to Insert"));
    // 0 and below give no row; each stocked position has its own row, keyed by position.
    QCOMPARE(s.rows(),
             QStringList({pluralOf(4), pluralOf(7), "Item 25 (not in Item.dat)", pluralOf(4)}));
    QCOMPARE(s.list()->row(4).key, QString("5"));
    QVERIFY(s.w.defs->Item.ItemNo == 1);  // the item working record untouched

    // Paging stops at the ends (the pager's own tests cover every button).
    s.click("Command5");
    QCOMPARE(s.recordLine(), QString("Record 2 of 2"));
    s.click("Command4");
    s.click("Command4");
    QCOMPARE(s.recordLine(), QString("Record 1 of 2"));
    QCOMPARE(s.control<ui::TextBox>("Text1")->text(), QString("Armoury"));
    s.click("Command7");

    // Choosing the menu again keeps the open editor's unsaved stock.
    s.selectRows({1});
    s.keyInList(Qt::Key_D);
    s.w.trigger("mnuShop");
    QCOMPARE(s.working(), (Stock{-2, 7, 25, 4}));
  }

  void stockOperations_data() {
    QTest::addColumn<Stock>("stock");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<std::vector<int>>("selected");
    QTest::addColumn<Stock>("expected");
    QTest::addColumn<std::vector<int>>("selectedAfter");
    const std::vector<int> none;
    QTest::newRow("repeat and gap packed by ^")
        << Stock{7, 0, 7, 3} << "^" << none << Stock{7, 3} << none;
    QTest::newRow("repeat and gap packed by Ctrl-D")
        << Stock{7, 0, 7, 3} << "Ctrl-D" << none << Stock{7, 3} << none;
    QTest::newRow("delete the middle of three")
        << Stock{1, 2, 3} << "Ctrl-D" << std::vector{2} << Stock{1, 3} << none;
    QTest::newRow("delete two") << Stock{1, 2, 3, 4} << "Ctrl-D" << std::vector{1, 3} << Stock{2, 4}
                                << none;
    QTest::newRow("v on the last row")
        << Stock{1, 2, 3} << "v" << std::vector{3} << Stock{1, 2, 3} << std::vector{3};
    QTest::newRow("^ on the first row")
        << Stock{1, 2, 3} << "^" << std::vector{1} << Stock{1, 2, 3} << std::vector{1};
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
    QStringList names;
    for (int item : expected) names << pluralOf(item);
    QCOMPARE(s.rows(), names);  // redrawn at once
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
    QVERIFY(s.w.messages().empty());
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
    QVERIFY(s.stored(4).ShopNo == 4);
    auto headerAfter = test_support::readBytes(s.shopFile(), 0, core::ShopRecord::SlotLength);
    QCOMPARE(headerAfter[0], std::uint8_t(10));
    headerAfter[0] = header[0];
    QCOMPARE(headerAfter, header);  // every other header byte kept
    QVERIFY(s.w.defs->Shop == expected && s.w.defs->ShopScratch == expected);
    QCOMPARE(s.w.defs->ShopCount, 10L);
  }

  void anEmptyCatalogueShowsAnEmptyShopThatOnlyNewShopStores() {
    ShopEditor s({});
    s.open();
    QCOMPARE(s.recordLine(), QString("Record 0 of 0"));
    QCOMPARE(s.control<ui::TextBox>("Text1")->text(), QString());
    QCOMPARE(s.list()->rowCount(), 0);
    s.click("Command5");
    s.click("Command1");
    QCOMPARE(s.w.messages(),
             std::vector<QString>{"There is no shop to save here: use \"New Shop\" to add one."});
    QVERIFY(!s.editor->isClosed());
    s.typeName("First");
    s.click("Command3");
    QCOMPARE(s.recordLine(), QString("Record 1 of 1"));
    QCOMPARE(s.stored(1).ShopName, test_support::padded("First", 25));
    QCOMPARE(test_support::readBytes(s.shopFile())[0], std::uint8_t(1));
  }

  void aFullCatalogueRefusesNewShop() {
    ShopEditor s(test_support::namedEntries<core::ShopRecord>(core::MaxEntries, "Shop"));
    s.open();
    const auto size = std::filesystem::file_size(s.shopFile());
    s.click("Command3");
    QCOMPARE(s.w.messages().size(), std::size_t{1});
    QVERIFY(s.w.messages().front().startsWith("Cannot add another shop"));
    QCOMPARE(std::filesystem::file_size(s.shopFile()), size);
  }

  // Unsaved name, type or stock: leaving asks "Save changes to shop N?".
  void leavingWithUnsavedChangesAsks_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("leave");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QString>("storedName");
    using Choice = ui::Dialogs::SaveChoice;
    QTest::newRow("name, >, cancel") << "name"
                                     << ">" << int(Choice::Cancel) << false << "A";
    QTest::newRow("type, >, save") << "type"
                                   << ">" << int(Choice::Save) << true << "A";
    QTest::newRow("stock, Cancel, discard") << "stock"
                                            << "Cancel" << int(Choice::Discard) << true << "A";
    QTest::newRow("name, Cancel, cancel") << "name"
                                          << "Cancel" << int(Choice::Cancel) << false << "A";
    QTest::newRow("name, close, save") << "name"
                                       << "close" << int(Choice::Save) << true << "Z";
  }
  void leavingWithUnsavedChangesAsks() {
    QFETCH(QString, change);
    QFETCH(QString, leave);
    QFETCH(int, answer);
    QFETCH(bool, left);
    QFETCH(QString, storedName);
    ShopEditor s({makeShop("A", 0, {1, 2}), makeShop("B", 0, {})});
    s.openAt(1);
    if (change == "name") s.typeName("Z");
    if (change == "type") s.control<ui::ComboBox>("Combo1")->setPosition(1);
    if (change == "stock") {
      s.selectRows({1});
      s.keyInList(Qt::Key_D);
    }
    s.w.dialogs.answerSave(static_cast<ui::Dialogs::SaveChoice>(answer));
    if (leave == ">") s.click("Command5");
    if (leave == "Cancel") s.click("Command2");
    if (leave == "close") s.editor->close();
    QCOMPARE(s.w.dialogs.last()->prompt, QString("Save changes to shop 1?"));
    QCOMPARE(leave == ">" ? s.recordLine() == "Record 2 of 2" : s.editor->isClosed(), left);
    QCOMPARE(QString::fromStdString(s.stored(1).ShopName).trimmed(), storedName);
    QCOMPARE(shop_test::asStock(s.stored(1).Stock), (Stock{1, 2}));
    QCOMPARE(s.stored(1).ShopType, std::int16_t(change == "type" ? 1 : 0));
  }

  void noQuestionWithoutChanges() {
    ShopEditor s({makeShop("A", 0, {7, 0, 7})});  // unpacked on disk, left as it is
    s.open();
    s.click("Command2");
    QVERIFY(s.editor.isNull() || s.editor->isClosed());
    QVERIFY(s.w.dialogs.shown().empty());
  }
};

REGISTER_TEST(ShopEditorTest);
#include "test_frm_shop_ed.moc"
