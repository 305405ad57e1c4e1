// Bytes nobody edited stay as they are: every text field of every window, filled from a file
// written by another tool, is paged through and saved without typing, and the files do not
// change by a byte. What is typed is stored as a typed field is.
#include "app/editor_forms.h"
#include "core/text.h"
#include "maps/main_window_fixture.h"
#include "support/test_registry.h"
#include "ui/list_view.h"

#include <QAbstractButton>

using main_window_test::MainWindow;
using main_window_test::settle;

namespace {

// `text` cut or padded with `pad` to `width`.
std::string Fill(std::string text, std::size_t width, char pad = ' ') {
  text.resize(width, pad);
  return text;
}

// Stored forms of a text: stored form k is in entry k (and map text k) of the test files.
struct ByteForm {
  const char* name;
  std::string (*make)(std::size_t width);
};
const ByteForm Forms[] = {
    {"CR LF", [](std::size_t w) { return Fill("Fen\r\nMarsh", w); }},
    {"lone CR", [](std::size_t w) { return Fill("Fen\rMarsh \r", w); }},
    {"lone LF", [](std::size_t w) { return Fill("\nFen\nMarsh", w); }},
    {"no-break space",
     [](std::size_t w) {
       return Fill(
           "Fen\xA0"
           "Bow\xA0",
           w);
     }},
    {"bytes 0x80-0xFF",
     [](std::size_t w) { return Fill("\x80\x81\x8D\x8F\x90\x9D\xA9\xE9\xFF", w); }},
    {"zero padding", [](std::size_t w) { return Fill("Zap", w, '\0'); }},
    {"bytes after a zero", [](std::size_t w) { return Fill(std::string("Zap\0old", 7), w); }},
    {"full width", [](std::size_t w) { return Fill(std::string(w, 'W'), w); }},
    {"all zeros", [](std::size_t w) { return std::string(w, '\0'); }},
};
constexpr int FormCount = static_cast<int>(std::size(Forms));

template <class Record>
std::vector<Record> HostileEntries(void (*fill)(Record&, int form)) {
  std::vector<Record> entries(FormCount);
  for (int k = 0; k < FormCount; ++k) fill(entries[static_cast<std::size_t>(k)], k);
  return entries;
}

std::string Form(int k, std::size_t width) {
  return Forms[k].make(width);
}

void WriteHostileFiles(const test_support::TestDataDir& dir) {
  using test_support::writeCatalogue;
  writeCatalogue(dir.datFile("Item.dat"), HostileEntries<core::ItemRecord>([](auto& e, int k) {
                   e.ItemName = Form(k, core::ItemNameWidth);
                   e.PluralName = Form((k + 1) % FormCount, core::ItemNameWidth);
                 }));
  writeCatalogue(dir.datFile("Mon.dat"), HostileEntries<core::CreatureRecord>([](auto& e, int k) {
                   e.CreatureName = Form(k, core::CreatureNameWidth);
                   e.PluralName = Form((k + 1) % FormCount, core::CreatureNameWidth);
                 }));
  writeCatalogue(dir.datFile("Mag.dat"), HostileEntries<core::SpellRecord>([](auto& e, int k) {
                   e.SpellName = Form(k, core::SpellNameWidth);
                   e.DamageDesc = Form((k + 1) % FormCount, core::DamageDescWidth);
                   e.Description = Form((k + 2) % FormCount, core::DescriptionWidth);
                 }));
  writeCatalogue(dir.datFile("Shop.dat"), HostileEntries<core::ShopRecord>([](auto& e, int k) {
                   e.ShopName = Form(k, core::ShopNameWidth);
                 }));
  core::MapRecord map = test_support::sampleMap(1);
  for (int k = 0; k < FormCount; ++k) {
    map.SetText(k + 1, Form(k, core::MapTextWidth));
    map.SetLongText(k + 1, Form(k, core::MapLongTextWidth));
  }
  test_support::writeMapSlot(dir.datFile("Maps.dat"), 1, map);
}

// The button of `window` captioned `caption`, else the first whose caption starts with it.
QAbstractButton* Button(QWidget* window, const QString& caption) {
  const auto buttons = window->findChildren<QAbstractButton*>();
  for (auto* button : buttons)
    if (button->text() == caption) return button;
  for (auto* button : buttons)
    if (button->text().startsWith(caption)) return button;
  return nullptr;
}

// The "Record 5 of 9" line of a catalogue editor.
QString RecordLine(QWidget* editor) {
  for (auto* label : editor->findChildren<QLabel*>())
    if (label->text().startsWith("Record ")) return label->text();
  return "<no record line>";
}

bool AskedToSave(const ui::ScriptedDialogs& dialogs) {
  return std::any_of(dialogs.shown().begin(), dialogs.shown().end(), [](const auto& shown) {
    return shown.kind == ui::ScriptedDialogs::Kind::SaveQuestion;
  });
}

// A main window with every editor on the hostile files.
struct HostileWindows : MainWindow {
  HostileWindows() : MainWindow(main_window_test::Unopened{}) {
    WriteHostileFiles(*dir);
    open();
    AddEditorForms(*registry, *defs, dialogs);
    refreshMenus();
  }
  // Opens an entry window from its list's row `row` and stores it with OK.
  void storeUntouched(const QString& list, const QString& entry, int row) {
    QTest::mouseClick(formControl(list, "Label2_" + QString::number(row)), Qt::LeftButton);
    QVERIFY2(formControl(entry, "Text1")->isEnabled(), qPrintable(entry));
    formControl<ui::Button>(entry, "Command1")->click();
    settle();
  }
};

// Types `keys` at the end of a box's text, as a designer does ('\n' is Enter).
void TypeAtEnd(QWidget* box, const QString& keys) {
  box->setFocus();
  // Ctrl+End pages a catalogue editor to its last entry; a one-line box ends at End.
  QTest::keyClick(box, Qt::Key_End,
                  qobject_cast<ui::TextArea*>(box) ? Qt::ControlModifier : Qt::NoModifier);
  const QStringList lines = keys.split('\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i > 0) QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, lines[i]);
  }
}

}  // namespace

