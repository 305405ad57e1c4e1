#include "core/spell_record.h"

#include "core/packing.h"

#include <cassert>

namespace core {

void SpellRecord::pack(std::span<std::uint8_t> out) const {
  assert(out.size() >= PackedSize);
  PackWriter writer(out);
  writer.Integer(SpellNo);
  writer.Text(SpellName, SpellNameWidth);
  writer.Integer(CastLevel);
  writer.Integer(Speed);
  writer.Integer(SpellType);
  writer.Integer(Target);
  writer.Integers(UsableBy);
  writer.Integer(CastCost);
  writer.Integer(CastChance);
  writer.Integer(ChancePerLevel);
  writer.Integer(DamageDice);
  writer.Integer(DamageSides);
  writer.Integer(DamageBonus);
  writer.Integer(LevelDamageDice);
  writer.Integer(LevelDamageSides);
  writer.Integer(LevelDamageBonus);
  writer.Integer(DurationDice);
  writer.Integer(DurationSides);
  writer.Integer(DurationBonus);
  writer.Integer(LevelDurationDice);
  writer.Integer(LevelDurationSides);
  writer.Integer(LevelDurationBonus);
  writer.Integer(SaveVs);
  writer.Integer(SaveEffect);
  writer.Integers(SpellSpecials.fileOrder());
  writer.Text(DamageDesc, DamageDescWidth);
  writer.Text(Description, DescriptionWidth);
  assert(writer.offset() == PackedSize);
}

SpellRecord SpellRecord::unpack(std::span<const std::uint8_t> in) {
  assert(in.size() >= PackedSize);
  SpellRecord spell;
  PackReader reader(in);
  spell.SpellNo = reader.Integer();
  spell.SpellName = reader.Text(SpellNameWidth);
  spell.CastLevel = reader.Integer();
  spell.Speed = reader.Integer();
  spell.SpellType = reader.Integer();
  spell.Target = reader.Integer();
  reader.Integers(spell.UsableBy);
  spell.CastCost = reader.Integer();
  spell.CastChance = reader.Integer();
  spell.ChancePerLevel = reader.Integer();
  spell.DamageDice = reader.Integer();
  spell.DamageSides = reader.Integer();
  spell.DamageBonus = reader.Integer();
  spell.LevelDamageDice = reader.Integer();
  spell.LevelDamageSides = reader.Integer();
  spell.LevelDamageBonus = reader.Integer();
  spell.DurationDice = reader.Integer();
  spell.DurationSides = reader.Integer();
  spell.DurationBonus = reader.Integer();
  spell.LevelDurationDice = reader.Integer();
  spell.LevelDurationSides = reader.Integer();
  spell.LevelDurationBonus = reader.Integer();
  spell.SaveVs = reader.Integer();
  spell.SaveEffect = reader.Integer();
  reader.Integers(spell.SpellSpecials.fileOrder());
  spell.DamageDesc = reader.Text(DamageDescWidth);
  spell.Description = reader.Text(DescriptionWidth);
  assert(reader.offset() == PackedSize);
  return spell;
}

}  // namespace core
