#pragma once

#include "core/item_record.h"

#include <array>
#include <cstdint>

namespace equipment {

// One number box of the equipment editor: the box, its label, the label's caption, the name the
// refusal message gives it, and the item field it shows.
struct ItemNumberBox {
  const char* box;
  const char* label;
  const char* caption;
  const char* fieldName;
  std::int16_t core::ItemRecord::*field;
};

// Text3 .. Text11 in box order.
inline const std::array<ItemNumberBox, 9>& ItemNumberBoxes() {
  static const std::array<ItemNumberBox, 9> boxes = {{
      {"Text3", "Label4", "Bonus AC:", "Bonus AC", &core::ItemRecord::BonusAC},
      {"Text4", "Label5", "Armour %:", "Armour %", &core::ItemRecord::ArmourPercent},
      {"Text5", "Label6", "To Hit:", "To Hit", &core::ItemRecord::ToHit},
      {"Text6", "Label7", "To Hit %:", "To Hit %", &core::ItemRecord::ToHitPercent},
      {"Text7", "Label8", "Damage:", "Damage dice", &core::ItemRecord::DamageDice},
      {"Text8", "Label9", "D", "Damage sides", &core::ItemRecord::DamageSides},
      {"Text9", "Label10", "+", "Damage bonus", &core::ItemRecord::DamageBonus},
      {"Text10", "Label11", "Cost:", "Cost", &core::ItemRecord::Cost},
      {"Text11", "Label12", "Speed:", "Speed", &core::ItemRecord::Speed},
  }};
  return boxes;
}

// Positions of the boxes in ItemNumberBoxes(), for the layout.
enum ItemBox {
  BonusACBox,
  ArmourBox,
  ToHitBox,
  ToHitPercentBox,
  DiceBox,
  SidesBox,
  BonusBox,
  CostBox,
  SpeedBox
};

}  // namespace equipment
