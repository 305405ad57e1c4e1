#pragma once

#include "core/catalogue.h"
#include "core/chunked_read.h"
#include "core/game_check.h"

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace core {

// The one pass of the checker over a game folder: reads each file once, checks each record as it
// goes by, and notes every reference and what the referenced files hold; Resolve then checks the
// references against that. Used by CheckGameFolder and MapReferences only.
class GameScan {
 public:
  GameScan(std::filesystem::path folder, const CheckOptions& options);

  Status Run();  // the pass, then Resolve; an error when a file cannot be read
  GameCheck& result() { return check_; }
  // The references of one map, as the pass notes them (MapReferences).
  static std::vector<Reference> ReferencesOf(const MapRecord& map, long number);

 private:
  // What a referenced file holds, for the references to be checked against.
  struct Held {
    long count = 0;
    std::vector<bool> empty;  // entry k at k - 1: no name, or beyond the end of the file
  };

  // Slots the file holds by its size (0 when it cannot be told): room to make at once.
  std::uintmax_t EntriesInFile(const char* name, std::size_t slotLength) const;
  bool Progress(double done);
  void SortFindings();
  void Add(Severity severity, const Place& place, std::string message);
  void Refer(RefTarget target, long number, const Place& place, std::string_view use);

  Status ReadPictures();
  Status ReadMaps();
  void CheckMap(const MapRecord& map, long number, bool withEdges = true);
  void CheckSpecial(const MapRecord& map, long number, int index);
  void CheckEdges(const MapRecord& map, long number);
  // check(entry, packed bytes) answers the number the entry carries and whether it is empty.
  template <class Record, class Check>
  Status ReadCatalogue(GameFile file, std::string_view plural, Held& held, double from, double to,
                       Check&& check);
  Status ReadItemsShopsCreatures();
  Status ReadSpells();
  Status ReadProgression();

  void Resolve();
  void ResolveOne(const Reference& reference);
  const Held* HeldFor(RefTarget target) const;

  std::filesystem::path folder_;
  const CheckOptions& options_;
  GameCheck check_;
  Held maps_, items_, shops_, creatures_, spells_;
  std::set<std::string> pictures_;  // file names in Data, lower case
  std::set<long> flagsSet_;
  ChunkBuffers buffers_;  // the chunks of every pass
  // The last picture looked for, and whether Data holds it.
  std::pair<RefTarget, long> lastPicture_{RefTarget::Flag, 0};
  bool lastPictureFound_ = false;
  std::string_view lastPictureUse_;
  std::string lastPictureMessage_;  // for the last picture and use, when it is missing
};

}  // namespace core
