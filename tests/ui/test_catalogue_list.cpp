#include "support/test_registry.h"
#include "ui/catalogue_list.h"

#include <QTest>

namespace {

// Three entries; picks are recorded and accepted unless refused.
class ThreeEntryList : public ui::CatalogueList {
 public:
  ThreeEntryList()
      : ui::CatalogueList("frmTestList", "Test List",
                          {{"No", "No.", 500}, {"Name", "Name", 2000}}) {}
  std::vector<long> picks;
  bool refuse = false;

 protected:
  std::vector<ui::ListRow> entryRows() override {
    std::vector<ui::ListRow> rows;
    for (const char* name : {"Axe", "Bow", "Club"}) {
      const QString number = " " + QString::number(rows.size() + 1);
      rows.push_back({RowKey(number), number, {{"Name", name}}});
    }
    return rows;
  }
  bool pickEntry(long entry) override {
    picks.push_back(entry);
    return !refuse;
  }
};

void doubleClickRow(ui::ListView* list, int position) {
  const QRect cell = list->visualRect(list->model()->index(position - 1, 1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

}  // namespace

class CatalogueListTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsAreKeyedAndAPickClosesTheList() {
    auto* window = new ThreeEntryList;
    window->showForm();
    ui::ListView* list = window->list();
    QCOMPARE(window->windowTitle(), QString("Test List"));
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->row(2).key, QString("0 2"));
    QCOMPARE(list->cellText(3, 1), QString("Club"));
    const QSize opened = window->size();
    window->adjustSize();  // keeps the size it opened with (the screenshots fit windows so)
    QCOMPARE(window->size(), opened);
    // The list keeps 200 twips free to the right and below.
    QCOMPARE(window->body()->width() - list->geometry().right() - 1, 13);

    window->refuse = true;
    doubleClickRow(list, 2);
    QCOMPARE(window->picks, std::vector<long>{2});
    QVERIFY(!window->isClosed());

    window->refuse = false;
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       QPoint(5, list->viewport()->height() - 2));  // below the rows
    QCOMPARE(window->picks.size(), std::size_t{1});
    doubleClickRow(list, 3);
    QCOMPARE(window->picks.back(), 3L);
    QVERIFY(window->isClosed());
  }
};

REGISTER_TEST(CatalogueListTest);
#include "test_catalogue_list.moc"
