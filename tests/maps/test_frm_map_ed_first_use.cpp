// The main window as a designer meets it: cancelled inputs, texts from files, the keyboard, and
// the window's size.
#include "main_window_fixture.h"
#include "support/test_registry.h"

#include <QApplication>

using main_window_test::MainWindow;
using test_support::putSpecial;

namespace {

QString focusName() {
  const QWidget* focus = QApplication::focusWidget();
  return focus ? focus->objectName() : QStringLiteral("<none>");
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(static_cast<QWidget*>(nullptr), static_cast<Qt::Key>(key), modifiers);
}

}  // namespace

class FrmMapEdFirstUseTest : public QObject {
  Q_OBJECT

 private slots:
  // A cancelled box changes nothing, whatever it asked for.
  void cancelLeavesEveryValueAndTheMap() {
    MainWindow w;
    const core::MapRecord before = w.defs->Map;
    for (const char* label : {"Label2", "Label4", "Label6", "Label8", "Label18", "Label20"}) {
      const QString shown = w.text(label);
      w.dialogs.cancelInput();
      w.click(label);
      QCOMPARE(w.text(label), shown);
    }
    w.dialogs.cancelInput();
    w.trigger("mnuOpen");
    QCOMPARE(w.dialogs.shown().size(), std::size_t{7});
    QVERIFY(w.messages().empty());
    QVERIFY(w.defs->Map == before);
    QCOMPARE(w.defs->CurrentMap, 1);
    QCOMPARE(w.dialogs.unanswered(), 0);
    QCOMPARE(w.text("Label2"), QString("1"));
  }

  // Names are shown as stored: markup stays literal, zeros (an entry past the end) show nothing.
  void namesFromFilesAreShownAsText() {
    MainWindow w{main_window_test::Unopened{}};
    auto creatures = test_support::namedEntries<core::CreatureRecord>(3, "Beast");
    test_support::nameEntry(creatures[1], "<b>Orc</b> & Co");
    test_support::writeCatalogue(w.dir->datFile("Mon.dat"), creatures);
    w.open();
    core::MapRecord& map = w.defs->Map;
    map.SetEncounter(1, core::EncounterField::Creature, 500);
    putSpecial(map, 0, 5, 1, 0, 2, 1);    // Encounter 1 of creature 2
    putSpecial(map, 1, 5, 1, 0, 500, 1);  // Encounter 1 of creature 500
    w.window->RefreshMainWindow();

    const ui::Label* orc = w.control("Label10_0");
    QCOMPARE(orc->text(), QString::fromStdString(test_support::padded("<b>Orc</b> & Co")));
    QCOMPARE(orc->textFormat(), Qt::PlainText);
    // Shown as typed, not bold without its tags: as wide as the literal text.
    QVERIFY(orc->sizeHint().width() >= orc->fontMetrics().horizontalAdvance(orc->text().trimmed()));
    QVERIFY(w.text("Label15_0").startsWith("Encounter 1 <b>Orc</b> & Co"));
    QCOMPARE(w.text("Label10_1"), QString());
    QCOMPARE(w.text("Label15_1"), QString("Encounter 1 "));
    QCOMPARE(w.defs->CreatureName(500), std::string(20, '\0'));  // the bytes are kept
  }

