#include "core/creature_record.h"

#include "core/packing.h"

#include <cassert>
#include <cmath>

namespace core {

namespace {

// The fields in file order: the one list that packing and unpacking share.
template <class Packer, class Record>
void PackedFields(Packer& packer, Record& creature) {
  packer.Field(creature.CreatureNo);
  packer.Field(creature.CreatureName, CreatureNameWidth);
  packer.Field(creature.PluralName, CreatureNameWidth);
  packer.Field(creature.CreatureType);
  packer.Field(creature.Sex);
  packer.Field(creature.Bitmap);
  packer.Field(creature.HitDice);
  packer.Field(creature.HitSides);
  packer.Field(creature.HitBonus);
  packer.Field(creature.Level);
  packer.Field(creature.HitPointScaling);
  packer.Field(creature.MagicPoints);
  packer.Field(creature.DamageDice);
  packer.Field(creature.DamageSides);
  packer.Field(creature.DamageBonus);
  packer.Field(creature.Speed);
  packer.Field(creature.Attack);
  packer.Field(creature.Defence);
  packer.Field(creature.Karma);
  packer.Field(creature.Intelligence);
  packer.Field(creature.Saves);
  packer.Field(creature.CreatureSpecials.fileOrder());
  packer.Field(creature.GoldDice);
  packer.Field(creature.GoldSides);
  packer.Field(creature.GoldBonus);
  packer.Field(creature.Experience);
  packer.Field(creature.ExperiencePerHit);
}

}  // namespace

void CreatureRecord::pack(std::span<std::uint8_t> out) const {
  assert(out.size() >= PackedSize);
  PackWriter writer(out);
  PackedFields(writer, *this);
  assert(writer.offset() == PackedSize);
}

CreatureRecord CreatureRecord::unpack(std::span<const std::uint8_t> in) {
  CreatureRecord creature;
  unpack(in, creature);
  return creature;
}

void CreatureRecord::unpack(std::span<const std::uint8_t> in, CreatureRecord& into) {
  assert(in.size() >= PackedSize);
  PackReader reader(in);
  PackedFields(reader, into);
  assert(reader.offset() == PackedSize);
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
