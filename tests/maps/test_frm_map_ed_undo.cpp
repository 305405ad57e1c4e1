#include "map_editors_fixture.h"
#include "support/test_registry.h"

#include <QAction>
#include <QTest>

using namespace main_window_test;

namespace {

QString entryText(const MainWindow& w, const char* name) {
  QAction* action = w.action(name);
  return action->isEnabled() ? action->text() : "(disabled) " + action->text();
}

}  // namespace

class MainWindowUndoTest : public QObject {
  Q_OBJECT

 private slots:
  // Each kind of the main window's own steps, taken back and done again through the Edit menu,
  // on the record and on screen.
  void eachStepIsUndoneAndRedone_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("label");
    QTest::newRow("copy square") << "copy"
                                 << "Copy Square";
    QTest::newRow("north wall") << "north"
                                << "North Wall";
    QTest::newRow("west wall back") << "west back"
                                    << "West Wall";
    QTest::newRow("graphic set") << "graphics"
                                 << "Graphic Set";
    QTest::newRow("map number") << "number"
                                << "Map Number";
  }
  void eachStepIsUndoneAndRedone() {
    QFETCH(QString, step);
    QFETCH(QString, label);
    MainWindow w;
    w.defs->Map.SetSquare(1, 0, 0x0123);  // as loaded: something to copy
    w.defs->StartMapHistory();
    w.window->RefreshMainWindow();
    const core::MapRecord before = w.defs->Map;
    QCOMPARE(entryText(w, "mnuUndo"), QString("(disabled) &Undo"));
    // What the window shows of the record (a copy moves the selection, so its sides are not it).
    const auto shown = [&] {
      return w.text("Label4") + w.text("Label2") + (step == "copy" ? "" : w.text("Label16_0"));
    };
    const QString shownBefore = shown();

    if (step == "copy") {
      w.clickSquare(1, 1, Qt::RightButton);
    } else if (step == "north") {
      w.click("Label16_0");
    } else if (step == "west back") {
      QTest::mouseClick(w.control<QWidget>("Label16_3"), Qt::LeftButton, Qt::ShiftModifier);
    } else {
      w.dialogs.answerInput(" 9");
      w.click(step == "graphics" ? "Label4" : "Label2");
    }
    const core::MapRecord after = w.defs->Map;
    const std::int16_t numberAfter = w.defs->CurrentMap;
    QVERIFY(!(after == before) || numberAfter != 1);
    QCOMPARE(entryText(w, "mnuUndo"), "&Undo " + label);

    w.trigger("mnuUndo");
    QVERIFY(w.defs->Map == before);
    QCOMPARE(w.defs->CurrentMap, std::int16_t(1));
    QCOMPARE(shown(), shownBefore);
    QCOMPARE(entryText(w, "mnuUndo"), QString("(disabled) &Undo"));
    QCOMPARE(entryText(w, "mnuRedo"), "&Redo " + label);

    w.trigger("mnuRedo");
    QVERIFY(w.defs->Map == after);
    QCOMPARE(w.defs->CurrentMap, numberAfter);
    QCOMPARE(entryText(w, "mnuRedo"), QString("(disabled) &Redo"));
  }

  void keysUndoAndRedoAndANewStepDropsTheRedo() {
    MainWindow w;
    const core::MapRecord start = w.defs->Map;
    w.click("Label16_0");
    w.click("Label16_1");
    QWidget* view = w.control<QWidget>("picMap");
    w.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(w.defs->Map == start);
    QCOMPARE(entryText(w, "mnuRedo"), QString("&Redo North Wall"));
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(entryText(w, "mnuRedo"), QString("&Redo East Wall"));
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!w.action("mnuRedo")->isEnabled());
    w.trigger("mnuUndo");
    w.click("Label16_2");  // a new step in the middle
    QVERIFY(!w.action("mnuRedo")->isEnabled());
    QCOMPARE(entryText(w, "mnuUndo"), QString("&Undo South Wall"));
  }

  // Undoing back to the map as saved leaves nothing to ask about; redoing away asks again.
  void theSaveQuestionFollowsTheHistory() {
    MainWindow w;
    w.click("Label16_0");
    w.trigger("mnuSave");
    w.click("Label16_0");
    w.trigger("mnuUndo");
    w.dialogs.answerInput("2");
    w.trigger("mnuOpen");
    QCOMPARE(w.defs->CurrentMap, std::int16_t(2));
    QVERIFY(w.dialogs.shown().size() == 1);      // only the Open box: nothing to save
    QVERIFY(!w.action("mnuUndo")->isEnabled());  // a new map starts a new history

    w.click("Label16_0");
    w.trigger("mnuUndo");
    w.trigger("mnuRedo");
    w.dialogs.answerSave(ui::Dialogs::SaveChoice::Cancel);
    w.trigger("mnuNew");
    QCOMPARE(w.dialogs.last()->prompt, QString("Save changes to map 2?"));
    w.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    w.trigger("mnuNew");
    QVERIFY(!w.action("mnuUndo")->isEnabled());
  }

  // A stored text and a stored encounter slot are steps too, and Ctrl+Z in the map's own
  // windows takes them back on every open window at once.
  void theMapEditorsStepsAreUndoneFromTheirWindows() {
    MainWindow w;
    map_editors_test::addEditors(w);
    w.trigger("mnuMapTxt");
    QTest::mouseClick(map_editors_test::control<QWidget>(w, "frmTextEd", "Label2_7"),
                      Qt::LeftButton);
    map_editors_test::retype(map_editors_test::control<ui::TextBox>(w, "frmTextEnter", "Text1"),
                             "Beware");
    map_editors_test::control<ui::Button>(w, "frmTextEnter", "Command1")->click();
    map_editors_test::settle();
    QCOMPARE(entryText(w, "mnuUndo"), QString("&Undo Map Text 7"));
    ui::Form* list = map_editors_test::form(w, "frmTextEd");
    list->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(list));
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    map_editors_test::settle();
    QCOMPARE(w.defs->Map.Text(7), std::string(50, ' '));
    QCOMPARE(map_editors_test::control<ui::Label>(w, "frmTextEd", "Label2_7")->text(),
             QString(50, ' '));

    w.click("Label9_2");  // the encounter row of slot 3
    map_editors_test::control<ui::ComboBox>(w, "frmMapEnc", "Combo1")->setPosition(1);
    map_editors_test::control<ui::Button>(w, "frmMapEnc", "Command1")->click();
    map_editors_test::settle();
    QCOMPARE(entryText(w, "mnuUndo"), QString("&Undo Encounter 3"));
    QCOMPARE(entryText(w, "mnuRedo"), QString("(disabled) &Redo"));
    QCOMPARE(w.text("Label10_2").trimmed(), QString("Beast 2"));
  }
};

REGISTER_TEST(MainWindowUndoTest);
#include "test_frm_map_ed_undo.moc"
