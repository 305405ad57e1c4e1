#pragma once

#include "core/record_file.h"
#include "core/status.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace core {

// Remembers the packed bytes of each slot as this editor last read or wrote them, so that a
// save can tell that someone else (a second editor, the game's tools) changed the slot since.
class SlotGuard {
 public:
  void remember(long slot, std::span<const std::uint8_t> bytes);
  void forgetAll() { seen_.clear(); }
  // The bytes remembered for the slot; empty when it was never read or written here.
  const std::vector<std::uint8_t>* seen(long slot) const;

  // Ok when the slot on disk still holds the remembered bytes, or when nothing is remembered
  // for it; Status::ChangedOnDisk saying "<what> was changed on disk ..." otherwise.
  Status check(const RecordFile& file, long slot, const std::string& what) const;
  // The same, against the slot's bytes as the caller has just read them from `file`.
  Status compare(long slot, std::span<const std::uint8_t> now, const std::string& what,
                 const std::filesystem::path& file) const;

 private:
  std::map<long, std::vector<std::uint8_t>> seen_;
};

}  // namespace core
