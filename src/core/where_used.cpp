#include "core/where_used.h"

#include "core/game_check.h"
#include "core/record_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <system_error>
#include <tuple>
#include <utility>

namespace core {

namespace fs = std::filesystem;

WhereUsedIndex::WhereUsedIndex(fs::path folder) : folder_(std::move(folder)) {}

// Six stats: cheap enough to ask before every look-up.
std::vector<WhereUsedIndex::Stamp> WhereUsedIndex::Stamps() const {
  std::vector<Stamp> stamps;
  const fs::path dat = ResolveIgnoringCase(folder_, "Dat");
  std::error_code error;
  for (fs::directory_iterator it(dat, error); !error && it != fs::directory_iterator();
       it.increment(error)) {
    struct stat info {};
    if (::stat(it->path().c_str(), &info) != 0) continue;
    Stamp stamp;
    stamp.name = it->path().filename().string();
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.changedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 +
                      static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    stamps.push_back(std::move(stamp));
  }
  std::sort(stamps.begin(), stamps.end(),
            [](const Stamp& a, const Stamp& b) { return a.name < b.name; });
  return stamps;
}

bool WhereUsedIndex::Stale() const {
  return !built_ || Stamps() != stamps_;
}

Status WhereUsedIndex::Build(const std::function<bool(double)>& progress) {
  // Stamped before the pass: a file written during it shows as changed at the next look-up.
  std::vector<Stamp> stamps = Stamps();
  CheckOptions options;
  options.progress = progress;
  auto check = CheckGameFolder(folder_, options);
  if (!check.ok()) return check.status();
  if (check->cancelled) return Status::Ok();
  index_ = std::move(check->index);
  index_.Finish();  // here, off the window's thread, rather than at the first look-up
  stamps_ = std::move(stamps);
  built_ = true;
  return Status::Ok();
}

std::vector<Reference> WhereUsedIndex::UsesOf(RefTarget target, long number,
                                              const MapRecord* openMap, long openMapNumber) const {
  const bool fromMemory = openMap != nullptr && openMapNumber >= 1;
  std::vector<Reference> uses;
  for (const Reference& use : index_.UsesOf(target, number)) {
    if (fromMemory && use.place.file == GameFile::Maps && use.place.entry == openMapNumber)
      continue;
    uses.push_back(use);
  }
  if (fromMemory) {
    for (const Reference& use : MapReferences(*openMap, openMapNumber))
      if (use.target == target && use.number == number) uses.push_back(use);
  }
  std::stable_sort(uses.begin(), uses.end(), [](const Reference& a, const Reference& b) {
    return std::tie(a.place.file, a.place.entry, a.place.slotKind, a.place.slot) <
           std::tie(b.place.file, b.place.entry, b.place.slotKind, b.place.slot);
  });
  return uses;
}

}  // namespace core
