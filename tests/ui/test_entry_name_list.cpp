#include "support/test_registry.h"
#include "ui/controls.h"
#include "ui/entry_name_list.h"
#include "ui/text_limit.h"

#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

class EntryNameListTest : public QObject {
  Q_OBJECT

 private slots:
  // Names are read when a row is shown, never all at once; the list keeps its position rules.
  void namesAreLookedUpOnlyForTheRowsShown() {
    QWidget window;
    ui::ComboBox list(&window, "Combo1");
    std::vector<long> lookedUp;
    auto* names = new ui::EntryNameList(
        {"Nothing"},
        [&lookedUp](long entry) {
          lookedUp.push_back(entry);
          return "Name " + std::to_string(entry) + "\xE9";
        },
        &list);
    ui::ShowEntryNames(&list, names, 20);
    names->setCount(32767);
    QCOMPARE(list.count(), 32768);
    QCOMPARE(list.position(), -1);
    QVERIFY(list.sizeHint().isValid());
    QVERIFY(lookedUp.size() < 10);
    QVERIFY(list.setPosition(32767));
    QCOMPARE(list.currentText(), QString("Name 32767\u00E9"));
    QCOMPARE(list.itemText(0), QString("Nothing"));
    names->setCount(40000);  // a refill keeps the position it can still show
    QCOMPARE(list.position(), 32767);
    names->setCount(-3);
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.position(), -1);
  }

  // Typing beyond the field's width is refused where it was typed; a long text set from code
  // keeps its start.
  void aLimitedBoxRefusesWhatDoesNotFit() {
    QWidget window;
    ui::TextBox box(&window, "Text1");
    ui::LimitLength(&box, 5);
    box.setFocus();
    QTest::keyClicks(&box, "abcdefg");
    QCOMPARE(box.text(), QString("abcde"));
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(1);
    box.setTextCursor(cursor);
    QTest::keyClicks(&box, "X");
    QCOMPARE(box.text(), QString("abcde"));
    box.setText("123456789");
    QCOMPARE(box.text(), QString("12345"));
  }
};

REGISTER_TEST(EntryNameListTest);
#include "test_entry_name_list.moc"
