#pragma once

#include "core/catalogue.h"
#include "core/status.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace core {

// Entries 1..count of a catalogue, each unpacked and handed to `visit(entry, record)` in entry
// order, read front to back in large blocks of whole slotCount: a list of every entry costs one
// pass over the file, not one read per entry.
template <class Record, class Visit>
Status SweepEntries(const Catalogue<Record>& catalogue, long count, Visit visit) {
  if (count <= 0) return Status::Ok();
  if (!catalogue.isOpen())
    return Status::Error("Cannot read " + catalogue.fileName() + ": the file is not open");
  constexpr std::size_t slotLength = Record::SlotLength;
  constexpr std::size_t slotsPerBlock =
      std::max<std::size_t>(1, (std::size_t{1} << 20) / slotLength);
  std::vector<std::uint8_t> block(slotsPerBlock * slotLength);
  for (long first = 1; first <= count; first += static_cast<long>(slotsPerBlock)) {
    const auto slotCount = static_cast<std::size_t>(
        std::min<long>(static_cast<long>(slotsPerBlock), count - first + 1));
    const std::span<std::uint8_t> window(block.data(), slotCount * slotLength);
    // Entry k is slot k + 1, which begins k slot lengths into the file.
    Status status = catalogue.file().ReadAt(static_cast<std::uint64_t>(first) * slotLength, window);
    if (!status.ok()) return status;
    for (std::size_t s = 0; s < slotCount; ++s) {
      visit(first + static_cast<long>(s), Record::unpack(std::span<const std::uint8_t>(
                                              window.data() + s * slotLength, Record::PackedSize)));
    }
  }
  return Status::Ok();
}

}  // namespace core
