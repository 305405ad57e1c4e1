#pragma once

#include "core/status.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace textform {

// Called now and then with the part done (0..1); false cancels. An import is cancelled only
// while it checks, before anything is written.
using Progress = std::function<bool(double)>;

struct ExportOptions {
  bool split = false;  // one JSON file per entry or map, in a folder per record file
  Progress progress;
};

struct ExportSummary {
  std::vector<std::string> written;  // JSON files or folders, as "Item.json" or "Item/"
  std::vector<std::string> missing;  // record files the game folder does not hold
};

// Writes the text form of each record file in the Dat folder of `game` into `target` (made
// when missing): Item.json, or with `split` the folder Item/ holding Item.json (the file's own
// members) and 00001.json, 00002.json ... (its entries). Files of the other form that an
// earlier export left there are removed. Never writes to the game folder.
core::Result<ExportSummary> ExportGameData(const std::filesystem::path& game,
                                           const std::filesystem::path& target,
                                           const ExportOptions& options = {});

struct ImportOptions {
  // The command line takes the game folder's lock for the import; the editor holds it already.
  bool takeLock = true;
  Progress progress;
};

struct ImportSummary {
  std::vector<std::string> written;    // record files that changed
  std::vector<std::string> unchanged;  // record files that already held these bytes
};

// Reads the text form in `source` (either form, per record file) and writes the record files of
// `game`. Every file is read and checked before anything is written; a refusal names the JSON
// file, the line and the member, and leaves the game folder as it was. Then, under the folder's
// lock, each changed file is replaced whole (a new file beside it, synced, renamed over it),
// unless it changed on disk since the import read it; a failed replacement puts back the files
// already replaced. A record file without a text form in `source` is refused when the game
// folder holds it and left alone otherwise.
core::Result<ImportSummary> ImportGameData(const std::filesystem::path& source,
                                           const std::filesystem::path& game,
                                           const ImportOptions& options = {});

// The text form of one record file, known by its name (Item.dat, Maps.dat, ...).
core::Result<std::string> ShowRecordFile(const std::filesystem::path& file);

}  // namespace textform
