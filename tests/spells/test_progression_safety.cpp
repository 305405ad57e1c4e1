// The progression window against a second editor, a replaced file, a full disk and a crash.
#include "spell_windows_fixture.h"
#include "spells/frm_magic_prog.h"
#include "support/disk_limit.h"
#include "support/test_registry.h"
#include "ui/list_view.h"

#include <QTest>

using namespace spell_test;

namespace {

constexpr int Fighter = 0, Cleric = 2, Mage = 3;

// A second editor on the same game folder, with its own state, dialogs and windows.
struct OtherEditor {
  core::ModDefinitions defs;
  ui::ScriptedDialogs dialogs;
  ui::FormsRegistry registry;
  explicit OtherEditor(const std::filesystem::path& root) : defs(root) {
    QVERIFY(defs.OpenSpellFiles().ok());
    spells::AddForms(registry, defs, dialogs);
  }
};

spells::frmMagicProg* showProg(ui::FormsRegistry& registry) {
  return registry.show<spells::frmMagicProg>("frmMagicProg");
}

// Chooses what "Add Spell" adds; the choice of class lists the file afresh.
void choose(QWidget* window, int progClass, int level, int spell) {
  combo(window, "Combo1")->setPosition(progClass + 1);
  combo(window, "Combo3")->setPosition(level - 1);
  combo(window, "Combo2")->setPosition(spell - 1);
  combo(window, "Combo4")->setPosition(0);
}
void addSpell(QWidget* window, int progClass, int level, int spell) {
  choose(window, progClass, level, spell);
  click(window, "Command1");
}

// Selects row `row` of every class (the list read afresh).
void selectRow(QWidget* window, int row) {
  combo(window, "Combo1")->setPosition(0);
  control<ui::ListView>(window, "ListView1")->setSelected(row, true);
}

// The window shows what MagProg.dat holds: its header's count, and a row per entry.
void showsTheFile(QWidget* window, const SpellWindows& w) {
  const int count = w.progSlot(1)[0];
  QCOMPARE(textOf(window, "Label4"), " " + QString::number(count));
  combo(window, "Combo1")->setPosition(0);
  QCOMPARE(control<ui::ListView>(window, "ListView1")->rowCount(), count);
}

// The last message shown, or none.
QString lastMessage(const ui::ScriptedDialogs& dialogs) {
  const auto messages = dialogs.messages();
  return messages.empty() ? QString() : messages.back();
}

std::vector<int> entry(int number, int progClass, int level, int spell) {
  return {number, progClass, level, spell, 0};
}

}  // namespace

class ProgressionSafetyTest : public QObject {
  Q_OBJECT

 private slots:
  // Two editors add: the second is stopped, sees the first one's entry, and adds after it.
  void addsOfTwoEditorsKeepBoth() {
    SpellWindows a({sampleSpell("Spark"), sampleSpell("Frost")}, {prog(Fighter, 1), prog(Mage, 3)});
    OtherEditor b(a.dir->root());
    auto* windowA = showProg(*a.registry);
    auto* windowB = showProg(b.registry);
    choose(windowB, Mage, 5, 2);
    addSpell(windowA, Cleric, 2, 1);
    const auto afterA = test_support::readBytes(a.progFile());
    click(windowB, "Command1");
    QVERIFY(lastMessage(b.dialogs).contains("changed on disk"));
    QCOMPARE(test_support::readBytes(a.progFile()), afterA);
    showsTheFile(windowB, a);
    addSpell(windowB, Mage, 5, 2);
    QCOMPARE(a.progSlot(1)[0], 4);
    QCOMPARE(a.progSlot(4), entry(3, Cleric, 2, 1));
    QCOMPARE(a.progSlot(5), entry(4, Mage, 5, 2));
  }

  // A removal chosen on a list that no longer matches the file removes nothing.
  void removalAfterAnotherEditorsAddIsChosenAgain() {
    SpellWindows a({sampleSpell("Spark"), sampleSpell("Frost")}, {prog(Fighter, 1), prog(Mage, 3)});
    OtherEditor b(a.dir->root());
    auto* windowA = showProg(*a.registry);
    auto* windowB = showProg(b.registry);
    selectRow(windowB, 1);
    addSpell(windowA, Cleric, 2, 2);
    const auto afterA = test_support::readBytes(a.progFile());
    click(windowB, "Command2");
    QVERIFY(lastMessage(b.dialogs).contains("changed on disk"));
    QCOMPARE(test_support::readBytes(a.progFile()), afterA);
    showsTheFile(windowB, a);
    selectRow(windowB, 1);  // Fighter's entry, the first row
    click(windowB, "Command2");
    QCOMPARE(a.progSlot(1)[0], 2);
    QCOMPARE(a.progSlot(2), entry(1, Mage, 3, 1));
    QCOMPARE(a.progSlot(3), entry(2, Cleric, 2, 2));
    showsTheFile(windowB, a);
    // And A, who has not seen the removal, is stopped in turn.
    click(windowA, "Command1");
    QVERIFY(lastMessage(a.dialogs).contains("changed on disk"));
    QCOMPARE(a.progSlot(1)[0], 2);
  }

