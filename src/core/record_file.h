#pragma once

#include "core/status.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace core {

// A random-access file of fixed-length slots numbered from 1. Slot n begins at
// (n - 1) x slot length. A read takes the bytes asked for; bytes beyond the end of the file read
// as zero. A write puts only the given bytes at the slot's start and leaves the slot's slack as
// it is; a slot that reaches beyond the end of the file is first zero-filled to its end. A slot
// number below 1 is refused and never touched. Every failure names the file and the reason.
class RecordFile {
 public:
  RecordFile() = default;
  RecordFile(RecordFile&& other) noexcept;
  RecordFile& operator=(RecordFile&& other) noexcept;
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;
  ~RecordFile();

  // Opens the file for reading and writing, creating it empty when it does not exist (its folder
  // must exist). A file without write permission opens for reading only; writes then fail.
  // Without `createMissing`, a missing file is not made: Status::FileMissing.
  static Result<RecordFile> Open(const std::filesystem::path& path, std::size_t slotLength,
                                 bool createMissing = true);
  // Opens an existing file for reading only: a missing file is an error, never created.
  static Result<RecordFile> OpenForReading(const std::filesystem::path& path,
                                           std::size_t slotLength);

  bool isOpen() const { return fd_ >= 0; }
  bool readOnly() const { return readOnly_; }
  // The file did not exist and this Open made it (empty).
  bool created() const { return created_; }
  const std::filesystem::path& path() const { return path_; }
  std::size_t slotLength() const { return slotLength_; }

  // Reads out.size() (at most the slot length) bytes from the start of the slot.
  Status Read(long slot, std::span<std::uint8_t> out) const;
  // Writes data (at most the slot length) at the start of the slot. Does not sync.
  Status Write(long slot, std::span<const std::uint8_t> data);
  // Puts everything written so far on disk.
  Status Sync();
  // How many times Sync put this file on disk: a save that reports success must have.
  std::uint64_t syncs() const { return syncs_; }
  // Write and Sync as one step. When either fails (a full disk, a failed sync) the slot's bytes
  // are put back and the file cut back to its old length, so no blank or half-written slot is
  // left behind; when that fails too, the message says both.
  Status Store(long slot, std::span<const std::uint8_t> data);
  // Undoes a write: the slot's first old.size() bytes as `old` (where they lay inside a file of
  // `oldSize` bytes), the file cut back to `oldSize`, and synced when anything changed.
  Status PutBack(long slot, std::span<const std::uint8_t> old, std::uint64_t oldSize);
  // Cuts the file back to `size` bytes (undoing an extension) and syncs.
  Status CutBackTo(std::uint64_t size);
  // Puts `contents` in place of the whole file as one step: they are written to a new file beside
  // it, synced, renamed over it and the folder synced, so a crash at any moment leaves the path
  // naming either the old file or the new one, never a mixture. This object then has the new
  // file open. On a failure before the rename the old file is untouched and the new one removed.
  Status ReplaceWith(std::span<const std::uint8_t> contents);

  // A read-only handle on the same open file, for a reader on another thread: it stays on this
  // file when this object is closed or follows a replaced one.
  Result<RecordFile> SecondHandle() const;

  // False when the path now names another file than the one open (renamed over, replaced).
  Result<bool> StillAtPath() const;

  // Raw bytes from a file offset, zeros past the end (for reading many slots at once).
  Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
  // Size of the file in bytes.
  Result<std::uint64_t> Size() const;

  void Close();

 private:
  // A file not yet opened, knowing its full path and slot length.
  static RecordFile Unopened(const std::filesystem::path& path, std::size_t slotLength);

  int fd_ = -1;
  bool readOnly_ = false;
  bool created_ = false;
  std::uint64_t syncs_ = 0;
  std::size_t slotLength_ = 0;
  std::filesystem::path path_;
};

// Finds `name` inside `folder` regardless of letter case; the exact name when nothing matches.
std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& folder,
                                          const std::string& name);

}  // namespace core
