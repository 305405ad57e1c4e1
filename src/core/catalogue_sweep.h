#pragma once

#include "core/catalogue.h"
#include "core/chunked_read.h"
#include "core/map_record.h"
#include "core/status.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

namespace core {

// Bytes read at a time when a window goes through a whole catalogue.
inline constexpr std::size_t SweepChunkBytes = std::size_t{1} << 20;

// What a pass reads for: to show, or to change, when a later write of the entries first checks
// that they still hold what the pass read.
enum class ReadFor { Showing, Changing };

// Hands entries first..last of a catalogue to visit(entry, packed bytes) in file order, read in a
// few large chunks through the one chunked reader: a list of 32767 spells must not cost 32767
// reads. Entries beyond the end of the file read as zeros, as single reads do. A file replaced
// before the pass is followed; one replaced during it fails the pass. `chunkDone(entries)` is
// called after each chunk; returning false stops the pass there. The chunks are read into
// `buffers`, which a run of passes can share. The visits must leave the catalogue's file alone.
template <class Record, class Visit, class ChunkDone>
Status ForEachPackedEntry(const Catalogue<Record>& catalogue, long first, long last, Visit&& visit,
                          ChunkDone&& chunkDone, ChunkBuffers& buffers,
                          ReadFor purpose = ReadFor::Showing) {
  if (!catalogue.isOpen()) {
    return Status::Error("Cannot read " + catalogue.fileName() + ": the file is not open");
  }
  Status status = catalogue.FollowReplacedFile();
  if (!status.ok()) return status;
  first = std::max(first, 1L);
  if (first > last) return Status::Ok();
  const std::uint64_t generation = catalogue.generation();
  constexpr std::size_t slotLength = Record::SlotLength;
  const std::size_t perChunk = std::max<std::size_t>(1, SweepChunkBytes / slotLength);
  Status stopped = Status::Ok();
  // Entry e lives in slot e + 1, e slot lengths into the file.
  status = ReadInChunks(
      catalogue.file(), static_cast<std::uint64_t>(first) * slotLength,
      static_cast<std::uint64_t>(last - first + 1) * slotLength, perChunk * slotLength, buffers,
      [&](std::uint64_t offset, std::span<const std::uint8_t> chunk) {
        stopped = catalogue.StillReadingGeneration(generation);
        if (!stopped.ok()) return false;
        const auto entry = static_cast<long>(offset / slotLength);
        if (purpose == ReadFor::Changing) catalogue.RememberRead(entry + 1, chunk);
        const std::size_t count = chunk.size() / slotLength;
        for (std::size_t i = 0; i < count; ++i)
          visit(entry + static_cast<long>(i), chunk.subspan(i * slotLength, Record::PackedSize));
        return chunkDone(entry + static_cast<long>(count) - 1);
      });
  return status.ok() ? stopped : status;
}

// The same with each entry unpacked: visit(entry, record). The record is one object unpacked
// again for each entry, so a pass makes no allocation per entry; copy what you keep.
template <class Record, class Visit>
Status ForEachEntry(const Catalogue<Record>& catalogue, long first, long last, Visit&& visit,
                    ReadFor purpose = ReadFor::Showing) {
  Record record;
  ChunkBuffers buffers;
  return ForEachPackedEntry(
      catalogue, first, last,
      [&](long entry, std::span<const std::uint8_t> packed) {
        Record::unpack(packed, record);
        visit(entry, std::as_const(record));
      },
      [](long) { return true; }, buffers, purpose);
}

// Entries 1..count, as above.
template <class Record, class Visit>
Status ForEachEntry(const Catalogue<Record>& catalogue, long count, Visit&& visit) {
  return ForEachEntry(catalogue, 1, count, std::forward<Visit>(visit));
}

// Entries 1..count read a chunk at a time, when an entry of the chunk is first asked for: a list
// of every entry reads only the part of the file it shows, and the whole file at most once. A
// chunk is a few screens of rows, so opening the list costs one small read. Chunks come through
// the catalogue's one reader, so a replaced file is followed and the parts of the old one dropped.
template <class Record>
class ChunkedEntries {
 public:
  ChunkedEntries(const Catalogue<Record>& catalogue, long count)
      : catalogue_(catalogue), count_(std::max(0L, count)), generation_(catalogue.generation()) {}

  long count() const { return count_; }

  // Entry `entry` (1..count); an error when its chunk cannot be read.
  Result<Record> entry(long entry) {
    if (entry < 1 || entry > count_) return Status::Error("No entry " + std::to_string(entry));
    const long chunk = (entry - 1) / PerChunk;
    // Parts read before the file was replaced or rewritten whole are of another file.
    if (catalogue_.generation() != generation_) {
      chunks_.clear();
      generation_ = catalogue_.generation();
    }
    auto found = chunks_.find(chunk);
    if (found == chunks_.end()) {
      const long first = chunk * PerChunk + 1;
      std::vector<std::uint8_t> bytes(
          static_cast<std::size_t>(std::min(PerChunk, count_ - first + 1)) * Record::SlotLength);
      // Entry e lives in slot e + 1.
      Status status = catalogue_.ReadSlots(first + 1, bytes);
      if (!status.ok()) return status;
      if (catalogue_.generation() != generation_) {  // the read followed a replaced file
        chunks_.clear();
        generation_ = catalogue_.generation();
      }
      found = chunks_.emplace(chunk, std::move(bytes)).first;
    }
    const auto start = static_cast<std::size_t>((entry - 1) % PerChunk) * Record::SlotLength;
    return Record::unpack(
        std::span<const std::uint8_t>(found->second.data() + start, Record::PackedSize));
  }

 private:
  static constexpr long PerChunk =
      static_cast<long>(std::max<std::size_t>(1, (std::size_t{64} << 10) / Record::SlotLength));

  const Catalogue<Record>& catalogue_;
  long count_;
  std::uint64_t generation_;
  std::unordered_map<long, std::vector<std::uint8_t>> chunks_;
};

// Hands maps first..last of Maps.dat to visit(number, packed map) in file order, read in a few
// large chunks: map n lives in slot n. Maps past the end of the file read as zeros, as a single
// read does. A visit that returns false ends the pass.
template <class Visit>
Status ForEachMapSlot(const RecordFile& maps, long first, long last, Visit&& visit) {
  constexpr std::size_t slotLength = MapRecord::SlotLength;
  first = std::max(first, 1L);
  if (first > last) return Status::Ok();
  ChunkBuffers buffers;
  return ReadInChunks(
      maps, static_cast<std::uint64_t>(first - 1) * slotLength,
      static_cast<std::uint64_t>(last - first + 1) * slotLength,
      std::max<std::size_t>(1, SweepChunkBytes / slotLength) * slotLength, buffers,
      [&](std::uint64_t offset, std::span<const std::uint8_t> chunk) {
        const auto number = static_cast<long>(offset / slotLength) + 1;
        for (std::size_t i = 0; i * slotLength < chunk.size(); ++i) {
          if (!visit(number + static_cast<long>(i),
                     chunk.subspan(i * slotLength, MapRecord::PackedSize)))
            return false;
        }
        return true;
      });
}

// How many map slots Maps.dat has room for (a last slot cut short counts).
inline Result<long> MapSlotsHeld(const RecordFile& maps) {
  auto size = maps.Size();
  if (!size.ok()) return size.status();
  return static_cast<long>((*size + MapRecord::SlotLength - 1) / MapRecord::SlotLength);
}

}  // namespace core
