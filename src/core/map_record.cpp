#include "core/map_record.h"

#include "core/packing.h"
#include "core/text.h"

#include <cassert>

namespace core {

namespace {

constexpr std::uint16_t SideMask(int side) {
  return static_cast<std::uint16_t>(0x111u << side);
}

constexpr std::size_t SquareIndex(int x, int y) {
  return static_cast<std::size_t>(MapSize * y + x);
}

[[maybe_unused]] bool OnMap(int x, int y) {
  return x >= 0 && x < MapSize && y >= 0 && y < MapSize;
}

}  // namespace

int WallCodeOf(std::int16_t squareWord, int side) {
  assert(side >= 0 && side < SideCount);
  const auto word = static_cast<std::uint16_t>(squareWord);
  const int low = (word >> side) & 1;
  const int middle = (word >> (side + 4)) & 1;
  const int high = (word >> (side + 8)) & 1;
  return low + 2 * middle + 4 * high;
}

std::int16_t WithWallCode(std::int16_t squareWord, int side, int code) {
  assert(side >= 0 && side < SideCount);
  assert(code >= 0 && code <= 7);
  auto word = static_cast<std::uint16_t>(squareWord);
  word = static_cast<std::uint16_t>(word & ~SideMask(side));
  const unsigned bits = (static_cast<unsigned>(code) & 1u) |
                        ((static_cast<unsigned>(code) & 2u) << 3) |
                        ((static_cast<unsigned>(code) & 4u) << 6);
  word = static_cast<std::uint16_t>(word | (bits << side));
  return static_cast<std::int16_t>(word);
}

MapRecord::MapRecord() {
  Blank();
}

void MapRecord::Blank() {
  MapNo = 0;
  HitRefresh = 0;
  ManaRefresh = 0;
  EncounterChance = 0;
  EncounterLevel = 0;
  GraphicSet = 0;
  encounters_.fill(0);
  squares_.fill(0);
  specials_.fill(0);
  for (std::string& text : texts_) {
    text.assign(MapTextWidth, ' ');
  }
  for (std::string& text : longTexts_) {
    text.assign(MapLongTextWidth, ' ');
  }
}

std::int16_t MapRecord::Encounter(int slot, EncounterField field) const {
  assert(slot >= 0 && slot < EncounterSlotCount);
  return encounters_[static_cast<std::size_t>(EncounterSlotCount * static_cast<int>(field) + slot)];
}

void MapRecord::SetEncounter(int slot, EncounterField field, std::int16_t value) {
  assert(slot >= 0 && slot < EncounterSlotCount);
  encounters_[static_cast<std::size_t>(EncounterSlotCount * static_cast<int>(field) + slot)] =
      value;
}

void MapRecord::SetSquare(int x, int y, std::int16_t word) {
  assert(OnMap(x, y));
  squares_[SquareIndex(x, y)] = word;
}

int MapRecord::WallCode(int x, int y, int side) const {
  return WallCodeOf(Square(x, y), side);
}

void MapRecord::SetWallCode(int x, int y, int side, int code) {
  SetSquare(x, y, WithWallCode(Square(x, y), side, code));
}

void MapRecord::CopySquare(int fromX, int fromY, int toX, int toY) {
  SetSquare(toX, toY, Square(fromX, fromY));
}

std::int16_t MapRecord::Special(int index, SpecialField field) const {
  assert(index >= 0 && index < SpecialCount);
  return specials_[static_cast<std::size_t>(SpecialCount * static_cast<int>(field) + index)];
}

void MapRecord::SetSpecial(int index, SpecialField field, std::int16_t value) {
  assert(index >= 0 && index < SpecialCount);
  specials_[static_cast<std::size_t>(SpecialCount * static_cast<int>(field) + index)] = value;
}

MapSpecial MapRecord::GetSpecial(int index) const {
  MapSpecial special;
  special.Kind = Special(index, SpecialField::Kind);
  special.Spare = Special(index, SpecialField::Spare);
  special.SquareX = Special(index, SpecialField::SquareX);
  special.SquareY = Special(index, SpecialField::SquareY);
  special.Param1 = Special(index, SpecialField::Param1);
  special.Param2 = Special(index, SpecialField::Param2);
  special.Param3 = Special(index, SpecialField::Param3);
  special.Param4 = Special(index, SpecialField::Param4);
  special.CondFlag = Special(index, SpecialField::CondFlag);
  special.CondTest = Special(index, SpecialField::CondTest);
  special.CondValue = Special(index, SpecialField::CondValue);
  return special;
}

void MapRecord::PutSpecial(int index, const MapSpecial& special) {
  SetSpecial(index, SpecialField::Kind, special.Kind);
  SetSpecial(index, SpecialField::Spare, special.Spare);
  SetSpecial(index, SpecialField::SquareX, special.SquareX);
  SetSpecial(index, SpecialField::SquareY, special.SquareY);
  SetSpecial(index, SpecialField::Param1, special.Param1);
  SetSpecial(index, SpecialField::Param2, special.Param2);
  SetSpecial(index, SpecialField::Param3, special.Param3);
  SetSpecial(index, SpecialField::Param4, special.Param4);
  SetSpecial(index, SpecialField::CondFlag, special.CondFlag);
  SetSpecial(index, SpecialField::CondTest, special.CondTest);
  SetSpecial(index, SpecialField::CondValue, special.CondValue);
}

std::vector<int> MapRecord::SpecialsOnSquare(int x, int y) const {
  std::vector<int> found;
  for (int i = 0; i < SpecialCount; ++i) {
    if (Special(i, SpecialField::Kind) > 0 && Special(i, SpecialField::SquareX) == x &&
        Special(i, SpecialField::SquareY) == y) {
      found.push_back(i);
    }
  }
  return found;
}

int MapRecord::SpecialsInUse() const {
  int count = 0;
  for (int i = 0; i < SpecialCount; ++i) {
    if (Special(i, SpecialField::Kind) > 0) {
      ++count;
    }
  }
  return count;
}

int MapRecord::FirstFreeSpecial() const {
  // A negative kind is neither in use nor free: only an exact 0 may be reused.
  for (int i = 0; i < SpecialCount; ++i) {
    if (Special(i, SpecialField::Kind) == 0) {
      return i;
    }
  }
  return -1;
}

const std::string& MapRecord::Text(int index) const {
  assert(index >= 0 && index < MapTextCount);
  return texts_[static_cast<std::size_t>(index)];
}

void MapRecord::SetText(int index, std::string_view bytes) {
  assert(index >= 0 && index < MapTextCount);
  texts_[static_cast<std::size_t>(index)] = FixedText(bytes, MapTextWidth);
}

const std::string& MapRecord::LongText(int index) const {
  assert(index >= 0 && index < MapLongTextCount);
  return longTexts_[static_cast<std::size_t>(index)];
}

void MapRecord::SetLongText(int index, std::string_view bytes) {
  assert(index >= 0 && index < MapLongTextCount);
  longTexts_[static_cast<std::size_t>(index)] = FixedText(bytes, MapLongTextWidth);
}

template <class Packer, class Map>
void MapRecord::PackedFields(Packer& packer, Map& map) {
  packer.Field(map.MapNo);
  packer.Field(map.HitRefresh);
  packer.Field(map.ManaRefresh);
  packer.Field(map.EncounterChance);
  packer.Field(map.EncounterLevel);
  packer.Field(map.encounters_);
  packer.Field(map.GraphicSet);
  packer.Field(map.squares_);
  packer.Field(map.specials_);
  for (auto& text : map.texts_) packer.Field(text, MapTextWidth);
  for (auto& text : map.longTexts_) packer.Field(text, MapLongTextWidth);
}

void MapRecord::pack(std::span<std::uint8_t> out) const {
  assert(out.size() >= PackedSize);
  PackWriter writer(out);
  PackedFields(writer, *this);
  assert(writer.offset() == PackedSize);
}

MapRecord MapRecord::unpack(std::span<const std::uint8_t> in) {
  MapRecord map;
  unpack(in, map);
  return map;
}

void MapRecord::unpack(std::span<const std::uint8_t> in, MapRecord& into) {
  assert(in.size() >= PackedSize);
  PackReader reader(in);
  PackedFields(reader, into);
  assert(reader.offset() == PackedSize);
}

}  // namespace core
