#pragma once

#include "core/slot_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace core {

inline constexpr std::size_t CreatureNameWidth = 20;
inline constexpr int SaveCategoryCount = 6;

// Columns of a special slot of a creature (and of a spell's unused special table).
enum class SpecialSlotField : int { Chance = 0, Effect = 1, Power = 2 };

// One entry of Mon.dat (slot 204 bytes, 164 packed).
struct CreatureRecord {
  static constexpr std::size_t PackedSize = 164;
  static constexpr std::size_t SlotLength = 204;

  std::int16_t CreatureNo = 0;
  std::string CreatureName = std::string(CreatureNameWidth, ' ');
  std::string PluralName = std::string(CreatureNameWidth, ' ');
  std::int16_t CreatureType = 0;
  std::int16_t Sex = 0;
  std::int16_t Bitmap = 0;
  std::int16_t HitDice = 0;
  std::int16_t HitSides = 0;
  std::int16_t HitBonus = 0;
  std::int16_t Level = 0;
  std::int16_t HitPointScaling = 0;
  std::int16_t MagicPoints = 0;
  std::int16_t DamageDice = 0;
  std::int16_t DamageSides = 0;
  std::int16_t DamageBonus = 0;
  std::int16_t Speed = 0;
  std::int16_t Attack = 0;
  std::int16_t Defence = 0;
  std::int16_t Karma = 0;
  std::int16_t Intelligence = 0;
  std::array<std::int16_t, SaveCategoryCount> Saves{};
  SlotTable CreatureSpecials;  // 11 slots of Chance, Effect, Power
  std::int16_t GoldDice = 0;
  std::int16_t GoldSides = 0;
  std::int16_t GoldBonus = 0;
  std::int16_t Experience = 0;
  std::int16_t ExperiencePerHit = 0;

  std::int16_t CreatureSpecial(int slot, SpecialSlotField field) const {
    return CreatureSpecials.get(slot, static_cast<int>(field));
  }
  void SetCreatureSpecial(int slot, SpecialSlotField field, std::int16_t value) {
    CreatureSpecials.set(slot, static_cast<int>(field), value);
  }

  std::int16_t& entryNumber() { return CreatureNo; }
  std::int16_t entryNumber() const { return CreatureNo; }

  void pack(std::span<std::uint8_t> out) const;
  static CreatureRecord unpack(std::span<const std::uint8_t> in);
  // The same into a record read before, whose text buffers are used again.
  static void unpack(std::span<const std::uint8_t> in, CreatureRecord& into);

  friend bool operator==(const CreatureRecord&, const CreatureRecord&) = default;
};

// Int((HitSides / 2) x HitDice) + HitBonus, rounded toward minus infinity before the bonus.
long AverageHits(const CreatureRecord& creature);
// Experience + ExperiencePerHit x AverageHits, not rounded.
double AverageExp(const CreatureRecord& creature);
// True when the Chance of any of the 11 slots (slot 10 included) is not 0.
bool HasSpecialEffects(const CreatureRecord& creature);

}  // namespace core
