#pragma once

// The members of each catalogue entry in the text form: one per field, named and ordered as the
// record names and stores them. The writer and the reader go through the same list.

#include "core/catalogue_records.h"
#include "textform/field_form.h"

#include <type_traits>

namespace textform {

inline constexpr TableColumns EffectColumns = {"Kind", "What", "Power"};
inline constexpr TableColumns SpecialSlotColumns = {"Chance", "Effect", "Power"};

template <class Visitor, class Item>
void ItemFields(Visitor& v, Item& item) {
  v.Integer("ItemNo", item.ItemNo);
  v.Text("ItemName", item.ItemName, core::ItemNameWidth);
  v.Text("PluralName", item.PluralName, core::ItemNameWidth);
  v.Integer("ItemType", item.ItemType);
  v.Integer("UseCode", item.UseCode);
  v.Integer("BonusAC", item.BonusAC);
  v.Integer("ArmourPercent", item.ArmourPercent);
  v.Integer("ToHit", item.ToHit);
  v.Integer("ToHitPercent", item.ToHitPercent);
  v.Integer("DamageDice", item.DamageDice);
  v.Integer("DamageSides", item.DamageSides);
  v.Integer("DamageBonus", item.DamageBonus);
  v.Integers("UsableBy", item.UsableBy);
  v.Integer("Speed", item.Speed);
  v.Integer("Cost", item.Cost);
  v.Table("Effects", item.Effects, EffectColumns);
}

template <class Visitor, class Shop>
void ShopFields(Visitor& v, Shop& shop) {
  v.Integer("ShopNo", shop.ShopNo);
  v.Integer("ShopType", shop.ShopType);
  v.Text("ShopName", shop.ShopName, core::ShopNameWidth);
  v.Integers("Stock", shop.Stock);
}

template <class Visitor, class Creature>
void CreatureFields(Visitor& v, Creature& c) {
  v.Integer("CreatureNo", c.CreatureNo);
  v.Text("CreatureName", c.CreatureName, core::CreatureNameWidth);
  v.Text("PluralName", c.PluralName, core::CreatureNameWidth);
  v.Integer("CreatureType", c.CreatureType);
  v.Integer("Sex", c.Sex);
  v.Integer("Bitmap", c.Bitmap);
  v.Integer("HitDice", c.HitDice);
  v.Integer("HitSides", c.HitSides);
  v.Integer("HitBonus", c.HitBonus);
  v.Integer("Level", c.Level);
  v.Integer("HitPointScaling", c.HitPointScaling);
  v.Integer("MagicPoints", c.MagicPoints);
  v.Integer("DamageDice", c.DamageDice);
  v.Integer("DamageSides", c.DamageSides);
  v.Integer("DamageBonus", c.DamageBonus);
  v.Integer("Speed", c.Speed);
  v.Integer("Attack", c.Attack);
  v.Integer("Defence", c.Defence);
  v.Integer("Karma", c.Karma);
  v.Integer("Intelligence", c.Intelligence);
  v.Integers("Saves", c.Saves);
  v.Table("CreatureSpecials", c.CreatureSpecials, SpecialSlotColumns);
  v.Integer("GoldDice", c.GoldDice);
  v.Integer("GoldSides", c.GoldSides);
  v.Integer("GoldBonus", c.GoldBonus);
  v.Integer("Experience", c.Experience);
  v.Integer("ExperiencePerHit", c.ExperiencePerHit);
}

template <class Visitor, class Spell>
void SpellFields(Visitor& v, Spell& s) {
  v.Integer("SpellNo", s.SpellNo);
  v.Text("SpellName", s.SpellName, core::SpellNameWidth);
  v.Integer("CastLevel", s.CastLevel);
  v.Integer("Speed", s.Speed);
  v.Integer("SpellType", s.SpellType);
  v.Integer("Target", s.Target);
  v.Integers("UsableBy", s.UsableBy);
  v.Integer("CastCost", s.CastCost);
  v.Integer("CastChance", s.CastChance);
  v.Integer("ChancePerLevel", s.ChancePerLevel);
  v.Integer("DamageDice", s.DamageDice);
  v.Integer("DamageSides", s.DamageSides);
  v.Integer("DamageBonus", s.DamageBonus);
  v.Integer("LevelDamageDice", s.LevelDamageDice);
  v.Integer("LevelDamageSides", s.LevelDamageSides);
  v.Integer("LevelDamageBonus", s.LevelDamageBonus);
  v.Integer("DurationDice", s.DurationDice);
  v.Integer("DurationSides", s.DurationSides);
  v.Integer("DurationBonus", s.DurationBonus);
  v.Integer("LevelDurationDice", s.LevelDurationDice);
  v.Integer("LevelDurationSides", s.LevelDurationSides);
  v.Integer("LevelDurationBonus", s.LevelDurationBonus);
  v.Integer("SaveVs", s.SaveVs);
  v.Integer("SaveEffect", s.SaveEffect);
  v.Table("SpellSpecials", s.SpellSpecials, SpecialSlotColumns);
  v.Text("DamageDesc", s.DamageDesc, core::DamageDescWidth);
  v.Text("Description", s.Description, core::DescriptionWidth);
}

template <class Visitor, class Prog>
void SpellProgFields(Visitor& v, Prog& p) {
  v.Integer("ProgNo", p.ProgNo);
  v.Integer("ProgClass", p.ProgClass);
  v.Integer("ProgLevel", p.ProgLevel);
  v.Integer("ProgSpell", p.ProgSpell);
  v.Integer("ProgReplaces", p.ProgReplaces);
}

// Each catalogue's field list, by record type.
template <class Visitor, class Record>
void EntryFields(Visitor& v, Record& r) {
  using Plain = std::remove_const_t<Record>;
  if constexpr (std::is_same_v<Plain, core::ItemRecord>) {
    ItemFields(v, r);
  } else if constexpr (std::is_same_v<Plain, core::ShopRecord>) {
    ShopFields(v, r);
  } else if constexpr (std::is_same_v<Plain, core::CreatureRecord>) {
    CreatureFields(v, r);
  } else if constexpr (std::is_same_v<Plain, core::SpellRecord>) {
    SpellFields(v, r);
  } else {
    static_assert(std::is_same_v<Plain, core::SpellProgRecord>);
    SpellProgFields(v, r);
  }
}

}  // namespace textform
