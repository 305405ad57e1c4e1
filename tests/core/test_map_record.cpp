#include "core/map_record.h"
#include "core/vocabularies.h"
#include "record_bytes.h"
#include "support/test_registry.h"

#include <QTest>

#include <random>
#include <string>
#include <vector>

using namespace core;
using record_bytes::integerAt;
using record_bytes::packed;

namespace {

// A map read from bytes that are zero except where the test puts Integers.
MapRecord mapWithIntegers(std::initializer_list<std::pair<std::size_t, std::int16_t>> values) {
  std::vector<std::uint8_t> bytes(MapRecord::PackedSize, 0);
  for (const auto& [offset, value] : values) {
    PutIntegerAt(bytes, offset, value);
  }
  return MapRecord::unpack(bytes);
}

void putSpecial(MapRecord& map, int index, std::int16_t kind, std::int16_t x, std::int16_t y) {
  map.SetSpecial(index, SpecialField::Kind, kind);
  map.SetSpecial(index, SpecialField::SquareX, x);
  map.SetSpecial(index, SpecialField::SquareY, y);
}

}  // namespace

class MapRecordTest : public QObject {
  Q_OBJECT

 private slots:
  void wallCodesOfSquareWord_data() {
    QTest::addColumn<int>("word");
    QTest::addColumn<QList<int>>("codes");  // North, East, South, West
    QTest::newRow("0x0F0F all Wall5") << 0x0F0F << QList<int>{5, 5, 5, 5};
    QTest::newRow("0x0020 East Wall2") << 0x0020 << QList<int>{0, 2, 0, 0};
    QTest::newRow("0x0FFF all Door2") << 0x0FFF << QList<int>{7, 7, 7, 7};
    QTest::newRow("0x0110 North Door1") << 0x0110 << QList<int>{6, 0, 0, 0};
    QTest::newRow("0x0800 West Wall4") << 0x0800 << QList<int>{0, 0, 0, 4};
    QTest::newRow("0x0044 South Wall3") << 0x0044 << QList<int>{0, 0, 3, 0};
    QTest::newRow("bits 12..15 carry no wall") << 0xF000 << QList<int>{0, 0, 0, 0};
  }
  void wallCodesOfSquareWord() {
    QFETCH(int, word);
    QFETCH(QList<int>, codes);
    for (int side = North; side <= West; ++side) {
      QCOMPARE(WallCodeOf(static_cast<std::int16_t>(word), side), codes[side]);
    }
  }

  void wallNamesOfEdgeWords() {
    QCOMPARE(std::string(TextOfCode(WallNames, WallCodeOf(0x0F0F, South))), "Wall5");
    QCOMPARE(std::string(TextOfCode(WallNames, WallCodeOf(0x0020, East))), "Wall2");
    QCOMPARE(std::string(TextOfCode(WallNames, WallCodeOf(0x0020, North))), "Nothing");
  }

  void settingOneSideKeepsTheOthers() {
    // All three other sides set, plus the unused high bits.
    const auto word = static_cast<std::int16_t>(0xF000 | 0x0DDD);  // East clear
    const std::int16_t withDoor = WithWallCode(word, East, 7);
    QCOMPARE(static_cast<std::uint16_t>(withDoor), std::uint16_t{0xFFFF});
    QCOMPARE(static_cast<std::uint16_t>(WithWallCode(withDoor, East, 0)),
             static_cast<std::uint16_t>(word));
    for (int code = 0; code <= 7; ++code) {
      QCOMPARE(WallCodeOf(WithWallCode(word, East, code), East), code);
      QCOMPARE(WallCodeOf(WithWallCode(word, East, code), West), WallCodeOf(word, West));
    }
  }

  void nextWallCodeCarriesIntoTheHighBit() {
    MapRecord map;
    map.SetSquare(4, 9, 0x0022);  // East code 3
    map.NextWallCode(4, 9, East);
    QCOMPARE(map.Square(4, 9), std::int16_t{0x0200});
    QCOMPARE(map.WallCode(4, 9, East), 4);
  }

