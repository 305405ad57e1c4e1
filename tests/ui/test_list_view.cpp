#include "support/fixtures.h"
#include "support/test_registry.h"
#include "ui/list_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

std::vector<ui::ListRow> numberedRows(int count, int cellLength) {
  std::vector<ui::ListRow> rows;
  const QString filler(cellLength - 6, QLatin1Char('x'));
  for (int i = 1; i <= count; ++i) {
    const QString number = QString::number(i).rightJustified(6, QLatin1Char('0'));
    rows.push_back({"0" + QString::number(i), number + filler, {{"name", "Name " + number}}});
  }
  return rows;
}

ui::ListView* makeList(QWidget* parent) {
  auto* list = new ui::ListView(parent, "ListView1");
  list->addColumn("no", "Number", 600);
  list->addColumn("name", "Name", 2400);
  return list;
}

}  // namespace

class ListViewTest : public QObject {
  Q_OBJECT

 private slots:
  // The longest catalogue: 32767 entries of 1024-character cells, filled in one call.
  void holdsAFullCatalogue() {
    QWidget window;
    ui::ListView* list = makeList(&window);
    list->setRows(numberedRows(32767, 1024));
    QCOMPARE(list->rowCount(), 32767);
    QCOMPARE(list->row(32767).key, QString("032767"));
    QCOMPARE(list->cellText(32767, 0).size(), qsizetype{1024});
    window.resize(400, 300);
    window.show();
    list->scrollToBottom();
    QVERIFY(list->rowAt(list->viewport()->height() - 1) > 32000);

    list->clearRows();
    QCOMPARE(list->rowCount(), 0);
    QCOMPARE(list->columnCount(), 2);  // rows only
  }

  // Columns have their text and twip widths; rows and their cells are added one by one.
  void columnsRowsAndSubItemsOneByOne() {
    QWidget window;
    ui::ListView* list = makeList(&window);
    QCOMPARE(list->model()->headerData(1, Qt::Horizontal).toString(), QString("Name"));
    QCOMPARE(list->columnWidth(0), 40);
    QCOMPARE(list->columnWidth(1), 160);
    QCOMPARE(list->addRow("01", " 1"), 1);
    QCOMPARE(list->addRow("02", " 2"), 2);
    list->addSubItem(2, "name", "Dagger");
    list->addSubItem(2, "extra", "beyond the columns");
    QCOMPARE(list->cellText(2, 1), QString("Dagger"));
    QCOMPARE(list->cellText(2, 2), QString("beyond the columns"));
    QCOMPARE(list->cellText(1, 1), QString());
    QCOMPARE(list->cellText(3, 0), QString());
    // A text its column cuts short can still be read in the cell's tip.
    QCOMPARE(list->model()->index(1, 1).data(Qt::ToolTipRole).toString(), QString("Dagger"));
    list->clearColumns();
    QCOMPARE(list->columnCount(), 0);
  }

  // Whole rows are selected, by position from code or by the designer's clicks.
  void selectionByPosition() {
    QWidget window;
    ui::ListView* list = makeList(&window);
    list->setRows(numberedRows(10, 8));
    QCOMPARE(list->selectedPosition(), 0);
    list->setSelected(3, true);
    list->setSelected(7, true);
    list->setSelected(5, true);
    QCOMPARE(list->selectedPositions(), (std::vector<int>{3, 5, 7}));
    QVERIFY(!list->isSelected(4));
    QVERIFY(!list->isSelected(11));
    QCOMPARE(list->selectedPosition(), 5);  // the current row
    QCOMPARE(list->selectedItem(), QString("000005xx"));
    list->setSelected(5, false);
    QCOMPARE(list->selectedPosition(), 3);

    window.resize(400, 300);
    list->resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect second = list->visualRect(list->model()->index(1, 1));
    const QRect fourth = list->visualRect(list->model()->index(3, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, fourth.center());
    QCOMPARE(list->selectedPositions(), (std::vector<int>{2, 4}));
    QCOMPARE(list->selectedPosition(), 4);
    list->setMultiSelect(false);
    list->setSelected(9, true);
    QCOMPARE(list->selectedPositions(), (std::vector<int>{9}));
  }

  void keyPressesCarryTheOldCharacterCodes() {
    QWidget window;
    ui::ListView* list = makeList(&window);
    window.show();
    QSignalSpy keys(list, &ui::ListView::keyPressed);
    QTest::keyClick(list, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, 'a');
    QTest::keyClick(list, Qt::Key_Down);  // no character: no event
    QCOMPARE(test_support::signalArgs(keys), QList<int>({4, 9, 13, int('a')}));

    QKeyEvent euro(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x20AC)));
    QCOMPARE(ui::ListView::CharacterCode(euro), 0x80);
    QKeyEvent omega(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x3A9)));
    QCOMPARE(ui::ListView::CharacterCode(omega), 0);
  }

  // Rows made when needed: a list of every creature makes only the rows on screen.
  void rowsFromASourceAreMadeWhenNeeded() {
    QWidget window;
    window.resize(400, 200);
    ui::ListView* list = makeList(&window);
    std::vector<int> made;
    list->setRowSource(32767, [&made](int index) {
      made.push_back(index);
      const QString number = QString::number(index + 1);
      return ui::ListRow{"0" + number, number, {{"name", "Name " + number}}};
    });
    window.show();
    QApplication::processEvents();
    QCOMPARE(list->rowCount(), 32767);
    QVERIFY2(made.size() < 50, qPrintable(QString::number(made.size())));
    QCOMPARE(list->cellText(30000, 1), QString("Name 30000"));
    QCOMPARE(list->row(30000).key, QString("030000"));
    const std::size_t madeBefore = made.size();
    QCOMPARE(list->cellText(30000, 0), QString("30000"));
    QCOMPARE(made.size(), madeBefore);  // made once

    // Changing the rows makes every row first, so nothing is lost.
    list->addRow("0x", "extra");
    QCOMPARE(made.size(), std::size_t{32767});
    QCOMPARE(list->rowCount(), 32768);
    QCOMPARE(list->cellText(2, 1), QString("Name 2"));
    list->setRows(numberedRows(2, 8));
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->cellText(2, 1), QString("Name 000002"));
  }
};

REGISTER_TEST(ListViewTest);

#include "test_list_view.moc"
