#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace core {

// One entry of MagProg.dat: which spell a class gains at a level (slot and packed size 10).
struct SpellProgRecord {
  static constexpr std::size_t PackedSize = 10;
  static constexpr std::size_t SlotLength = 10;

  std::int16_t ProgNo = 0;
  std::int16_t ProgClass = 0;  // class number - 1
  std::int16_t ProgLevel = 0;
  std::int16_t ProgSpell = 0;
  std::int16_t ProgReplaces = 0;  // 0 = none

  std::int16_t& entryNumber() { return ProgNo; }
  std::int16_t entryNumber() const { return ProgNo; }

  void pack(std::span<std::uint8_t> out) const;
  static SpellProgRecord unpack(std::span<const std::uint8_t> in);
  // The same into a record read before, whose text buffers are used again.
  static void unpack(std::span<const std::uint8_t> in, SpellProgRecord& into);

  friend bool operator==(const SpellProgRecord&, const SpellProgRecord&) = default;
};

}  // namespace core
