#include "core/references.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

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

void ReferenceIndex::Finish() const {
  if (sorted_) return;
  // Stable: the places of one number stay in the order the files were read. The numbers are
  // Integers (a spell's one more), so a count per number sorts in one pass.
  constexpr long lowest = -32768, highest = 32768;
  constexpr std::size_t perTarget = highest - lowest + 1;
  const bool counted = std::all_of(references_.begin(), references_.end(), [](const auto& r) {
    return r.number >= lowest && r.number <= highest;
  });
  if (!counted) {
    std::stable_sort(references_.begin(), references_.end(), [](const auto& a, const auto& b) {
      return std::tie(a.target, a.number) < std::tie(b.target, b.number);
    });
  } else {
    const auto key = [](const Reference& r) {
      return static_cast<std::size_t>(r.target) * perTarget +
             static_cast<std::size_t>(r.number - lowest);
    };
    std::vector<std::uint32_t> start(perTarget * (static_cast<std::size_t>(RefTarget::Flag) + 1) +
                                     1);
    for (const Reference& r : references_) ++start[key(r) + 1];
    for (std::size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
    // Each reference's place in the sorted order, then the moves made in place, cycle by cycle.
    std::vector<std::uint32_t> to(references_.size());
    for (std::size_t i = 0; i < references_.size(); ++i) to[i] = start[key(references_[i])]++;
    for (std::size_t i = 0; i < references_.size(); ++i) {
      while (to[i] != i) {
        std::swap(references_[i], references_[to[i]]);
        std::swap(to[i], to[to[i]]);
      }
    }
  }
  sorted_ = true;
}

std::span<const Reference> ReferenceIndex::UsesOf(RefTarget target, long number) const {
  Finish();
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
