#pragma once

#include <array>
#include <cassert>
#include <cstdint>

namespace core {

// A table of 11 slots x 3 Integers stored field-major, as item effects, creature specials and a
// spell's special table are: all first fields, then all second fields, then all third fields.
class SlotTable {
 public:
  static constexpr int SlotCount = 11;
  static constexpr int FieldCount = 3;

  std::int16_t get(int slot, int field) const {
    assert(slot >= 0 && slot < SlotCount && field >= 0 && field < FieldCount);
    return values_[static_cast<std::size_t>(field * SlotCount + slot)];
  }
  void set(int slot, int field, std::int16_t value) {
    assert(slot >= 0 && slot < SlotCount && field >= 0 && field < FieldCount);
    values_[static_cast<std::size_t>(field * SlotCount + slot)] = value;
  }
  // In file order, for packing only.
  std::array<std::int16_t, SlotCount * FieldCount>& fileOrder() { return values_; }
  const std::array<std::int16_t, SlotCount * FieldCount>& fileOrder() const { return values_; }

  friend bool operator==(const SlotTable&, const SlotTable&) = default;

 private:
  std::array<std::int16_t, SlotCount * FieldCount> values_{};
};

}  // namespace core
