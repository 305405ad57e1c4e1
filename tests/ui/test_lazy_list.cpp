#include "support/test_registry.h"
#include "ui/controls.h"
#include "ui/lazy_list.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <set>

class LazyListTest : public QObject {
  Q_OBJECT

 private slots:
  // A list of every spell must not look up every name to open.
  void onlyTheTextsShownAreMade() {
    QWidget window;
    ui::ComboBox list(&window, "Combo4");
    QSignalSpy clicks(&list, &ui::ComboBox::clicked);
    std::set<int> asked;
    const auto textOf = [&asked](int position) {
      asked.insert(position);
      return "Spell " + QString::number(position + 1);
    };
    ui::SetLazyEntries(&list, 32767, textOf);
    window.show();
    list.adjustSize();
    QCOMPARE(list.count(), 32767);
    QCOMPARE(list.position(), -1);
    QVERIFY(clicks.isEmpty());
    QVERIFY(list.setPosition(32766));
    QCOMPARE(list.currentText(), QString("Spell 32767"));
    QVERIFY2(asked.size() < 10, qPrintable(QString::number(asked.size())));

    // Filled again (the spells changed): the new texts, no selection, no click.
    ui::SetLazyEntries(&list, 2, [](int position) { return QString("New %1").arg(position); });
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.position(), -1);
    QCOMPARE(list.itemText(1), QString("New 1"));
    QCOMPARE(clicks.count(), 1);  // only the setPosition above
  }
};

REGISTER_TEST(LazyListTest);
#include "test_lazy_list.moc"
