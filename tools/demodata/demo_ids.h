#pragma once

#include <cstdint>

// Entry numbers of the demo catalogues, so that maps, shops, items, creatures and the spell
// progression refer to one another by name. Each list is in entry order from 1.
namespace demodata {

enum SpellId : std::int16_t {
  MendFlesh = 1,
  EmberDart,
  CallMarshHound,
  BarkSkin,
  KeenEye,
  LanternGlow,
  Quickstep,
  OxMight,
  MistOfFolly,
  FrostGale,
  GraveRot,
  StoneGaze,
  WandEcho,
  GreaterMending,
  BattleCry,
  ShadowVeil,
  Tidecall,
  CoinSense,
  SpellIdEnd
};
inline constexpr int DemoSpellCount = SpellIdEnd - 1;

enum ItemId : std::int16_t {
  ShortSword = 1,
  ReedCutterAxe,
  BoneHook,
  FenLongbow,
  ReedArrows,
  GlassBead,
  EelskinJerkin,
  TinBuckler,
  LampOil,
  TallowLantern,
  ScrollOfEmbers,
  ScrollOfMending,
  HealingDraught,
  RingOfTheHeron,
  WardensMace,
  AmuletOfKarma,
  ScrollOfTidecall,
  PlagueCenser,
  ItemIdEnd
};
inline constexpr int DemoItemCount = ItemIdEnd - 1;

enum ShopId : std::int16_t {
  LanternfallArmoury = 1,
  DrownedQuill,
  HeronAndHook,
  GravelStreetSmithy,
  ReliquaryPedlar,
  ShopIdEnd
};
inline constexpr int DemoShopCount = ShopIdEnd - 1;

enum CreatureId : std::int16_t {
  MarshHound = 1,
  BogLurker,
  HollowSentinel,
  DrownedPriest,
  ReedWitch,
  GlassEel,
  CarrionHeron,
  BoneRattler,
  TideWraith,
  MireToad,
  LampreySwarm,
  SiltGolem,
  CreatureIdEnd
};
inline constexpr int DemoCreatureCount = CreatureIdEnd - 1;

// Item effect slots and creature "Cast Spell" specials hold a spell as its position in the
// editors' spell lists, that is the spell number less one; the editors read it back the same way.
constexpr std::int16_t SpellListPosition(SpellId spell) {
  return static_cast<std::int16_t>(spell - 1);
}

}  // namespace demodata
