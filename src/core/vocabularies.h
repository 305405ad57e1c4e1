#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

// The fixed texts of the coded fields, in the order the windows list them. Unless a comment
// says otherwise, a text's position in its list is the code stored in the record.

// Looks up the text of `code` in a list whose position equals the code; empty outside it.
template <std::size_t N>
constexpr std::string_view TextOfCode(const std::array<std::string_view, N>& texts, int code) {
  if (code < 0 || static_cast<std::size_t>(code) >= N) {
    return {};
  }
  return texts[static_cast<std::size_t>(code)];
}

// --- Items ---

// ItemType (and UseCode of a non-scroll item): position p holds code p + 1. Codes 3, 6 and 9
// have no type and show as blank lines.
inline constexpr std::array<std::string_view, 11> ItemTypeTexts = {
    "Melee 1-Hd",  "Melee 2-Hd",   "", "Missile Weapon", "Ammo",         "",
    "Body Armour", "Hand Defense", "", "Misc.",          "Spell Scroll",
};
// The text of item type `code` (1..11); empty for any other code.
std::string_view ItemTypeText(int code);

// Class number n (1..8) at position n - 1; ProgClass of the progression file is that position.
inline constexpr std::array<std::string_view, 8> ClassNames = {
    "Fighter", "Thief", "Cleric", "Mage", "Berserker", "Ranger", "Paladin", "Merchant",
};
// The name of class number `classNumber` (1..8); empty for the unnamed and invalid ones.
std::string_view ClassName(int classNumber);

// EffectKind 0..10.
inline constexpr std::array<std::string_view, 11> EffectKindTexts = {
    "Nothing",
    "One Use Spell",
    "Many Use Spell",
    "When Attack Spell",
    "When Hit Spell",
    "One Use Effect",
    "Many Use Effect",
    "When Attack Effect",
    "When Hit Effect",
    "Stat Change When Held",
    "Stat Change When Equipped",
};

// Use-effect codes 0..9 (EffectWhat of kinds 5..8): as the effects list shows them and as the
// effect editor's choice list shows them.
inline constexpr std::array<std::string_view, 10> UseEffectListTexts = {
    "Healing", "Bless",  "Disease", "Berserk",  "Hide",
    "Armour",  "To Hit", "Speed",   "Strength", "Confuse",
};
inline constexpr std::array<std::string_view, 10> UseEffectEditorTexts = {
    "HEALING", "BLESS", "DISEASE", "BERSERK",  "HIDE",
    "ARMOUR",  "TOHIT", "SPEED",   "STRENGTH", "CONFUSE",
};

// Stat codes 0..8 (EffectWhat of kinds 9 and 10); 0 is "none" and shows as an empty text.
inline constexpr std::array<std::string_view, 9> StatTexts = {
    "",      "Strength", "Intelligence", "Piety", "Dexterity",
    "Speed", "Vitality", "Personality",  "Karma",
};

// --- Maps and map specials ---

// The kinds of a special entry, by the number its Kind field stores.
enum SpecialKind : std::int16_t {
  NoSpecial = 0,
  ExitToMap = 1,
  ExitToBuilding = 2,
  DrawPicture = 3,
  ShowText = 4,
  Encounter = 5,
  SetFlag = 6,
  ShowLongText = 7,
  Reward = 8,
};

inline constexpr std::array<std::string_view, 9> SpecialKindNames = {
    "Nothing",   "Exit to Map", "Exit to Building", "Draw Picture", "Show Text",
    "Encounter", "Set Flag",    "Show Long Text",   "Reward",
};

// Wall codes 0..7 of a side.
inline constexpr std::array<std::string_view, 8> WallNames = {
    "Nothing", "Wall1", "Wall2", "Wall3", "Wall4", "Wall5", "Door1", "Door2",
};

// Sides of a square, in the order of the bits of a square word.
inline constexpr std::array<std::string_view, 4> DirectionNames = {
    "North",
    "East",
    "South",
    "West",
};

// Param1 of an exit to a building.
inline constexpr std::array<std::string_view, 4> BuildingNames = {
    "Guildhall",
    "Shop",
    "Temple",
    "Review Board",
};

