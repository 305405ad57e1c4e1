#include "core/spell_progression.h"

#include "core/catalogue_sweep.h"
#include "core/definitions.h"
#include "core/packing.h"

#include <algorithm>
#include <array>
#include <string>

namespace core {

namespace {

std::string WhereOf(const Catalogue<SpellProgRecord>& catalogue) {
  return catalogue.isOpen() ? catalogue.file().path().string() : catalogue.fileName();
}

}  // namespace

Result<std::vector<SpellProgRecord>> ReadSpellProgression(ModDefinitions& defs) {
  const Catalogue<SpellProgRecord>& catalogue = defs.SpellProgression();
  // The count and the entries must come from one file: a file replaced in between is read again.
  for (int attempt = 1;; ++attempt) {
    auto header = catalogue.ReadSlot(1);
    if (!header.ok()) return header.status();
    const std::uint64_t generation = catalogue.generation();
    auto size = catalogue.file().Size();
    if (!size.ok()) return size.status();
    const long count = EntriesCounted(header->ProgNo, *size, SpellProgRecord::SlotLength);
    std::vector<SpellProgRecord> entries;
    entries.reserve(static_cast<std::size_t>(count));
    Status status = ForEachEntry(
        catalogue, 1, count, [&entries](long, SpellProgRecord prog) { entries.push_back(prog); },
        ReadFor::Changing);
    const bool sameFile = catalogue.generation() == generation;
    if (status.ok() && sameFile) {
      defs.SpellProgCount = count;
      return entries;
    }
    if (sameFile) return status;
    if (attempt == 3) return catalogue_detail::ReplacedWhileRead(catalogue.file().path());
  }
}

std::vector<ProgressionRow> SpellProgressionRows(const std::vector<SpellProgRecord>& entries,
                                                 int onlyClass) {
  std::vector<ProgressionRow> rows;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const SpellProgRecord& prog = entries[i];
    if (prog.ProgClass < 0 || prog.ProgClass >= ProgressionClasses) continue;
    if (prog.ProgLevel < 1 || prog.ProgLevel > ProgressionLevels) continue;
    if (onlyClass >= 0 && prog.ProgClass != onlyClass) continue;
    rows.push_back({static_cast<long>(i) + 1, prog});
  }
  // Stable: entries of one class and level keep their file order.
  std::stable_sort(rows.begin(), rows.end(), [](const ProgressionRow& a, const ProgressionRow& b) {
    if (a.prog.ProgClass != b.prog.ProgClass) return a.prog.ProgClass < b.prog.ProgClass;
    return a.prog.ProgLevel < b.prog.ProgLevel;
  });
  return rows;
}

Status AddSpellProgression(ModDefinitions& defs) {
  Catalogue<SpellProgRecord>& catalogue = defs.SpellProgression();
  const std::string where = WhereOf(catalogue);
  if (!catalogue.isOpen())
    return Status::Error("Cannot add to " + where + ": the file is not open");
  const long count = defs.SpellProgCount;
  if (count >= MaxEntries) {
    return Status::Error("Cannot add to " + where + ": it already holds " +
                         std::to_string(MaxEntries) + " entries, the most the file can hold");
  }
  if (count < 0) {
    return Status::Error("Cannot add to " + where + ": its entry count " + std::to_string(count) +
                         " is below 0");
  }
  SpellProgRecord entry = defs.SpellProg;
  entry.ProgNo = static_cast<std::int16_t>(count + 1);
  const auto packed = Packed(entry);
  const std::vector<std::uint8_t> bytes(packed.begin(), packed.end());
  // The entry and the header that counts it reach the disk together or not at all.
  Status status = catalogue.WriteSlots({{count + 2, bytes}, {1, bytes}}, false,
                                       "Add Spell Progression Entry " + std::to_string(count + 1));
  if (!status.ok()) return status;
  defs.SpellProg = entry;
  defs.SpellProgCount = count + 1;
  return Status::Ok();
}

Status RemoveSpellProgression(ModDefinitions& defs, long entry) {
  Catalogue<SpellProgRecord>& catalogue = defs.SpellProgression();
  const std::string where = WhereOf(catalogue);
  const long count = defs.SpellProgCount;
  if (entry < 1 || entry > count) {
    return Status::Error("Cannot remove entry " + std::to_string(entry) + " of " + where +
                         ": it holds entries 1 to " + std::to_string(count));
  }
  if (!catalogue.isOpen())
    return Status::Error("Cannot change " + where + ": the file is not open");

  constexpr std::size_t slotLength = SpellProgRecord::SlotLength;
  std::vector<std::uint8_t> now(static_cast<std::size_t>(count + 1) * slotLength);
  Status status = catalogue.ReadSlots(1, now);
  if (!status.ok()) return status;
  const auto slot = [&now](long n) {
    const auto start = now.begin() + static_cast<std::ptrdiff_t>((n - 1) * slotLength);
    return std::vector<std::uint8_t>(start, start + static_cast<std::ptrdiff_t>(slotLength));
  };
  std::vector<Catalogue<SpellProgRecord>::SlotBytes> changes;
  changes.reserve(static_cast<std::size_t>(count - entry) + 2);
  // The header: only its count changes.
  changes.push_back({1, slot(1)});
  PutIntegerAt(changes.back().bytes, 0, static_cast<std::int16_t>(count - 1));
  // Each later entry takes the slot of the one before it, its number lowered with it.
  for (long later = entry + 1; later <= count; ++later) {
    changes.push_back({later, slot(later + 1)});
    PutIntegerAt(changes.back().bytes, 0, static_cast<std::int16_t>(later - 1));
  }
  // The last slot keeps its bytes, as the game's tool leaves it; listed so that it is checked too.
  changes.push_back({count + 1, slot(count + 1)});
  status = catalogue.WriteSlots(changes, false,
                               "Remove Spell Progression Entry " + std::to_string(entry));
  if (!status.ok()) return status;
  defs.SpellProgCount = count - 1;
  return Status::Ok();
}

}  // namespace core
