#pragma once

#include "core/creature_record.h"
#include "core/item_record.h"
#include "core/slot_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace core {

inline constexpr std::size_t SpellNameWidth = 20;
inline constexpr std::size_t DamageDescWidth = 32;
inline constexpr std::size_t DescriptionWidth = 1024;

// One entry of Mag.dat (slot 2314 bytes, 1238 packed).
struct SpellRecord {
  static constexpr std::size_t PackedSize = 1238;
  static constexpr std::size_t SlotLength = 2314;

  std::int16_t SpellNo = 0;
  std::string SpellName = std::string(SpellNameWidth, ' ');
  std::int16_t CastLevel = 0;
  std::int16_t Speed = 0;
  std::int16_t SpellType = 0;
  std::int16_t Target = 0;
  std::array<std::int16_t, UsableByCount> UsableBy{};
  std::int16_t CastCost = 0;
  std::int16_t CastChance = 0;
  std::int16_t ChancePerLevel = 0;
  std::int16_t DamageDice = 0;
  std::int16_t DamageSides = 0;
  std::int16_t DamageBonus = 0;
  std::int16_t LevelDamageDice = 0;
  std::int16_t LevelDamageSides = 0;
  std::int16_t LevelDamageBonus = 0;
  std::int16_t DurationDice = 0;
  std::int16_t DurationSides = 0;
  std::int16_t DurationBonus = 0;
  std::int16_t LevelDurationDice = 0;
  std::int16_t LevelDurationSides = 0;
  std::int16_t LevelDurationBonus = 0;
  std::int16_t SaveVs = 0;
  std::int16_t SaveEffect = 0;
  SlotTable SpellSpecials;  // carried unchanged; no window edits it
  std::string DamageDesc = std::string(DamageDescWidth, ' ');
  std::string Description = std::string(DescriptionWidth, ' ');

  std::int16_t SpellSpecial(int slot, SpecialSlotField field) const {
    return SpellSpecials.get(slot, static_cast<int>(field));
  }
  void SetSpellSpecial(int slot, SpecialSlotField field, std::int16_t value) {
    SpellSpecials.set(slot, static_cast<int>(field), value);
  }

  std::int16_t& entryNumber() { return SpellNo; }
  std::int16_t entryNumber() const { return SpellNo; }

  void pack(std::span<std::uint8_t> out) const;
  static SpellRecord unpack(std::span<const std::uint8_t> in);
  // The same into a record read before, whose text buffers are used again.
  static void unpack(std::span<const std::uint8_t> in, SpellRecord& into);
  // The number and the name straight from the packed bytes, for a pass over every spell that
  // needs nothing else (its descriptions are most of the file).
  static std::int16_t NumberIn(std::span<const std::uint8_t> in);
  static std::string_view NameIn(std::span<const std::uint8_t> in);

  friend bool operator==(const SpellRecord&, const SpellRecord&) = default;
};

}  // namespace core
