#pragma once

// The template body of Catalogue<Record>; included at the end of core/catalogue.h.

#include "core/catalogue.h"
#include "core/chunked_read.h"
#include "core/packing.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <numeric>
#include <utility>

namespace core {

namespace catalogue_detail {

// The name cache is filled with reads of about this many bytes, whole slots each.
inline constexpr std::size_t NameChunkBytes = std::size_t{1} << 20;

// After this many look-ups of single entries a list is being filled: read the whole file once.
inline constexpr std::size_t SingleNameReads = 64;

// Slot 1 is the header and the largest count is 32767: no slot after this one can be an entry.
inline constexpr std::uint64_t LastEntrySlot = MaxEntries + 1;

// A pass that saw the file replaced half-way holds parts of two files: it is not used.
inline Status ReplacedWhileRead(const std::filesystem::path& path) {
  return Status::Error("Cannot read " + path.string() +
                       ": it was replaced by another file while it was being read; try again");
}

}  // namespace catalogue_detail

template <class Record>
Catalogue<Record>::Catalogue(std::string fileName, std::vector<NameField> nameFields)
    : fileName_(std::move(fileName)),
      nameFields_(std::move(nameFields)),
      namesWidth_(std::accumulate(
          nameFields_.begin(), nameFields_.end(), std::size_t{0},
          [](std::size_t sum, const NameField& field) { return sum + field.width; })) {
  if (!nameFields_.empty()) {
    namesStart_ = nameFields_.front().offset;
    std::size_t end = 0;
    for (const NameField& field : nameFields_) {
      namesStart_ = std::min(namesStart_, field.offset);
      end = std::max(end, field.offset + field.width);
    }
    namesSpan_ = end - namesStart_;
  }
}

template <class Record>
Status Catalogue<Record>::Open(const std::filesystem::path& datFolder) {
  return Adopt(RecordFile::Open(ResolveIgnoringCase(datFolder, fileName_), Record::SlotLength),
               datFolder, false);
}

template <class Record>
Status Catalogue<Record>::OpenForReading(const std::filesystem::path& datFolder) {
  return Adopt(
      RecordFile::OpenForReading(ResolveIgnoringCase(datFolder, fileName_), Record::SlotLength),
      datFolder, true);
}

// A newly opened file replaces the one held: what was known of the old one is dropped.
template <class Record>
Status Catalogue<Record>::Adopt(Result<RecordFile> opened, const std::filesystem::path& datFolder,
                                bool forReading) {
  if (!opened.ok()) return opened.status();
  datFolder_ = datFolder;
  forReading_ = forReading;
  file_ = std::move(opened.value());
  ++generation_;
  guard_.forgetAll();
  forgetNames();
  history_.Clear();
  return Status::Ok();
}

template <class Record>
void Catalogue<Record>::forgetNames() const {
  namesLoaded_ = false;
  names_.clear();
  known_.clear();
  singleReads_ = 0;
}

template <class Record>
Status Catalogue<Record>::FollowReplacedFile() const {
  if (!isOpen()) return Status::Ok();  // the caller reports the closed file
  auto same = file_.StillAtPath();
  if (!same.ok()) return same.status();
  if (*same) return Status::Ok();
  const std::filesystem::path path = ResolveIgnoringCase(datFolder_, fileName_);
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    return Status::Error("Cannot use " + file_.path().string() +
                         ": the file was removed or renamed since the editor opened it");
  }
  auto reopened = forReading_ ? RecordFile::OpenForReading(path, Record::SlotLength)
                              : RecordFile::Open(path, Record::SlotLength);
  if (!reopened.ok()) return reopened.status();
  file_ = std::move(reopened.value());
  ++generation_;
  // The remembered slots stay: a save still notices that the new file differs from what was read.
  forgetNames();
  return Status::Ok();
}

template <class Record>
Status Catalogue<Record>::StillReadingGeneration(std::uint64_t generation) const {
  Status followed = FollowReplacedFile();
  if (followed.ok() && generation_ != generation)
    return catalogue_detail::ReplacedWhileRead(file_.path());
  return followed;
}

