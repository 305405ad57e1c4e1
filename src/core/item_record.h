#pragma once

#include "core/slot_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace core {

inline constexpr std::size_t ItemNameWidth = 20;
inline constexpr int UsableByCount = 26;  // element n (1..25) is class number n; 0 unused

enum class EffectField : int { Kind = 0, What = 1, Power = 2 };

// Effect slots of kinds 1..4 and a creature's "Cast Spell" keep a spell as its place in the
// spell list, spell number - 1: stored value + SpellListBase is the spell number.
inline constexpr int SpellListBase = 1;

// One entry of Item.dat (slot 222 bytes, 182 packed). Texts hold the game's bytes; pack cuts
// or pads them to their width.
struct ItemRecord {
  static constexpr std::size_t PackedSize = 182;
  static constexpr std::size_t SlotLength = 222;

  std::int16_t ItemNo = 0;
  std::string ItemName = std::string(ItemNameWidth, ' ');
  std::string PluralName = std::string(ItemNameWidth, ' ');
  std::int16_t ItemType = 0;
  std::int16_t UseCode = 0;
  std::int16_t BonusAC = 0;
  std::int16_t ArmourPercent = 0;
  std::int16_t ToHit = 0;
  std::int16_t ToHitPercent = 0;
  std::int16_t DamageDice = 0;
  std::int16_t DamageSides = 0;
  std::int16_t DamageBonus = 0;
  std::array<std::int16_t, UsableByCount> UsableBy{};
  std::int16_t Speed = 0;
  std::int16_t Cost = 0;
  SlotTable Effects;  // 11 slots of EffectKind, EffectWhat, EffectPower

  std::int16_t Effect(int slot, EffectField field) const {
    return Effects.get(slot, static_cast<int>(field));
  }
  void SetEffect(int slot, EffectField field, std::int16_t value) {
    Effects.set(slot, static_cast<int>(field), value);
  }
  // True when any of the 11 slots (slot 10 included) has an EffectKind above 0.
  bool HasEffects() const;

  std::int16_t& entryNumber() { return ItemNo; }
  std::int16_t entryNumber() const { return ItemNo; }

  void pack(std::span<std::uint8_t> out) const;
  static ItemRecord unpack(std::span<const std::uint8_t> in);
  // The same into a record read before, whose text buffers are used again.
  static void unpack(std::span<const std::uint8_t> in, ItemRecord& into);

  friend bool operator==(const ItemRecord&, const ItemRecord&) = default;
};

}  // namespace core
