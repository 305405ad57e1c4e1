#pragma once

#include "core/definitions.h"
#include "core/map_record.h"

#include <array>
#include <string>

// The texts of the main window's map panel: the specials list of the selected square, its
// counter line, the encounter slots and the square's coordinates. Texts are bytes as stored.
namespace maps {

// " Facing North, South." for the facing mask in Param2 of entry `index`; empty when Param2 is
// below 1.
std::string FacingText(const core::MapRecord& map, int index);

// The one-line summary of special entry `index` ("Exit to Shop", "Draw 5  Facing North.", ...).
// Creature names come from the name cache.
std::string DescribeSpecial(const core::ModDefinitions& defs, const core::MapRecord& map,
                            int index);

// The specials list of the selected square: lines 0..2 show the square's specials numbered
// specialsOffset..specialsOffset + 2; line 3 stays empty.
struct SpecialsPanel {
  std::array<std::string, 4> lines;
  int total = 0;     // entries in use on the whole map
  int onSquare = 0;  // entries in use on the selected square
};
SpecialsPanel BuildSpecialsPanel(const core::ModDefinitions& defs, const core::MapRecord& map,
                                 int selectedX, int selectedY, int specialsOffset);

// "Specials:  12 of 100".
std::string SpecialsCountText(int total);

// The three labels of an encounter slot: creature name, number appearing, chance of others.
struct EncounterLabels {
  std::string creature, number, others;
};
EncounterLabels DescribeEncounter(const core::ModDefinitions& defs, const core::MapRecord& map,
                                  int slot);

// The status bar's line for the square under the pointer:
// "14X, 2Y  North: Wall1  East: Nothing  South: Door1  West: Nothing  2 specials".
std::string SquareStatusText(const core::MapRecord& map, int x, int y);

// The entry a click on panel line `line` opens: the special listed there on the selected square,
// else the lowest free entry, else -1 (a full table).
int SpecialAtPanelLine(const core::MapRecord& map, int selectedX, int selectedY, int line,
                       int specialsOffset);

}  // namespace maps
