#pragma once

// What the special square editor shows for one special, and how it stores what it shows. Both
// directions use the same bindings: each shown box or list stands for one field of the special.
#include "core/map_record.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace specials {

// The text boxes whose use follows the kind.
enum class Box : int { Text1, Text2, Text3, Text4, Text5, Text6 };
inline constexpr int BoxCount = 6;

// The lists whose entries follow the kind (Combo1, the kind list, never changes its entries).
enum class List : int { Combo2, Combo3, Combo4, Combo5, Combo7 };
inline constexpr int ListCount = 5;

// The caption labels Label2 to Label10, in that order; Label8 is the text preview.
enum class Caption : int {
  Label2,
  Label3,
  Label4,
  Label5,
  Label6,
  Label7,
  Label8,
  Label9,
  Label10
};
inline constexpr int CaptionCount = 9;

// The entries a list holds.
enum class ListSource {
  None,
  Buildings,
  Shops,  // shops 1 to the count; position 0 is shop 1
  Temples,
  ArrivalFacings,
  FacingMasks,
  Creatures,  // "Nothing", then creatures 1 to the count
  Items,      // "Nothing", then items 1 to the count
  FlagTimings,
  RewardKinds,
  RewardRecipients,
  ConditionTests,
};

// The entries of a list that does not come from a catalogue; empty for the catalogue lists.
std::vector<std::string_view> FixedEntries(ListSource source);

// One text box as the rebuild leaves it.
struct BoxPlan {
  bool shown = false;
  core::SpecialField field = core::SpecialField::Spare;
  std::int16_t value = 0;
  bool wholeText = false;     // the Exit to Map boxes: the whole text must be a number
  bool leadingBlank = false;  // the Reward amount shows the sign position as a blank
  std::string text() const;   // the value as the box shows it
  friend bool operator==(const BoxPlan&, const BoxPlan&) = default;
};

// One list as the rebuild leaves it.
struct ListPlan {
  ListSource source = ListSource::None;  // None: hidden
  core::SpecialField field = core::SpecialField::Spare;
  int firstCode = 0;  // the code stored for position 0
  int position = -1;  // -1: the stored code is not in the list
  friend bool operator==(const ListPlan&, const ListPlan&) = default;
};

struct ListSizes {
  long shops = 0;
  long creatures = 0;
  long items = 0;
};

// The whole window for one special.
struct ScreenPlan {
  std::int16_t kind = 0;
  int kindPosition = -1;
  std::array<std::string, CaptionCount> captions;  // Label8's is the text preview
  std::array<BoxPlan, BoxCount> boxes;
  std::array<ListPlan, ListCount> lists;
  bool viewShown = false;  // "View", for a Draw Picture
  // A kind, building or reward beyond its list: the window cannot tell what the parameters it
  // decides mean, so a store keeps those it does not show.
  bool keepsHiddenParameters = false;

  const BoxPlan& box(Box b) const { return boxes[static_cast<std::size_t>(b)]; }
  const ListPlan& list(List l) const { return lists[static_cast<std::size_t>(l)]; }
  const std::string& caption(Caption c) const { return captions[static_cast<std::size_t>(c)]; }
  friend bool operator==(const ScreenPlan&, const ScreenPlan&) = default;
};

// The rebuild of special `index` of the map. `index` must lie in 0..100.
ScreenPlan PlanScreen(const core::MapRecord& map, int index, ListSizes sizes);

// What the window holds when it stores: each box's text (as bytes) and each list's position.
struct ScreenReading {
  int kindPosition = -1;
  std::array<std::string, BoxCount> texts;
  std::array<int, ListCount> positions{-1, -1, -1, -1, -1};
};

struct StoreResult {
  core::MapSpecial special;
  std::vector<Box> refused;  // boxes whose text cannot be stored; their fields keep their values
};

// The store of the window, read through the bindings of `shown` (the plan the window shows):
// fields 1 to 10 start at 0, the kind comes from the kind list and the square from (x, y); a
// changed kind keeps nothing else. A list with no selection and a refused box keep their field.
StoreResult update_map_special(const core::MapSpecial& kept, const ScreenPlan& shown,
                               const ScreenReading& screen, std::int16_t x, std::int16_t y);

}  // namespace specials
