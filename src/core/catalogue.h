#pragma once

#include "core/catalogue_history.h"
#include "core/record_file.h"
#include "core/slot_guard.h"
#include "core/status.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace core {

inline constexpr long MaxEntries = 32767;  // a header stores its count as an Integer

// The entries a header's count stands for in a file of `fileSize` bytes: a count below 0 means
// every whole entry the file holds (at most MaxEntries); any other count is taken as it is.
inline long EntriesCounted(long headerCount, std::uint64_t fileSize, std::size_t slotLength) {
  if (headerCount >= 0) return headerCount;
  const std::uint64_t whole = fileSize / slotLength;
  return static_cast<long>(
      std::min<std::uint64_t>(whole > 0 ? whole - 1 : 0, static_cast<std::uint64_t>(MaxEntries)));
}

// Where a record keeps the names that lists show: (offset, width) within the packed record.
struct NameField {
  std::size_t offset;
  std::size_t width;
};

// One catalogue file (Item.dat, Mon.dat, Shop.dat, Mag.dat, MagProg.dat): slot 1 is the header
// whose first Integer is the entry count; entry k lives in slot k + 1. Keeps a cache of the
// entries' names that follows every write and append, so a list of every entry never rereads
// the file. Before each read or write it notices when the path now names another file (renamed
// over by a checkout or the game's tools) and reopens it; its name cache starts afresh then.
//
// Record must offer PackedSize, SlotLength, pack, unpack and entryNumber().
template <class Record>
class Catalogue {
 public:
  // `nameFields` lists the record's name texts; empty for a catalogue without names.
  Catalogue(std::string fileName, std::vector<NameField> nameFields);

  // Opens (creating it empty when missing) the file inside the Dat folder.
  Status Open(const std::filesystem::path& datFolder);
  // Opens an existing file for reading only (the checker): never creates nor writes it, and a
  // replaced file is reopened for reading too.
  Status OpenForReading(const std::filesystem::path& datFolder);
  bool isOpen() const { return file_.isOpen(); }
  const std::string& fileName() const { return fileName_; }
  const RecordFile& file() const { return file_; }
  // Grows each time the catalogue opens a file, its own or one that replaced it: a pass over the
  // file that sees it change read parts of two files.
  std::uint64_t generation() const { return generation_; }

  Result<Record> ReadSlot(long slot) const;
  // Entry n, that is slot n + 1.
  Result<Record> ReadEntry(long entry) const { return ReadSlot(entry + 1); }
  // Entry n as this editor last read or stored it, without a look at the disk (which would hide
  // another editor's change from the next save); none when it has not read it.
  std::optional<Record> LastSeen(long entry) const;
  // Writes the record to a slot and syncs. Without `overwrite`, a slot whose bytes on disk
  // differ from those this editor last read or wrote there is left alone: ChangedOnDisk. After
  // a failure, what the slot now holds on disk counts as read. A write that worked is a step of
  // History() ("Save Item 5").
  Status WriteSlot(long slot, const Record& record, bool overwrite = false);
  // Writes the record as entry n (slot n + 1) and syncs, whatever number the record carries:
  // an entry goes back where it was read from.
  Status WriteEntry(long entry, const Record& record, bool overwrite = false) {
    return WriteSlot(entry + 1, record, overwrite);
  }

  // The append pattern: with the count raised by one, the working record is stored as the new
  // entry, the header's first Integer is set to the new count (every other header byte kept),
  // and the working record is read back from its slot. Refused at 32767 entries. On success
  // `count` holds the new count. When the header on disk counts other than `count` (another
  // editor added entries), nothing is written, `count` becomes the count on disk and the answer
  // is ChangedOnDisk: called again, the entry goes after the last one the file then holds. A
  // failure leaves the header and the file's length as they were, or says that it could not.
  // An append that worked is a step of History() ("New Item 13").
  Status Append(Record& working, long& count);

  // Replaces only the header's first Integer, keeping every other byte of slot 1.
  Status WriteHeaderCount(long count);

  // Name `which` (index into nameFields) of entry n, raw bytes with trailing blanks kept. Entry
  // 0 is the header slot; entries past the end of the file read as zero bytes. The first look-up
  // of an entry reads only its names; once a list has asked for many, the whole cache is filled
  // in one pass, so later look-ups never touch the file.
  Result<std::string> Name(long entry, std::size_t which = 0) const;
  // Fills the name cache with one sequential read of the file (lists call it before a sweep).
  Status LoadNames() const;

