#pragma once

#include "core/catalogue.h"
#include "core/status.h"

#include <cstdint>
#include <vector>

namespace core {

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
