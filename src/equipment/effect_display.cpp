#include "equipment/effect_display.h"

#include "core/vocabularies.h"
#include "ui/controls.h"

namespace equipment {

namespace {

std::int16_t What(const core::ModDefinitions& defs, int slot) {
  return defs.Item.Effect(slot, core::EffectField::What);
}

}  // namespace

QString EquipEffectSpellUseDisplay(const core::ModDefinitions& defs, int slot) {
  const long spell = long{What(defs, slot)} + EffectSpellBase;
  if (spell < 1 || spell > defs.SpellCount) return {};
  return ui::ToShownText(defs.SpellName(spell));
}

QString EquipEffectUseDisplay(const core::ModDefinitions& defs, int slot) {
  return ui::ToQString(core::TextOfCode(core::UseEffectListTexts, What(defs, slot)));
}

QString EquipEffectStatChangeDisplay(const core::ModDefinitions& defs, int slot) {
  return ui::ToQString(core::TextOfCode(core::StatTexts, What(defs, slot)));
}

QString EffectKindDisplay(int kind) {
  if (kind >= 0 && kind < static_cast<int>(core::EffectKindTexts.size()))
    return ui::ToQString(core::EffectKindTexts[static_cast<std::size_t>(kind)]);
  return QString::number(kind);
}

QString EffectDisplay(const core::ModDefinitions& defs, int slot) {
  const int kind = defs.Item.Effect(slot, core::EffectField::Kind);
  if (kind >= 1 && kind <= 4) return EquipEffectSpellUseDisplay(defs, slot);
  if (kind >= 5 && kind <= 8) return EquipEffectUseDisplay(defs, slot);
  if (kind == 9 || kind == 10) return EquipEffectStatChangeDisplay(defs, slot);
  return {};
}

}  // namespace equipment
