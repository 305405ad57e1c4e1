#include "support/fixtures.h"
#include "support/test_registry.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <functional>
#include <set>
#include <string>

namespace {

using Answer = std::optional<QString>;

// Acts on the modal dialog of the next call, from inside its own event loop.
void whenModalShows(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
}

}  // namespace

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
    QVERIFY(combo.setPosition(2));  // the same position again is still a click
    QVERIFY(!combo.setPosition(3));
    QVERIFY(combo.setPosition(-1));
    combo.clear();
    combo.addItem("Ward");
    combo.addItem("Spark");
    QCOMPARE(combo.position(), -1);
    window.show();
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    QCOMPARE(test_support::signalArgs(clicks), QList<int>({2, 2, -1, 0}));
  }

  // A text that its place cuts short shows whole in the tip, above the box's own hint, and in
  // the open list; a text that fits keeps the box's own hint alone.
  void aCutDropDownShowsItsWholeText() {
    QWidget window;
    ui::ComboBox directions(&window, "Combo5");
    directions.setToolTip("Which way the party faces");
    directions.addItem("N");
    directions.addItem("Doesn't Matter");
    directions.setGeometry(0, 0, directions.fontMetrics().horizontalAdvance("Doesn't") + 10, 24);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto tipShown = [&directions] {
      QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), directions.mapToGlobal(QPoint(4, 4)));
      QApplication::sendEvent(&directions, &help);
      return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    directions.setPosition(0);
    QVERIFY(!directions.isTextCut());
    directions.setPosition(1);
    QVERIFY(directions.isTextCut());
    QCOMPARE(tipShown(), QString("Doesn't Matter\nWhich way the party faces"));
    directions.showPopup();
    QVERIFY(directions.view()->width() >
            directions.view()->fontMetrics().horizontalAdvance("Doesn't Matter"));
    directions.hidePopup();
  }

  // Only the user's left click released on the control counts; values set from code raise
  // nothing.
  void onlyTheUsersClicksCount() {
    QWidget window;
    std::vector<ui::Label*> sides = ui::makeLabelArray(&window, "Label16", 4);
    ui::CheckBox check(&window, "Check1");
    QCOMPARE(sides[3]->objectName(), QString("Label16_3"));
    sides[2]->setGeometry(10, 10, 80, 20);
    check.setGeometry(0, 40, 100, 20);
    window.show();
    QSignalSpy labelClicks(sides[2], &ui::Label::clicked);
    QSignalSpy checkClicks(&check, &QAbstractButton::clicked);
    QTest::mouseClick(sides[2], Qt::LeftButton);
    QTest::mouseClick(sides[2], Qt::RightButton);
    QTest::mousePress(sides[2], Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(sides[2], Qt::LeftButton, {}, QPoint(500, 5));
    QCOMPARE(test_support::signalArgs(labelClicks), QList<int>{2});
    check.setValue(1);
    check.setValue(0);
    QTest::mouseClick(&check, Qt::LeftButton, {}, QPoint(8, 10));
    QCOMPARE(checkClicks.count(), 1);
    QCOMPARE(check.value(), 1);
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
    QCOMPARE(box.cursorPosition(), 0);  // a long text shows its beginning
    // Ctrl+Z in the box takes back its typing, not the window's last step.
    int windowUndos = 0;
    QObject::connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &window),
                     &QShortcut::activated, [&windowUndos] { ++windowUndos; });
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box.setFocus();
    box.end(false);
    QTest::keyClicks(&box, "+1");
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(box.text(), QString("Long+1"));
    QCOMPARE(changes.count(), 3);
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box.text(), QString("Long"));
    QCOMPARE(windowUndos, 0);
    QTest::keyClicks(&box, "+1");
    box.setText("two\nlines");
    QCOMPARE(box.text(), QString("two lines"));
    box.home(false);
    box.insert("a\r\nb ");  // as a paste inserts
    QCOMPARE(box.text(), QString("a b two lines"));
    QCOMPARE(box.cursorPosition(), 4);
    ui::TextArea memo(&window, "Text2");
    memo.setText("two\nlines");
    QCOMPARE(memo.text(), QString("two\nlines"));

    box.setMaxLength(5);
    box.setText("123456789");
    QCOMPARE(box.text(), QString("12345"));
    box.home(false);
    QTest::keyClicks(&box, "X");
    QCOMPARE(box.text(), QString("12345"));
  }

  // Every byte of a record's text comes back unchanged after a trip through a control; twips
  // become the nearest pixel.
  void textRoundTripsEveryByte() {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    QCOMPARE(ui::ToBytes(ui::ToQString(all)), all);
    QCOMPARE(ui::ToQString("caf\xE9"), QString::fromUtf8("café"));  // the fast Latin-1 way
    QCOMPARE(ui::TwipsToPixels(23), 2);
  }

  void realDialogsShowTheirTextsAndMapTheirButtons() {
    ui::QtDialogs dialogs;
    QStringList seen;
    whenModalShows([&seen](QWidget* modal) {
      auto* input = qobject_cast<QInputDialog*>(modal);
      seen = {input->windowTitle(), input->labelText(), input->textValue()};
      input->setTextValue("");
      input->accept();
    });
    QCOMPARE(dialogs.inputBox(nullptr, "Enter Map Number", "Open Which Map", " 3"), Answer(""));
    QCOMPARE(seen, QStringList({"Open Which Map", "Enter Map Number", " 3"}));
    whenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    QCOMPARE(dialogs.inputBox(nullptr, "Enter Map Number", "Open Which Map", " 3"), Answer());

    whenModalShows([](QWidget* modal) {
      qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Discard)->click();
    });
    QCOMPARE(dialogs.askSaveDiscardCancel(nullptr, "Save the map?", "Map Editor"),
             ui::Dialogs::SaveChoice::Discard);
  }
};

REGISTER_TEST(ControlsTest);

#include "test_controls.moc"
