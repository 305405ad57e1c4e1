// The history of a catalogue's own writes: what the windows' tests cannot reach.
#include "core_fixture.h"

#include "core/catalogue.h"
#include "support/disk_limit.h"

using namespace test_support;
using core::Catalogue;
using core::ItemRecord;
using core::RecordFile;

class CatalogueHistoryTest : public QObject {
  Q_OBJECT

 private slots:
  // The file holds an entry past its count (an addition cut short) and slack bytes: the append
  // goes over that slot, and its undo gives the old slot back, not zeros.
  void undoneAppendGivesBackTheSlotItReused() {
    auto dir = makeDataDir();
    const auto file = dir->datFile("Item.dat");
    auto bytes = catalogueBytes(namedEntries<ItemRecord>(3, "Blade"), patternBytes(60, 3), 0xA5);
    bytes[0] = 2;  // entry 3 is past the count
    writeBytes(file, bytes);
    Catalogue<ItemRecord> items("Item.dat", {});
    items.NameSteps("Item");
    QVERIFY(items.Open(dir->dat()).ok());
    long count = 2;
    ItemRecord working = storedSlot<ItemRecord>(file, 2);
    QVERIFY(items.Append(working, count).ok());
    QCOMPARE(items.History().UndoLabel(), std::string("New Item 3"));
    const auto appended = readBytes(file);
    QVERIFY(appended != bytes);

    {
      NearlyFullDisk full(0);
      const core::Status failed = items.UndoWrite();
      QVERIFY(!failed.ok());
    }
    QVERIFY(readBytes(file) == appended);  // as the failure found it
    QVERIFY(items.History().CanUndo());

    QVERIFY(items.UndoWrite().ok());
    QVERIFY(readBytes(file) == bytes);
    QVERIFY(items.RedoWrite().ok());
    QVERIFY(readBytes(file) == appended);
    // Nothing more to redo is no failure and writes nothing.
    QVERIFY(items.RedoWrite().ok());
    QVERIFY(readBytes(file) == appended);

    // An append past the end: its undo cuts the file back.
    QVERIFY(items.Append(working, count).ok());
    QCOMPARE(readBytes(file).size(), appended.size() + ItemRecord::SlotLength);
    QVERIFY(items.UndoWrite().ok());
    QVERIFY(readBytes(file) == appended);
  }

  // The oldest steps go once the history holds too much; the newest always stays.
  void historyKeepsItsBudget() {
    core::CatalogueHistory history;
    const std::size_t big = core::CatalogueHistory::MaxBytes / 3;
    for (int i = 1; i <= 4; ++i) {
      core::CatalogueWrite step;
      step.label = "Remove Spell Progression Entry " + std::to_string(i);
      step.changes.push_back({1, std::vector<std::uint8_t>(big), {}});
      history.Record(std::move(step));
    }
    QCOMPARE(history.StepCount(), std::size_t{2});
    QCOMPARE(history.UndoLabel(), std::string("Remove Spell Progression Entry 4"));
    QVERIFY(history.MemoryBytes() <= core::CatalogueHistory::MaxBytes);
  }
};

REGISTER_TEST(CatalogueHistoryTest);
#include "test_catalogue_history.moc"
