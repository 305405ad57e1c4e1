// Bytes nobody edited stay as they are: every text field of every window, filled from a file
// written by another tool, is paged through and saved without typing, and the files do not
// change by a byte. What is typed is stored as a typed field is.
#include "app/editor_forms.h"
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

// Stored forms of a text: form k is in entry k + 1 (and map text k + 1) of the test files.
struct ByteForm {
  const char* name;
  std::string text;
  char pad = ' ';
};
const ByteForm Forms[] = {
    {"CR LF", "Fen\r\nMarsh"},
    {"lone CR", "Fen\rMarsh \r"},
    {"lone LF", "\nFen\nMarsh"},
    {"no-break space", "Old\xA0Oak\xA0"},
    {"bytes 0x80-0xFF", "\x80\x81\x8D\x8F\x90\x9D\xA9\xE9\xFF"},
    {"zero padding", "Zap", '\0'},
    {"bytes after a zero", std::string("Zap\0old", 7)},
    {"full width", std::string(core::DescriptionWidth, 'W')},
    {"all zeros", "", '\0'},
};
constexpr int FormCount = static_cast<int>(std::size(Forms));

std::string Form(int k, std::size_t width) {
  return Fill(Forms[k].text, width, Forms[k].pad);
}

template <class Record>
std::vector<Record> HostileEntries(void (*fill)(Record&, int form)) {
  std::vector<Record> entries(FormCount);
  for (int k = 0; k < FormCount; ++k) fill(entries[static_cast<std::size_t>(k)], k);
  return entries;
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
  explicit HostileWindows(void (*write)(const test_support::TestDataDir&) = WriteHostileFiles)
      : MainWindow(main_window_test::Unopened{}) {
    write(*dir);
    open();
    AddEditorForms(*registry, *defs, dialogs);
    refreshMenus();
  }
  // Opens an entry window from its list's row `row` and stores it with OK.
  void storeUntouched(const QString& list, const QString& entry, int row) {
    clickIn(list, "Label2_" + QString::number(row));
    QVERIFY2(formControl(entry, "Text1")->isEnabled(), qPrintable(entry));
    formControl<ui::Button>(entry, "Command1")->click();
    settle();
  }
};

// Types `keys` at the end of a box's text, as a designer does ('\n' is Enter).
void TypeAtEnd(QWidget* box, const QString& keys) {
  box->setFocus();
  // Ctrl+End pages a catalogue editor to its last entry, even from a box of several lines, so
  // the cursor goes to the end of such a box as a click there would put it.
  if (auto* area = qobject_cast<ui::TextArea*>(box))
    area->moveCursor(QTextCursor::End);
  else
    QTest::keyClick(box, Qt::Key_End);
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
  void untouchedCatalogueEntriesKeepTheirBytes() {
    for (const auto& [menu, form, file] : {std::tuple{"mnuItemEdit", "frmEquipEd", "Item.dat"},
                                           {"mnuMonEdit", "frmCreatEd", "Mon.dat"},
                                           {"mnuMagEdit", "frmMagicEd", "Mag.dat"},
                                           {"mnuShop", "frmShopEd", "Shop.dat"}}) {
      HostileWindows w;
      const auto path = w.dir->datFile(file);
      const auto before = test_support::readBytes(path);
      for (int k = 0; k < FormCount; ++k) {
        if (w.formClosed(form)) w.trigger(menu);  // the shop editor closes on Save
        if (k == 0) Button(w.form(form), "<<")->click();
        const QString record = QString("Record %1 of %2").arg(k + 1).arg(FormCount);
        QVERIFY2(RecordLine(w.form(form)) == record, qPrintable(form + (": " + record)));
        Button(w.form(form), "Save")->click();
        QVERIFY2(test_support::readBytes(path) == before, qPrintable(form + (": " + record)));
        if (w.formClosed(form)) w.trigger(menu);
        Button(w.form(form), ">")->click();
      }
      QVERIFY(w.form(form)->close());
      QVERIFY2(!AskedToSave(w.dialogs), form);
      QCOMPARE(test_support::toHex(test_support::readBytes(path)), test_support::toHex(before));
    }
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
      QVERIFY2(test_support::packedBytes(w.defs->Document().Map()) == before, Forms[k].name);
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
    HostileWindows w([](const test_support::TestDataDir& dir) {
      test_support::writeBytes(dir.datFile("Mag.dat"), {});
    });
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
             Fill("Old\xA0Oak\xA0\r\nx", core::DescriptionWidth));

    // Long texts 1..4: CR LF, lone CR, lone LF, none.
    const char* typedBreak[] = {"\r\n", "\r", "\n", "\n"};
    w.trigger("mnuMapLTxt");
    for (int k = 0; k < 4; ++k) {
      w.clickIn("frmLTextEd", "Label2_" + QString::number(k + 1));
      TypeAtEnd(w.formControl<ui::TextArea>("frmLTextEnter", "Text1"), "\ny");
      w.formControl<ui::Button>("frmLTextEnter", "Command1")->click();
      settle();
      const std::string expected = Forms[k].text + typedBreak[k] + "y";
      QCOMPARE(w.defs->Document().Map().LongText(k + 1), Fill(expected, core::MapLongTextWidth));
    }
  }

  // A name that fills its box with blanks shows without them and takes typing right after its
  // text (a short map text does the same, checked with the map's windows).
  void paddedNameTakesTypingAfterItsText() {
    HostileWindows w;
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
