#include "core/creature_record.h"

#include "core/packing.h"

#include <cassert>
#include <cmath>

namespace core {

void CreatureRecord::pack(std::span<std::uint8_t> out) const {
  assert(out.size() >= PackedSize);
  PackWriter writer(out);
  writer.Integer(CreatureNo);
  writer.Text(CreatureName, CreatureNameWidth);
  writer.Text(PluralName, CreatureNameWidth);
  writer.Integer(CreatureType);
  writer.Integer(Sex);
  writer.Integer(Bitmap);
  writer.Integer(HitDice);
  writer.Integer(HitSides);
  writer.Integer(HitBonus);
  writer.Integer(Level);
  writer.Integer(HitPointScaling);
  writer.Integer(MagicPoints);
  writer.Integer(DamageDice);
  writer.Integer(DamageSides);
  writer.Integer(DamageBonus);
  writer.Integer(Speed);
  writer.Integer(Attack);
  writer.Integer(Defence);
  writer.Integer(Karma);
  writer.Integer(Intelligence);
  writer.Integers(Saves);
  writer.Integers(CreatureSpecials.fileOrder());
  writer.Integer(GoldDice);
  writer.Integer(GoldSides);
  writer.Integer(GoldBonus);
  writer.Integer(Experience);
  writer.Integer(ExperiencePerHit);
  assert(writer.offset() == PackedSize);
}

CreatureRecord CreatureRecord::unpack(std::span<const std::uint8_t> in) {
  assert(in.size() >= PackedSize);
  CreatureRecord creature;
  PackReader reader(in);
  creature.CreatureNo = reader.Integer();
  creature.CreatureName = reader.Text(CreatureNameWidth);
  creature.PluralName = reader.Text(CreatureNameWidth);
  creature.CreatureType = reader.Integer();
  creature.Sex = reader.Integer();
  creature.Bitmap = reader.Integer();
  creature.HitDice = reader.Integer();
  creature.HitSides = reader.Integer();
  creature.HitBonus = reader.Integer();
  creature.Level = reader.Integer();
  creature.HitPointScaling = reader.Integer();
  creature.MagicPoints = reader.Integer();
  creature.DamageDice = reader.Integer();
  creature.DamageSides = reader.Integer();
  creature.DamageBonus = reader.Integer();
  creature.Speed = reader.Integer();
  creature.Attack = reader.Integer();
  creature.Defence = reader.Integer();
  creature.Karma = reader.Integer();
  creature.Intelligence = reader.Integer();
  reader.Integers(creature.Saves);
  reader.Integers(creature.CreatureSpecials.fileOrder());
  creature.GoldDice = reader.Integer();
  creature.GoldSides = reader.Integer();
  creature.GoldBonus = reader.Integer();
  creature.Experience = reader.Integer();
  creature.ExperiencePerHit = reader.Integer();
  assert(reader.offset() == PackedSize);
  return creature;
}

long AverageHits(const CreatureRecord& creature) {
  // Sides halved first, the product rounded down (toward minus infinity), then the bonus.
  const double product = (static_cast<double>(creature.HitSides) / 2.0) * creature.HitDice;
  return static_cast<long>(std::floor(product)) + creature.HitBonus;
}

double AverageExp(const CreatureRecord& creature) {
  return static_cast<double>(creature.Experience) + static_cast<double>(creature.ExperiencePerHit) *
                                                        static_cast<double>(AverageHits(creature));
}

bool HasSpecialEffects(const CreatureRecord& creature) {
  for (int slot = 0; slot < SlotTable::SlotCount; ++slot) {
    if (creature.CreatureSpecial(slot, SpecialSlotField::Chance) != 0) {
      return true;
    }
  }
  return false;
}

}  // namespace core
