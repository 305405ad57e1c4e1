#include "core/catalogue_records.h"
#include "core/definitions.h"
#include "maps/special_descriptions.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QTest>

#include <cstdint>
#include <memory>
#include <string>

using core::EncounterField;
using core::MapRecord;
using core::SpecialField;
using test_support::padded;

using test_support::putSpecial;

namespace {

// A data folder whose Mon.dat holds three named creatures, and the state opened on it.
struct Bestiary {
  std::unique_ptr<test_support::TestDataDir> dir = test_support::makeDataDir();
  std::unique_ptr<core::ModDefinitions> defs;

  Bestiary() {
    std::vector<core::CreatureRecord> creatures(3);
    const char* names[3][2] = {{"Rat", "Rats"}, {"Goblin", "Goblins"}, {"Ogre Chief", "Ogres"}};
    for (int k = 0; k < 3; ++k) {
      creatures[static_cast<std::size_t>(k)].CreatureName = names[k][0];
      creatures[static_cast<std::size_t>(k)].PluralName = names[k][1];
    }
    test_support::writeCatalogue(dir->datFile("Mon.dat"), creatures);
    defs = std::make_unique<core::ModDefinitions>(dir->root());
    const core::Status opened = defs->OpenCreatureFile();
    if (!opened.ok()) qFatal("cannot open the test Mon.dat");
  }
};

void putEncounter(MapRecord& map, int slot, int creature, int count, int sides, int bonus,
                  int others) {
  map.SetEncounter(slot, EncounterField::Creature, static_cast<std::int16_t>(creature));
  map.SetEncounter(slot, EncounterField::DiceCount, static_cast<std::int16_t>(count));
  map.SetEncounter(slot, EncounterField::DiceSides, static_cast<std::int16_t>(sides));
  map.SetEncounter(slot, EncounterField::DiceBonus, static_cast<std::int16_t>(bonus));
  map.SetEncounter(slot, EncounterField::OthersChance, static_cast<std::int16_t>(others));
}

QByteArray bytes(const std::string& text) {
  return QByteArray::fromStdString(text);
}

}  // namespace

class SpecialDescriptionsTest : public QObject {
  Q_OBJECT

  Bestiary bestiary_;

 private slots:
  void facingPhrase_data() {
    QTest::addColumn<int>("mask");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("0: facing does not matter") << 0 << QByteArray();
    QTest::newRow("1") << 1 << QByteArray(" Facing North.");
    QTest::newRow("6") << 6 << QByteArray(" Facing East, South.");
    QTest::newRow("16: low bits clear") << 16 << QByteArray(" Facing .");
    // A side whose middle bit is also set fails its test; the others still pass.
    QTest::newRow("0x21") << 0x21 << QByteArray(" Facing North.");
    QTest::newRow("0x11") << 0x11 << QByteArray(" Facing .");
  }
  void facingPhrase() {
    QFETCH(int, mask);
    QFETCH(QByteArray, expected);
    MapRecord map;
    putSpecial(map, 42, 3, 1, 1, 7, mask);
    QCOMPARE(bytes(maps::FacingText(map, 42)), expected);
  }

