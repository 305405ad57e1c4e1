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

Result<std::vector<SpellProgRecord>> ReadSpellProgression(
    const Catalogue<SpellProgRecord>& catalogue, long count) {
  std::vector<SpellProgRecord> entries;
  if (count <= 0) return entries;
  entries.reserve(static_cast<std::size_t>(count));
  Status status = ForEachEntry(catalogue, 1, count,
                               [&entries](long, SpellProgRecord prog) { entries.push_back(prog); });
  if (!status.ok()) return status;
  return entries;
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
  const auto bytes = Packed(entry);

  // The entry reaches the disk before the header counts it.
  RecordFile& file = catalogue.file();
  Status status = file.Write(count + 2, bytes);
  if (status.ok()) status = file.Sync();
  if (!status.ok()) return status;
  status = file.Write(1, bytes);
  if (status.ok()) status = file.Sync();
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

  std::vector<SpellProgRecord> later;
  later.reserve(static_cast<std::size_t>(count - entry));
  Status status = ForEachEntry(catalogue, entry + 1, count,
                               [&later](long, SpellProgRecord prog) { later.push_back(prog); });
  if (!status.ok()) return status;

  RecordFile& file = catalogue.file();
  long target = entry;  // each later entry takes the slot of the one before it
  for (SpellProgRecord& prog : later) {
    prog.ProgNo = static_cast<std::int16_t>(target);
    status = file.Write(target + 1, Packed(prog));
    if (!status.ok()) return status;
    ++target;
  }
  // The header last: only its count changes.
  std::array<std::uint8_t, SpellProgRecord::PackedSize> header{};
  status = file.Read(1, header);
  if (!status.ok()) return status;
  PutIntegerAt(header, 0, static_cast<std::int16_t>(count - 1));
  status = file.Write(1, header);
  if (status.ok()) status = file.Sync();
  if (!status.ok()) return status;
  defs.SpellProgCount = count - 1;
  return Status::Ok();
}

}  // namespace core
