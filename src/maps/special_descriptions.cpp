#include "maps/special_descriptions.h"

#include "core/numbers.h"
#include "core/vocabularies.h"

#include <string_view>

namespace maps {

namespace {

using core::PlainNumber;
using core::SpecialField;

// What a Reward special hands out, as the panel abbreviates it (Param1 0..2).
constexpr std::array<std::string_view, 3> RewardShortNames = {"Exp", "Gold", "Item"};

// Flag timing 1 sets the flag when the party wins the fight.
constexpr std::int16_t SetFlagOnWinCombat = 1;

// The panel counts against the game's own limit, not the table's 101 entries.
constexpr int SpecialsLimitShown = 100;

constexpr int PanelLinesShown = 3;

std::string Append(std::string text, std::string_view more) {
  text.append(more);
  return text;
}

std::string DescribeEncounterSpecial(const core::ModDefinitions& defs, std::int16_t creature,
                                     std::int16_t count) {
  const std::string head = "Encounter " + PlainNumber(count);
  // No creature chosen: say so rather than repeat the line above.
  if (creature < 1) return head + " (no creature)";
  return head + " " + (count < 2 ? defs.CreatureName(creature) : defs.CreaturePluralName(creature));
}

}  // namespace

std::string FacingText(const core::MapRecord& map, int index) {
  const int mask = map.Special(index, SpecialField::Param2);
  if (mask < 1) return {};
  std::string text = " Facing ";
  bool first = true;
  for (int d = core::North; d <= core::West; ++d) {
    // Only the low bit of the side's three counts: a mask with the upper bits set lists nothing.
    if ((mask & (0x111 << d)) != (1 << d)) continue;
    if (!first) text += ", ";
    text += core::DirectionNames[static_cast<std::size_t>(d)];
    first = false;
  }
  return text + ".";
}

std::string DescribeSpecial(const core::ModDefinitions& defs, const core::MapRecord& map,
                            int index) {
  const core::MapSpecial special = map.GetSpecial(index);
  const std::string p1 = PlainNumber(special.Param1);
  switch (special.Kind) {
    case 1:
      return "Exit to Map";
    case 2:
      return Append("Exit to ", core::TextOfCode(core::BuildingNames, special.Param1));
    case 3:
      return "Draw " + p1 + " " + FacingText(map, index);
    case 4:
      return "Text " + p1 + " " + FacingText(map, index);
    case 5:
      return DescribeEncounterSpecial(defs, special.Param1, special.Param2);
    case 6:
      return "Set Flag " + p1 + (special.Param2 == SetFlagOnWinCombat ? " on win combat" : "");
    case 7:
      return "Long Text " + p1 + " " + FacingText(map, index);
    case 8:
      return Append("Reward ", core::TextOfCode(RewardShortNames, special.Param1));
    default:
      // A kind the special window never writes, found in a file: show its number.
      return "Unknown special " + PlainNumber(special.Kind);
  }
}

SpecialsPanel BuildSpecialsPanel(const core::ModDefinitions& defs, const core::MapRecord& map,
                                 int selectedX, int selectedY, int specialsOffset) {
  SpecialsPanel panel;
  for (int i = 0; i < core::SpecialCount; ++i) {
    if (map.Special(i, SpecialField::Kind) < 1) continue;
    ++panel.total;
    if (map.Special(i, SpecialField::SquareX) != selectedX ||
        map.Special(i, SpecialField::SquareY) != selectedY) {
      continue;
    }
    const int line = panel.onSquare - specialsOffset;
    if (line >= 0 && line < PanelLinesShown) {
      panel.lines[static_cast<std::size_t>(line)] = DescribeSpecial(defs, map, i);
    }
    ++panel.onSquare;
  }
  return panel;
}

std::string SpecialsCountText(int total) {
  return "Specials: " + core::NumberWithLeadingBlank(total) + " of" +
         core::NumberWithLeadingBlank(SpecialsLimitShown);
}

EncounterLabels DescribeEncounter(const core::ModDefinitions& defs, const core::MapRecord& map,
                                  int slot) {
  using core::EncounterField;
  const std::int16_t creature = map.Encounter(slot, EncounterField::Creature);
  if (creature < 1) return {"Nothing", {}, {}};
  return {defs.CreatureName(creature),
          PlainNumber(map.Encounter(slot, EncounterField::DiceCount)) + "D" +
              PlainNumber(map.Encounter(slot, EncounterField::DiceSides)) + "+" +
              PlainNumber(map.Encounter(slot, EncounterField::DiceBonus)),
          PlainNumber(map.Encounter(slot, EncounterField::OthersChance)) + "%"};
}

std::string SquareStatusText(const core::MapRecord& map, int x, int y) {
  std::string text = core::SquareCoordinatesText(x, y);
  for (int side = core::North; side <= core::West; ++side) {
    text += "  ";
    text += core::DirectionNames[static_cast<std::size_t>(side)];
    text += ": ";
    text += core::TextOfCode(core::WallNames, map.WallCode(x, y, side));
  }
  const std::size_t specials = map.SpecialsOnSquare(x, y).size();
  return text + "  " + PlainNumber(static_cast<long long>(specials)) +
         (specials == 1 ? " special" : " specials");
}

int SpecialAtPanelLine(const core::MapRecord& map, int selectedX, int selectedY, int line,
                       int specialsOffset) {
  const int target = line + specialsOffset;
  int seen = -1;
  int firstFree = -1;
  for (int i = 0; i < core::SpecialCount; ++i) {
    const std::int16_t kind = map.Special(i, SpecialField::Kind);
    if (kind > 0 && map.Special(i, SpecialField::SquareX) == selectedX &&
        map.Special(i, SpecialField::SquareY) == selectedY) {
      if (++seen == target) return i;
    }
    if (kind == 0 && firstFree < 0) firstFree = i;
  }
  return firstFree;
}

}  // namespace maps
