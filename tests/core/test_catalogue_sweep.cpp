#include "core/catalogue_records.h"
#include "core/catalogue_sweep.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QTest>

using namespace test_support;

class CatalogueSweepTest : public QObject {
  Q_OBJECT

 private slots:
  // Every entry asked for, in order; entries past the end of a short file read as zeros.
  void everyEntryComesInOrder_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("asked");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("three") << 3 << 3;
    QTest::newRow("more than the file holds") << 2 << 4;
  }
  void everyEntryComesInOrder() {
    QFETCH(int, entries);
    QFETCH(int, asked);
    TestDataDir dir;
    writeCatalogue(dir.datFile("Mon.dat"), namedEntries<core::CreatureRecord>(entries, "Orc"));
    core::Catalogue<core::CreatureRecord> catalogue("Mon.dat", {});
    QVERIFY(catalogue.Open(dir.dat()).ok());
    auto entrySlots = core::ReadEntrySlots(catalogue, asked);
    QVERIFY(entrySlots.ok());
    QCOMPARE(entrySlots->size(),
             static_cast<std::size_t>(asked) * core::CreatureRecord::SlotLength);
    for (long entry = 1; entry <= asked; ++entry) {
      const auto creature = core::EntryFromSlots<core::CreatureRecord>(*entrySlots, entry);
      const bool inFile = entry <= entries;
      QCOMPARE(creature.CreatureNo, std::int16_t(inFile ? entry : 0));
      QCOMPARE(creature.CreatureName,
               inFile ? padded("Orc " + std::to_string(entry)) : std::string(20, '\0'));
    }
  }
};

REGISTER_TEST(CatalogueSweepTest);
#include "test_catalogue_sweep.moc"