class TextBytesTest : public QObject {
  Q_OBJECT

 private slots:
  // Every entry of every catalogue editor paged through with ">" and saved without typing: no
  // question, not a byte changed. Each entry holds another stored form in each text field.
  void untouchedCatalogueEntriesKeepTheirBytes_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("file");
    QTest::newRow("items") << "mnuItemEdit"
                           << "frmEquipEd"
                           << "Item.dat";
    QTest::newRow("creatures") << "mnuMonEdit"
                               << "frmCreatEd"
                               << "Mon.dat";
    QTest::newRow("spells") << "mnuMagEdit"
                            << "frmMagicEd"
                            << "Mag.dat";
    QTest::newRow("shops") << "mnuShop"
                           << "frmShopEd"
                           << "Shop.dat";
  }
  void untouchedCatalogueEntriesKeepTheirBytes() {
    QFETCH(QString, menu);
    QFETCH(QString, form);
    QFETCH(QString, file);
    HostileWindows w;
    const auto path = w.dir->datFile(file.toStdString());
    const auto before = test_support::readBytes(path);
    w.trigger(menu);
    Button(w.form(form), "<<")->click();
    for (int k = 0; k < FormCount; ++k) {
      if (w.formClosed(form)) w.trigger(menu);  // the shop editor closes on Save
      QWidget* editor = w.form(form);
      const QString record = QString("Record %1 of %2").arg(k + 1).arg(FormCount);
      QVERIFY2(RecordLine(editor) == record, qPrintable(RecordLine(editor) + " for " + record));
      QVERIFY2(!AskedToSave(w.dialogs), Forms[k].name);
      Button(editor, "Save")->click();
      QVERIFY2(test_support::readBytes(path) == before, Forms[k].name);
      if (w.formClosed(form)) w.trigger(menu);
      Button(w.form(form), ">")->click();
    }
    Button(w.form(form), "<<")->click();
    QVERIFY(w.form(form)->close());
    QVERIFY(!AskedToSave(w.dialogs));
    QCOMPARE(test_support::toHex(test_support::readBytes(path)), test_support::toHex(before));
  }

  // Every short and long map text opened and stored with OK unchanged: no step, and the map
  // saves to the same bytes.
  void untouchedMapTextsKeepTheirBytes() {
    HostileWindows w;
    const auto before = test_support::mapSlotBytes(w.mapsFile(), 1);
    w.trigger("mnuMapTxt");
    w.trigger("mnuMapLTxt");
    for (int k = 0; k < FormCount; ++k) {
      w.storeUntouched("frmTextEd", "frmTextEnter", k + 1);
      w.storeUntouched("frmLTextEd", "frmLTextEnter", k + 1);
      QVERIFY2(test_support::packedBytes(w.defs->Map) == before, Forms[k].name);
    }
    QCOMPARE(w.action("mnuUndo")->text(), QString("&Undo"));
    w.trigger("mnuSave");
    QCOMPARE(test_support::toHex(test_support::mapSlotBytes(w.mapsFile(), 1)),
             test_support::toHex(before));
    QVERIFY(!AskedToSave(w.dialogs));
  }

  // Zero-padded names show up to their first zero byte in the editors and their lists, counters
  // count what is shown, and typing after the shown text is stored right after it, blank-padded.
  void zeroPaddedTextsShowAndTakeTyping() {
    HostileWindows w;
    const int zap = 5;  // "Zap" and zeros
    w.trigger("mnuMagEdit");
    QWidget* spells = w.form("frmMagicEd");
    for (int k = 0; k < zap; ++k) Button(spells, ">")->click();
    auto* name = spells->findChild<ui::TextBox*>("Text1");
    QCOMPARE(name->text(), QString("Zap"));
    QCOMPARE(spells->findChild<QLabel*>("Label13")->text(), QString(" 1024 of 1024"));
    QCOMPARE(spells->findChild<QLabel*>("Label18")->text(), QString(" 3 of 32"));  // "Zap\0old"
    TypeAtEnd(name, " Bolt");
    Button(spells, "Save")->click();
    const core::SpellRecord stored =
        test_support::storedSlot<core::SpellRecord>(w.dir->datFile("Mag.dat"), zap + 2);
    QCOMPARE(QByteArray::fromStdString(stored.SpellName), QByteArray("Zap Bolt            "));
    QCOMPARE(stored.Description, Form(7, core::DescriptionWidth));  // untouched

    // The lists show the names up to their zero byte, never boxes for the zeros.
    for (const auto& [menu, list] :
         {std::pair{"mnuItemEdit", "frmEquipList2"}, std::pair{"mnuMonEdit", "frmCreatList2"}}) {
      w.trigger(menu);
      QWidget* editor = w.form(list == QString("frmEquipList2") ? "frmEquipEd" : "frmCreatEd");
      Button(editor, "Show List")->click();
      auto* rows = w.form(list)->findChild<ui::ListView*>();
      QVERIFY2(rows && rows->rowCount() == FormCount, list);
      QCOMPARE(rows->cellText(zap + 1, 1), QString("Zap"));
      QCOMPARE(rows->cellText(zap + 2, 1), QString("Zap"));
      QCOMPARE(rows->cellText(FormCount, 1), QString());
    }
  }

  // An empty Mag.dat shows an empty description, and "New Spell" stores blanks where a typed
  // spell has them, not the zeros read past the end of the file.
  void newEntryFromAnEmptyFileStoresBlanks() {
    MainWindow w(main_window_test::Unopened{});
    test_support::writeBytes(w.dir->datFile("Mag.dat"), {});
    w.open();
    AddEditorForms(*w.registry, *w.defs, w.dialogs);
    w.refreshMenus();
    w.trigger("mnuMagEdit");
    QWidget* spells = w.form("frmMagicEd");
    QCOMPARE(spells->findChild<ui::TextArea*>("Text11")->text(), QString());
    Button(spells, "New Spell")->click();
    const core::SpellRecord stored =
        test_support::storedSlot<core::SpellRecord>(w.dir->datFile("Mag.dat"), 2);
    QCOMPARE(stored.SpellName, std::string(core::SpellNameWidth, ' '));
    QCOMPARE(stored.DamageDesc, std::string(core::DamageDescWidth, ' '));
    QCOMPARE(stored.Description, std::string(core::DescriptionWidth, ' '));
  }

  // A typed line break: CR LF in a spell description; in a long map text the form the text
  // already uses, LF where it has none. A no-break space elsewhere in the text stays 0xA0, and
  // typing taken back gives the stored bytes again.
  void typedLineBreaksTakeTheFieldsForm() {
    HostileWindows w;
    w.trigger("mnuMagEdit");
    QWidget* spells = w.form("frmMagicEd");
    Button(spells, ">")->click();  // entry 2: its description holds a no-break space
    auto* description = spells->findChild<ui::TextArea*>("Text11");
    TypeAtEnd(description, "\nx");
    QCOMPARE(spells->findChild<QLabel*>("Label13")->text(), QString(" 11 of 1024"));
    QTest::keyClick(description, Qt::Key_Backspace);
    QTest::keyClick(description, Qt::Key_Backspace);
    Button(spells, ">")->click();
    QVERIFY(!AskedToSave(w.dialogs));  // typing taken back is no change
    Button(spells, "<")->click();
    TypeAtEnd(description, "\nx");
    Button(spells, "Save")->click();
    QCOMPARE(test_support::storedSlot<core::SpellRecord>(w.dir->datFile("Mag.dat"), 3).Description,
             Fill("Fen\xA0"
                  "Bow\xA0\r\nx",
                  core::DescriptionWidth));

    // Long texts 1..4: CR LF, lone CR, lone LF, none.
    const char* typedBreak[] = {"\r\n", "\r", "\n", "\n"};
    const std::string stored[] = {"Fen\r\nMarsh", "Fen\rMarsh \r", "\nFen\nMarsh",
                                  "Fen\xA0"
                                  "Bow\xA0"};
    w.trigger("mnuMapLTxt");
    for (int k = 0; k < 4; ++k) {
      QTest::mouseClick(w.formControl("frmLTextEd", "Label2_" + QString::number(k + 1)),
                        Qt::LeftButton);
      TypeAtEnd(w.formControl<ui::TextArea>("frmLTextEnter", "Text1"), "\ny");
      w.formControl<ui::Button>("frmLTextEnter", "Command1")->click();
      settle();
      const std::string expected = core::TrimTrailingBlanks(stored[k]) + typedBreak[k] + "y";
      QCOMPARE(w.defs->Map.LongText(k + 1), Fill(expected, core::MapLongTextWidth));
    }
  }

  // A short map text padded with blanks shows without its padding and takes typing up to 50
  // characters of text; OK pads it again.
  void paddedShortTextTakesTyping() {
    HostileWindows w;
    w.defs->Map.SetText(20, Fill("Gate", core::MapTextWidth));
    w.trigger("mnuMapTxt");
    w.formControl<ui::Button>("frmTextEd", "Command3")->click();
    QTest::mouseClick(w.formControl("frmTextEd", "Label2_3"), Qt::LeftButton);
    auto* box = w.formControl<ui::TextBox>("frmTextEnter", "Text1");
    QCOMPARE(box->text(), QString("Gate"));
    TypeAtEnd(box, " of Dawn" + QString(50, 'x'));
    QCOMPARE(w.formText("frmTextEnter", "Label2"), QString("Text Length:  50"));
    w.formControl<ui::Button>("frmTextEnter", "Command1")->click();
    QCOMPARE(w.defs->Map.Text(20), "Gate of Dawn" + std::string(38, 'x'));

    // A name that fills its box with blanks takes typing right after its text too.
    w.trigger("mnuItemEdit");
    auto* name = w.form("frmEquipEd")->findChild<ui::TextBox*>("Text1");  // "Fen\r\nMarsh"
    QCOMPARE(name->text(), QString("Fen Marsh"));
    TypeAtEnd(name, "es");
    Button(w.form("frmEquipEd"), "Save")->click();
    QCOMPARE(test_support::storedSlot<core::ItemRecord>(w.dir->datFile("Item.dat"), 2).ItemName,
             Fill("Fen Marshes", core::ItemNameWidth));
  }
};

REGISTER_TEST(TextBytesTest);
#include "test_text_bytes.moc"
