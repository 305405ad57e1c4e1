// The demo equipment and the shops of Lanternfall that sell it.

#include "core/text.h"
#include "demodata/demo_catalogues.h"
#include "demodata/demo_classes.h"
#include "demodata/demo_ids.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace demodata {

namespace {

// Item type codes; 3, 6 and 9 have no name in the game's list but are valid codes.
enum ItemType : std::int16_t {
  Melee1Hd = 1,
  Melee2Hd = 2,
  UnnamedType3 = 3,
  Missile = 4,
  Ammo = 5,
  UnnamedType6 = 6,
  BodyArmour = 7,
  HandDefense = 8,
  UnnamedType9 = 9,
  Misc = 10,
  SpellScroll = 11,
};

enum EffectKind : std::int16_t {
  OneUseSpell = 1,
  ManyUseSpell,
  WhenAttackSpell,
  WhenHitSpell,
  OneUseEffect,
  ManyUseEffect,
  WhenAttackEffect,
  WhenHitEffect,
  StatWhenHeld,
  StatWhenEquipped,
};

enum UseEffect : std::int16_t {
  Healing = 0,
  Bless,
  Disease,
  Berserk,
  Hide,
  Armour,
  ToHit,
  Speed,
  Strength,
  Confuse,
};

enum Stat : std::int16_t {
  StatStrength = 1,
  StatIntelligence,
  StatPiety,
  StatDexterity,
  StatSpeed,
  StatVitality,
  StatPersonality,
  StatKarma,
};

struct Effect {
  std::int16_t kind;
  std::int16_t what;
  std::int16_t power;  // index 0..9 for the use effects; 0 for the others
};

Effect SpellEffect(EffectKind kind, SpellId spell) {
  return {kind, SpellListPosition(spell), 0};
}
Effect UseEffectOf(EffectKind kind, UseEffect what, std::int16_t powerIndex) {
  return {kind, what, powerIndex};
}
Effect StatEffect(EffectKind kind, Stat stat) {
  return {kind, stat, 0};
}

struct Dice {
  std::int16_t count = 0, sides = 0, bonus = 0;
};

struct ItemSpec {
  ItemId id;
  const char* name;
  const char* plural;
  ItemType type;
  std::int16_t useCode;  // item type used, or the spell number of a scroll
  std::array<std::int16_t, core::UsableByCount> usableBy;
  std::int16_t cost;
  Dice damage{};
  std::int16_t toHit = 0, toHitPercent = 0, bonusAC = 0, armourPercent = 0, speed = 0;
  std::vector<Effect> effects = {};
};

core::ItemRecord MakeItem(const ItemSpec& row) {
  assert(std::strlen(row.name) <= core::ItemNameWidth);
  assert(std::strlen(row.plural) <= core::ItemNameWidth);
  core::ItemRecord item;
  item.ItemNo = row.id;
  item.ItemName = core::FixedText(row.name, core::ItemNameWidth);
  item.PluralName = core::FixedText(row.plural, core::ItemNameWidth);
  item.ItemType = row.type;
  item.UseCode = row.useCode;
  item.BonusAC = row.bonusAC;
  item.ArmourPercent = row.armourPercent;
  item.ToHit = row.toHit;
  item.ToHitPercent = row.toHitPercent;
  item.DamageDice = row.damage.count;
  item.DamageSides = row.damage.sides;
  item.DamageBonus = row.damage.bonus;
  item.UsableBy = row.usableBy;
  item.Speed = row.speed;
  item.Cost = row.cost;
  int slot = 0;
  for (const Effect& effect : row.effects) {
    item.SetEffect(slot, core::EffectField::Kind, effect.kind);
    item.SetEffect(slot, core::EffectField::What, effect.what);
    item.SetEffect(slot, core::EffectField::Power, effect.power);
    ++slot;
  }
  return item;
}

}  // namespace

