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

// Entries 1..count of MagProg.dat as the file holds them now, from one pass of the chunked
// reader, and SpellProgCount set to the header's count (a count below 0 taken as at start-up).
// Add and Remove then check that the file still holds what was read here.
Result<std::vector<SpellProgRecord>> ReadSpellProgression(ModDefinitions& defs);

// The rows of the progression window: ordered by class, then level, then file order. Entries
// with a class outside 0..7 or a level outside 1..20 are never listed; with `onlyClass` 0..7
// only that class is (-1 lists every class).
std::vector<ProgressionRow> SpellProgressionRows(const std::vector<SpellProgRecord>& entries,
                                                 int onlyClass);

// "Add Spell": the spell-progression record becomes entry SpellProgCount + 1, and the header
// then holds the very same record (the new count followed by the entry's four fields), as the
// game's own tool leaves it. Refused, with nothing written, at 32767 entries, and with
// Status::changedOnDisk() when the header is no longer as this editor last read or wrote it
// (another editor added or removed entries): read the file again before adding.
Status AddSpellProgression(ModDefinitions& defs);

// "Remove Spell": the later entries move down one slot with their numbers lowered and the
// header's count is lowered. Refused with Status::changedOnDisk() when the header or any entry
// from the removed one on is no longer as last read. Both commands change the file as one step
// (Catalogue::WriteSlots): after a failure or a crash at any moment it is as before or as after.
Status RemoveSpellProgression(ModDefinitions& defs, long entry);

}  // namespace core
