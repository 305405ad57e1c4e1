#pragma once

#include "core/map_record.h"
#include "core/references.h"
#include "core/status.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace core {

// error: a number that points at nothing; warning: likely a mistake; note: worth a look.
enum class Severity : int { Error = 0, Warning = 1, Note = 2 };

std::string_view SeverityName(Severity severity);  // "error", "warning", "note"

// One thing the checker found, at one place.
struct Finding {
  Severity severity = Severity::Note;
  Place place;
  std::string message;  // what is wrong, without the place

  friend bool operator==(const Finding&, const Finding&) = default;
};

// "Map 3, square 12X, 4Y, special 7: Exit to Building names shop 14, but ..."
std::string DescribeFinding(const Finding& finding);
// "error: " and the description: one line of the command-line checker.
std::string FindingLine(const Finding& finding);
// The findings as a JSON array, one object per finding.
std::string FindingsJson(const std::vector<Finding>& findings);

// What the checker learnt from one pass over a game folder.
struct GameCheck {
  ReferenceIndex index;
  std::vector<Finding> findings;  // files in a fixed order, each in file order
  bool cancelled = false;
  // The open map handed in differs from its slot of Maps.dat: its unsaved changes were checked.
  bool unsavedMapDiffers = false;
};

struct CheckOptions {
  // The open map as it stands in memory, checked in place of its slot in Maps.dat.
  const MapRecord* unsavedMap = nullptr;
  long unsavedMapNumber = 0;
  // Called now and then with the part done (0..1); returning false cancels the check.
  std::function<bool(double)> progress;
};

// Reads every file of the game folder (its Dat and Data folders) once, for reading only, builds
// the reference index and checks the records and every reference. An error when a file cannot
// be read; the Status names the file and the reason.
Result<GameCheck> CheckGameFolder(const std::filesystem::path& folder,
                                  const CheckOptions& options = {});

// The references map `number` makes as `map` holds it, in the order the checker notes them.
std::vector<Reference> MapReferences(const MapRecord& map, long number);

}  // namespace core