// Param2 of an exit to a temple.
inline constexpr std::array<std::string_view, 3> TempleNames = {"Light", "Luck", "Dark"};

// Param4 of an exit to a map: the party's facing on arrival.
inline constexpr std::array<std::string_view, 5> ArrivalFacingNames = {
    "No Change", "North", "East", "South", "West",
};

// The "When Facing" mask: bit 0 North, bit 1 East, bit 2 South, bit 3 West.
inline constexpr std::array<std::string_view, 16> FacingMaskNames = {
    "Doesn't Matter", "N",    "E",       "N, E", "S",       "N, S",    "E, S",       "N, E, S", "W",
    "N, W",           "E, W", "N, E, W", "S, W", "N, S, W", "E, S, W", "N, E, S, W",
};

// CondTest of a special's condition.
inline constexpr std::array<std::string_view, 6> ConditionTestNames = {
    "None", "When True", "When False", "When Equal", "When Less Than", "When Greater Than",
};

// Param2 of a Set Flag special.
inline constexpr std::array<std::string_view, 3> FlagTimingNames = {"Never", "Win Combat", "Now"};

// Param1 of a Reward special, and Param3 for experience and gold.
inline constexpr std::array<std::string_view, 3> RewardKindNames = {"Experience", "Gold", "Item"};
inline constexpr std::array<std::string_view, 2> RewardRecipientNames = {"Total", "Each"};

// --- Creatures ---

inline constexpr std::array<std::string_view, 4> CreatureTypeNames = {
    "Animal",
    "Mindless Undead",
    "Undead",
    "Water Element",
};

inline constexpr std::array<std::string_view, 3> SexNames = {"None", "Male", "Female"};

inline constexpr std::array<std::string_view, 3> HitPointScalingNames = {
    "None",
    "Add Dif",
    "Mult Dif",
};

// Save categories 0..5: the creature editor's labels (category 0 has none) and the spell
// editor's names for "Save Vs".
inline constexpr std::array<std::string_view, 6> SaveLabels = {
    "", "Para, Poi, Death:", "Rod, Staff, Wand:", "Pert, Poly:", "Breath Weapons:", "Spell:",
};
inline constexpr std::array<std::string_view, 6> SaveNames = {
    "None",
    "Paralyzation, Poison, Death",
    "Rod, Staff, Wand",
    "Pertification, Polymorph",
    "Breath Weapons",
    "Spell",
};

// The chance of a creature special: list text and stored Chance, in the order of the list.
struct SpecialChance {
  std::string_view text;
  std::int16_t code;
};
inline constexpr std::array<SpecialChance, 11> SpecialChances = {{
    {"Never", 0},
    {"Always", -1},
    {"10%", 10},
    {"20%", 20},
    {"30%", 30},
    {"40%", 40},
    {"50%", 50},
    {"60%", 60},
    {"70%", 70},
    {"80%", 80},
    {"90%", 90},
}};
// The list text of a stored Chance; empty for a value the list does not hold.
std::string_view SpecialChanceText(std::int16_t chance);
// The stored Chance of list position `position`; none for a position outside the list (a list
// with nothing selected changes nothing).
std::optional<std::int16_t> SpecialChanceCode(int position);

// Effect of a creature special.
inline constexpr std::array<std::string_view, 3> CreatureEffectNames = {
    "Nothing",
    "Cause Disease",
    "Cast Spell",
};

// --- Spells ---

inline constexpr std::array<std::string_view, 9> SpellTypeNames = {
    "Heal", "Harm", "Summon", "Armour", "To Hit", "Light", "Combat Speed", "Strength", "Confuse",
};

inline constexpr std::array<std::string_view, 7> SpellTargetNames = {
    "Self", "One", "Group", "CombatSelf", "CombatOne", "CombatGroup", "CombatAll",
};

inline constexpr std::array<std::string_view, 4> SaveEffectNames = {
    "1/2 Damage",
    "1/4 Damage",
    "3/4 Damage",
    "Negates",
};

// --- Shops ---

inline constexpr std::array<std::string_view, 2> ShopTypeNames = {"Equipment Shop", "Misc. Shop"};

}  // namespace core
