#include "core/map_history.h"
#include "core_fixture.h"

using namespace core;
using namespace test_support;

class MapRecordTest : public QObject {
  Q_OBJECT

 private slots:
  // The codes of North, East, South and West; bits 12..15 carry no wall.
  void wallCodesOfSquareWord() {
    const std::pair<int, std::array<int, 4>> rows[] = {
        {0x0F0F, {5, 5, 5, 5}}, {0x0020, {0, 2, 0, 0}}, {0x0FFF, {7, 7, 7, 7}},
        {0x0110, {6, 0, 0, 0}}, {0x0800, {0, 0, 0, 4}}, {0x0044, {0, 0, 3, 0}},
        {0xF000, {0, 0, 0, 0}}};
    for (const auto& [word, codes] : rows)
      for (int side = North; side <= West; ++side)
        QCOMPARE(WallCodeOf(static_cast<std::int16_t>(word), side), codes[side]);
  }

  // The wall brush cycles one side; the other sides and bits 12..15 must survive every step.
  void settingOneSideKeepsTheOthers() {
    const auto word = static_cast<std::int16_t>(0xF000 | 0x0DDD);  // East clear
    const std::int16_t withDoor = WithWallCode(word, East, 7);
    QCOMPARE(static_cast<std::uint16_t>(withDoor), std::uint16_t{0xFFFF});
    QCOMPARE(static_cast<std::uint16_t>(WithWallCode(withDoor, East, 0)),
             static_cast<std::uint16_t>(word));
    for (int code = 0; code <= 7; ++code) {
      QCOMPARE(WallCodeOf(WithWallCode(word, East, code), East), code);
      QCOMPARE(WallCodeOf(WithWallCode(word, East, code), West), WallCodeOf(word, West));
    }
    MapRecord map;
    map.SetSquare(32, 32, static_cast<std::int16_t>(0xA000 | 0x0D0D));
    map.SetWallCode(32, 32, East, 7);  // the high bits and the other sides stay
    QCOMPARE(static_cast<std::uint16_t>(map.Square(32, 32)), std::uint16_t{0xAF2F});
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
    // Only kind 0 is free.
    for (int i = 0; i < SpecialCount; ++i) map.SetSpecial(i, SpecialField::Kind, i == 40 ? -3 : 1);
    QCOMPARE(map.FirstFreeSpecial(), -1);
    QCOMPARE(map.SpecialsInUse(), 100);
    map.SetSpecial(70, SpecialField::Kind, 0);
    QCOMPARE(map.FirstFreeSpecial(), 70);
  }

  // Squares, encounters, specials and texts where the file has them; the single Integers are
  // checked with the catalogue records.
  void tablesAndTextsAtTheirOffsets() {
    MapRecord map;
    // Encounters are field-major: eleven creatures, eleven dice counts, ...
    map.SetEncounter(10, EncounterField::Creature, 12);
    map.SetEncounter(10, EncounterField::OthersChance, 40);
    map.SetEncounter(0, EncounterField::DiceCount, 2);
    map.SetEncounter(3, EncounterField::DiceBonus, -1);
    // Column x, row y at 122 + 2 * (33y + x): the last square ends where the specials begin.
    map.SetSquare(5, 0, 0x0101);
    map.SetSquare(0, 1, 0x0202);
    map.SetSquare(32, 32, 0x0404);
    // Field f of special i at 2300 + 202 f + 2 i, fields in the order of MapSpecial.
    const MapSpecial special{8, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11};
    map.PutSpecial(50, special);
    putSpecial(map, 7, 4, 3, 5);
    map.SetSpecial(100, SpecialField::CondValue, -7);
    QCOMPARE(map.GetSpecial(50), special);
    map.SetText(0, "Welcome");
    map.SetText(50, std::string(49, 'a') + "Z");
    map.SetLongText(0, "L");
    map.SetLongText(10, std::string(999, 'b') + "Q");
    const auto bytes = packedBytes(map);
    expectIntegers(bytes, {{30, 12}, {118, 40}, {32, 2}, {82, -1}});
    expectIntegers(bytes, {{132, 0x0101}, {188, 0x0202}, {2298, 0x0404}});
    expectIntegers(bytes, {{2400, 8}, {2602, 1}, {2804, 2}, {3006, 3}, {3208, 4}, {3410, 5}});
    expectIntegers(bytes, {{3612, 6}, {3814, 7}, {4016, 9}, {4218, 10}, {4420, 11}});
    // Special 7's kind and square, and the table's last Integer.
    expectIntegers(bytes, {{2314, 4}, {2718, 3}, {2920, 5}, {4520, -7}});
    QCOMPARE(textAt(bytes, 4522, 8), std::string("Welcome "));
    QCOMPARE(textAt(bytes, 7070, 4), std::string("aZL "));
    QCOMPARE(textAt(bytes, 18070, 2), std::string("bQ"));

    map.SetText(3, std::string(60, 'x'));
    QCOMPARE(map.Text(3), std::string(50, 'x'));
    map.SetLongText(1, "\\n");
    QCOMPARE(map.LongText(1), "\\n" + std::string(998, ' '));
    map.SetLongText(1, std::string(1005, 'y'));
    QCOMPARE(map.LongText(1), std::string(1000, 'y'));
    // Texts read keep their NUL bytes and full width.
    std::vector<std::uint8_t> zeros(MapRecord::PackedSize, 0);
    zeros[4522 + 50 * 5] = 'A';
    QCOMPARE(MapRecord::unpack(zeros).Text(5), "A" + std::string(49, '\0'));
  }

  void blankMapIsZerosThenSpaces() {
    MapRecord map = MapRecord::unpack(everyByte(MapRecord::PackedSize));
    map.Blank();
    const auto bytes = packedBytes(map);
    std::vector<std::uint8_t> expected(MapRecord::PackedSize, 0x20);
    std::fill_n(expected.begin(), 4522, 0);
    QCOMPARE(toHex(bytes), toHex(expected));
    QCOMPARE(map, MapRecord());
  }

  // Undo and redo through a document are checked with the document; here what only the history
  // keeps: a new step drops the steps that could be redone, and Clear forgets every step.
  void aNewStepDropsTheStepsToRedo() {
    MapHistory history;
    MapRecord map = sampleMap(1);
    const MapRecord start = map;
    MapRecord before = map;
    map.SetSquare(30, 32, 0x0101);
    QVERIFY(history.Record("Copy Square", before, map));
    const MapRecord afterFirst = map;
    before = map;
    map.SetText(19, "A whisper from the well");
    QVERIFY(history.Record("Map Text 20", before, map));
    QVERIFY(history.Undo(map));
    QCOMPARE(history.RedoLabel(), std::string("Map Text 20"));
    before = map;
    map.HitRefresh = 7;
    history.Record("Hit Refresh", before, map);
    QVERIFY(!history.CanRedo());
    QCOMPARE(history.StepCount(), std::size_t{2});
    QVERIFY(history.Undo(map) && map == afterFirst);
    QVERIFY(history.Undo(map) && map == start && !history.Undo(map));
    history.Clear();
    QVERIFY(!history.CanUndo() && !history.CanRedo());
  }
};

REGISTER_TEST(MapRecordTest);
#include "test_map_record.moc"
