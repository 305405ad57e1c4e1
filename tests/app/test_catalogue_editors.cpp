#include "app/editor_forms.h"
#include "maps/main_window_fixture.h"
#include "support/test_registry.h"

#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

// What the four catalogue editors share: paging by slot, saving where an entry was read, paging
// keys from a text box, and the counts a header can lie about.
namespace {

using main_window_test::MainWindow;
using namespace test_support;

struct Editor {
  const char* form;
  const char* menu;
  const char* file;
  const char* noun;
  const char* recordLine;  // the label that shows "Record 4 of 10"
  const char* first;
  const char* next;
  const char* previous;
  const char* save;
  const char* add;
  std::size_t slotLength;
  std::size_t nameOffset;  // the name's place in a slot
  std::size_t nameWidth;
  void (*write)(const std::filesystem::path& file, int entries);
};

template <class Record>
void writeEntries(const std::filesystem::path& file, int entries) {
  writeCatalogue(file, namedEntries<Record>(entries, "Entry"), patternBytes(Record::SlotLength, 9));
}

// clang-format off
const Editor Item{"frmEquipEd", "mnuItemEdit", "Item.dat", "item", "MainLabel",
    "Command7", "Command4", "Command1", "Command3", "Command2",
    core::ItemRecord::SlotLength, 2, core::ItemNameWidth, &writeEntries<core::ItemRecord>};
const Editor Creature{"frmCreatEd", "mnuMonEdit", "Mon.dat", "creature", "MainLabel",
    "Command7", "Command4", "Command1", "Command3", "Command2",
    core::CreatureRecord::SlotLength, 2, core::CreatureNameWidth,
    &writeEntries<core::CreatureRecord>};
const Editor Spell{"frmMagicEd", "mnuMagEdit", "Mag.dat", "spell", "MainLabel",
    "Command7", "Command4", "Command1", "Command3", "Command2",
    core::SpellRecord::SlotLength, 2, core::SpellNameWidth, &writeEntries<core::SpellRecord>};
const Editor Shop{"frmShopEd", "mnuShop", "Shop.dat", "shop", "Label1",
    "Command6", "Command5", "Command4", "Command1", "Command3",
    core::ShopRecord::SlotLength, 4, core::ShopNameWidth, &writeEntries<core::ShopRecord>};
// clang-format on
const Editor Editors[] = {Item, Creature, Spell, Shop};

// The game folder with `entries` entries in the editor's file, changed by `patch` before the
// editor program starts on it.
struct Session {
  MainWindow w{main_window_test::Unopened{}};
  const Editor& editor;
  std::filesystem::path file;

  template <class Patch>
  Session(const Editor& e, int entries, Patch patch) : editor(e), file(w.dir->datFile(e.file)) {
    e.write(file, entries);
    auto bytes = readBytes(file);
    patch(bytes);
    writeBytes(file, bytes);
    w.open();
    AddEditorForms(*w.registry, *w.defs, w.dialogs);
    w.refreshMenus();
    w.trigger(e.menu);
  }