template <class Record>
Result<Record> Catalogue<Record>::ReadSlot(long slot) const {
  if (!isOpen()) return Status::Error("Cannot read " + fileName_ + ": the file is not open");
  Status status = FollowReplacedFile();
  if (!status.ok()) return status;
  std::array<std::uint8_t, Record::PackedSize> bytes{};
  status = file_.Read(slot, bytes);
  if (!status.ok()) return status;
  guard_.remember(slot, bytes);
  return Record::unpack(bytes);
}

template <class Record>
Status Catalogue<Record>::WriteSlot(long slot, const Record& record, bool overwrite) {
  if (!isOpen()) return Status::Error("Cannot write " + fileName_ + ": the file is not open");
  Status status = FollowReplacedFile();
  if (!status.ok()) return status;
  // What the slot holds now: checked against what this editor read, and kept for an undo.
  auto length = file_.Size();
  if (!length.ok()) return length.status();
  std::vector<std::uint8_t> before(Record::PackedSize);
  status = file_.Read(slot, before);
  if (!status.ok()) return status;
  if (!overwrite) {
    status = guard_.compare(slot, before, "Entry " + std::to_string(slot - 1), file_.path());
    if (!status.ok()) return status;
  }
  std::array<std::uint8_t, Record::PackedSize> bytes{};
  record.pack(bytes);
  status = file_.Store(slot, bytes);
  if (!status.ok()) {
    // What the failure left there is this editor's doing: the next save must not take it for
    // another editor's change.
    std::array<std::uint8_t, Record::PackedSize> now{};
    if (file_.Read(slot, now).ok()) guard_.remember(slot, now);
    return status;
  }
  guard_.remember(slot, bytes);
  rememberNames(slot, record);
  auto lengthAfter = file_.Size();
  history_.Record({"Save " + stepNoun_ + " " + std::to_string(slot - 1),
                   slot - 1,
                   {{slot, std::move(before), {bytes.begin(), bytes.end()}}},
                   *length,
                   lengthAfter.ok() ? *lengthAfter : *length});
  return Status::Ok();
}

template <class Record>
std::optional<Record> Catalogue<Record>::LastSeen(long entry) const {
  const std::vector<std::uint8_t>* bytes = guard_.seen(entry + 1);
  if (!bytes || bytes->size() != Record::PackedSize) return std::nullopt;
  return Record::unpack(*bytes);
}

template <class Record>
Status Catalogue<Record>::WriteHeaderCount(long count) {
  if (!isOpen()) return Status::Error("Cannot write " + fileName_ + ": the file is not open");
  if (count < 0 || count > MaxEntries) {
    return Status::Error("Cannot write " + file_.path().string() + ": an entry count of " +
                         std::to_string(count) + " does not fit its header");
  }
  Status status = FollowReplacedFile();
  if (!status.ok()) return status;
  // Only the count means anything in the header; every other byte stays as the game left it.
  std::array<std::uint8_t, Record::PackedSize> header{};
  status = file_.Read(1, header);
  if (!status.ok()) return status;
  PutIntegerAt(header, 0, static_cast<std::int16_t>(count));
  status = file_.Store(1, header);
  if (!status.ok()) return status;
  guard_.remember(1, header);
  return Status::Ok();
}

template <class Record>
Result<long> Catalogue<Record>::countOnDisk() const {
  std::array<std::uint8_t, 2> count{};
  Status status = file_.Read(1, count);
  if (!status.ok()) return status;
  return long{IntegerAt(count, 0)};
}

// The window shows what the file holds after a failure: the count its header now gives.
template <class Record>
Status Catalogue<Record>::failedAppend(const Status& failure, long& count) const {
  auto onDisk = countOnDisk();
  if (onDisk.ok() && *onDisk >= 0) count = *onDisk;
  return failure;
}

