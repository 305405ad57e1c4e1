#pragma once

#include "core/definitions.h"

#include <QString>

#include <cstdint>

// What the two special windows agree on about one special slot of a creature.
namespace creatures {

// The special windows show slots 0..9; slot 10 is kept as stored.
inline constexpr int ShownSpecialSlots = 10;

// A "Cast Spell" special stores its spell as the 0-based position in the spell list, spell
// number - 1, as item effect slots do.
inline long SpellOfPower(std::int16_t power) {
  return long{power} + core::SpellListBase;
}
inline std::int16_t PowerOfSpellPosition(int position) {
  return static_cast<std::int16_t>(position);
}

// The cells of the specials list: "Always", " 30%" or empty; "Disease", "Cast Spell" or empty;
// the disease power 1..10 or the spell's name as stored.
QString ChanceCell(std::int16_t chance);
QString EffectCell(std::int16_t effect);
QString PowerCell(const core::ModDefinitions& defs, std::int16_t effect, std::int16_t power);

// The position of the chance list for a stored Chance: 0 for never, 1 for always, Chance / 10 + 1
// rounded half to even for a percentage; -1 for a value the list cannot show.
int ChancePosition(std::int16_t chance);

}  // namespace creatures
