#pragma once

// What the core tests share: a look at a record's packed bytes, and a whole game folder.
#include "core/catalogue_records.h"
#include "core/definitions.h"
#include "core/map_document.h"
#include "core/map_record.h"
#include "core/packing.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QString>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace test_support {

inline std::string textAt(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                          std::size_t width) {
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                     bytes.begin() + static_cast<std::ptrdiff_t>(offset + width));
}

// Each (offset, value) is an Integer of the packed bytes.
inline void expectIntegers(const std::vector<std::uint8_t>& bytes,
                           std::initializer_list<std::pair<std::size_t, int>> expected) {
  for (const auto& [offset, value] : expected)
    QVERIFY2(core::IntegerAt(bytes, offset) == value, qPrintable(QString("at %1").arg(offset)));
}

// Every byte value once, then as often as needed: texts full of NULs, blanks and 0x80..0x9F.
inline std::vector<std::uint8_t> everyByte(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return bytes;
}

// Random bytes and every byte pattern come back from unpack and pack unchanged.
template <class Record>
void checkByteRoundTrip(unsigned seed, int runs) {
  std::mt19937 random(seed);
  for (int run = 0; run < runs; ++run) {
    std::vector<std::uint8_t> bytes(Record::PackedSize);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random() & 0xFFu);
    QCOMPARE(packedBytes(Record::unpack(bytes)), bytes);
  }
  const auto pattern = everyByte(Record::PackedSize);
  QCOMPARE(packedBytes(Record::unpack(pattern)), pattern);
}

// Maps 1..3, and catalogues of 4 items, 3 creatures, 2 shops, 5 spells and 6 progression
// entries. Headers and slack carry recognisable bytes.
inline void fillGameFolder(const TestDataDir& dir) {
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

inline std::vector<std::vector<std::uint8_t>> allFileBytes(const TestDataDir& dir) {
  std::vector<std::vector<std::uint8_t>> files;
  for (const char* name : AllFiles) files.push_back(readBytes(dir.datFile(name)));
  return files;
}

// How many files and folders lie below `folder`, for "nothing was created" checks.
inline std::ptrdiff_t entriesBelow(const std::filesystem::path& folder) {
  return std::distance(std::filesystem::recursive_directory_iterator(folder), {});
}

// A document on its own hand-over Integers, with every notice it gives kept.
struct Document {
  std::int16_t number = 1, x = 1, y = 0;
  core::MapDocument doc{number, x, y};
  std::vector<core::MapChange> told;
  Document() {
    doc.Observe([this](const core::MapChange& change) { told.push_back(change); });
  }
};

// A store started on a filled game folder.
struct FilledGame {
  std::unique_ptr<TestDataDir> dir = [] {
    auto made = makeDataDir();
    fillGameFolder(*made);
    return made;
  }();
  core::ModDefinitions defs{dir->root()};
  const core::Status started = defs.Startup();
  std::filesystem::path file(const char* name) const { return dir->datFile(name); }
};

}  // namespace test_support