template <class Record>
Status Catalogue<Record>::Append(Record& working, long& count) {
  if (!isOpen()) return Status::Error("Cannot add to " + fileName_ + ": the file is not open");
  Status status = FollowReplacedFile();
  if (!status.ok()) return status;
  const std::string where = file_.path().string();
  auto onDisk = countOnDisk();
  if (!onDisk.ok()) return onDisk.status();
  // A count below 0 means what start-up took it for: the count this editor holds.
  if (*onDisk < 0) onDisk = count;
  if (*onDisk != count) {
    // Never over another editor's entries: the next call goes after the last one on disk.
    const long known = std::exchange(count, *onDisk);
    forgetNames();  // the cache holds none of the other editor's entries
    return Status::ChangedOnDisk(
        where + " was changed on disk since this editor read it: it now counts " +
        std::to_string(count) + " entries, not " + std::to_string(known) + ".");
  }
  if (count >= MaxEntries) {
    return Status::Error("Cannot add to " + where + ": it already holds " +
                         std::to_string(MaxEntries) + " entries, the most a catalogue can hold");
  }
  const long newCount = count + 1;
  Record entry = working;
  entry.entryNumber() = static_cast<std::int16_t>(newCount);

  auto oldSize = file_.Size();
  if (!oldSize.ok()) return oldSize.status();
  std::array<std::uint8_t, Record::PackedSize> old{};
  status = file_.Read(newCount + 1, old);
  if (!status.ok()) return status;
  std::vector<std::uint8_t> oldHeader(Record::PackedSize);
  status = file_.Read(1, oldHeader);
  if (!status.ok()) return status;
  // The entry goes to disk before the header counts it, so a header never names a missing entry.
  std::array<std::uint8_t, Record::PackedSize> bytes{};
  entry.pack(bytes);
  status = file_.Store(newCount + 1, bytes);
  if (!status.ok()) return failedAppend(status, count);
  status = WriteHeaderCount(newCount);
  if (!status.ok()) {
    // The header still counts the old entries: the uncounted one goes again.
    return failedAppend(Status::WithFailedUndo(status, file_.PutBack(newCount + 1, old, *oldSize)),
                        count);
  }
  guard_.remember(newCount + 1, bytes);
  rememberNames(newCount + 1, entry);
  auto newSize = file_.Size();
  history_.Record({"New " + stepNoun_ + " " + std::to_string(newCount),
                   newCount,
                   {{newCount + 1, {old.begin(), old.end()}, {bytes.begin(), bytes.end()}},
                    {1, std::move(oldHeader), *guard_.seen(1)}},
                   *oldSize,
                   newSize.ok() ? *newSize : *oldSize});

  count = newCount;
  auto stored = ReadSlot(newCount + 1);
  if (!stored.ok()) return stored.status();
  working = std::move(stored.value());
  return Status::Ok();
}

template <class Record>
Status Catalogue<Record>::LoadNames() const {
  if (!isOpen()) return Status::Error("Cannot read " + fileName_ + ": the file is not open");
  Status followed = FollowReplacedFile();
  if (!followed.ok()) return followed;
  if (namesLoaded_) return Status::Ok();
  try {
    return fillNames();
  } catch (const std::bad_alloc&) {
    return Status::Error("Cannot read the names in " + file_.path().string() +
                         ": there is not enough memory");
  }
}

template <class Record>
Status Catalogue<Record>::fillNames() const {
  std::vector<char> names;
  if (namesWidth_ > 0) {
    auto size = file_.Size();
    if (!size.ok()) return size.status();
    const std::size_t slotLength = Record::SlotLength;
    // A huge file holds nothing a header can count past slot 32768: read no further.
    const std::uint64_t slotCount =
        std::min((*size + slotLength - 1) / slotLength, catalogue_detail::LastEntrySlot);
    names.resize(static_cast<std::size_t>(slotCount) * namesWidth_);

    // One pass over the file in large chunks of whole slots: a list of 32767 spells must not
    // cost 32767 reads.
    const std::size_t slotsPerChunk =
        std::max<std::size_t>(1, catalogue_detail::NameChunkBytes / slotLength);
    ChunkBuffers buffers;
    const std::uint64_t generation = generation_;
    Status stopped = Status::Ok();
    Status status = ReadInChunks(
        file_, 0, slotCount * slotLength, slotsPerChunk * slotLength, buffers,
        [&](std::uint64_t offset, std::span<const std::uint8_t> chunk) {
          stopped = StillReadingGeneration(generation);
          if (!stopped.ok()) return false;
          char* target = names.data() + offset / slotLength * namesWidth_;
          for (std::size_t at = 0; at < chunk.size(); at += slotLength) {
            for (const NameField& field : nameFields_) {
              std::memcpy(target, chunk.data() + at + field.offset, field.width);
              target += field.width;
            }
          }
          return true;
        });
    if (!status.ok()) return status;
    if (!stopped.ok()) return stopped;
  }
  // Names written since the file was read are already in the file, so the pass holds them too.
  names_ = std::move(names);
  known_.clear();
  namesLoaded_ = true;
  return Status::Ok();
}

