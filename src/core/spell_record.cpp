#include "core/spell_record.h"

#include "core/packing.h"

#include <cassert>

namespace core {

namespace {

// The fields in file order: the one list that packing and unpacking share.
template <class Packer, class Record>
void PackedFields(Packer& packer, Record& spell) {
  packer.Field(spell.SpellNo);
  packer.Field(spell.SpellName, SpellNameWidth);
  packer.Field(spell.CastLevel);
  packer.Field(spell.Speed);
  packer.Field(spell.SpellType);
  packer.Field(spell.Target);
  packer.Field(spell.UsableBy);
  packer.Field(spell.CastCost);
  packer.Field(spell.CastChance);
  packer.Field(spell.ChancePerLevel);
  packer.Field(spell.DamageDice);
  packer.Field(spell.DamageSides);
  packer.Field(spell.DamageBonus);
  packer.Field(spell.LevelDamageDice);
  packer.Field(spell.LevelDamageSides);
  packer.Field(spell.LevelDamageBonus);
  packer.Field(spell.DurationDice);
  packer.Field(spell.DurationSides);
  packer.Field(spell.DurationBonus);
  packer.Field(spell.LevelDurationDice);
  packer.Field(spell.LevelDurationSides);
  packer.Field(spell.LevelDurationBonus);
  packer.Field(spell.SaveVs);
  packer.Field(spell.SaveEffect);
  packer.Field(spell.SpellSpecials.fileOrder());
  packer.Field(spell.DamageDesc, DamageDescWidth);
  packer.Field(spell.Description, DescriptionWidth);
}

}  // namespace

void SpellRecord::pack(std::span<std::uint8_t> out) const {
  assert(out.size() >= PackedSize);
  PackWriter writer(out);
  PackedFields(writer, *this);
  assert(writer.offset() == PackedSize);
}

SpellRecord SpellRecord::unpack(std::span<const std::uint8_t> in) {
  SpellRecord spell;
  unpack(in, spell);
  return spell;
}

void SpellRecord::unpack(std::span<const std::uint8_t> in, SpellRecord& into) {
  assert(in.size() >= PackedSize);
  PackReader reader(in);
  PackedFields(reader, into);
  assert(reader.offset() == PackedSize);
}

// SpellNo and SpellName are the first two fields.
std::int16_t SpellRecord::NumberIn(std::span<const std::uint8_t> in) {
  return IntegerAt(in, 0);
}

std::string_view SpellRecord::NameIn(std::span<const std::uint8_t> in) {
  assert(in.size() >= 2 + SpellNameWidth);
  return {reinterpret_cast<const char*>(in.data() + 2), SpellNameWidth};
}

}  // namespace core