  QString recordLine() const { return w.formText(editor.form, editor.recordLine); }
  ui::TextBox* nameBox() const { return w.formControl<ui::TextBox>(editor.form, "Text1"); }
  // The item editor shows a name with its padding blanks, the others without.
  QString shownName() const { return nameBox()->text().trimmed(); }
  void click(const char* button) const { w.clickIn(editor.form, button); }
  bool noticed(const std::string& words) const {
    const std::string notice = file.string() + ": " + words;
    const std::vector<QString> messages = w.messages();
    return std::any_of(messages.begin(), messages.end(), [&](const QString& message) {
      return message.split('\n').contains(QString::fromStdString(notice));
    });
  }
};

void putInteger(std::vector<std::uint8_t>& bytes, std::size_t at, int value) {
  bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

class CatalogueEditorsTest : public QObject {
  Q_OBJECT

 private slots:
  // Slot 4 holds an entry that says it is number 5, slot 7 one that says 3: paging goes slot by
  // slot, and a save writes slot 4 back, its number kept.
  void misnumberedEntriesAreSavedWhereTheyWereRead() {
    for (const Editor& editor : Editors) {
      Session s(editor, 10, [&](std::vector<std::uint8_t>& bytes) {
        putInteger(bytes, 4 * editor.slotLength, 5);
        putInteger(bytes, 7 * editor.slotLength, 3);
      });
      QVERIFY2(s.noticed("2 entries carry another number than their place, first: slot 4 says " +
                         std::string(editor.noun) + " 5"),
               editor.form);
      const auto before = readBytes(s.file);
      s.click(editor.first);
      for (int step = 0; step < 3; ++step) s.click(editor.next);
      QCOMPARE(s.recordLine(), QString("Record 4 of 10"));
      QCOMPARE(s.shownName(), QString("Entry 4"));
      main_window_test::retype(s.nameBox(), "Moved");
      s.click(editor.save);

      auto expected = before;
      const std::string name = padded("Moved", editor.nameWidth);
      std::copy(name.begin(), name.end(),
                expected.begin() +
                    static_cast<std::ptrdiff_t>(4 * editor.slotLength + editor.nameOffset));
      QVERIFY2(readBytes(s.file) == expected, editor.form);
      if (s.w.formClosed(editor.form)) {  // the shop editor closes on "Save"
        main_window_test::settle();
        s.w.trigger(editor.menu);
      }
      QCOMPARE(s.recordLine(), QString("Record 4 of 10"));
      s.click(editor.next);
      QCOMPARE(s.recordLine(), QString("Record 5 of 10"));
      QCOMPARE(s.shownName(), QString("Entry 5"));
      QVERIFY2(s.w.dialogs.unanswered() == 0, editor.form);
    }
  }

  // The header counts 12 entries, the file holds 10: Ctrl+End and Ctrl+Home page to the ends
  // from the name box and from a box of several lines (which has its own use for them), and the
  // entries past the file show as empty entries of their own place.
  void pagingKeysReachEntriesPastTheFile() {
    for (const Editor& editor : Editors) {
      Session s(editor, 10, [](std::vector<std::uint8_t>& bytes) { putInteger(bytes, 0, 12); });
      QVERIFY2(s.noticed("the header counts 12 entries, but the file holds only 10; the missing "
                         "entries read as empty"),
               editor.form);
      const auto before = readBytes(s.file);
      for (int answer = 0; answer < 4; ++answer)
        s.w.dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
      QList<QWidget*> boxes{s.nameBox()};
      for (ui::TextArea* area : s.w.form(editor.form)->findChildren<ui::TextArea*>()) boxes << area;
      for (QWidget* box : boxes) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(s.recordLine(), QString("Record 1 of 12"));
        QCOMPARE(s.shownName(), QString("Entry 1"));
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(s.recordLine(), QString("Record 12 of 12"));
      }
      s.click(editor.previous);
      QCOMPARE(s.recordLine(), QString("Record 11 of 12"));
      s.click(editor.previous);
      QCOMPARE(s.recordLine(), QString("Record 10 of 12"));
      QCOMPARE(s.shownName(), QString("Entry 10"));
      QVERIFY2(readBytes(s.file) == before, editor.form);
    }
  }

  // A negative count is taken as the entries the file holds; "New" adds after them and writes a
  // sound count, every entry of the file kept.
  void negativeCountIsWhatTheFileHolds() {
    const struct {
      const Editor& editor;
      int count;
    } cases[] = {{Creature, -5}, {Shop, -1}};
    for (const auto& [editor, count] : cases) {
      Session s(editor, 12, [&](std::vector<std::uint8_t>& bytes) { putInteger(bytes, 0, count); });
      QVERIFY2(s.noticed("the header counts " + std::to_string(count) +
                         " entries; taken as 12, the entries the file holds"),
               editor.form);
      const auto before = readBytes(s.file);
      s.click(editor.add);
      QCOMPARE(s.recordLine(), QString("Record 13 of 13"));
      const auto after = readBytes(s.file);
      QCOMPARE(after.size(), 14 * editor.slotLength);
      auto expected = before;
      putInteger(expected, 0, 13);
      QVERIFY2(std::equal(expected.begin(), expected.end(), after.begin()), editor.form);
      QCOMPARE(static_cast<int>(after[13 * editor.slotLength]), 13);
    }
  }
};

REGISTER_TEST(CatalogueEditorsTest);
#include "test_catalogue_editors.moc"
