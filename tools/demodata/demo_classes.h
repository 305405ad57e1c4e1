#pragma once

#include "core/item_record.h"

#include <array>
#include <cstdint>
#include <initializer_list>

// The eight character classes by class number, and the usable-by flags built from them.
namespace demodata {

enum ClassNo : int {
  Fighter = 1,
  Thief,
  Cleric,
  Mage,
  Berserker,
  Ranger,
  Paladin,
  Merchant,
};
inline constexpr int NamedClassCount = 8;

// -1 (all bits set) for every class listed, 0 for the others; element 0 stays unused.
inline std::array<std::int16_t, core::UsableByCount> UsableBy(
    std::initializer_list<ClassNo> classes) {
  std::array<std::int16_t, core::UsableByCount> flags{};
  for (ClassNo c : classes) flags[static_cast<std::size_t>(c)] = -1;
  return flags;
}

inline std::array<std::int16_t, core::UsableByCount> UsableByAll() {
  return UsableBy({Fighter, Thief, Cleric, Mage, Berserker, Ranger, Paladin, Merchant});
}

}  // namespace demodata
