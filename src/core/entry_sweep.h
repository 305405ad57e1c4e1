#pragma once

#include "core/catalogue.h"
#include "core/status.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace core {

// Entries 1..count of a catalogue, each unpacked and handed to `visit(entry, record)`, read in
// one pass of large chunks: a list over 32767 items must not cost 32767 reads. Slots past the
// end of the file read as zeros, as single reads do.
template <class Record, class Visit>
Status ForEachEntry(const Catalogue<Record>& catalogue, long count, Visit visit) {
  if (count <= 0) return Status::Ok();
  if (!catalogue.isOpen())
    return Status::Error("Cannot read " + catalogue.fileName() + ": the file is not open");
  constexpr std::size_t slotLength = Record::SlotLength;
  constexpr std::size_t chunkBytes = std::size_t{1} << 20;
  const long slotsPerChunk = static_cast<long>(std::max<std::size_t>(1, chunkBytes / slotLength));
  std::vector<std::uint8_t> chunk(static_cast<std::size_t>(slotsPerChunk) * slotLength);
  for (long first = 1; first <= count; first += slotsPerChunk) {
    const long inChunk = std::min(slotsPerChunk, count - first + 1);
    const std::span<std::uint8_t> window(chunk.data(),
                                         static_cast<std::size_t>(inChunk) * slotLength);
    // Entry k lives in slot k + 1, which starts at k slot lengths.
    Status status = catalogue.file().ReadAt(static_cast<std::uint64_t>(first) * slotLength, window);
    if (!status.ok()) return status;
    for (long s = 0; s < inChunk; ++s) {
      const auto at = static_cast<std::size_t>(s) * slotLength;
      visit(first + s, Record::unpack(window.subspan(at, Record::PackedSize)));
    }
  }
  return Status::Ok();
}

}  // namespace core