std::vector<core::ItemRecord> DemoItems() {
  const auto blades = UsableBy({Fighter, Thief, Berserker, Ranger, Paladin, Merchant});
  const auto casters = UsableBy({Cleric, Mage, Paladin, Ranger});
  const ItemSpec rows[] = {
      {.id = ShortSword,
       .name = "Short Sword",
       .plural = "Short Swords",
       .type = Melee1Hd,
       .useCode = 0,
       .usableBy = blades,
       .cost = 12,
       .damage = {1, 6, 0},
       .speed = 2},
      {.id = ReedCutterAxe,
       .name = "Reed-Cutter Axe",
       .plural = "Reed-Cutter Axes",
       .type = Melee2Hd,
       .useCode = 0,
       .usableBy = UsableBy({Fighter, Berserker}),
       .cost = 30,
       .damage = {1, 10, 1},
       .toHitPercent = -5,
       .speed = 4,
       .effects = {UseEffectOf(WhenAttackEffect, Berserk, 2)}},
      {.id = BoneHook,
       .name = "Bone Hook",
       .plural = "Bone Hooks",
       .type = UnnamedType3,
       .useCode = 0,
       .usableBy = UsableBy({Thief, Ranger}),
       .cost = 3,
       .damage = {1, 3, 0}},
      {.id = FenLongbow,
       .name = "Fen Longbow",
       .plural = "Fen Longbows",
       .type = Missile,
       .useCode = Ammo,
       .usableBy = UsableBy({Fighter, Ranger, Thief}),
       .cost = 45,
       .damage = {1, 8, 0},
       .toHit = 1,
       .speed = 3},
      {.id = ReedArrows,
       .name = "Reed Arrow",
       .plural = "Reed Arrows",
       .type = Ammo,
       .useCode = 0,
       .usableBy = UsableBy({Fighter, Ranger, Thief}),
       .cost = 1,
       .damage = {0, 0, 1}},
      {.id = GlassBead,
       .name = "Glass Bead",
       .plural = "Glass Beads",
       .type = UnnamedType6,
       .useCode = 0,
       .usableBy = UsableByAll(),
       .cost = 2},
      {.id = EelskinJerkin,
       .name = "Eelskin Jerkin",
       .plural = "Eelskin Jerkins",
       .type = BodyArmour,
       .useCode = 0,
       .usableBy = UsableBy({Fighter, Thief, Ranger, Merchant}),
       .cost = 40,
       .bonusAC = 2,
       .armourPercent = 10,
       .effects = {StatEffect(StatWhenEquipped, StatDexterity)}},
      {.id = TinBuckler,
       .name = "Tin Buckler",
       .plural = "Tin Bucklers",
       .type = HandDefense,
       .useCode = 0,
       .usableBy = UsableBy({Fighter, Cleric, Paladin, Berserker}),
       .cost = 15,
       .bonusAC = 1,
       .armourPercent = 5},
      {.id = LampOil,
       .name = "Flask of Lamp Oil",
       .plural = "Flasks of Lamp Oil",
       .type = UnnamedType9,
       .useCode = 0,
       .usableBy = UsableByAll(),
       .cost = 2},
      {.id = TallowLantern,
       .name = "Tallow Lantern",
       .plural = "Tallow Lanterns",
       .type = Misc,
       .useCode = UnnamedType9,
       .usableBy = UsableByAll(),
       .cost = 8,
       .effects = {SpellEffect(ManyUseSpell, LanternGlow)}},
      {.id = ScrollOfEmbers,
       .name = "Scroll of Embers",
       .plural = "Scrolls of Embers",
       .type = SpellScroll,
       .useCode = EmberDart,
       .usableBy = UsableBy({Mage, Ranger}),
       .cost = 60},
      {.id = ScrollOfMending,
       .name = "Scroll of Mending",
       .plural = "Scrolls of Mending",
       .type = SpellScroll,
       .useCode = MendFlesh,
       .usableBy = UsableBy({Cleric, Paladin}),
       .cost = 50},
      {.id = HealingDraught,
       .name = "Healing Draught",
       .plural = "Healing Draughts",
       .type = Misc,
       .useCode = 0,
       .usableBy = UsableByAll(),
       .cost = 25,
       .effects = {UseEffectOf(OneUseEffect, Healing, 4)}},
      {.id = RingOfTheHeron,
       .name = "Ring of the Heron",
       .plural = "Rings of the Heron",
       .type = Misc,
       .useCode = 0,
       .usableBy = UsableByAll(),
       .cost = 400,
       .effects = {StatEffect(StatWhenHeld, StatSpeed), UseEffectOf(ManyUseEffect, Hide, 1),
                   UseEffectOf(ManyUseEffect, Speed, 3)}},
      {.id = WardensMace,
       .name = "Warden's Mace",
       .plural = "Wardens' Maces",
       .type = Melee1Hd,
       .useCode = 0,
       .usableBy = UsableBy({Cleric, Paladin, Fighter}),
       .cost = 220,
       .damage = {2, 4, 1},
       .toHit = 2,
       .toHitPercent = 10,
       .speed = 3,
       .effects = {SpellEffect(WhenAttackSpell, EmberDart), SpellEffect(WhenHitSpell, MendFlesh),
                   UseEffectOf(WhenHitEffect, Armour, 3), UseEffectOf(WhenAttackEffect, ToHit, 6)}},
      {.id = AmuletOfKarma,
       .name = "Amulet of Karma",
       .plural = "Amulets of Karma",
       .type = Misc,
       .useCode = 0,
       .usableBy = casters,
       .cost = 650,
       .effects = {StatEffect(StatWhenEquipped, StatKarma), StatEffect(StatWhenHeld, StatPiety),
                   StatEffect(StatWhenEquipped, StatIntelligence),
                   StatEffect(StatWhenEquipped, StatPersonality),
                   StatEffect(StatWhenHeld, StatVitality),
                   StatEffect(StatWhenEquipped, StatStrength),
                   UseEffectOf(OneUseEffect, Bless, 9)}},
      {.id = ScrollOfTidecall,
       .name = "Scroll of Tidecall",
       .plural = "Scrolls of Tidecall",
       .type = SpellScroll,
       .useCode = Tidecall,
       .usableBy = UsableBy({Mage, Cleric}),
       .cost = 180},
      {.id = PlagueCenser,
       .name = "Plague Censer",
       .plural = "Plague Censers",
       .type = Misc,
       .useCode = UnnamedType9,
       .usableBy = UsableBy({Cleric, Mage}),
       .cost = 310,
       .effects = {SpellEffect(OneUseSpell, MistOfFolly), UseEffectOf(WhenHitEffect, Disease, 0),
                   UseEffectOf(ManyUseEffect, Confuse, 5), UseEffectOf(OneUseEffect, Strength, 7)}},
  };
  std::vector<core::ItemRecord> items;
  for (const ItemSpec& row : rows) items.push_back(MakeItem(row));
  return items;
}

