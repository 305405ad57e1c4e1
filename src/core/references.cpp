#include "core/references.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace core {

std::string_view GameFileName(GameFile file) {
  static constexpr std::array<std::string_view, 7> names = {
      "Maps.dat", "Item.dat", "Shop.dat", "Mon.dat", "Mag.dat", "MagProg.dat", "Data"};
  return names.at(static_cast<std::size_t>(file));
}

namespace {

std::string_view EntryNoun(GameFile file) {
  static constexpr std::array<std::string_view, 7> nouns = {
      "Map", "Item", "Shop", "Creature", "Spell", "Spell progression entry", "Picture"};
  return nouns.at(static_cast<std::size_t>(file));
}

std::string_view SlotNoun(SlotKind kind) {
  static constexpr std::array<std::string_view, 6> nouns = {
      "", "special", "encounter slot", "effect slot", "special slot", "stock position"};
  return nouns.at(static_cast<std::size_t>(kind));
}

}  // namespace

std::string DescribePlace(const Place& place) {
  if (place.entry == 0) return std::string(GameFileName(place.file));
  std::string text = std::string(EntryNoun(place.file)) + " " + std::to_string(place.entry);
  if (place.x >= 0) {
    text += ", square " + std::to_string(place.x) + "X, " + std::to_string(place.y) + "Y";
  }
  if (place.slotKind != SlotKind::None) {
    text += ", " + std::string(SlotNoun(place.slotKind)) + " " + std::to_string(place.slot);
  }
  return text;
}

void ReferenceIndex::Add(Reference reference) {
  references_.push_back(reference);
  sorted_ = false;
}

void ReferenceIndex::Finish() {
  // Stable: the places of one number stay in the order the files were read.
  std::stable_sort(references_.begin(), references_.end(), [](const auto& a, const auto& b) {
    return std::tie(a.target, a.number) < std::tie(b.target, b.number);
  });
  sorted_ = true;
}

std::span<const Reference> ReferenceIndex::UsesOf(RefTarget target, long number) const {
  if (!sorted_) return {};
  const auto key = std::make_pair(target, number);
  const auto [first, last] = std::equal_range(
      references_.begin(), references_.end(), key, [](const auto& a, const auto& b) {
        auto keyOf = [](const auto& v) {
          if constexpr (std::is_same_v<std::decay_t<decltype(v)>, Reference>) {
            return std::make_pair(v.target, v.number);
          } else {
            return v;
          }
        };
        return keyOf(a) < keyOf(b);
      });
  return {first, last};
}

}  // namespace core
