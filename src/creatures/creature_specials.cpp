#include "creatures/creature_specials.h"

#include "core/numbers.h"
#include "core/vocabularies.h"
#include "ui/controls.h"

#include <cmath>

namespace creatures {

QString ChanceCell(std::int16_t chance) {
  if (chance == -1) return "Always";
  if (chance > 0) return QString::fromStdString(core::NumberWithLeadingBlank(chance)) + "%";
  return {};
}

QString EffectCell(std::int16_t effect) {
  if (effect == 1) return "Disease";
  if (effect == 2) return "Cast Spell";
  return {};
}

QString PowerCell(const core::ModDefinitions& defs, std::int16_t effect, std::int16_t power) {
  if (effect == 1) return QString::fromStdString(core::PlainNumber(long{power} + 1));
  if (effect != 2) return {};
  const long spell = SpellOfPower(power);
  // A spell the catalogue does not hold is named as missing rather than shown as a blank.
  if (spell < 1 || spell > defs.SpellCount)
    return "No spell " + QString::fromStdString(core::PlainNumber(spell));
  return ui::ToShownText(defs.SpellName(spell));
}

int ChancePosition(std::int16_t chance) {
  if (chance == 0) return 0;
  if (chance == -1) return 1;
  if (chance < 0) return -1;
  // Halves go to the even neighbour: 25 gives 3.5 and position 4.
  const int position = static_cast<int>(std::nearbyint(chance / 10.0 + 1.0));
  return position <= static_cast<int>(core::SpecialChances.size()) - 1 ? position : -1;
}

}  // namespace creatures