  void eightClicksReturnToNothing() {
    MapRecord map;
    const auto start = static_cast<std::int16_t>(0xA000 | 0x0D0D);  // N, S, W set; East Nothing
    map.SetSquare(32, 32, start);
    std::vector<int> seen;
    for (int click = 0; click < 8; ++click) {
      map.NextWallCode(32, 32, East);
      seen.push_back(map.WallCode(32, 32, East));
      QCOMPARE(map.WallCode(32, 32, North), WallCodeOf(start, North));
      QCOMPARE(map.WallCode(32, 32, South), WallCodeOf(start, South));
      QCOMPARE(map.WallCode(32, 32, West), WallCodeOf(start, West));
      QCOMPARE(static_cast<std::uint16_t>(map.Square(32, 32)) & 0xF000u, 0xA000u);
    }
    QCOMPARE(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0}));
    QCOMPARE(map.Square(32, 32), start);
  }

  void neighbourSideIsNotKeptInStep() {
    MapRecord map;
    map.SetWallCode(3, 3, East, 1);
    QCOMPARE(map.WallCode(4, 3, West), 0);
  }

  void copySquareTakesTheWholeWord() {
    MapRecord map;
    map.SetSquare(1, 2, static_cast<std::int16_t>(0xB123));
    putSpecial(map, 0, 4, 1, 2);
    map.CopySquare(1, 2, 30, 31);
    QCOMPARE(static_cast<std::uint16_t>(map.Square(30, 31)), std::uint16_t{0xB123});
    QCOMPARE(map.SpecialsOnSquare(30, 31), std::vector<int>{});
    QCOMPARE(map.SpecialsOnSquare(1, 2), std::vector<int>{0});
  }

  void squareRowsFollowOneAnother() {
    // Column x, row y at 122 + 2 * (33y + x): the last square ends where the specials begin.
    MapRecord map;
    map.SetSquare(5, 0, 0x0101);
    map.SetSquare(0, 1, 0x0202);
    map.SetSquare(32, 32, 0x0404);
    const auto bytes = packed(map);
    QCOMPARE(integerAt(bytes, 122 + 10), std::int16_t{0x0101});
    QCOMPARE(integerAt(bytes, 122 + 66), std::int16_t{0x0202});
    QCOMPARE(integerAt(bytes, 2298), std::int16_t{0x0404});
  }

  void propertiesAtTheirOffsets() {
    MapRecord map;
    map.MapNo = 3;
    map.HitRefresh = -2;
    map.ManaRefresh = 300;
    map.EncounterChance = 15;
    map.EncounterLevel = 4;
    map.GraphicSet = 2;
    const auto bytes = packed(map);
    QCOMPARE(integerAt(bytes, 0), std::int16_t{3});
    QCOMPARE(bytes[2], std::uint8_t{0xFE});
    QCOMPARE(bytes[3], std::uint8_t{0xFF});
    QCOMPARE(bytes[4], std::uint8_t{0x2C});  // 300 little-endian
    QCOMPARE(bytes[5], std::uint8_t{0x01});
    QCOMPARE(integerAt(bytes, 6), std::int16_t{15});
    QCOMPARE(integerAt(bytes, 8), std::int16_t{4});
    QCOMPARE(integerAt(bytes, 120), std::int16_t{2});
  }

  void encounterSlotsAreFieldMajor() {
    MapRecord map;
    map.SetEncounter(10, EncounterField::Creature, 12);
    map.SetEncounter(10, EncounterField::OthersChance, 40);
    map.SetEncounter(0, EncounterField::DiceCount, 2);
    map.SetEncounter(3, EncounterField::DiceBonus, -1);
    const auto bytes = packed(map);
    QCOMPARE(integerAt(bytes, 30), std::int16_t{12});
    QCOMPARE(integerAt(bytes, 118), std::int16_t{40});
    QCOMPARE(integerAt(bytes, 32), std::int16_t{2});
    QCOMPARE(integerAt(bytes, 76 + 6), std::int16_t{-1});

    const MapRecord read = mapWithIntegers({{30, 12}, {54 + 8, 6}});
    QCOMPARE(read.Encounter(10, EncounterField::Creature), std::int16_t{12});
    QCOMPARE(read.Encounter(4, EncounterField::DiceSides), std::int16_t{6});
  }

  void specialTableIsFieldMajor() {
    MapRecord map;
    putSpecial(map, 7, 4, 3, 5);
    map.SetSpecial(100, SpecialField::CondValue, -7);
    const auto bytes = packed(map);
    QCOMPARE(integerAt(bytes, 2314), std::int16_t{4});
    QCOMPARE(integerAt(bytes, 2718), std::int16_t{3});
    QCOMPARE(integerAt(bytes, 2920), std::int16_t{5});
    QCOMPARE(integerAt(bytes, 4520), std::int16_t{-7});  // the table's last Integer

    const MapRecord read = mapWithIntegers({{2314, 4}, {2718, 3}, {2920, 5}, {3108 + 14, 9}});
    const MapSpecial special = read.GetSpecial(7);
    QCOMPARE(special.Kind, std::int16_t{4});
    QCOMPARE(special.SquareX, std::int16_t{3});
    QCOMPARE(special.SquareY, std::int16_t{5});
    QCOMPARE(special.Param1, std::int16_t{9});
  }

  void putSpecialWritesEveryField() {
    MapRecord map;
    const MapSpecial special{8, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11};
    map.PutSpecial(50, special);
    QCOMPARE(map.GetSpecial(50), special);
    const auto bytes = packed(map);
    for (int field = 0; field < SpecialFieldCount; ++field) {
      const std::size_t offset = 2300 + 202 * static_cast<std::size_t>(field) + 100;
      QCOMPARE(integerAt(bytes, offset), map.Special(50, static_cast<SpecialField>(field)));
    }
  }

  void specialsOfASquareInIndexOrder() {
    MapRecord map;
    putSpecial(map, 9, 5, 3, 5);
    putSpecial(map, 2, 4, 3, 5);
    putSpecial(map, 4, 0, 3, 5);   // free entry keeping its old square
    putSpecial(map, 6, -1, 3, 5);  // neither in use nor free
    putSpecial(map, 7, 1, 5, 3);   // the mirrored square
    QCOMPARE(map.SpecialsOnSquare(3, 5), (std::vector<int>{2, 9}));
    QCOMPARE(map.SpecialsInUse(), 3);
    QCOMPARE(map.FirstFreeSpecial(), 0);
  }

  void firstFreeSkipsNegativeKinds() {
    MapRecord map;
    for (int i = 0; i < SpecialCount; ++i) {
      map.SetSpecial(i, SpecialField::Kind, 1);
    }
    QCOMPARE(map.FirstFreeSpecial(), -1);
    map.SetSpecial(40, SpecialField::Kind, -3);
    QCOMPARE(map.FirstFreeSpecial(), -1);
    QCOMPARE(map.SpecialsInUse(), 100);
    map.SetSpecial(70, SpecialField::Kind, 0);
    QCOMPARE(map.FirstFreeSpecial(), 70);
  }

  void textsEndWhereTheLongTextsBegin() {
    MapRecord map;
    map.SetText(0, "Welcome");
    map.SetText(50, std::string(49, 'a') + "Z");
    map.SetLongText(0, "L");
    map.SetLongText(10, std::string(999, 'b') + "Q");
    const auto bytes = packed(map);
    QCOMPARE(bytes[4522], std::uint8_t{'W'});
    QCOMPARE(bytes[4529], std::uint8_t{' '});
    QCOMPARE(bytes[7071], std::uint8_t{'Z'});
    QCOMPARE(bytes[7072], std::uint8_t{'L'});
    QCOMPARE(bytes[7073], std::uint8_t{' '});
    QCOMPARE(bytes[18071], std::uint8_t{'Q'});
    QCOMPARE(bytes[18070], std::uint8_t{'b'});
  }

  void textsAreCutOrPaddedToTheirWidth() {
    MapRecord map;
    map.SetText(3, std::string(60, 'x'));
    QCOMPARE(map.Text(3), std::string(50, 'x'));
    map.SetText(3, "hi");
    QCOMPARE(map.Text(3), "hi" + std::string(48, ' '));
    map.SetLongText(1, std::string(1005, 'y'));
    QCOMPARE(map.LongText(1).size(), std::size_t{1000});
    map.SetLongText(1, "\\n");
    QCOMPARE(map.LongText(1), "\\n" + std::string(998, ' '));
  }

  void blankMapIsZerosThenSpaces() {
    MapRecord map = MapRecord::unpack(record_bytes::everyByte(MapRecord::PackedSize));
    map.Blank();
    const auto bytes = packed(map);
    for (std::size_t i = 0; i < MapRecord::PackedSize; ++i) {
      const std::uint8_t expected = i < 4522 ? 0 : 0x20;
      if (bytes[i] != expected) {
        QFAIL(qPrintable(QString("byte %1 is %2").arg(i).arg(bytes[i])));
      }
    }
    QCOMPARE(map, MapRecord());
  }

  void garbageRoundTripsByteForByte() {
    std::mt19937 random(20240611);
    for (int run = 0; run < 20; ++run) {
      const auto bytes = record_bytes::garbage(MapRecord::PackedSize, random);
      QCOMPARE(packed(MapRecord::unpack(bytes)), bytes);
    }
    const auto pattern = record_bytes::everyByte(MapRecord::PackedSize);
    QCOMPARE(packed(MapRecord::unpack(pattern)), pattern);
  }

  void textsKeepNulBytesAndFullWidth() {
    std::vector<std::uint8_t> bytes(MapRecord::PackedSize, 0);
    bytes[4522 + 50 * 5] = 'A';
    const MapRecord map = MapRecord::unpack(bytes);
    QCOMPARE(map.Text(5).size(), MapTextWidth);
    QCOMPARE(map.Text(5)[0], 'A');
    QCOMPARE(map.Text(5)[1], '\0');
    QCOMPARE(map.LongText(10), std::string(1000, '\0'));
  }
};

REGISTER_TEST(MapRecordTest);
#include "test_map_record.moc"