  // MagProg.dat renamed over while the window is open: its reads and writes go to the new file.
  void replacedFileIsFollowed() {
    SpellWindows w({sampleSpell("Spark"), sampleSpell("Frost")}, {prog(Fighter, 1), prog(Mage, 3)});
    auto* window = showProg(*w.registry);
    choose(window, Mage, 7, 2);  // on the old file's list
    const auto fresh = w.dir->datFile("MagProg.checkout");
    test_support::writeCatalogue(fresh,
                                 std::vector{prog(Cleric, 1), prog(Cleric, 2, 2), prog(Cleric, 3)});
    std::filesystem::rename(fresh, w.progFile());
    const auto replaced = test_support::readBytes(w.progFile());
    click(window, "Command1");
    QVERIFY(lastMessage(w.dialogs).contains("changed on disk"));
    QCOMPARE(test_support::readBytes(w.progFile()), replaced);
    showsTheFile(window, w);
    addSpell(window, Mage, 7, 2);
    QCOMPARE(w.progSlot(1)[0], 4);
    QCOMPARE(w.progSlot(3), entry(2, Cleric, 2, 2));
    QCOMPARE(w.progSlot(5), entry(4, Mage, 7, 2));
  }

  // Each command stopped after its n-th write, for every n: what a crash at that moment leaves
  // on disk is the file as before or as after; a failure leaves it as before, says so, and the
  // window shows the file; nothing is left beside it; the command then works.
  void commandsAreWholeAtEveryWrite_data() {
    QTest::addColumn<bool>("adding");
    QTest::newRow("add") << true;
    QTest::newRow("remove") << false;
  }
  void commandsAreWholeAtEveryWrite() {
    QFETCH(bool, adding);
    const std::vector<core::SpellProgRecord> six = {prog(Fighter, 1), prog(Fighter, 2),
                                                    prog(Mage, 3),    prog(Mage, 4, 2),
                                                    prog(Cleric, 5),  prog(Cleric, 6, 2)};
    std::vector<core::SpellProgRecord> changed = six;
    if (adding)
      changed.push_back(prog(Cleric, 9, 2));
    else
      changed.erase(changed.begin() + 2);  // Mage's level 3, the fifth row
    SpellWindows w({sampleSpell("Spark"), sampleSpell("Frost")}, six);
    const auto before = test_support::readBytes(w.progFile());
    auto after = test_support::catalogueBytes(changed);
    if (adding)
      std::copy_n(after.end() - 10, 10, after.begin());  // the header copies the entry
    else
      after.insert(after.end(), before.end() - 10, before.end());  // the last slot is kept
    for (int stopAt = 0;; ++stopAt) {
      test_support::writeBytes(w.progFile(), before);
      w.open();
      auto* window = showProg(*w.registry);
      const std::size_t told = w.dialogs.messages().size();
      int writes = 0;
      bool mixed = false;  // a crash at some write would have left neither file
      test_support::setWriteLimit([&](std::size_t wanted) -> std::size_t {
        const auto now = test_support::readBytes(w.progFile());
        mixed = mixed || (now != before && now != after);
        return writes++ < stopAt ? wanted : 0;
      });
      if (adding) {
        addSpell(window, Cleric, 9, 2);
      } else {
        selectRow(window, 5);
        click(window, "Command2");
      }
      test_support::setWriteLimit({});
      QVERIFY(!mixed);
      QCOMPARE(std::distance(std::filesystem::directory_iterator(w.dir->dat()), {}), 2);
      if (writes <= stopAt) {
        QCOMPARE(test_support::toHex(test_support::readBytes(w.progFile())),
                 test_support::toHex(after));
        showsTheFile(window, w);
        break;
      }
      QCOMPARE(test_support::readBytes(w.progFile()), before);
      QCOMPARE(w.dialogs.messages().size(), told + 1);
      showsTheFile(window, w);
    }
  }
};

REGISTER_TEST(ProgressionSafetyTest);
#include "test_progression_safety.moc"
