// The map's own windows opened from the main window: the text lists and their entry boxes, the
// encounter editor and the map picture.
#include "main_window_fixture.h"
#include "support/test_registry.h"
#include "ui/picture_box.h"
#include "ui/picture_viewer.h"

using main_window_test::MainWindow;
using main_window_test::retype;
using main_window_test::settle;

namespace {

// The map in memory is the map on disk.
bool saved(const MainWindow& w) {
  return test_support::mapSlotBytes(w.mapsFile(), 1) ==
         test_support::packedBytes(w.defs->Document().Map());
}

ui::TextBox* box(const MainWindow& w, int n) {
  return w.formControl<ui::TextBox>("frmMapEnc", QString("Text%1").arg(n));
}
// The encounter editor's list position and boxes.
QString encounterShown(const MainWindow& w) {
  return QString::number(w.formControl<ui::ComboBox>("frmMapEnc", "Combo1")->position()) + ": " +
         QStringList{box(w, 1)->text(), box(w, 2)->text(), box(w, 3)->text(), box(w, 4)->text()}
             .join(' ');
}

}  // namespace

class MapWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  // Rows are numbered with a leading blank on three pages and show the text as stored, markup
  // too; a click opens the text of that page and row, without its padding; the buttons never offer
  // a page that does not exist.
  void rowsOpenTheirText() {
    MainWindow w;
    w.addEditors();
    const QString stored = QString("<b>20</b> & Co").leftJustified(50);
    test_support::editMap(*w.defs,
                          [&](core::MapRecord& map) { map.SetText(20, stored.toStdString()); });
    w.trigger("mnuMapTxt");
    auto* next = w.formControl<ui::Button>("frmTextEd", "Command3");
    next->click();
    QCOMPARE(w.formText("frmTextEd", "Label1_3") + w.formText("frmTextEd", "Label2_3"),
             " 20:" + stored);
    QCOMPARE(w.formControl<ui::Label>("frmTextEd", "Label2_3")->textFormat(), Qt::PlainText);
    w.clickIn("frmTextEd", "Label2_3");
    QCOMPARE(w.formControl<ui::TextBox>("frmTextEnter", "Text1")->text(), stored.trimmed());
    QCOMPARE(w.formText("frmTextEnter", "Label2"), QString("Text Length:  14"));
    next->click();
    next->click();  // a click from code when disabled does nothing either
    QCOMPARE(w.formText("frmTextEd", "Label1_16"), QString(" 50:"));
    QVERIFY(!next->isEnabled() && w.formControl("frmTextEd", "Command1")->isEnabled());
  }

  // What is typed is stored cut to 50 characters or padded, as a step the Edit menu names and
  // Ctrl+Z in the list takes back; the length counts without trailing blanks; Save writes it.
  void entryStoresTheBoxIntoTheMap() {
    for (const auto& [typed, length] :
         {std::pair<QString, int>{"Hi   ", 2}, {QString(60, 'x'), 50}}) {
      MainWindow w;
      w.addEditors();
      w.trigger("mnuMapTxt");
      w.clickIn("frmTextEd", "Label2_7");
      retype(w.formControl<ui::TextBox>("frmTextEnter", "Text1"), typed);
      QCOMPARE(w.formText("frmTextEnter", "Label2"), QString("Text Length:  %1").arg(length));
      w.formControl<ui::Button>("frmTextEnter", "Command1")->click();
      settle();
      const std::string expected = test_support::padded(typed.left(50).trimmed().toStdString(), 50);
      QCOMPARE(w.defs->Document().Map().Text(7), expected);
      QVERIFY(w.formClosed("frmTextEnter"));
      QCOMPARE(w.formText("frmTextEd", "Label2_7"), QString::fromLatin1(expected));
      QCOMPARE(w.action("mnuUndo")->text(), QString("&Undo Map Text 7"));
      w.trigger("mnuSave");
      QVERIFY(saved(w));
      w.activate(w.form("frmTextEd"));
      QTest::keyClick(w.form("frmTextEd"), Qt::Key_Z, Qt::ControlModifier);
      settle();
      QCOMPARE(w.formText("frmTextEd", "Label2_7"), QString(50, ' '));
    }
  }

  // Long texts 0..9 have rows; long text 10 is neither shown nor changed. The box shows the text
  // without trailing blanks, takes at most 1000 characters and an emptied box stores blanks.
  void longTextEntry() {
    for (const auto& [row, typed] : {std::pair<int, QString>{9, ""}, {4, QString(1005, 'y')}}) {
      MainWindow w;
      w.addEditors();
      test_support::editMap(
          *w.defs, [&](core::MapRecord& map) { map.SetLongText(row, std::string(300, 'z')); });
      const std::string tenth = w.defs->Document().Map().LongText(10);
      w.trigger("mnuMapLTxt");
      QVERIFY(!w.formControl("frmLTextEd", "Label2_10"));
      w.clickIn("frmLTextEd", "Label2_" + QString::number(row));
      auto* box = w.formControl<ui::TextArea>("frmLTextEnter", "Text1");
      QCOMPARE(box->text(), QString(300, 'z'));
      retype(box, typed);
      QCOMPARE(w.formText("frmLTextEnter", "Label3"),
               QString("Text Length:  %1").arg(typed.left(1000).size()));
      w.formControl<ui::Button>("frmLTextEnter", "Command1")->click();
      QCOMPARE(w.defs->Document().Map().LongText(row),
               test_support::padded(typed.left(1000).toStdString(), 1000));
      QCOMPARE(w.defs->Document().Map().LongText(10), tenth);
      w.trigger("mnuSave");
      QVERIFY(saved(w));
    }
  }

  // The encounter editor opens on the clicked slot: the slot's creature k at list position k - 1
  // and its numbers. "OK" stores the slot as a named step, the main window shows it at once and
  // Save writes it; the boxes take whole numbers with blanks around them, halves to even.
  void encounterOkStoresTheSlot() {
    // The last field: "OK" clicked (0), or the key pressed in the last box.
    const std::tuple<int, const char*, int, QStringList, const char*, int> rows[] = {
        {0, "1: 2 6 1 25", 0, {"2", "6", "1", "50"}, "Beast 1|2D6+1|50%", 0},
        {0, "1: 2 6 1 25", -1, {"0", "0", "0", "0"}, "Nothing||", Qt::Key_Enter},
        {7,
         "-1: 0 0 0 0",
         2,
         {" -32768 ", "32767", "-2.5", "3.5"},
         "Beast 3|-32768D32767+-2|4%",
         Qt::Key_Return}};
    for (const auto& [slot, opened, position, typed, shown, key] : rows) {
      MainWindow w;
      w.addEditors();
      const core::CreatureRecord working = w.defs->Creature;
      w.click(QString("Label9_%1").arg(slot));
      QCOMPARE(encounterShown(w), QString(opened));
      QVERIFY(w.defs->Creature == working);
      w.formControl<ui::ComboBox>("frmMapEnc", "Combo1")->setPosition(position);
      for (int n = 1; n <= 4; ++n) retype(box(w, n), typed[n - 1]);
      if (key == 0) {
        w.clickIn("frmMapEnc", "Command1");
      } else {
        w.activate(w.form("frmMapEnc"));
        QTest::keyClick(box(w, 4), Qt::Key(key));
      }
      settle();
      QVERIFY(w.dialogs.shown().empty() && w.formClosed("frmMapEnc"));
      const QString s = QString::number(slot);
      QCOMPARE(w.text("Label10_" + s).trimmed() + "|" + w.text("Label11_" + s) + "|" +
                   w.text("Label12_" + s),
               shown);
      QCOMPARE(w.action("mnuUndo")->text(), QString("&Undo Encounter %1").arg(slot + 1));
      w.trigger("mnuSave");
      QVERIFY(saved(w));
    }
  }

  // Cancel and a refused box store nothing. A refusal names the box and keeps the window open
  // on what was typed.
  void encounterStoresNothingWithoutGoodNumbers() {
    const std::tuple<int, QString, QString> rows[] = {
        {1, "", "\"Number Appearing\" dice"}, {4, "-32769", "\"% Others\""}, {0, "", ""}};
    for (const auto& [n, typed, named] : rows) {  // box n refused; 0: cancelled
      MainWindow w;
      w.addEditors();
      w.click("Label9_0");
      const core::MapRecord before = w.defs->Document().Map();
      for (int b = 1; b <= 4; ++b) retype(box(w, b), b == n ? typed : "9");
      w.clickIn("frmMapEnc", n == 0 ? "Command2" : "Command1");
      settle();
      QVERIFY(w.defs->Document().Map() == before);
      QCOMPARE(w.formClosed("frmMapEnc"), n == 0);
      QCOMPARE(w.messages().size(), std::size_t{n == 0 ? 0u : 1u});
      if (n == 0) continue;
      QVERIFY2(w.messages().front().startsWith(named + " must be a whole number"),
               qPrintable(w.messages().front()));
      QCOMPARE(box(w, n)->text(), typed);
    }
  }

  // Typing survives a repaint that another window's change or showing the window again causes;
  // a new store into the slot, or another slot handed over, refills the boxes.
  void encounterTypingSurvivesRepaintsOfOtherChanges() {
    MainWindow w;
    w.addEditors();
    w.click("Label9_4");
    retype(box(w, 2), "12");
    w.click("Label16_0");  // a wall changes and is announced
    settle();
    w.form("frmMapEnc")->showForm();
    QCOMPARE(encounterShown(w), QString("-1: 0 12 0 0"));
    w.click("Label12_0");  // another slot
    retype(box(w, 4), "77");
    test_support::editMap(*w.defs, [&](core::MapRecord& map) {
      map.SetEncounter(0, core::EncounterField::DiceCount, 5);
    });
    settle();
    QCOMPARE(encounterShown(w), QString("1: 5 6 1 25"));
  }

  // Param1 of the current special names Data/MapN.bmp; a stored change shows at once, and a
  // missing file is named in the picture window without a message box.
  void pictureWindowShowsThePictureTheSpecialNames() {
    MainWindow w;
    w.addEditors();
    core::WriteBmp(w.dir->data() / "map12.BMP", core::Bitmap(40, 24, 0x336699));
    test_support::editMap(
        *w.defs, [](core::MapRecord& map) { test_support::putSpecial(map, 6, 1, 2, 2, 12); });
    w.defs->CurrentSpecial = 6;
    auto* viewer = qobject_cast<ui::PictureForm*>(w.registry->show("frmMapBit"));
    QCOMPARE(viewer->picture()->image().pixel(39, 23), qRgb(0x33, 0x66, 0x99));
    test_support::editMap(
        *w.defs, [&](core::MapRecord& map) { map.SetSpecial(6, core::SpecialField::Param1, -3); });
    settle();
    QVERIFY2(viewer->problem().contains("Map-3.bmp is missing"), qPrintable(viewer->problem()));
    QVERIFY(w.dialogs.shown().empty());
  }
};

REGISTER_TEST(MapWindowsTest);
#include "test_map_windows.moc"
