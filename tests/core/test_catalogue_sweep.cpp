#include "core/catalogue_records.h"
#include "core/catalogue_sweep.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QTest>

using namespace test_support;

class CatalogueSweepTest : public QObject {
  Q_OBJECT

 private slots:
  // Every entry once, in order, across the blocks the pass reads; entries past the end of a
  // short file read as zeros.
  void everyEntryIsVisitedInOrder_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("asked");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("three") << 3 << 3;
    QTest::newRow("beyond one block") << 5200 << 5200;
    QTest::newRow("more than the file holds") << 2 << 4;
  }
  void everyEntryIsVisitedInOrder() {
    QFETCH(int, entries);
    QFETCH(int, asked);
    TestDataDir dir;
    writeCatalogue(dir.datFile("Mon.dat"), namedEntries<core::CreatureRecord>(entries, "Orc"));
    core::Catalogue<core::CreatureRecord> catalogue("Mon.dat", {});
    QVERIFY(catalogue.Open(dir.dat()).ok());
    long expected = 1;
    bool inOrder = true;
    QVERIFY(
        core::SweepEntries(catalogue, asked, [&](long entry, const core::CreatureRecord& creature) {
          const std::string name =
              entry <= entries ? padded("Orc " + std::to_string(entry)) : std::string(20, '\0');
          inOrder = inOrder && entry == expected && creature.CreatureName == name &&
                    creature.CreatureNo == (entry <= entries ? entry : 0);
          ++expected;
        }).ok());
    QVERIFY(inOrder);
    QCOMPARE(expected - 1, long{asked});
  }
};

REGISTER_TEST(CatalogueSweepTest);
#include "test_catalogue_sweep.moc"