std::vector<core::ShopRecord> DemoShops() {
  struct ShopSpec {
    ShopId id;
    std::int16_t type;  // 0 "Equipment Shop", 1 "Misc. Shop"
    const char* name;
    std::vector<ItemId> stock;
  };
  const ShopSpec rows[] = {
      {LanternfallArmoury,
       0,
       "Lanternfall Armoury",
       {ShortSword, ReedCutterAxe, FenLongbow, ReedArrows, EelskinJerkin, TinBuckler, WardensMace}},
      {DrownedQuill,
       1,
       "The Drowned Quill",
       {ScrollOfEmbers, ScrollOfMending, ScrollOfTidecall, HealingDraught}},
      {HeronAndHook,
       1,
       "Heron and Hook Sundries",
       {TallowLantern, LampOil, HealingDraught, GlassBead, RingOfTheHeron, BoneHook}},
      {GravelStreetSmithy,
       0,
       "Gravel Street Smithy",
       {ShortSword, BoneHook, TinBuckler, EelskinJerkin, ReedArrows}},
      {ReliquaryPedlar,
       1,
       "The Reliquary Pedlar",
       {AmuletOfKarma, PlagueCenser, HealingDraught, ScrollOfMending}},
  };
  std::vector<core::ShopRecord> shops;
  for (const ShopSpec& row : rows) {
    assert(std::strlen(row.name) <= core::ShopNameWidth);
    core::ShopRecord shop;
    shop.ShopNo = row.id;
    shop.ShopType = row.type;
    shop.ShopName = core::FixedText(row.name, core::ShopNameWidth);
    std::size_t position = 0;
    for (ItemId item : row.stock) shop.Stock[position++] = item;
    shops.push_back(shop);
  }
  return shops;
}

}  // namespace demodata
