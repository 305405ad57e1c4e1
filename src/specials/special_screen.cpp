#include "specials/special_screen.h"

#include "core/numbers.h"
#include "core/vocabularies.h"

namespace specials {

namespace {

using core::SpecialField;

using enum core::SpecialKind;

enum Building : std::int16_t { Shop = 1, Temple = 2 };
enum RewardKind : std::int16_t { Experience = 0, Gold = 1, ItemReward = 2 };

template <std::size_t N>
std::vector<std::string_view> Entries(const std::array<std::string_view, N>& texts) {
  return {texts.begin(), texts.end()};
}

// How many entries a list holds, for the position of a stored code.
long EntryCount(ListSource source, ListSizes sizes) {
  switch (source) {
    case ListSource::Shops:
      return sizes.shops;
    case ListSource::Creatures:
      return sizes.creatures + 1;
    case ListSource::Items:
      return sizes.items + 1;
    default:
      return static_cast<long>(FixedEntries(source).size());
  }
}

std::int16_t& FieldOf(core::MapSpecial& special, SpecialField field) {
  switch (field) {
    case SpecialField::Kind:
      return special.Kind;
    case SpecialField::Spare:
      return special.Spare;
    case SpecialField::SquareX:
      return special.SquareX;
    case SpecialField::SquareY:
      return special.SquareY;
    case SpecialField::Param1:
      return special.Param1;
    case SpecialField::Param2:
      return special.Param2;
    case SpecialField::Param3:
      return special.Param3;
    case SpecialField::Param4:
      return special.Param4;
    case SpecialField::CondFlag:
      return special.CondFlag;
    case SpecialField::CondTest:
      return special.CondTest;
    case SpecialField::CondValue:
      break;
  }
  return special.CondValue;
}

std::int16_t ValueOf(const core::MapSpecial& special, SpecialField field) {
  core::MapSpecial copy = special;
  return FieldOf(copy, field);
}

// Fills a plan from one special, control by control, in the order of the rebuild table.
class Planner {
 public:
  Planner(const core::MapSpecial& special, ListSizes sizes) : special_(special), sizes_(sizes) {}

  void caption(Caption c, std::string_view text) {
    plan.captions[static_cast<std::size_t>(c)] = std::string(text);
  }
  void box(Box b, SpecialField field, bool wholeText = false, bool leadingBlank = false) {
    BoxPlan& shown = plan.boxes[static_cast<std::size_t>(b)];
    shown = {true, field, ValueOf(special_, field), wholeText, leadingBlank};
  }
  void list(List l, ListSource source, SpecialField field, int firstCode = 0) {
    const int position = ValueOf(special_, field) - firstCode;
    const bool inList = position >= 0 && position < EntryCount(source, sizes_);
    plan.lists[static_cast<std::size_t>(l)] = {source, field, firstCode, inList ? position : -1};
  }

  ScreenPlan plan;