  // A long line is shown whole where the window has room; up stops at the top, down at the empty
  // line after the square's last special.
  void specialsLinesAndTheirButtons() {
    MainWindow w;
    putSpecial(w.defs->Map, 0, 5, 1, 0, 0, 32767);
    putSpecial(w.defs->Map, 1, 4, 1, 0, 9);
    w.window->RefreshMainWindow();
    const ui::Label* line = w.control("Label15_0");
    QCOMPARE(line->text(), QString("Encounter 32767 (no creature)"));
    // The layout is asked for room for the whole line; given less, the text is kept whole.
    const int chrome = 2 * (line->margin() + line->frameWidth());
    QVERIFY(line->sizeHint().width() >=
            line->fontMetrics().horizontalAdvance(line->text()) + chrome);
    QVERIFY(line->minimumSizeHint().width() < line->sizeHint().width());
    QVERIFY(line->toolTip().startsWith(line->text()));

    auto* up = w.control<ui::Button>("SpecialsUp");
    auto* down = w.control<ui::Button>("SpecialsDown");
    const auto states = [&] { return std::pair(up->isEnabled(), down->isEnabled()); };
    QCOMPARE(states(), std::pair(false, true));
    w.click("SpecialsDown");
    QCOMPARE(states(), std::pair(true, true));
    w.click("SpecialsDown");
    QCOMPARE(w.defs->SpecialsOffset, 2);
    QCOMPARE(w.text("Label15_0"), QString());
    QCOMPARE(states(), std::pair(true, false));
    w.click("SpecialsDown");  // disabled: nothing beyond the empty line
    QCOMPARE(w.defs->SpecialsOffset, 2);
    w.clickSquare(5, 5);  // a square without specials
    QCOMPARE(states(), std::pair(false, false));
  }

  // The map view has the focus from the start; Tab walks the clickable labels, Enter clicks.
  void keyboardReachesEveryClickableLabel() {
    MainWindow w;
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    QCOMPARE(focusName(), QString("picMap"));
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    QCOMPARE(w.selected(), QPoint(2, 1));

    QStringList stops;
    for (int i = 0; i < 40 && !stops.contains(focusName()); ++i) {
      stops << focusName();
      press(Qt::Key_Tab);
    }
    const QStringList expectedStart = {"picMap",    "Label2",    "Label4",    "Label6",
                                       "Label8",    "Label18",   "Label20",   "Label16_0",
                                       "Label16_1", "Label16_2", "Label16_3", "Label15_0",
                                       "Label15_1", "Label15_2", "Label15_3"};
    QCOMPARE(stops.mid(0, expectedStart.size()), expectedStart);
    QVERIFY2(stops.endsWith("Label10_10") && stops.contains("Label10_0"),
             qPrintable(stops.join(' ')));

    w.addStandIn("frmMapEnc");
    w.control("Label10_4")->setFocus();
    press(Qt::Key_Return);
    QCOMPARE(w.defs->EncounterSlot, 4);
    QVERIFY(w.standIn("frmMapEnc"));

    w.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    w.control("Label16_0")->setFocus();
    press(Qt::Key_Space);
    QCOMPARE(w.text("Label16_0"), QString("Wall1"));
    press(Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(w.text("Label16_0"), QString("Nothing"));

    w.dialogs.answerInput("9");
    w.control("Label6")->setFocus();
    press(Qt::Key_Enter);
    QCOMPARE(w.defs->Map.EncounterChance, 9);
  }

  void shiftClickStepsAWallBack() {
    MainWindow w;
    w.clickSquare(5, 5);
    QCOMPARE(w.text("Label16_1"), QString("Nothing"));
    QTest::mouseClick(w.control("Label16_1"), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(w.defs->Map.WallCode(5, 5, core::East), 7);
    QCOMPARE(w.text("Label16_1"), QString("Door2"));
    w.defs->Map.SetWallCode(5, 5, core::East, 6);
    w.window->RefreshMainWindow();
    QTest::mouseClick(w.control("Label16_1"), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(w.text("Label16_1"), QString("Wall5"));
    QCOMPARE(w.defs->Map.WallCode(5, 5, core::North), 0);  // the other sides stay
    QVERIFY(w.control("Label16_1")->toolTip().contains("Shift"));
  }

  // 1024 x 768 less the window's frame, title bar and a task bar.
  void theWindowFitsASmallScreen() {
    MainWindow w;
    const QSize least = w.window->minimumSizeHint();
    QVERIFY2(least.width() <= 1000 && least.height() <= 680,
             qPrintable(QString("%1 x %2").arg(least.width()).arg(least.height())));
    w.window->resize(least);
    QCOMPARE(w.control<ui::PictureBox>("picMap")->image().size(), QSize(434, 434));
  }
};

REGISTER_TEST(FrmMapEdFirstUseTest);
#include "test_frm_map_ed_first_use.moc"
