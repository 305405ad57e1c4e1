#include "core/item_record.h"

#include "core/packing.h"

#include <cassert>

namespace core {

namespace {

// The fields in file order: the one list that packing and unpacking share.
template <class Packer, class Record>
void PackedFields(Packer& packer, Record& item) {
  packer.Field(item.ItemNo);
  packer.Field(item.ItemName, ItemNameWidth);
  packer.Field(item.PluralName, ItemNameWidth);
  packer.Field(item.ItemType);
  packer.Field(item.UseCode);
  packer.Field(item.BonusAC);
  packer.Field(item.ArmourPercent);
  packer.Field(item.ToHit);
  packer.Field(item.ToHitPercent);
  packer.Field(item.DamageDice);
  packer.Field(item.DamageSides);
  packer.Field(item.DamageBonus);
  packer.Field(item.UsableBy);
  packer.Field(item.Speed);
  packer.Field(item.Cost);
  packer.Field(item.Effects.fileOrder());
}

}  // namespace

bool ItemRecord::HasEffects() const {
  for (int slot = 0; slot < SlotTable::SlotCount; ++slot) {
    if (Effect(slot, EffectField::Kind) > 0) {
      return true;
    }
  }
  return false;
}

void ItemRecord::pack(std::span<std::uint8_t> out) const {
  assert(out.size() >= PackedSize);
  PackWriter writer(out);
  PackedFields(writer, *this);
  assert(writer.offset() == PackedSize);
}

ItemRecord ItemRecord::unpack(std::span<const std::uint8_t> in) {
  ItemRecord item;
  unpack(in, item);
  return item;
}

void ItemRecord::unpack(std::span<const std::uint8_t> in, ItemRecord& into) {
  assert(in.size() >= PackedSize);
  PackReader reader(in);
  PackedFields(reader, into);
  assert(reader.offset() == PackedSize);
}

}  // namespace core
