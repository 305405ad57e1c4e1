#include "support/fixtures.h"
#include "support/test_registry.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <string>

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void comboPositionFromCodeRaisesClick() {
    QWidget window;
    ui::ComboBox combo(&window, "Combo1");
    QSignalSpy clicks(&combo, &ui::ComboBox::clicked);
    combo.addItem("Nothing");
    combo.addItem("Show Text");
    combo.insertItem(1, "Exit to Map");
    // Filling a list leaves it without a selection and raises nothing.
    QCOMPARE(combo.position(), -1);
    QCOMPARE(clicks.count(), 0);

    QVERIFY(combo.setPosition(2));
    QCOMPARE(combo.currentText(), QString("Show Text"));
    QVERIFY(combo.setPosition(2));  // the same position again is still a click
    QVERIFY(combo.setPosition(-1));
    QCOMPARE(combo.currentText(), QString());
    QVERIFY(!combo.setPosition(3));
    QVERIFY(!combo.setPosition(-2));
    QCOMPARE(combo.position(), -1);
    combo.clear();
    QCOMPARE(test_support::signalArgs(clicks), QList<int>({2, 2, -1}));
    QVERIFY(!combo.isEditable());
    // A whole list at once replaces the entries, without a selection or an event.
    combo.setItems({"Ward", "Spark"});
    QVERIFY(combo.setPosition(1));
    combo.setItems({"Heal", "Light", "Bless"});
    QCOMPARE(combo.count(), 3);
    QCOMPARE(combo.itemText(2), QString("Bless"));
    QCOMPARE(combo.position(), -1);
    QCOMPARE(clicks.count(), 4);
  }

  void comboUserChoiceRaisesTheSameClick() {
    QWidget window;
    ui::ComboBox combo(&window, "Combo2", 3);
    QCOMPARE(combo.objectName(), QString("Combo2_3"));
    QCOMPARE(combo.index(), 3);
    for (const char* text : {"North", "East", "South"}) combo.addItem(text);
    QVERIFY(combo.setPosition(0));
    QSignalSpy clicks(&combo, &ui::ComboBox::clicked);
    window.show();
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    QCOMPARE(combo.position(), 1);
    QCOMPARE(test_support::signalArgs(clicks), QList<int>{1});
  }

  // Names are found by the window tests; here: only a left click released on the label counts.
  void labelArraysKnowTheirElements() {
    QWidget window;
    std::vector<ui::Label*> sides = ui::makeLabelArray(&window, "Label16", 4);
    QCOMPARE(sides.size(), std::size_t{4});
    QCOMPARE(sides[3]->objectName(), QString("Label16_3"));
    QCOMPARE(ui::Label(&window, "Label2").index(), -1);
    window.resize(300, 200);
    sides[2]->setGeometry(10, 10, 80, 20);
    window.show();
    QSignalSpy clicks(sides[2], &ui::Label::clicked);
    QTest::mouseClick(sides[2], Qt::LeftButton);
    QTest::mouseClick(sides[2], Qt::RightButton);
    QTest::mousePress(sides[2], Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(sides[2], Qt::LeftButton, {}, QPoint(500, 5));
    QCOMPARE(test_support::signalArgs(clicks), QList<int>{2});
  }

  void textBoxReportsChanges() {
    QWidget window;
    ui::TextBox box(&window, "Text1");
    QSignalSpy changes(&box, &ui::TextBox::changed);
    box.setText("Long Sword");
    QCOMPARE(box.text(), QString("Long Sword"));
    QCOMPARE(changes.count(), 1);
    box.setText("Long Sword");
    QCOMPARE(changes.count(), 1);

    window.show();
    box.setFocus();
    box.moveCursor(QTextCursor::End);
    QTest::keyClicks(&box, "+1");
    QCOMPARE(box.text(), QString("Long Sword+1"));
    QCOMPARE(changes.count(), 3);
    // A single-line box takes no line breaks.
    QTest::keyClick(&box, Qt::Key_Return);
    box.setText("two\nlines");
    QCOMPARE(box.text(), QString("two lines"));
    QVERIFY(!box.isMultiLine());

    ui::TextBox memo(&window, "Text2", 0, true);
    QCOMPARE(memo.objectName(), QString("Text2_0"));
    memo.setText("first\nsecond");
    QCOMPARE(memo.text(), QString("first\nsecond"));
  }

  void checkBoxValueIsZeroOrOne() {
    QWidget window;
    std::vector<ui::CheckBox*> checks = ui::makeCheckBoxArray(&window, "Check1", 8);
    ui::CheckBox* fighter = checks[0];
    QCOMPARE(checks[7]->objectName(), QString("Check1_7"));
    QSignalSpy clicks(fighter, &QAbstractButton::clicked);
    fighter->setValue(1);
    QCOMPARE(fighter->value(), 1);
    fighter->setValue(0);
    QCOMPARE(fighter->value(), 0);
    QCOMPARE(clicks.count(), 0);  // only the user's click is an event
    fighter->setGeometry(0, 0, 100, 20);
    window.show();
    QTest::mouseClick(fighter, Qt::LeftButton, {}, QPoint(8, 10));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(fighter->value(), 1);
  }

  // Every byte of a record's text comes back unchanged after a trip through a control.
  void textRoundTripsEveryByte() {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    const QString shown = ui::ToQString(all);
    QCOMPARE(shown.size(), qsizetype{255});
    QCOMPARE(ui::ToBytes(shown), all);
    QCOMPARE(ui::ToQString("\x80"), QString(QChar(0x20AC)));  // the euro sign of the code page
    QCOMPARE(ui::ToQString("caf\xE9"), QString::fromUtf8("café"));  // the fast Latin-1 way
    QCOMPARE(ui::ToBytes(QString::fromUtf8("Ω")), std::string("?"));
  }

  void twipsAtFifteenPerPixel() {
    QCOMPARE(ui::TwipsToPixels(6510), 434);
    QCOMPARE(ui::TwipsToPixels(22), 1);  // nearest pixel
    QCOMPARE(ui::TwipsToPixels(23), 2);
    QCOMPARE(ui::TwipsToPixels(-23), -2);
    QCOMPARE(ui::PixelsToTwips(-1), -15);
  }
};

REGISTER_TEST(ControlsTest);

#include "test_controls.moc"