  // Reopens the file when its path now names another file. Every read and write calls it.
  Status FollowReplacedFile() const;
  // For a pass begun at `generation`, between its chunks: a file replaced since is followed,
  // and the pass fails, as its chunks may be of either file.
  Status StillReadingGeneration(std::uint64_t generation) const;

  // The one reader of whole-file passes: whole slots from `firstSlot` into `out` (zeros past the
  // end), from the file the path names now. With `remember`, a later write of those slots first
  // checks that they still hold what was read here, as after ReadSlot.
  Status ReadSlots(long firstSlot, std::span<std::uint8_t> out, bool remember = false) const;
  // Slots from `firstSlot` on as a pass read them: a later write of one first checks that it
  // still holds these bytes, as after ReadSlot.
  void RememberRead(long firstSlot, std::span<const std::uint8_t> bytes) const;

  // The packed bytes a several-slot command puts at the start of one slot.
  struct SlotBytes {
    long slot;
    std::vector<std::uint8_t> bytes;
  };
  // Several slots as one step: the file with these slots written is put in its place whole
  // (RecordFile::ReplaceWith), so a crash at any moment leaves it as before or as after. Slots
  // beyond the end are zero-filled to their end. Without `overwrite`, a listed slot whose bytes
  // on disk differ from those this editor last read or wrote there stops it: ChangedOnDisk,
  // nothing written. List a slot the command depends on with its bytes unchanged to check it.
  // With a `stepLabel` the write is a step of History() under that name.
  Status WriteSlots(const std::vector<SlotBytes>& changes, bool overwrite = false,
                    std::string stepLabel = {});

  // --- Undo of this session's writes ---
  // What the steps of WriteSlot and Append are called: "Item" gives "Save Item 5".
  void NameSteps(std::string noun) { stepNoun_ = std::move(noun); }
  const CatalogueHistory& History() const { return history_; }
  // Takes back the last write of History() (Redo: does the next one again): each slot it
  // changed, the header included, gets back its bytes from before, and the file its length, so
  // an undone append leaves the file as it was. Written as the write was (in place and synced,
  // or the file replaced whole). Without `overwrite`, a slot that no longer holds what the step
  // left there (another editor changed it since) stops it: ChangedOnDisk, nothing written.
  // Nothing to take back is no failure.
  Status UndoWrite(bool overwrite = false) { return stepAgain(false, overwrite); }
  Status RedoWrite(bool overwrite = false) { return stepAgain(true, overwrite); }

 private:
  Result<long> countOnDisk() const;
  Status failedAppend(const Status& failure, long& count) const;
  Status fillNames() const;
  void forgetNames() const;
  Status Adopt(Result<RecordFile> opened, const std::filesystem::path& datFolder, bool forReading);
  void rememberNames(long slot, const Record& record);
  Status readNamesOf(std::size_t slotIndex) const;
  void growNames(std::size_t slotCount) const;
  // catalogue_undo.h
  Status stepAgain(bool forward, bool overwrite);
  Status putSlotsInPlace(const CatalogueWrite& step, bool forward, std::uint64_t length);
  Status putFileWhole(const CatalogueWrite& step, bool forward, std::uint64_t length);
  std::string slotName(long slot) const;

  std::string fileName_;
  std::vector<NameField> nameFields_;
  std::size_t namesWidth_ = 0;  // bytes cached per slot, all name fields one after another
  std::size_t namesStart_ = 0;  // the span of the packed record that holds every name field
  std::size_t namesSpan_ = 0;
  std::filesystem::path datFolder_;
  bool forReading_ = false;
  mutable RecordFile file_;
  mutable SlotGuard guard_;           // each slot as last read or written here
  mutable bool namesLoaded_ = false;  // every slot of the file is cached
  mutable std::vector<char> names_;   // slot 1 first; namesWidth_ bytes per slot
  mutable std::vector<bool> known_;   // slots cached one by one before the whole pass
  mutable std::size_t singleReads_ = 0;
  mutable std::uint64_t generation_ = 0;
  std::string stepNoun_ = "Entry";
  CatalogueHistory history_;
};

}  // namespace core

#include "core/catalogue_impl.h"
#include "core/catalogue_whole_file.h"
#include "core/catalogue_undo.h"