  void descriptionOfEveryKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("p1");
    QTest::addColumn<int>("p2");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("exit to map") << 1 << 4 << 10 << QByteArray("Exit to Map");
    QTest::newRow("temple") << 2 << 2 << 1 << QByteArray("Exit to Temple");
    QTest::newRow("building 7") << 2 << 7 << 0 << QByteArray("Exit to ");
    QTest::newRow("draw, facing") << 3 << 5 << 5 << QByteArray("Draw 5  Facing North, South.");
    QTest::newRow("text") << 4 << 50 << 8 << QByteArray("Text 50  Facing West.");
    QTest::newRow("encounter 1: singular")
        << 5 << 2 << 1 << bytes("Encounter 1 " + padded("Goblin"));
    QTest::newRow("encounter 2: plural")
        << 5 << 2 << 2 << bytes("Encounter 2 " + padded("Goblins"));
    QTest::newRow("encounter 0: singular") << 5 << 1 << 0 << bytes("Encounter 0 " + padded("Rat"));
    QTest::newRow("encounter, no creature")
        << 5 << 0 << 3 << QByteArray("Encounter 3 (no creature)");
    QTest::newRow("set flag on win combat")
        << 6 << 12 << 1 << QByteArray("Set Flag 12 on win combat");
    QTest::newRow("set flag never") << 6 << 12 << 0 << QByteArray("Set Flag 12");
    QTest::newRow("long text") << 7 << 10 << 15
                               << QByteArray("Long Text 10  Facing North, East, South, West.");
    QTest::newRow("reward item") << 8 << 2 << 1 << QByteArray("Reward Item");
    QTest::newRow("reward 3") << 8 << 3 << 1 << QByteArray("Reward ");
    QTest::newRow("kind 32767") << 32767 << 0 << 0 << QByteArray("Unknown special 32767");
  }
  void descriptionOfEveryKind() {
    QFETCH(int, kind);
    QFETCH(int, p1);
    QFETCH(int, p2);
    QFETCH(QByteArray, expected);
    MapRecord map;
    putSpecial(map, 100, kind, 32, 32, p1, p2);
    QCOMPARE(bytes(maps::DescribeSpecial(*bestiary_.defs, map, 100)), expected);
  }

  void panelListsThreeSpecialsFromTheOffset() {
    MapRecord map;
    // Five specials on (5, 7), among others elsewhere and entries that do not count.
    putSpecial(map, 2, 6, 5, 7, 1);
    putSpecial(map, 3, 1, 6, 7);
    putSpecial(map, 8, 6, 5, 7, 2);
    putSpecial(map, 9, 0, 5, 7, 99);  // free: neither listed nor counted
    putSpecial(map, 10, -3, 5, 7);    // negative: neither listed nor counted
    putSpecial(map, 20, 6, 5, 7, 3);
    putSpecial(map, 21, 4, 7, 5);
    putSpecial(map, 40, 6, 5, 7, 4, 1);
    putSpecial(map, 100, 6, 5, 7, 5);

    const maps::SpecialsPanel panel = maps::BuildSpecialsPanel(*bestiary_.defs, map, 5, 7, 2);
    QCOMPARE(bytes(panel.lines[0]), QByteArray("Set Flag 3"));
    QCOMPARE(bytes(panel.lines[1]), QByteArray("Set Flag 4 on win combat"));
    QCOMPARE(bytes(panel.lines[2]), QByteArray("Set Flag 5"));
    QCOMPARE(bytes(panel.lines[3]), QByteArray());
    QCOMPARE(panel.total, 7);
    QCOMPARE(panel.onSquare, 5);

    // Scrolled past the last special: empty lines, same counts.
    const maps::SpecialsPanel past = maps::BuildSpecialsPanel(*bestiary_.defs, map, 5, 7, 4);
    QCOMPARE(bytes(past.lines[0]), QByteArray("Set Flag 5"));
    QCOMPARE(bytes(past.lines[1]), QByteArray());

    // Another square lists its own specials only.
    const maps::SpecialsPanel other = maps::BuildSpecialsPanel(*bestiary_.defs, map, 7, 5, 0);
    QCOMPARE(bytes(other.lines[0]), QByteArray("Text 0 "));
    QCOMPARE(other.onSquare, 1);
  }

  void encounterSlotLabels() {
    MapRecord map;
    putEncounter(map, 0, 2, 2, 6, 1, 25);
    putEncounter(map, 3, 0, 4, 4, 4, 4);  // creature 0: the numbers are not shown
    putEncounter(map, 4, -1, 1, 1, 1, 1);
    putEncounter(map, 10, 3, 1, 4, -1, 0);
    const auto& defs = *bestiary_.defs;

    const maps::EncounterLabels goblins = maps::DescribeEncounter(defs, map, 0);
    QCOMPARE(bytes(goblins.creature), bytes(padded("Goblin")));
    QCOMPARE(bytes(goblins.number), QByteArray("2D6+1"));
    QCOMPARE(bytes(goblins.others), QByteArray("25%"));

    for (int slot : {1, 3, 4}) {
      const maps::EncounterLabels none = maps::DescribeEncounter(defs, map, slot);
      QCOMPARE(bytes(none.creature), QByteArray("Nothing"));
      QCOMPARE(bytes(none.number), QByteArray());
      QCOMPARE(bytes(none.others), QByteArray());
    }

    const maps::EncounterLabels ogre = maps::DescribeEncounter(defs, map, 10);
    QCOMPARE(bytes(ogre.creature), bytes(padded("Ogre Chief")));
    QCOMPARE(bytes(ogre.number), QByteArray("1D4+-1"));
    QCOMPARE(bytes(ogre.others), QByteArray("0%"));
  }

  void panelLineOpensListedSpecialOrLowestFreeEntry() {
    MapRecord map;
    for (int i : {0, 1, 2}) putSpecial(map, i, 1, 8, 8);  // elsewhere
    putSpecial(map, 3, -1, 3, 3);  // negative kind on the square: not listed, not free
    putSpecial(map, 4, 2, 3, 3);
    putSpecial(map, 5, 0, 3, 3);  // the lowest free entry, remembering the square
    for (int i = 6; i <= 100; ++i) putSpecial(map, i, 6, 9, 9);
    putSpecial(map, 9, 3, 3, 3);
    putSpecial(map, 30, 4, 3, 3);

    QCOMPARE(maps::SpecialAtPanelLine(map, 3, 3, 0, 1), 9);
    QCOMPARE(maps::SpecialAtPanelLine(map, 3, 3, 1, 1), 30);
    QCOMPARE(maps::SpecialAtPanelLine(map, 3, 3, 2, 1), 5);
    QCOMPARE(maps::SpecialAtPanelLine(map, 3, 3, 0, 0), 4);
    QCOMPARE(maps::SpecialAtPanelLine(map, 3, 3, 3, 0), 5);

    // A full table: listed lines still open, an empty line opens nothing.
    putSpecial(map, 3, 7, 0, 0);
    putSpecial(map, 5, 8, 0, 0);
    QCOMPARE(map.SpecialsInUse(), 101);
    QCOMPARE(maps::SpecialAtPanelLine(map, 3, 3, 1, 1), 30);
    QCOMPARE(maps::SpecialAtPanelLine(map, 3, 3, 3, 0), -1);
    QCOMPARE(maps::SpecialAtPanelLine(map, 20, 20, 0, 0), -1);
  }
};

REGISTER_TEST(SpecialDescriptionsTest);
#include "test_special_descriptions.moc"
