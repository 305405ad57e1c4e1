#include "core/catalogue_records.h"
#include "core/catalogue_sweep.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QTest>

using namespace test_support;

class CatalogueSweepTest : public QObject {
  Q_OBJECT

 private slots:
  // Every entry asked for, in any order and across the parts read at a time; entries past the
  // end of a short file read as zeros.
  void entriesComeFromTheirSlots_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("asked");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("more than the file holds") << 2 << 4;
    QTest::newRow("several parts") << 1000 << 1000;
  }
  void entriesComeFromTheirSlots() {
    QFETCH(int, entries);
    QFETCH(int, asked);
    TestDataDir dir;
    writeCatalogue(dir.datFile("Mon.dat"), namedEntries<core::CreatureRecord>(entries, "Orc"));
    core::Catalogue<core::CreatureRecord> catalogue("Mon.dat", {});
    QVERIFY(catalogue.Open(dir.dat()).ok());
    core::ChunkedEntries<core::CreatureRecord> chunked(catalogue, asked);
    QCOMPARE(chunked.count(), long{asked});
    QVERIFY(!chunked.entry(asked + 1).ok());
    for (long entry : {long{asked}, 1L, asked / 2L + 1, asked - 1L}) {
      if (entry < 1 || entry > asked) continue;
      const auto creature = chunked.entry(entry);
      QVERIFY(creature.ok());
      const bool inFile = entry <= entries;
      QCOMPARE(creature->CreatureNo, std::int16_t(inFile ? entry : 0));
      QCOMPARE(creature->CreatureName,
               inFile ? padded("Orc " + std::to_string(entry)) : std::string(20, '\0'));
    }
  }
};

REGISTER_TEST(CatalogueSweepTest);
#include "test_catalogue_sweep.moc"
