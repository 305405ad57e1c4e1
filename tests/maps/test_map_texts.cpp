#include "map_editors_fixture.h"
#include "support/test_registry.h"

#include <QTest>

using namespace map_editors_test;
using test_support::mapSlotBytes;

namespace {

// Text t of the map holds "Text t" so that each row tells which text it shows.
void nameTexts(MainWindow& w) {
  for (int t = 0; t < core::MapTextCount; ++t) w.defs->Map.SetText(t, "Text " + std::to_string(t));
  for (int t = 0; t < core::MapLongTextCount; ++t)
    w.defs->Map.SetLongText(t, "Long " + std::to_string(t));
}

QString label(const MainWindow& w, const char* formName, const QString& name) {
  const ui::Label* shown = control<ui::Label>(w, formName, name);
  return shown ? shown->text() : QString("<no %1>").arg(name);
}

std::string storedBytes(const std::filesystem::path& mapsFile, std::size_t offset,
                        std::size_t size) {
  const auto slot = mapSlotBytes(mapsFile, 1);
  return std::string(slot.begin() + static_cast<long>(offset),
                     slot.begin() + static_cast<long>(offset + size));
}

}  // namespace

class MapTextsTest : public QObject {
  Q_OBJECT

 private slots:
  // Rows are numbered with a leading blank, show the text with its trailing blanks, and a click
  // opens the text of that page and row.
  void rowsOpenTheirText_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("text");
    QTest::newRow("page 0 row 0") << 0 << 0 << 0;
    QTest::newRow("page 1 row 3") << 1 << 3 << 20;
    QTest::newRow("page 2 row 16, the last text") << 2 << 16 << 50;
  }
  void rowsOpenTheirText() {
    QFETCH(int, page);
    QFETCH(int, row);
    QFETCH(int, text);
    MainWindow w;
    addEditors(w);
    nameTexts(w);
    w.trigger("mnuMapTxt");
    for (int p = 0; p < page; ++p)
      QTest::mouseClick(control<QWidget>(w, "frmTextEd", "Command3"), Qt::LeftButton);
    const QString r = QString::number(row);
    QCOMPARE(label(w, "frmTextEd", "Label1_" + r), QString(" %1:").arg(text));
    QCOMPARE(label(w, "frmTextEd", "Label2_" + r),
             QString("Text %1").arg(text).leftJustified(50, ' '));
    QTest::mouseClick(control<QWidget>(w, "frmTextEd", "Label2_" + r), Qt::LeftButton);
    QCOMPARE(w.defs->TextIndex, text);
    auto* box = control<ui::TextBox>(w, "frmTextEnter", "Text1");
    QVERIFY(box);
    QCOMPARE(box->text(), QString("Text %1").arg(text).leftJustified(50, ' '));
    QCOMPARE(form(w, "frmTextEnter")->windowTitle(), QString("String Contains"));
    QCOMPARE(label(w, "frmTextEnter", "Label1"), QString("Enter Text:"));
  }

  // The buttons never offer a page that does not exist, also when the window reopens on the
  // page it was closed on.
  void pagingStaysWithinThreePages() {
    MainWindow w;
    addEditors(w);
    w.trigger("mnuMapTxt");
    auto* prev = control<ui::Button>(w, "frmTextEd", "Command1");
    auto* next = control<ui::Button>(w, "frmTextEd", "Command3");
    QCOMPARE(form(w, "frmTextEd")->windowTitle(), QString("Map Text Editor"));
    QVERIFY(!prev->isEnabled() && next->isEnabled());
    const QWidget* row = control<QWidget>(w, "frmTextEd", "Label2_0");
    QVERIFY2(row->mapTo(form(w, "frmTextEd"), QPoint(row->width(), 0)).x() <=
                 form(w, "frmTextEd")->width(),
             "the rows fit in the window");
    prev->click();  // a click from code even when disabled does nothing either
    QCOMPARE(w.defs->TextPage, 0);
    next->click();
    next->click();
    QCOMPARE(w.defs->TextPage, 2);
    QVERIFY(prev->isEnabled() && !next->isEnabled());
    QCOMPARE(label(w, "frmTextEd", "Label1_16"), QString(" 50:"));

    control<ui::Button>(w, "frmTextEd", "Command2")->click();  // OK closes
    QVERIFY(!form(w, "frmTextEd") || form(w, "frmTextEd")->isClosed());
    settle();
    w.trigger("mnuMapTxt");
    QCOMPARE(w.defs->TextPage, 2);
    QCOMPARE(label(w, "frmTextEd", "Label1_0"), QString(" 34:"));
    QVERIFY(control<ui::Button>(w, "frmTextEd", "Command1")->isEnabled());
    QVERIFY(!control<ui::Button>(w, "frmTextEd", "Command3")->isEnabled());
  }

  // What is typed is stored cut to 50 characters or padded; the length counts without trailing
  // blanks; the list and the main window's save question follow; Save writes the bytes.
  void entryStoresTheBoxIntoTheMap_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("five letters") << "Hello"
                                  << "Text Length:  5" << QByteArray("Hello");
    QTest::newRow("60 characters") << QString(60, 'x') << "Text Length:  50" << QByteArray(50, 'x');
    QTest::newRow("trailing blanks") << "Hi   "
                                     << "Text Length:  2" << QByteArray("Hi");
    QTest::newRow("empty") << ""
                           << "Text Length:  0" << QByteArray();
  }
  void entryStoresTheBoxIntoTheMap() {
    QFETCH(QString, typed);
    QFETCH(QString, length);
    QFETCH(QByteArray, stored);
    MainWindow w;
    addEditors(w);
    w.defs->Map.SetText(7, "Old text");
    w.trigger("mnuSave");  // so that only the entry makes the map unsaved
    w.trigger("mnuMapTxt");
    QTest::mouseClick(control<QWidget>(w, "frmTextEd", "Label2_7"), Qt::LeftButton);
    auto* box = control<ui::TextBox>(w, "frmTextEnter", "Text1");
    retype(box, typed);
    QCOMPARE(label(w, "frmTextEnter", "Label2"), length);
    QVERIFY(box->text().size() <= 50);
    control<ui::Button>(w, "frmTextEnter", "Command1")->click();
    settle();
    const std::string expected = test_support::padded(stored.toStdString(), 50);
    QCOMPARE(w.defs->Map.Text(7), expected);
    QVERIFY(!form(w, "frmTextEnter") || form(w, "frmTextEnter")->isClosed());
    QCOMPARE(label(w, "frmTextEd", "Label2_7"), QString::fromLatin1(expected));
    QVERIFY(w.dialogs.shown().empty());

    w.trigger("mnuNew");  // the edit is unsaved: leaving the map asks
    QVERIFY(w.dialogs.last());
    QCOMPARE(w.dialogs.last()->kind, ui::ScriptedDialogs::Kind::SaveQuestion);
    w.trigger("mnuSave");
    QCOMPARE(storedBytes(w.mapsFile(), 4522 + 50 * 7, 50), expected);
  }

  // The box shows all 50 stored characters and the length of the text without its blanks.
  void entryShowsTheStoredText() {
    MainWindow w;
    addEditors(w);
    w.defs->Map.SetText(3, "Abcde");
    w.defs->TextIndex = 3;
    w.registry->show("frmTextEnter");
    QCOMPARE(control<ui::TextBox>(w, "frmTextEnter", "Text1")->text(),
             QString("Abcde").leftJustified(50, ' '));
    QCOMPARE(label(w, "frmTextEnter", "Label2"), QString("Text Length:  5"));
  }

  // Long texts 0..9 have rows; long text 10 is neither shown nor changed. The box shows the text
  // without trailing blanks; an empty box stores 1000 blanks; a box takes at most 1000.
  void longTextEntry_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("length");
    QTest::newRow("row 9 emptied") << 9 << ""
                                   << "Text Length:  0";
    QTest::newRow("row 0 with escape pairs") << 0 << "One\\nTwo\\NThree\\C"
                                             << "Text Length:  17";
    QTest::newRow("row 4 overlong") << 4 << QString(1005, 'y') << "Text Length:  1000";
  }
  void longTextEntry() {
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, length);
    MainWindow w;
    addEditors(w);
    nameTexts(w);
    w.defs->Map.SetLongText(row, std::string(300, 'z'));
    const std::string tenth = w.defs->Map.LongText(10);
    w.trigger("mnuMapLTxt");
    QCOMPARE(form(w, "frmLTextEd")->windowTitle(), QString("Map Long Text Editor"));
    QCOMPARE(label(w, "frmLTextEd", "Label1_9"), QString(" 9:"));
    QCOMPARE(label(w, "frmLTextEd", "Label2_9").size(), 1000);
    QVERIFY(!control<QWidget>(w, "frmLTextEd", "Label2_10"));

    QTest::mouseClick(control<QWidget>(w, "frmLTextEd", "Label2_" + QString::number(row)),
                      Qt::LeftButton);
    auto* box = control<ui::TextBox>(w, "frmLTextEnter", "Text1");
    QVERIFY(box && box->isMultiLine());
    QCOMPARE(form(w, "frmLTextEnter")->windowTitle(), QString("Long String Contains"));
    QCOMPARE(label(w, "frmLTextEnter", "Label2"),
             QString("For carriage return use \\n for skip a line use \\N For clear screen use "
                     "\\C."));
    QCOMPARE(box->text(), QString(300, 'z'));
    QCOMPARE(label(w, "frmLTextEnter", "Label3"), QString("Text Length:  300"));
    retype(box, typed);
    QCOMPARE(label(w, "frmLTextEnter", "Label3"), length);
    control<ui::Button>(w, "frmLTextEnter", "Command1")->click();
    const std::string expected = test_support::padded(typed.left(1000).toStdString(), 1000);
    QCOMPARE(w.defs->Map.LongText(row), expected);
    QCOMPARE(w.defs->Map.LongText(10), tenth);
    w.trigger("mnuSave");
    QCOMPARE(storedBytes(w.mapsFile(), 7072 + 1000 * row, 1000), expected);
  }

  // Typing is replaced only when the text it came from was stored anew: not when the dialog is
  // shown again or another window changes another part of the map.
  void typingSurvivesRepaintsOfOtherChanges() {
    MainWindow w;
    addEditors(w);
    w.defs->TextIndex = 5;
    w.registry->show("frmTextEnter");
    auto* box = control<ui::TextBox>(w, "frmTextEnter", "Text1");
    retype(box, "Half typed");
    w.click("Label16_0");  // the main window changes a wall and announces it
    settle();
    w.registry->show("frmTextEnter")->refresh();
    QCOMPARE(box->text(), QString("Half typed"));
    QCOMPARE(label(w, "frmTextEnter", "Label2"), QString("Text Length:  10"));

    w.defs->Map.SetText(5, "Stored elsewhere");
    w.defs->NotifyChanged(core::MapChanged);
    settle();
    QCOMPARE(box->text(), QString("Stored elsewhere").leftJustified(50, ' '));
  }
};

REGISTER_TEST(MapTextsTest);

#include "test_map_texts.moc"
