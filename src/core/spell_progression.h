#pragma once

#include "core/catalogue.h"
#include "core/spell_prog_record.h"
#include "core/status.h"

#include <vector>

namespace core {

class ModDefinitions;

// The classes (ProgClass 0..7) and levels (1..20) the progression window lists.
inline constexpr int ProgressionClasses = 8;
inline constexpr int ProgressionLevels = 20;

// One listed entry of MagProg.dat and the entry number it came from.
struct ProgressionRow {
  long entry = 0;
  SpellProgRecord prog;
};

// Entries 1..count of MagProg.dat, in file order, from one read of the file.
Result<std::vector<SpellProgRecord>> ReadSpellProgression(
    const Catalogue<SpellProgRecord>& catalogue, long count);

// The rows of the progression window: ordered by class, then level, then file order. Entries
// with a class outside 0..7 or a level outside 1..20 are never listed; with `onlyClass` 0..7
// only that class is (-1 lists every class).
std::vector<ProgressionRow> SpellProgressionRows(const std::vector<SpellProgRecord>& entries,
                                                 int onlyClass);

// "Add Spell": the spell-progression record becomes entry SpellProgCount + 1, and the header
// then holds the very same record (the new count followed by the entry's four fields), as the
// game's own tool leaves it. Refused, with nothing written, at 32767 entries.
Status AddSpellProgression(ModDefinitions& defs);

// "Remove Spell": the later entries move down one slot with their numbers lowered, then the
// header's count is lowered; one sync at the end. A count on disk therefore never names a
// missing entry, even when the removal is cut short.
Status RemoveSpellProgression(ModDefinitions& defs, long entry);

}  // namespace core
