#pragma once

#include "core/definitions.h"
#include "support/fixtures.h"

#include <filesystem>
#include <iterator>
#include <vector>

// A whole game folder for the tests of the data store.
namespace game_folder {

// Slot `slot` of a file as it is on disk (zeros past the end).
template <class Record>
Record storedSlot(const std::filesystem::path& file, long slot) {
  auto bytes = test_support::readBytes(
      file, static_cast<std::uint64_t>(slot - 1) * Record::SlotLength, Record::PackedSize);
  bytes.resize(Record::PackedSize, 0);
  return Record::unpack(bytes);
}

// Maps 1..3, and catalogues of 4 items, 3 creatures, 2 shops, 5 spells and 6 progression
// entries. Headers and slack carry recognisable bytes.
inline void fillGameFolder(const test_support::TestDataDir& dir) {
  using namespace test_support;
  for (std::int16_t map = 1; map <= 3; ++map)
    writeMapSlot(dir.datFile("Maps.dat"), map, sampleMap(map));
  writeCatalogue(dir.datFile("Item.dat"), namedEntries<core::ItemRecord>(4, "Item"),
                 patternBytes(222, 1), 0x5A);
  writeCatalogue(dir.datFile("Mon.dat"), namedEntries<core::CreatureRecord>(3, "Orc"),
                 patternBytes(204, 2), 0x5A);
  writeCatalogue(dir.datFile("Shop.dat"), namedEntries<core::ShopRecord>(2, "Shop"),
                 patternBytes(86, 3), 0x5A);
  writeCatalogue(dir.datFile("Mag.dat"), namedEntries<core::SpellRecord>(5, "Spell"),
                 patternBytes(2314, 4), 0x5A);
  std::vector<core::SpellProgRecord> progression(6);
  for (std::size_t i = 0; i < progression.size(); ++i)
    progression[i].ProgSpell = static_cast<std::int16_t>(i + 1);
  writeCatalogue(dir.datFile("MagProg.dat"), progression, patternBytes(10, 5));
}

inline const char* const AllFiles[] = {"Maps.dat", "Item.dat", "Mon.dat",
                                       "Shop.dat", "Mag.dat",  "MagProg.dat"};

inline std::vector<std::vector<std::uint8_t>> allFileBytes(const test_support::TestDataDir& dir) {
  std::vector<std::vector<std::uint8_t>> files;
  for (const char* name : AllFiles) files.push_back(test_support::readBytes(dir.datFile(name)));
  return files;
}

// How many files and folders lie below `folder`, for "nothing was created" checks.
inline std::ptrdiff_t entriesBelow(const std::filesystem::path& folder) {
  return std::distance(std::filesystem::recursive_directory_iterator(folder), {});
}

// A store started on a filled game folder.
struct FilledGame {
  std::unique_ptr<test_support::TestDataDir> dir = [] {
    auto made = test_support::makeDataDir();
    fillGameFolder(*made);
    return made;
  }();
  core::ModDefinitions defs{dir->root()};
  const core::Status started = defs.Startup();
  std::filesystem::path file(const char* name) const { return dir->datFile(name); }
};

}  // namespace game_folder
