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
  static Result<RecordFile> Open(const std::filesystem::path& path, std::size_t slotLength);

  bool isOpen() const { return fd_ >= 0; }
  bool readOnly() const { return readOnly_; }
  const std::filesystem::path& path() const { return path_; }
  std::size_t slotLength() const { return slotLength_; }

  // Reads out.size() (at most the slot length) bytes from the start of the slot.
  Status Read(long slot, std::span<std::uint8_t> out) const;
  // Writes data (at most the slot length) at the start of the slot. Does not sync.
  Status Write(long slot, std::span<const std::uint8_t> data);
  // Puts everything written so far on disk.
  Status Sync();

  // Raw bytes from a file offset, zeros past the end (for reading many slots at once).
  Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
  // Size of the file in bytes.
  Result<std::uint64_t> Size() const;

  void Close();

 private:
  int fd_ = -1;
  bool readOnly_ = false;
  std::size_t slotLength_ = 0;
  std::filesystem::path path_;
};

// Finds `name` inside `folder` regardless of letter case; the exact name when nothing matches.
std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& folder,
                                          const std::string& name);

}  // namespace core