 private:
  const core::MapSpecial& special_;
  ListSizes sizes_;
};

// The map's text or long text that a Show Text or Show Long Text special shows; empty beyond.
std::string PreviewOf(const core::MapRecord& map, const core::MapSpecial& special) {
  const int t = special.Param1;
  if (special.Kind == ShowText && t >= 0 && t < core::MapTextCount) return map.Text(t);
  if (special.Kind == ShowLongText && t >= 0 && t < core::MapLongTextCount) return map.LongText(t);
  return {};
}

void PlanKindFields(Planner& p, const core::MapSpecial& s) {
  using enum Caption;
  switch (s.Kind) {
    case ExitToMap:
      p.caption(Label2, "Map");
      p.box(Box::Text1, SpecialField::Param1, true);
      p.caption(Label3, "MapX");
      p.caption(Label4, "MapY");
      p.box(Box::Text5, SpecialField::Param2, true);
      p.box(Box::Text6, SpecialField::Param3, true);
      p.caption(Label5, "Facing");
      p.list(List::Combo5, ListSource::ArrivalFacings, SpecialField::Param4);
      break;
    case ExitToBuilding:
      p.caption(Label2, "Building");
      p.list(List::Combo2, ListSource::Buildings, SpecialField::Param1);
      if (s.Param1 == Shop) {
        p.caption(Label3, "Shop");
        p.list(List::Combo3, ListSource::Shops, SpecialField::Param2, 1);
      } else if (s.Param1 == Temple) {
        p.caption(Label3, "Temple");
        p.list(List::Combo4, ListSource::Temples, SpecialField::Param2);
      }
      p.plan.keepsHiddenParameters = s.Param1 < 0 || s.Param1 >= 4;
      break;
    case DrawPicture:
    case ShowText:
    case ShowLongText:
      p.caption(Label2, s.Kind == DrawPicture ? "Pic Num." : "Text Num.");
      p.box(Box::Text1, SpecialField::Param1);
      p.caption(Label5, "When Facing");
      p.list(List::Combo5, ListSource::FacingMasks, SpecialField::Param2);
      p.plan.viewShown = s.Kind == DrawPicture;
      break;
    case Encounter:
      p.caption(Label2, "Number");
      p.box(Box::Text1, SpecialField::Param2);
      p.caption(Label4, "Creature");
      p.list(List::Combo3, ListSource::Creatures, SpecialField::Param1);
      p.caption(Label5, "Treasure");
      p.caption(Label9, "Gold");
      p.list(List::Combo5, ListSource::Items, SpecialField::Param3);
      p.box(Box::Text3, SpecialField::Param4);
      break;
    case SetFlag:
      p.caption(Label2, "Flag");
      p.box(Box::Text1, SpecialField::Param1);
      p.caption(Label4, "When");
      p.list(List::Combo3, ListSource::FlagTimings, SpecialField::Param2);
      p.caption(Label9, "Value");
      p.box(Box::Text3, SpecialField::Param3);
      break;
    case Reward:
      p.caption(Label4, "What");
      p.list(List::Combo3, ListSource::RewardKinds, SpecialField::Param1);
      if (s.Param1 == Experience || s.Param1 == Gold) {
        p.caption(Label5, "Who");
        p.list(List::Combo5, ListSource::RewardRecipients, SpecialField::Param3);
        p.caption(Label9, "How Much");
        p.box(Box::Text3, SpecialField::Param2, false, true);
      } else if (s.Param1 == ItemReward) {
        p.caption(Label5, "What");
        p.list(List::Combo5, ListSource::Items, SpecialField::Param3);
        p.caption(Label9, "How Many");
        p.box(Box::Text3, SpecialField::Param2, false, true);
      } else {
        p.plan.keepsHiddenParameters = true;
      }
      break;
    case core::NoSpecial:
      break;
    default:
      p.plan.keepsHiddenParameters = true;
      break;
  }
}

void PlanCondition(Planner& p, const core::MapSpecial& s) {
  if (s.Kind < 1) return;
  p.caption(Caption::Label6, "Flag");
  p.box(Box::Text2, SpecialField::CondFlag);
  if (s.CondFlag < 1) return;
  p.caption(Caption::Label7, "Condition");
  p.list(List::Combo7, ListSource::ConditionTests, SpecialField::CondTest);
  p.caption(Caption::Label10, "Value");
  p.box(Box::Text4, SpecialField::CondValue);
}

}  // namespace

std::vector<std::string_view> FixedEntries(ListSource source) {
  switch (source) {
    case ListSource::Buildings:
      return Entries(core::BuildingNames);
    case ListSource::Temples:
      return Entries(core::TempleNames);
    case ListSource::ArrivalFacings:
      return Entries(core::ArrivalFacingNames);
    case ListSource::FacingMasks:
      return Entries(core::FacingMaskNames);
    case ListSource::FlagTimings:
      return Entries(core::FlagTimingNames);
    case ListSource::RewardKinds:
      return Entries(core::RewardKindNames);
    case ListSource::RewardRecipients:
      return Entries(core::RewardRecipientNames);
    case ListSource::ConditionTests:
      return Entries(core::ConditionTestNames);
    case ListSource::None:
    case ListSource::Shops:
    case ListSource::Creatures:
    case ListSource::Items:
      break;
  }
  return {};
}

std::string BoxPlan::text() const {
  return leadingBlank ? core::NumberWithLeadingBlank(value) : core::PlainNumber(value);
}

ScreenPlan PlanScreen(const core::MapRecord& map, int index, ListSizes sizes) {
  const core::MapSpecial special = map.GetSpecial(index);
  Planner planner(special, sizes);
  planner.plan.kind = special.Kind;
  const bool kindListed =
      special.Kind >= 0 && special.Kind < static_cast<int>(core::SpecialKindNames.size());
  planner.plan.kindPosition = kindListed ? special.Kind : -1;
  PlanKindFields(planner, special);
  planner.caption(Caption::Label8, PreviewOf(map, special));
  PlanCondition(planner, special);
  return planner.plan;
}

StoreResult update_map_special(const core::MapSpecial& kept, const ScreenPlan& shown,
                               const ScreenReading& screen, std::int16_t x, std::int16_t y) {
  StoreResult result;
  core::MapSpecial& special = result.special;
  // A list left with no selection shows a stored code beyond it: that code stays.
  special.Kind =
      screen.kindPosition >= 0 ? static_cast<std::int16_t>(screen.kindPosition) : kept.Kind;
  special.SquareX = x;
  special.SquareY = y;
  if (special.Kind != kept.Kind) return result;

  if (shown.keepsHiddenParameters) {
    special.Param1 = kept.Param1;
    special.Param2 = kept.Param2;
    special.Param3 = kept.Param3;
    special.Param4 = kept.Param4;
    if (!shown.box(Box::Text2).shown) {
      special.CondFlag = kept.CondFlag;
      special.CondTest = kept.CondTest;
      special.CondValue = kept.CondValue;
    }
  }

  for (int l = 0; l < ListCount; ++l) {
    const ListPlan& list = shown.lists[static_cast<std::size_t>(l)];
    if (list.source == ListSource::None) continue;
    const int position = screen.positions[static_cast<std::size_t>(l)];
    FieldOf(special, list.field) = position >= 0
                                       ? static_cast<std::int16_t>(position + list.firstCode)
                                       : ValueOf(kept, list.field);
  }
  for (int b = 0; b < BoxCount; ++b) {
    const BoxPlan& box = shown.boxes[static_cast<std::size_t>(b)];
    if (!box.shown) continue;
    const std::string& text = screen.texts[static_cast<std::size_t>(b)];
    const core::NumberReading reading =
        box.wholeText ? core::ReadWholeNumber(text) : core::ReadLeadingNumber(text);
    if (reading.ok()) {
      FieldOf(special, box.field) = reading.value;
    } else {
      FieldOf(special, box.field) = ValueOf(kept, box.field);
      result.refused.push_back(static_cast<Box>(b));
    }
  }

  // A building that has just changed has no shop or temple chosen yet.
  if (special.Kind == ExitToBuilding && special.Param1 != kept.Param1) special.Param2 = 0;
  if (special.CondFlag <= 0 && !(shown.keepsHiddenParameters && !shown.box(Box::Text2).shown)) {
    special.CondTest = 0;
    special.CondValue = 0;
  }
  return result;
}

}  // namespace specials
