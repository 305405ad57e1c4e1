#pragma once

#include "core/catalogue.h"
#include "core/status.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace core {

// Bytes read at a time when a window goes through a whole catalogue.
inline constexpr std::size_t SweepChunkBytes = std::size_t{1} << 20;

// Hands entries first..last of a catalogue to visit(entry, record) in file order, read in a few
// large chunks: a list of 32767 spells must not cost 32767 reads. Entries beyond the end of the
// file read as zeros, as single reads do.
template <class Record, class Visit>
Status ForEachEntry(const Catalogue<Record>& catalogue, long first, long last, Visit&& visit) {
  if (!catalogue.isOpen()) {
    return Status::Error("Cannot read " + catalogue.fileName() + ": the file is not open");
  }
  constexpr std::size_t slotLength = Record::SlotLength;
  const std::size_t perChunk = std::max<std::size_t>(1, SweepChunkBytes / slotLength);
  std::vector<std::uint8_t> chunk;
  for (long entry = std::max(first, 1L); entry <= last;) {
    const auto count =
        static_cast<std::size_t>(std::min<long>(static_cast<long>(perChunk), last - entry + 1));
    chunk.resize(count * slotLength);
    // Entry e lives in slot e + 1, which starts e slot lengths into the file.
    Status status = catalogue.file().ReadAt(static_cast<std::uint64_t>(entry) * slotLength, chunk);
    if (!status.ok()) return status;
    for (std::size_t i = 0; i < count; ++i) {
      const std::span<const std::uint8_t> packed(chunk.data() + i * slotLength, Record::PackedSize);
      visit(entry + static_cast<long>(i), Record::unpack(packed));
    }
    entry += static_cast<long>(count);
  }
  return Status::Ok();
}

// Entries 1..count, as above.
template <class Record, class Visit>
Status ForEachEntry(const Catalogue<Record>& catalogue, long count, Visit&& visit) {
  return ForEachEntry(catalogue, 1, count, std::forward<Visit>(visit));
}

// The slots of entries 1..count one after another, a slot length each, read in one pass over
// the file: a list of every entry costs one read, and unpacks an entry only when it shows it.
// Entries past the end of the file read as zeros.
template <class Record>
Result<std::vector<std::uint8_t>> ReadEntrySlots(const Catalogue<Record>& catalogue, long count) {
  if (count <= 0) return std::vector<std::uint8_t>{};
  if (!catalogue.isOpen())
    return Status::Error("Cannot read " + catalogue.fileName() + ": the file is not open");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * Record::SlotLength);
  // Entry 1 is slot 2, one slot length into the file.
  Status status = catalogue.file().ReadAt(Record::SlotLength, bytes);
  if (!status.ok()) return status;
  return bytes;
}

// Entry `entry` (from 1) of slots read by ReadEntrySlots.
template <class Record>
Record EntryFromSlots(const std::vector<std::uint8_t>& bytes, long entry) {
  const auto start = static_cast<std::size_t>(entry - 1) * Record::SlotLength;
  return Record::unpack(std::span<const std::uint8_t>(bytes.data() + start, Record::PackedSize));
}

}  // namespace core