template <class Record>
void Catalogue<Record>::growNames(std::size_t slotCount) const {
  if (names_.size() < slotCount * namesWidth_) names_.resize(slotCount * namesWidth_, '\0');
  if (!namesLoaded_ && known_.size() < slotCount) known_.resize(slotCount, false);
}

template <class Record>
Status Catalogue<Record>::readNamesOf(std::size_t slotIndex) const {
  std::vector<std::uint8_t> span(namesSpan_);
  Status status =
      file_.ReadAt(static_cast<std::uint64_t>(slotIndex) * Record::SlotLength + namesStart_, span);
  if (!status.ok()) return status;
  growNames(slotIndex + 1);
  char* target = names_.data() + slotIndex * namesWidth_;
  for (const NameField& field : nameFields_) {
    std::memcpy(target, span.data() + (field.offset - namesStart_), field.width);
    target += field.width;
  }
  known_[slotIndex] = true;
  ++singleReads_;
  return Status::Ok();
}

template <class Record>
Result<std::string> Catalogue<Record>::Name(long entry, std::size_t which) const {
  if (which >= nameFields_.size()) {
    return Status::Error(fileName_ + " has no name number " + std::to_string(which));
  }
  if (entry < 0) {
    return Status::Error("Cannot read entry " + std::to_string(entry) + " of " + fileName_ +
                         ": entries start at 1");
  }
  if (!isOpen()) return Status::Error("Cannot read " + fileName_ + ": the file is not open");

  const auto slotIndex = static_cast<std::size_t>(entry);  // entry n is slot n + 1
  const std::size_t width = nameFields_[which].width;
  // No header can count that far: nothing there but zeros, and nothing worth caching.
  if (entry > MaxEntries) return std::string(width, '\0');
  const bool cached = namesLoaded_ ? true : slotIndex < known_.size() && known_[slotIndex];
  if (!cached) {
    Status status = FollowReplacedFile();
    if (status.ok() && !namesLoaded_) {
      status =
          singleReads_ < catalogue_detail::SingleNameReads ? readNamesOf(slotIndex) : LoadNames();
    }
    if (!status.ok()) return status;
  }

  std::size_t offset = 0;
  for (std::size_t i = 0; i < which; ++i) offset += nameFields_[i].width;
  // Past the end of the file after the whole pass: the slot reads as zeros.
  if (slotIndex >= names_.size() / namesWidth_) return std::string(width, '\0');
  const char* start = names_.data() + slotIndex * namesWidth_ + offset;
  return std::string(start, width);
}

template <class Record>
void Catalogue<Record>::rememberNames(long slot, const Record& record) {
  // Beyond the last countable slot nothing is ever looked up, so nothing is cached.
  if (namesWidth_ == 0 || slot < 1 ||
      static_cast<std::uint64_t>(slot) > catalogue_detail::LastEntrySlot)
    return;
  std::array<std::uint8_t, Record::PackedSize> bytes{};
  record.pack(bytes);
  const auto slotIndex = static_cast<std::size_t>(slot - 1);
  // A write past the end zero-fills the slots between, and so does the cache (after the whole
  // pass; before it, the slots between are simply not known yet).
  growNames(slotIndex + 1);
  char* target = names_.data() + slotIndex * namesWidth_;
  for (const NameField& field : nameFields_) {
    std::memcpy(target, bytes.data() + field.offset, field.width);
    target += field.width;
  }
  if (!namesLoaded_) known_[slotIndex] = true;
}

}  // namespace core
