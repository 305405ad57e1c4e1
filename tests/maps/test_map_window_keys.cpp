// The map's secondary windows with the keyboard and side by side: two entry dialogs open at
// once, Cancel and Escape, Enter on a focused button, and Ctrl+Z / Ctrl+Y in their boxes.
#include "main_window_fixture.h"
#include "support/test_registry.h"

using main_window_test::MainWindow;
using main_window_test::retype;
using main_window_test::settle;

namespace {

QString boxText(QWidget* box) {
  if (auto* line = qobject_cast<ui::TextBox*>(box)) return line->text();
  return qobject_cast<ui::TextArea*>(box)->text();
}

}  // namespace

class MapWindowKeysTest : public QObject {
  Q_OBJECT

 private slots:
  // The short and long text dialogs share the hand-over of the text number, yet each keeps the
  // text it was opened on, with its typing, while the other stores.
  void bothEntryDialogsKeepTheirTexts() {
    MainWindow w;
    w.addEditors();
    w.trigger("mnuMapLTxt");
    w.clickIn("frmLTextEd", "Label2_3");
    QTest::keyClicks(w.formControl("frmLTextEnter", "Text1"), "Three");
    w.trigger("mnuMapTxt");
    auto* next = w.formControl<ui::Button>("frmTextEd", "Command3");
    next->click();
    next->click();
    w.clickIn("frmTextEd", "Label2_6");  // text 40
    retype(w.formControl<ui::TextBox>("frmTextEnter", "Text1"), "Forty");
    w.clickIn("frmTextEnter", "Command1");
    settle();
    QCOMPARE(w.defs->Document().Map().Text(40), test_support::padded("Forty", 50));
    auto* longBox = w.formControl<ui::TextArea>("frmLTextEnter", "Text1");
    QVERIFY(longBox->isEnabled());
    QCOMPARE(longBox->text(), QString("Three"));

    w.formControl<ui::Button>("frmTextEd", "Command1")->click();
    w.formControl<ui::Button>("frmTextEd", "Command1")->click();
    w.clickIn("frmTextEd", "Label2_5");
    retype(w.formControl<ui::TextBox>("frmTextEnter", "Text1"), "Five");
    w.clickIn("frmLTextEd", "Label2_3");  // the open dialog's own text: its typing stays
    QCOMPARE(longBox->text(), QString("Three"));
    w.clickIn("frmLTextEnter", "Command1");
    settle();
    QCOMPARE(w.defs->Document().Map().LongText(3), test_support::padded("Three", 1000));
    QCOMPARE(w.formControl<ui::TextBox>("frmTextEnter", "Text1")->text(), QString("Five"));
    w.clickIn("frmTextEnter", "Command1");
    QCOMPARE(w.defs->Document().Map().Text(5), test_support::padded("Five", 50));
  }

  // "Cancel", Escape and Enter on a focused "Cancel" close an entry dialog without storing its
  // typing (Escape in each secondary window is checked on its own with the other windows).
  void cancelAndEscapeStoreNothing_data() {
    QTest::addColumn<QString>("opener");  // a menu entry or a control of the main window
    QTest::addColumn<QString>("row");     // the row of a text list to click, if any
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control");  // where the key goes, or the button clicked
    QTest::addColumn<int>("key");          // 0: a click
    QTest::newRow("text, Cancel") << "mnuMapTxt"
                                  << "Label2_7"
                                  << "frmTextEnter"
                                  << "Command2" << 0;
    QTest::newRow("text, Enter on Cancel") << "mnuMapTxt"
                                           << "Label2_7"
                                           << "frmTextEnter"
                                           << "Command2" << int(Qt::Key_Return);
    QTest::newRow("long text, Escape") << "mnuMapLTxt"
                                       << "Label2_2"
                                       << "frmLTextEnter"
                                       << "Text1" << int(Qt::Key_Escape);
    QTest::newRow("encounter, Enter on Cancel") << "Label9_0"
                                                << ""
                                                << "frmMapEnc"
                                                << "Command2" << int(Qt::Key_Enter);
  }
  void cancelAndEscapeStoreNothing() {
    QFETCH(QString, opener);
    QFETCH(QString, row);
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(int, key);
    MainWindow w;
    w.addEditors();
    opener.startsWith("mnu") ? w.trigger(opener) : w.click(opener);
    if (!row.isEmpty()) w.clickIn(opener == "mnuMapTxt" ? "frmTextEd" : "frmLTextEd", row);
    const core::MapRecord before = w.defs->Document().Map();
    w.activate(w.form(form));
    if (auto* box = w.formControl(form, "Text1")) QTest::keyClicks(box, "typed");
    QWidget* target = w.formControl(form, control);
    target->setFocus();
    key == 0 ? QTest::mouseClick(target, Qt::LeftButton) : QTest::keyClick(target, Qt::Key(key));
    settle();
    QVERIFY(w.formClosed(form));
    QVERIFY(w.defs->Document().Map() == before);
    QVERIFY(!w.defs->Document().History().CanUndo());
  }

  // Ctrl+Z in a box takes back its own typing first and then the map's last step; Ctrl+Y and
  // Ctrl+Shift+Z do them again in the other order. No key makes a step of its own.
  void undoKeysTakeTheBoxFirstThenTheMap_data() {
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::newRow("encounter box") << "Label9_0"
                                   << "frmMapEnc"
                                   << "2"
                                   << "5";
    QTest::newRow("long text box") << "mnuMapLTxt"
                                   << "frmLTextEnter"
                                   << ""
                                   << "abc";
  }
  void undoKeysTakeTheBoxFirstThenTheMap() {
    QFETCH(QString, opener);
    QFETCH(QString, form);
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    MainWindow w;
    w.addEditors();
    const core::MapRecord unwalled = w.defs->Document().Map();
    w.click("Label16_0");  // the map's one step
    const core::MapRecord walled = w.defs->Document().Map();
    opener.startsWith("mnu") ? w.trigger(opener) : w.click(opener);
    if (form == "frmLTextEnter") w.clickIn("frmLTextEd", "Label2_2");
    w.activate(w.form(form));
    QWidget* box = w.formControl(form, "Text1");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, typed);
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& shown,
                           const core::MapRecord& map) {
      QTest::keyClick(box, key, modifiers);
      settle();
      QCOMPARE(boxText(box), shown);
      QVERIFY(w.defs->Document().Map() == map);
      QCOMPARE(w.defs->Document().History().StepCount(), std::size_t{1});
    };
    press(Qt::Key_Z, Qt::ControlModifier, stored, walled);
    press(Qt::Key_Z, Qt::ControlModifier, stored, unwalled);
    press(Qt::Key_Y, Qt::ControlModifier, stored + typed, unwalled);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, stored + typed, walled);
  }

  // A slot whose creature lies outside the catalogue keeps it on an untouched "OK".
  void encounterKeepsACreatureBeyondTheCatalogue() {
    for (const std::int16_t creature : {40, -1}) {
      MainWindow w;
      w.addEditors();
      test_support::editMap(*w.defs, [creature](core::MapRecord& map) {
        map.SetEncounter(3, core::EncounterField::Creature, creature);
      });
      w.click("Label9_3");
      QCOMPARE(w.formControl<ui::ComboBox>("frmMapEnc", "Combo1")->position(), -1);
      w.clickIn("frmMapEnc", "Command1");
      QCOMPARE(w.defs->Document().Map().Encounter(3, core::EncounterField::Creature), creature);
    }
  }
};

REGISTER_TEST(MapWindowKeysTest);
#include "test_map_window_keys.moc"
