#include "core/slot_guard.h"

#include <algorithm>

namespace core {

void SlotGuard::remember(long slot, std::span<const std::uint8_t> bytes) {
  seen_[slot].assign(bytes.begin(), bytes.end());
}

const std::vector<std::uint8_t>* SlotGuard::seen(long slot) const {
  const auto found = seen_.find(slot);
  return found == seen_.end() ? nullptr : &found->second;
}

Status SlotGuard::check(const RecordFile& file, long slot, const std::string& what) const {
  const std::vector<std::uint8_t>* before = seen(slot);
  if (!before) return Status::Ok();
  std::vector<std::uint8_t> now(before->size());
  Status status = file.Read(slot, now);
  if (!status.ok()) return status;
  return compare(slot, now, what, file.path());
}

Status SlotGuard::compare(long slot, std::span<const std::uint8_t> now, const std::string& what,
                          const std::filesystem::path& file) const {
  const std::vector<std::uint8_t>* before = seen(slot);
  if (!before) return Status::Ok();
  if (now.size() >= before->size() && std::equal(before->begin(), before->end(), now.begin()))
    return Status::Ok();
  return Status::ChangedOnDisk(what + " in " + file.string() +
                               " was changed on disk since this editor read it.");
}

}  // namespace core
