#pragma once

#include "core/definitions.h"

#include <QString>

namespace equipment {

// Kinds 1..4 hold a spell in EffectWhat as its place in the spell list: spell number - 1.
inline constexpr int EffectSpellBase = core::SpellListBase;

// The texts of the effects list for slot `slot` of the item working record. Spell names come
// from the name cache and never touch the spell working record.
QString EquipEffectSpellUseDisplay(const core::ModDefinitions& defs, int slot);
QString EquipEffectUseDisplay(const core::ModDefinitions& defs, int slot);
QString EquipEffectStatChangeDisplay(const core::ModDefinitions& defs, int slot);

// The "Type" text of a kind: its name, or the bare number for a kind this program does not know.
QString EffectKindDisplay(int kind);
// The "Effect" text of a slot, by its kind.
QString EffectDisplay(const core::ModDefinitions& defs, int slot);

}  // namespace equipment
