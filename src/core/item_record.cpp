#include "core/item_record.h"

#include "core/packing.h"

#include <cassert>

namespace core {

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
  writer.Integer(ItemNo);
  writer.Text(ItemName, ItemNameWidth);
  writer.Text(PluralName, ItemNameWidth);
  writer.Integer(ItemType);
  writer.Integer(UseCode);
  writer.Integer(BonusAC);
  writer.Integer(ArmourPercent);
  writer.Integer(ToHit);
  writer.Integer(ToHitPercent);
  writer.Integer(DamageDice);
  writer.Integer(DamageSides);
  writer.Integer(DamageBonus);
  writer.Integers(UsableBy);
  writer.Integer(Speed);
  writer.Integer(Cost);
  writer.Integers(Effects.fileOrder());
  assert(writer.offset() == PackedSize);
}

ItemRecord ItemRecord::unpack(std::span<const std::uint8_t> in) {
  assert(in.size() >= PackedSize);
  ItemRecord item;
  PackReader reader(in);
  item.ItemNo = reader.Integer();
  item.ItemName = reader.Text(ItemNameWidth);
  item.PluralName = reader.Text(ItemNameWidth);
  item.ItemType = reader.Integer();
  item.UseCode = reader.Integer();
  item.BonusAC = reader.Integer();
  item.ArmourPercent = reader.Integer();
  item.ToHit = reader.Integer();
  item.ToHitPercent = reader.Integer();
  item.DamageDice = reader.Integer();
  item.DamageSides = reader.Integer();
  item.DamageBonus = reader.Integer();
  reader.Integers(item.UsableBy);
  item.Speed = reader.Integer();
  item.Cost = reader.Integer();
  reader.Integers(item.Effects.fileOrder());
  assert(reader.offset() == PackedSize);
  return item;
}

}  // namespace core
