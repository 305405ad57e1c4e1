#include "support/fixtures.h"
#include "support/test_registry.h"
#include "ui/controls.h"
#include "ui/entry_name_list.h"
#include "ui/lazy_list.h"
#include "ui/text_limit.h"
#include "ui/twips.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <set>
#include <string>

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  // Setting the position from code raises the same click as the user's choice; filling a list
  // leaves it without a selection and raises nothing.
  void comboPositionRaisesClick() {
    QWidget window;
    ui::ComboBox combo(&window, "Combo1", 3);
    QSignalSpy clicks(&combo, &ui::ComboBox::clicked);
    combo.addItem("North");
    combo.addItem("South");
    combo.insertItem(1, "East");
    QCOMPARE(combo.position(), -1);
    QVERIFY(combo.setPosition(2));
    QCOMPARE(combo.currentText(), QString("South"));
    QVERIFY(combo.setPosition(2));  // the same position again is still a click
    QVERIFY(!combo.setPosition(3));
    QVERIFY(combo.setPosition(-1));
    combo.setItems({"Ward", "Spark"});
    QCOMPARE(combo.position(), -1);
    window.show();
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    QCOMPARE(combo.currentText(), QString("Ward"));
    QCOMPARE(test_support::signalArgs(clicks), QList<int>({2, 2, -1, 0}));
  }

  // Only a left click released on the label counts.
  void labelClicks() {
    QWidget window;
    std::vector<ui::Label*> sides = ui::makeLabelArray(&window, "Label16", 4);
    QCOMPARE(sides[3]->objectName(), QString("Label16_3"));
    sides[2]->setGeometry(10, 10, 80, 20);
    window.show();
    QSignalSpy clicks(sides[2], &ui::Label::clicked);
    QTest::mouseClick(sides[2], Qt::LeftButton);
    QTest::mouseClick(sides[2], Qt::RightButton);
    QTest::mousePress(sides[2], Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(sides[2], Qt::LeftButton, {}, QPoint(500, 5));
    QCOMPARE(test_support::signalArgs(clicks), QList<int>{2});
  }

  // Every change is reported, typed or set; a single-line box takes no line breaks and, when
  // limited, refuses typing beyond the field's width where it was typed.
  void textBoxReportsChangesAndKeepsToItsField() {
    QWidget window;
    ui::TextBox box(&window, "Text1");
    QSignalSpy changes(&box, &ui::TextBox::changed);
    box.setText("Long");
    box.setText("Long");
    QCOMPARE(changes.count(), 1);
    window.show();
    box.setFocus();
    box.moveCursor(QTextCursor::End);
    QTest::keyClicks(&box, "+1");
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(box.text(), QString("Long+1"));
    QCOMPARE(changes.count(), 3);
    box.setText("two\nlines");
    QCOMPARE(box.text(), QString("two lines"));
    ui::TextBox memo(&window, "Text2", 0, true);
    memo.setText("two\nlines");
    QCOMPARE(memo.text(), QString("two\nlines"));

    ui::LimitLength(&box, 5);
    box.setText("123456789");
    QCOMPARE(box.text(), QString("12345"));
    box.setText("abc");
    box.moveCursor(QTextCursor::End);
    QTest::keyClicks(&box, "defg");
    QCOMPARE(box.text(), QString("abcde"));
    box.moveCursor(QTextCursor::Start);
    QTest::keyClicks(&box, "X");
    QCOMPARE(box.text(), QString("abcde"));
  }

  void checkBoxClickIsTheUsersOnly() {
    QWidget window;
    ui::CheckBox box(&window, "Check1", 7);
    QSignalSpy clicks(&box, &QAbstractButton::clicked);
    box.setValue(1);
    QCOMPARE(box.value(), 1);
    box.setValue(0);
    QCOMPARE(clicks.count(), 0);
    box.setGeometry(0, 0, 100, 20);
    window.show();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, 10));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(box.value(), 1);
  }

  // Every byte of a record's text comes back unchanged after a trip through a control.
  void textRoundTripsEveryByte() {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    QCOMPARE(ui::ToBytes(ui::ToQString(all)), all);
    QCOMPARE(ui::ToQString("\x80"), QString(QChar(0x20AC)));  // the euro sign of the code page
    QCOMPARE(ui::ToQString("caf\xE9"), QString::fromUtf8("café"));  // the fast Latin-1 way
    QCOMPARE(ui::TwipsToPixels(22), 1);  // nearest pixel at 15 twips each
    QCOMPARE(ui::TwipsToPixels(-23), -2);
  }

  // Lists of every spell or item look up only the texts they show; filled again, they show the
  // new texts with no selection and no click.
  void longListsMakeOnlyTheTextsShown() {
    QWidget window;
    ui::ComboBox spells(&window, "Combo4");
    ui::ComboBox items(&window, "Combo1");
    std::set<long> asked;
    ui::SetLazyEntries(&spells, 32767, [&asked](int position) {
      asked.insert(position);
      return "Spell " + QString::number(position + 1);
    });
    auto* names = new ui::EntryNameList(
        {"Nothing"},
        [&asked](long entry) {
          asked.insert(-entry);
          return "Name " + std::to_string(entry) + "\xE9";
        },
        &items);
    ui::ShowEntryNames(&items, names, 20);
    names->setCount(32767);
    window.show();
    spells.adjustSize();  // sized without measuring every text
    items.adjustSize();
    QCOMPARE(spells.count(), 32767);
    QCOMPARE(items.count(), 32768);
    QVERIFY(spells.setPosition(32766));
    QVERIFY(items.setPosition(32767));
    QCOMPARE(spells.currentText(), QString("Spell 32767"));
    QCOMPARE(items.currentText(), QString("Name 32767\u00E9"));
    QCOMPARE(items.itemText(0), QString("Nothing"));
    QVERIFY2(asked.size() < 20, qPrintable(QString::number(asked.size())));

    QSignalSpy clicks(&spells, &ui::ComboBox::clicked);
    ui::SetLazyEntries(&spells, 2, [](int position) { return QString("New %1").arg(position); });
    QCOMPARE(spells.position(), -1);
    QCOMPARE(spells.itemText(1), QString("New 1"));
    QVERIFY(clicks.isEmpty());
    names->setCount(40000);  // keeps the position it can still show
    QCOMPARE(items.position(), 32767);
    names->setCount(-3);
    QCOMPARE(items.count(), 1);
    QCOMPARE(items.position(), -1);
  }
};

REGISTER_TEST(ControlsTest);

#include "test_controls.moc"
