#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core {

inline constexpr int MapSize = 33;  // squares per row and per column
inline constexpr int EncounterSlotCount = 11;
inline constexpr int EncounterFieldCount = 5;
inline constexpr int SpecialCount = 101;  // entries in a map's special table
inline constexpr int SpecialFieldCount = 11;
inline constexpr int MapTextCount = 51;
inline constexpr std::size_t MapTextWidth = 50;
inline constexpr int MapLongTextCount = 11;
inline constexpr std::size_t MapLongTextWidth = 1000;

// Sides of a square, in the order of the bits of a square word.
enum Side : int { North = 0, East = 1, South = 2, West = 3 };
inline constexpr int SideCount = 4;

enum class EncounterField : int { Creature = 0, DiceCount, DiceSides, DiceBonus, OthersChance };

enum class SpecialField : int {
  Kind = 0,
  Spare,
  SquareX,
  SquareY,
  Param1,
  Param2,
  Param3,
  Param4,
  CondFlag,
  CondTest,
  CondValue,
};

// One column of the special table, with its fields by name.
struct MapSpecial {
  std::int16_t Kind = 0;
  std::int16_t Spare = 0;
  std::int16_t SquareX = 0;
  std::int16_t SquareY = 0;
  std::int16_t Param1 = 0;
  std::int16_t Param2 = 0;
  std::int16_t Param3 = 0;
  std::int16_t Param4 = 0;
  std::int16_t CondFlag = 0;
  std::int16_t CondTest = 0;
  std::int16_t CondValue = 0;

  bool inUse() const { return Kind > 0; }
  friend bool operator==(const MapSpecial&, const MapSpecial&) = default;
};

// Wall code 0..7 of side d in a square word: bit d, bit d + 4 and bit d + 8.
int WallCodeOf(std::int16_t squareWord, int side);
// The square word with side d set to `code` (0..7); the other sides and bits 12..15 stay.
std::int16_t WithWallCode(std::int16_t squareWord, int side, int code);

// One map of Maps.dat: 33 x 33 squares, properties, 11 encounter slots, 101 specials, 51 texts
// and 11 long texts. The encounter and special tables are stored field-major on disk and are
// reached only through the accessors below. Indices outside their ranges are a programming
// error (checked by assertions).
class MapRecord {
 public:
  static constexpr std::size_t PackedSize = 18072;
  static constexpr std::size_t SlotLength = 31622;
  // Where the fields lie in the packed bytes, for passes over many maps that need only a few.
  struct Offsets {
    static constexpr std::size_t Encounters = 10;  // field-major, Creature first
    static constexpr std::size_t GraphicSet =
        Encounters + 2 * EncounterSlotCount * EncounterFieldCount;
    static constexpr std::size_t Squares = GraphicSet + 2;
    static constexpr std::size_t Specials = Squares + 2 * MapSize * MapSize;  // Kind first
    static constexpr std::size_t Texts = Specials + 2 * SpecialCount * SpecialFieldCount;
    static constexpr std::size_t LongTexts = Texts + MapTextCount * MapTextWidth;
  };
  static_assert(Offsets::LongTexts + MapLongTextCount * MapLongTextWidth == PackedSize);

  MapRecord();  // a blank map: all numbers 0, every text all blanks

  std::int16_t MapNo = 0;
  std::int16_t HitRefresh = 0;
  std::int16_t ManaRefresh = 0;
  std::int16_t EncounterChance = 0;
  std::int16_t EncounterLevel = 0;
  std::int16_t GraphicSet = 0;

  // Encounter slot s (0..10).
  std::int16_t Encounter(int slot, EncounterField field) const;
  void SetEncounter(int slot, EncounterField field, std::int16_t value);

  // Square word of column x, row y (0..32 each); inline, as a check of every edge asks for it.
  std::int16_t Square(int x, int y) const {
    assert(x >= 0 && x < MapSize && y >= 0 && y < MapSize);
    return squares_[static_cast<std::size_t>(y) * MapSize + static_cast<std::size_t>(x)];
  }
  void SetSquare(int x, int y, std::int16_t word);
  int WallCode(int x, int y, int side) const;
  void SetWallCode(int x, int y, int side, int code);
  // Copies the whole square word, bits 12..15 included; specials stay where they are.
  void CopySquare(int fromX, int fromY, int toX, int toY);

  // Special entry i (0..100).
  std::int16_t Special(int index, SpecialField field) const;
  void SetSpecial(int index, SpecialField field, std::int16_t value);
  MapSpecial GetSpecial(int index) const;
  void PutSpecial(int index, const MapSpecial& special);

  // The entries in use on a square, in ascending index.
  std::vector<int> SpecialsOnSquare(int x, int y) const;
  // Entries with Kind 1 or more on the whole map.
  int SpecialsInUse() const;
  // The lowest entry whose Kind is exactly 0, or -1 when there is none.
  int FirstFreeSpecial() const;

  // Texts t (0..50) and long texts t (0..10): always their full width, trailing blanks kept.
  const std::string& Text(int index) const;
  void SetText(int index, std::string_view bytes);  // cut or blank-padded to 50
  const std::string& LongText(int index) const;
  void SetLongText(int index, std::string_view bytes);  // cut or blank-padded to 1000

  // Every number to 0 and every text to blanks (the New command).
  void Blank();

  void pack(std::span<std::uint8_t> out) const;               // out.size() == PackedSize
  static MapRecord unpack(std::span<const std::uint8_t> in);  // in.size() == PackedSize
  // The same into a map read before, whose text buffers are used again.
  static void unpack(std::span<const std::uint8_t> in, MapRecord& into);

  friend bool operator==(const MapRecord&, const MapRecord&) = default;

 private:
  // The fields in file order: the one list that packing and unpacking share.
  template <class Packer, class Map>
  static void PackedFields(Packer& packer, Map& map);

  std::array<std::int16_t, EncounterSlotCount * EncounterFieldCount> encounters_{};
  std::array<std::int16_t, MapSize * MapSize> squares_{};
  std::array<std::int16_t, SpecialCount * SpecialFieldCount> specials_{};
  std::array<std::string, MapTextCount> texts_;
  std::array<std::string, MapLongTextCount> longTexts_;
};

}  // namespace core
