#include "textform/map_form.h"

#include <array>

namespace textform {

namespace {

constexpr std::array<std::string_view, core::EncounterFieldCount> EncounterColumns = {
    "Creature", "DiceCount", "DiceSides", "DiceBonus", "OthersChance"};
constexpr std::array<std::string_view, core::SpecialFieldCount> SpecialColumns = {
    "Kind",   "Spare",  "SquareX",  "SquareY",  "Param1",   "Param2",
    "Param3", "Param4", "CondFlag", "CondTest", "CondValue"};
constexpr std::size_t CellWidth = 6;  // "1020:0"
constexpr char Hex[] = "0123456789abcdef";

bool BlankSpecial(const core::MapRecord& map, int index) {
  for (int field = 0; field < core::SpecialFieldCount; ++field)
    if (map.Special(index, static_cast<core::SpecialField>(field)) != 0) return false;
  return true;
}

// A square from its text; false when the text is not one.
bool SquareOf(std::string_view cell, std::int16_t& word) {
  if (cell.size() != CellWidth || cell[4] != ':') return false;
  std::int16_t built = 0;
  for (int side = 0; side < core::SideCount; ++side) {
    const char code = cell[static_cast<std::size_t>(side)];
    if (code < '0' || code > '7') return false;
    built = core::WithWallCode(built, side, code - '0');
  }
  const char high = cell[5];
  int value = high >= '0' && high <= '9'   ? high - '0'
              : high >= 'a' && high <= 'f' ? high - 'a' + 10
                                           : -1;
  if (high >= 'A' && high <= 'F') value = high - 'A' + 10;
  if (value < 0) return false;
  word = static_cast<std::int16_t>(static_cast<std::uint16_t>(built) |
                                   static_cast<std::uint16_t>(value << 12));
  return true;
}

}  // namespace

std::string SquareRowText(const core::MapRecord& map, int y) {
  std::string row;
  row.reserve(core::MapSize * (CellWidth + 1));
  for (int x = 0; x < core::MapSize; ++x) {
    if (x > 0) row += ' ';
    const std::int16_t word = map.Square(x, y);
    for (int side = 0; side < core::SideCount; ++side)
      row += static_cast<char>('0' + core::WallCodeOf(word, side));
    row += ':';
    row += Hex[(static_cast<std::uint16_t>(word) >> 12) & 15];
  }
  return row;
}

void WriteMapFields(JsonOut& out, const core::MapRecord& map) {
  FieldWriter fields(out);
  fields.Integer("MapNo", map.MapNo);
  fields.Integer("HitRefresh", map.HitRefresh);
  fields.Integer("ManaRefresh", map.ManaRefresh);
  fields.Integer("EncounterChance", map.EncounterChance);
  fields.Integer("EncounterLevel", map.EncounterLevel);
  out.key("Encounters");
  out.openArray(true);
  for (int slot = 0; slot < core::EncounterSlotCount; ++slot) {
    out.item();
    out.openObject(false);
    for (int field = 0; field < core::EncounterFieldCount; ++field) {
      out.key(EncounterColumns[static_cast<std::size_t>(field)]);
      out.number(map.Encounter(slot, static_cast<core::EncounterField>(field)));
    }
    out.closeObject();
  }
  out.closeArray();
  fields.Integer("GraphicSet", map.GraphicSet);
  out.key("Squares");
  out.openArray(true);
  for (int y = 0; y < core::MapSize; ++y) {
    out.item();
    out.plain(SquareRowText(map, y));
  }
  out.closeArray();
  out.key("Specials");
  out.openArray(true);
  for (int index = 0; index < core::SpecialCount; ++index) {
    if (BlankSpecial(map, index)) continue;
    out.item();
    out.openObject(false);
    out.key("Index");
    out.number(index);
    for (int field = 0; field < core::SpecialFieldCount; ++field) {
      out.key(SpecialColumns[static_cast<std::size_t>(field)]);
      out.number(map.Special(index, static_cast<core::SpecialField>(field)));
    }
    out.closeObject();
  }
  out.closeArray();
  out.key("Texts");
  out.openArray(true);
  for (int t = 0; t < core::MapTextCount; ++t) {
    out.item();
    WriteText(out, map.Text(t), core::MapTextWidth);
  }
  out.closeArray();
  out.key("LongTexts");
  out.openArray(true);
  for (int t = 0; t < core::MapLongTextCount; ++t) {
    out.item();
    WriteText(out, map.LongText(t), core::MapLongTextWidth);
  }
  out.closeArray();
}

void ReadMapFields(FieldReader& reader, core::MapRecord& map) {
  const JsonTree& tree = reader.tree();
  reader.Integer("MapNo", map.MapNo);
  reader.Integer("HitRefresh", map.HitRefresh);
  reader.Integer("ManaRefresh", map.ManaRefresh);
  reader.Integer("EncounterChance", map.EncounterChance);
  reader.Integer("EncounterLevel", map.EncounterLevel);
  reader.Integer("GraphicSet", map.GraphicSet);

  if (const auto at = reader.Required("Encounters"); at >= 0) {
    const auto slots = reader.Items(at, "Encounters", core::EncounterSlotCount);
    for (std::size_t slot = 0; slot < slots.size() && reader.ok(); ++slot) {
      const JsonValue& row = tree.at(slots[slot]);
      if (row.type != JsonValue::Type::Object || row.count != core::EncounterFieldCount) {
        reader.Fail(slots[slot], "Encounters",
                    "each slot must be an object of Creature, DiceCount, DiceSides, DiceBonus "
                    "and OthersChance");
        break;
      }
      for (int field = 0; field < core::EncounterFieldCount; ++field) {
        const std::string_view name = EncounterColumns[static_cast<std::size_t>(field)];
        const auto value = tree.member(slots[slot], name);
        std::int16_t number = 0;
        if (value < 0)
          reader.Fail(slots[slot], "Encounters",
                      "slot " + std::to_string(slot) + " has no " + std::string(name));
        else if (reader.IntegerValue(value, "Encounters", number))
          map.SetEncounter(static_cast<int>(slot), static_cast<core::EncounterField>(field),
                           number);
      }
    }
  }

  if (const auto at = reader.Required("Squares"); at >= 0) {
    const auto rows = reader.Items(at, "Squares", core::MapSize);
    for (std::size_t y = 0; y < rows.size() && reader.ok(); ++y) {
      std::string row;
      if (!reader.StringValue(rows[y], "Squares", row)) break;
      const std::string what = "row " + std::to_string(y) +
                               " must be 33 squares, each four wall codes 0..7, a colon and a "
                               "hex digit, separated by blanks (as 1020:0)";
      if (row.size() != core::MapSize * (CellWidth + 1) - 1) {
        reader.Fail(rows[y], "Squares", what);
        break;
      }
      for (int x = 0; x < core::MapSize; ++x) {
        const std::size_t start = static_cast<std::size_t>(x) * (CellWidth + 1);
        std::int16_t word = 0;
        if ((x > 0 && row[start - 1] != ' ') ||
            !SquareOf(std::string_view(row).substr(start, CellWidth), word)) {
          reader.Fail(rows[y], "Squares", what);
          break;
        }
        map.SetSquare(x, static_cast<int>(y), word);
      }
    }
  }

  if (const auto at = reader.Required("Specials"); at >= 0) {
    std::array<bool, core::SpecialCount> seen{};
    for (const auto special : reader.Items(at, "Specials", -1)) {
      if (!reader.ok()) break;
      const JsonValue& entry = tree.at(special);
      const auto indexAt =
          entry.type == JsonValue::Type::Object ? tree.member(special, "Index") : -1;
      std::int16_t index = 0;
      if (indexAt < 0 || entry.count != core::SpecialFieldCount + 1) {
        reader.Fail(special, "Specials",
                    "each special must be an object of Index and its 11 fields");
        break;
      }
      if (!reader.IntegerValue(indexAt, "Specials", index)) break;
      if (index < 0 || index >= core::SpecialCount || seen[static_cast<std::size_t>(index)]) {
        reader.Fail(indexAt, "Specials",
                    "index " + std::to_string(index) +
                        (index < 0 || index >= core::SpecialCount ? " is outside 0..100"
                                                                  : " is given twice"));
        break;
      }
      seen[static_cast<std::size_t>(index)] = true;
      for (int field = 0; field < core::SpecialFieldCount; ++field) {
        const std::string_view name = SpecialColumns[static_cast<std::size_t>(field)];
        const auto value = tree.member(special, name);
        std::int16_t number = 0;
        if (value < 0)
          reader.Fail(special, "Specials",
                      "special " + std::to_string(index) + " has no " + std::string(name));
        else if (reader.IntegerValue(value, "Specials", number))
          map.SetSpecial(index, static_cast<core::SpecialField>(field), number);
      }
    }
  }

  const auto readTexts = [&](std::string_view name, int count, std::size_t width, auto set) {
    const auto at = reader.Required(name);
    if (at < 0) return;
    const auto texts = reader.Items(at, name, count);
    for (std::size_t t = 0; t < texts.size() && reader.ok(); ++t) {
      std::string stored;
      if (reader.TextValue(texts[t], name, stored, width)) set(static_cast<int>(t), stored);
    }
  };
  readTexts("Texts", core::MapTextCount, core::MapTextWidth,
            [&](int t, const std::string& text) { map.SetText(t, text); });
  readTexts("LongTexts", core::MapLongTextCount, core::MapLongTextWidth,
            [&](int t, const std::string& text) { map.SetLongText(t, text); });
}

}  // namespace textform
