#pragma once

#include "core/status.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace textform {

// The six record files of a game folder's Dat folder.
enum class RecordFileKind { Maps, Items, Shops, Creatures, Spells, SpellProgression };

struct RecordFileInfo {
  RecordFileKind kind;
  std::string_view fileName;  // "Item.dat"
  std::string_view stem;      // "Item": names its JSON file and its folder of entries
  std::size_t slotLength;
  bool catalogue;  // a header slot first, then the entries
};

const std::array<RecordFileInfo, 6>& RecordFiles();
// The record file of that name, letter case ignored; null for another file.
const RecordFileInfo* RecordFileNamed(std::string_view fileName);

// A record file's bytes in the text form: one JSON object with the file's own members and every
// whole slot as an entry (a map for Maps.dat). Every byte is carried: the header's unused bytes,
// each slot's slack and a last part slot, as compact members that a reader may ignore.
std::string FileToJson(const RecordFileInfo& file, std::span<const std::uint8_t> bytes);

// The same text in parts that can be made apart and joined in order: the opening (the file's
// own members up to its entries), the entries from `first` up to `last` (whole slots counted
// from 0, at most EntryCount) and the closing.
std::size_t EntryCount(const RecordFileInfo& file, std::span<const std::uint8_t> bytes);
void AppendJsonOpening(const RecordFileInfo& file, std::span<const std::uint8_t> bytes,
                       std::string& text);
void AppendJsonEntries(const RecordFileInfo& file, std::span<const std::uint8_t> bytes,
                       std::size_t first, std::size_t last, std::string& text);
void AppendJsonClosing(const RecordFileInfo& file, std::span<const std::uint8_t> bytes,
                       std::string& text);

// The same cut in pieces: the file's own members, then one JSON text per entry.
struct SplitJson {
  std::string file;
  std::vector<std::string> entries;
};
SplitJson FileToSplitJson(const RecordFileInfo& file, std::span<const std::uint8_t> bytes);
// Its parts one by one: the file's own members, and entry `entry` (from 0).
std::string SplitJsonHead(const RecordFileInfo& file, std::span<const std::uint8_t> bytes);
std::string SplitJsonEntry(const RecordFileInfo& file, std::span<const std::uint8_t> bytes,
                           std::size_t entry);

// Reads the text form back into the file's bytes, checking every member; a refusal says
// "line L: entry 5, member "Cost": what is wrong" (the caller adds the JSON file's name).
core::Result<std::vector<std::uint8_t>> FileFromJson(const RecordFileInfo& file,
                                                     const std::string& json);

// From pieces: `fileJson` without entries, and entry k (1..entryCount) as read by `entryText`,
// which names the piece in a refusal through `pieceName`.
core::Result<std::vector<std::uint8_t>> FileFromSplitJson(
    const RecordFileInfo& file, const std::string& fileJson, long entryCount,
    const std::function<core::Result<std::string>(long entry)>& entryText,
    const std::function<std::string(long entry)>& pieceName);

}  // namespace textform
