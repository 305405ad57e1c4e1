#pragma once

#include "core/map_record.h"
#include "core/references.h"
#include "core/status.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace core {

// The references of a game folder for "Where Used": built by one pass of the checker over the
// files, built again once a file of the Dat folder was written, replaced, added or removed, and
// asked with the open map as it stands in memory in place of its slot of Maps.dat.
class WhereUsedIndex {
 public:
  explicit WhereUsedIndex(std::filesystem::path folder);

  // True before the first build and when the files changed since.
  bool Stale() const;
  // Reads every file once (progress as for CheckGameFolder). An error when a file cannot be
  // read; a cancelled build leaves the index stale.
  Status Build(const std::function<bool(double)>& progress = {});

  // The places that name `number` of `target`, by file and place. With `openMap`, map
  // `openMapNumber` is taken from it rather than from the file.
  std::vector<Reference> UsesOf(RefTarget target, long number, const MapRecord* openMap = nullptr,
                                long openMapNumber = 0) const;

 private:
  // What tells that a file changed: its identity, size and time of last change.
  struct Stamp {
    std::string name;
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t changedNs = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;
  };
  std::vector<Stamp> Stamps() const;

  std::filesystem::path folder_;
  std::vector<Stamp> stamps_;
  bool built_ = false;
  ReferenceIndex index_;
};

}  // namespace core
