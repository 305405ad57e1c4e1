#pragma once

#include "core/catalogue_records.h"
#include "core/definitions.h"
#include "core/map_record.h"
#include "core/status.h"

#include <QByteArray>
#include <QList>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Data directories and files built by the tests themselves.
namespace test_support {

// A temporary game folder with its Dat and Data folders; removed with the object.
class TestDataDir {
 public:
  // withDat = false leaves the Dat folder out (Data is still made).
  explicit TestDataDir(bool withDat = true);

  std::filesystem::path root() const { return dir_.path().toStdString(); }
  std::filesystem::path dat() const { return root() / "Dat"; }
  std::filesystem::path data() const { return root() / "Data"; }
  std::filesystem::path datFile(const std::string& name) const { return dat() / name; }

 private:
  QTemporaryDir dir_;
};

inline std::unique_ptr<TestDataDir> makeDataDir(bool withDat = true) {
  return std::make_unique<TestDataDir>(withDat);
}

// Whole-file helpers.
std::vector<std::uint8_t> readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);
// The file's bytes [offset, offset + size), cut short at the end of the file.
std::vector<std::uint8_t> readBytes(const std::filesystem::path& file, std::uint64_t offset,
                                    std::size_t size);

// Slot `slot` of a catalogue file as it is on disk, unpacked (zeros past the end). Entry k is
// slot k + 1, after the header.
template <class Record>
Record storedSlot(const std::filesystem::path& file, long slot) {
  auto bytes = readBytes(file, static_cast<std::uint64_t>(slot - 1) * Record::SlotLength,
                         Record::PackedSize);
  bytes.resize(Record::PackedSize, 0);
  return Record::unpack(bytes);
}
// For readable test failures.
QByteArray toHex(const std::vector<std::uint8_t>& bytes);

// Distinct, recognisable bytes: byte i is (i * 31 + seed) & 0xFF.
std::vector<std::uint8_t> patternBytes(std::size_t size, unsigned seed);

// The packed bytes of a record.
template <class Record>
std::vector<std::uint8_t> packedBytes(const Record& record) {
  std::vector<std::uint8_t> bytes(Record::PackedSize);
  record.pack(bytes);
  return bytes;
}

// A catalogue file's bytes: slot 1 = `header` (its first Integer set to entries.size()), then
// entry k in slot k + 1 with its entry number set to k. Slack bytes are `slackFill`; a header
// shorter than the slot is padded with `slackFill` too.
template <class Record>
std::vector<std::uint8_t> catalogueBytes(std::vector<Record> entries,
                                         std::vector<std::uint8_t> header = {},
                                         std::uint8_t slackFill = 0) {
  const std::size_t slot = Record::SlotLength;
  std::vector<std::uint8_t> bytes((entries.size() + 1) * slot, slackFill);
  header.resize(std::max<std::size_t>(header.size(), 2), slackFill);
  std::copy_n(header.begin(), std::min(header.size(), slot), bytes.begin());
  const auto count = static_cast<std::uint16_t>(entries.size());
  bytes[0] = static_cast<std::uint8_t>(count & 0xFF);
  bytes[1] = static_cast<std::uint8_t>(count >> 8);
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    Record& entry = entries[k - 1];
    entry.entryNumber() = static_cast<std::int16_t>(k);
    entry.pack(std::span<std::uint8_t>(bytes.data() + k * slot, Record::PackedSize));
  }
  return bytes;
}

template <class Record>
void writeCatalogue(const std::filesystem::path& file, std::vector<Record> entries,
                    std::vector<std::uint8_t> header = {}, std::uint8_t slackFill = 0) {
  writeBytes(file, catalogueBytes(std::move(entries), std::move(header), slackFill));
}

// Catalogue names: plural = name + "s" where the record has one.
inline void nameEntry(core::ItemRecord& item, const std::string& name) {
  item.ItemName = name;
  item.PluralName = name + "s";
}
inline void nameEntry(core::CreatureRecord& creature, const std::string& name) {
  creature.CreatureName = name;
  creature.PluralName = name + "s";
}
inline void nameEntry(core::ShopRecord& shop, const std::string& name) {
  shop.ShopName = name;
}
inline void nameEntry(core::SpellRecord& spell, const std::string& name) {
  spell.SpellName = name;
}

// `count` entries named "<stem> <k>".
template <class Record>
std::vector<Record> namedEntries(int count, const std::string& stem) {
  std::vector<Record> entries(static_cast<std::size_t>(count));
  for (int k = 1; k <= count; ++k)
    nameEntry(entries[static_cast<std::size_t>(k - 1)], stem + " " + std::to_string(k));
  return entries;
}

// A text as a record stores it: cut or blank-padded to `width`.
std::string padded(const std::string& text, std::size_t width = 20);
// Messages name the file they are about by its full path.
inline bool mentions(const core::Status& status, const std::filesystem::path& file) {
  return status.message().find(file.string()) != std::string::npos;
}

// Maps.dat helpers: a map with a few recognisable squares, and whole slots on disk.
core::MapRecord sampleMap(std::int16_t mapNo);
// Special `index`: its kind, its square and its first two parameters; the other fields stay.
void putSpecial(core::MapRecord& map, int index, int kind, int x, int y, int param1 = 0,
                int param2 = 0);
void writeMapSlot(const std::filesystem::path& mapsFile, long slot, const core::MapRecord& map);
// Changes the map in memory as another window would: one undo step, told to every window.
// Starts the undo history afresh on the map as it is, as if it had just been opened.
inline void startHistory(core::ModDefinitions& defs) {
  defs.Document().Replace(defs.Document().Map(), defs.Document().Number());
}
inline void editMap(core::ModDefinitions& defs, const std::function<void(core::MapRecord&)>& edit) {
  defs.Document().Apply("Stored Elsewhere", edit);
}
// The packed part of slot n of Maps.dat as it is on disk (zeros past the end).
std::vector<std::uint8_t> mapSlotBytes(const std::filesystem::path& mapsFile, long slot);

// The first argument of every signal a spy caught, in order.
inline QList<int> signalArgs(const QSignalSpy& spy) {
  QList<int> args;
  for (const QList<QVariant>& call : spy) args << call.at(0).toInt();
  return args;
}

}  // namespace test_support
