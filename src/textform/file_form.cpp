#include "textform/file_form.h"

#include "core/catalogue_records.h"
#include "core/map_record.h"
#include "core/packing.h"
#include "textform/compact_bytes.h"
#include "textform/map_form.h"
#include "textform/record_forms.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <utility>

namespace textform {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::string_view EntriesMember(const RecordFileInfo& file) {
  return file.catalogue ? "Entries" : "Maps";
}

// Calls f with a default record of the file's type.
template <class F>
decltype(auto) WithRecordType(RecordFileKind kind, F&& f) {
  switch (kind) {
    case RecordFileKind::Items:
      return f(core::ItemRecord{});
    case RecordFileKind::Shops:
      return f(core::ShopRecord{});
    case RecordFileKind::Creatures:
      return f(core::CreatureRecord{});
    case RecordFileKind::Spells:
      return f(core::SpellRecord{});
    case RecordFileKind::SpellProgression:
      return f(core::SpellProgRecord{});
    case RecordFileKind::Maps:
      break;
  }
  return f(core::MapRecord{});
}

template <class Record>
void ReadRecordFields(FieldReader& reader, Record& record) {
  if constexpr (std::is_same_v<Record, core::MapRecord>) {
    ReadMapFields(reader, record);
  } else {
    EntryFields(reader, record);
  }
}

// One slot as an entry object: its fields, then its slack when that holds anything. `record`
// is reused from entry to entry, so that its texts keep their room.
template <class Record>
void WriteEntry(JsonOut& out, Bytes slot, Record& record) {
  out.openObject(true);
  if constexpr (std::is_same_v<Record, core::MapRecord>) {
    Record::unpack(slot.first(Record::PackedSize), record);
    WriteMapFields(out, record);
  } else {
    PackedFieldWriter writer(out, slot.first(Record::PackedSize));
    EntryFields(writer, std::as_const(record));
    assert(writer.used() == Record::PackedSize);
  }
  const Bytes slack = slot.subspan(Record::PackedSize);
  if (!AllZero(slack)) {
    out.key("Slack");
    out.plain(CompactBytes(slack));
  }
  out.closeObject();
}

// Where the slots are in a file's bytes.
struct Layout {
  bool header = false;    // a whole header slot (catalogues)
  std::size_t slots = 0;  // whole slots after it
  Bytes tail;             // a last part slot
};

Layout LayoutOf(const RecordFileInfo& file, Bytes bytes) {
  Layout layout;
  std::size_t whole = bytes.size() / file.slotLength;
  if (file.catalogue && whole > 0) {
    layout.header = true;
    --whole;
  }
  layout.slots = whole;
  layout.tail = bytes.subspan((whole + (layout.header ? 1 : 0)) * file.slotLength);
  return layout;
}

Bytes SlotOf(const RecordFileInfo& file, Bytes bytes, const Layout& layout, std::size_t entry) {
  return bytes.subspan((entry + (layout.header ? 1 : 0)) * file.slotLength, file.slotLength);
}

// The file's own members: name, header count and unused header bytes; the tail after entries.
void WriteFileHead(JsonOut& out, const RecordFileInfo& file, Bytes bytes, const Layout& layout) {
  out.key("File");
  out.plain(file.fileName);
  if (!file.catalogue) return;
  out.key("Count");
  if (!layout.header) {
    out.null();
    return;
  }
  out.number(core::IntegerAt(bytes, 0));
  const Bytes unused = bytes.subspan(2, file.slotLength - 2);
  if (!AllZero(unused)) {
    out.key("Unused");
    out.plain(CompactBytes(unused));
  }
}

void WriteFileTail(JsonOut& out, const Layout& layout) {
  if (layout.tail.empty()) return;
  out.key("Tail");
  out.plain(CompactBytes(layout.tail));
}

// The entries' array stands inside the file's object: the depth an entry starts at.
constexpr std::size_t EntriesDepth = 2;

// Builds a file's bytes from its text form, checking as it goes.
class Assembler {
 public:
  // A catalogue's header slot stands first, filled in at the end, so that the file is built in
  // one buffer.
  explicit Assembler(const RecordFileInfo& file) : file_(file) {
    if (file_.catalogue) entries_.assign(file_.slotLength, 0);
  }

  // The file's own members from the object at `object`; `entriesMember` is left to the caller.
  core::Status Head(const JsonTree& tree, JsonTree::Index object, bool withEntries) {
    FieldReader reader(tree, object, "the file");
    if (const auto at = reader.Required("File"); at >= 0) {
      std::string name;
      if (reader.StringValue(at, "File", name) && name != file_.fileName)
        reader.Fail(
            at, "File",
            "says " + name + ", but this is the text form of " + std::string(file_.fileName));
    }
    if (file_.catalogue) {
      if (const auto at = reader.Required("Count"); at >= 0) {
        countAt_ = at;
        const bool header = tree.at(at).type != JsonValue::Type::Null;
        std::int16_t count = 0;
        if (header && reader.IntegerValue(at, "Count", count)) {
          header_.assign(file_.slotLength, 0);
          core::PutIntegerAt(header_, 0, count);
        }
      }
      if (const auto at = reader.Optional("Unused"); at >= 0) {
        std::vector<std::uint8_t> unused;
        if (header_.empty())
          reader.Fail(at, "Unused", "a file without a header slot has no unused header bytes");
        else if (reader.BytesValue(at, "Unused", unused))
          CarryInto(reader, at, "Unused", unused, header_, 2);
      }
    }
    if (withEntries) {
      const std::string_view name = EntriesMember(file_);
      if (const auto at = reader.Required(name);
          at >= 0 && tree.at(at).type != JsonValue::Type::Array)
        reader.Fail(at, name, "must be an array");
    }
    if (const auto at = reader.Optional("Tail"); at >= 0) {
      if (reader.BytesValue(at, "Tail", tail_) && tail_.size() >= file_.slotLength)
        reader.Fail(at, "Tail",
                    "holds " + std::to_string(tail_.size()) + " bytes, less than a slot (" +
                        std::to_string(file_.slotLength) + ") was expected");
    }
    return reader.Finish();
  }

  // Entry `index` (from 0) from the object at `object`.
  core::Status Entry(const JsonTree& tree, JsonTree::Index object, long index) {
    const std::string where = (file_.catalogue ? "entry " : "map ") + std::to_string(index + 1);
    return WithRecordType(file_.kind, [&](auto blank) {
      using Record = decltype(blank);
      FieldReader reader(tree, object, where);
      if (entryCount_ == 0) ReserveFor(tree);
      Record record = blank;
      ReadRecordFields(reader, record);
      const std::size_t start = entries_.size();
      entries_.resize(start + file_.slotLength, 0);
      ++entryCount_;
      const auto slot = std::span<std::uint8_t>(entries_).subspan(start, file_.slotLength);
      if (reader.ok()) record.pack(slot.first(Record::PackedSize));
      if (const auto at = reader.Optional("Slack"); at >= 0) {
        std::vector<std::uint8_t> slack;
        if (reader.BytesValue(at, "Slack", slack))
          CarryInto(reader, at, "Slack", slack, slot, Record::PackedSize);
      }
      return reader.Finish();
    });
  }

  // The file: header slot, entries, tail. A file without a header slot holds no entries.
  core::Result<std::vector<std::uint8_t>> Finish(const JsonTree& headTree) {
    if (file_.catalogue && header_.empty() && entryCount_ > 0)
      return core::Status::Error(headTree.LineOf(headTree.at(countAt_).offset) +
                                 ": the file, member \"Count\": null means no header slot, "
                                 "so there can be no entries");
    std::vector<std::uint8_t> bytes = std::move(entries_);
    if (file_.catalogue && header_.empty())
      bytes.clear();
    else
      std::copy(header_.begin(), header_.end(), bytes.begin());
    bytes.insert(bytes.end(), tail_.begin(), tail_.end());
    return bytes;
  }

 private:
  // Room for the entries the file's Count names, read before its entries when it stands first,
  // as an export writes it; the buffer need not then grow and be copied entry by entry.
  void ReserveFor(const JsonTree& tree) {
    if (!file_.catalogue || tree.root() < 0 || tree.at(tree.root()).type != JsonValue::Type::Object)
      return;
    const JsonTree::Index count = tree.member(tree.root(), "Count");
    if (count < 0 || tree.at(count).type != JsonValue::Type::Number || !tree.at(count).whole ||
        tree.at(count).integer < 0 || tree.at(count).integer > 32767)
      return;
    entries_.reserve(static_cast<std::size_t>(tree.at(count).integer + 2) * file_.slotLength);
  }

  void CarryInto(FieldReader& reader, JsonTree::Index at, std::string_view name,
                 const std::vector<std::uint8_t>& carried, std::span<std::uint8_t> slot,
                 std::size_t offset) {
    const std::size_t room = slot.size() - offset;
    if (carried.size() > room) {
      reader.Fail(at, name,
                  "holds " + std::to_string(carried.size()) + " bytes, there is room for " +
                      std::to_string(room));
      return;
    }
    std::copy(carried.begin(), carried.end(), slot.begin() + static_cast<long>(offset));
  }

  const RecordFileInfo& file_;
  JsonTree::Index countAt_ = 0;
  std::vector<std::uint8_t> header_;
  std::vector<std::uint8_t> entries_;
  long entryCount_ = 0;
  std::vector<std::uint8_t> tail_;
};

}  // namespace

const std::array<RecordFileInfo, 6>& RecordFiles() {
  static const std::array<RecordFileInfo, 6> files = {{
      {RecordFileKind::Maps, "Maps.dat", "Maps", core::MapRecord::SlotLength, false},
      {RecordFileKind::Items, "Item.dat", "Item", core::ItemRecord::SlotLength, true},
      {RecordFileKind::Shops, "Shop.dat", "Shop", core::ShopRecord::SlotLength, true},
      {RecordFileKind::Creatures, "Mon.dat", "Mon", core::CreatureRecord::SlotLength, true},
      {RecordFileKind::Spells, "Mag.dat", "Mag", core::SpellRecord::SlotLength, true},
      {RecordFileKind::SpellProgression, "MagProg.dat", "MagProg",
       core::SpellProgRecord::SlotLength, true},
  }};
  return files;
}

const RecordFileInfo* RecordFileNamed(std::string_view fileName) {
  const auto lower = [](std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
  };
  // git hands a textconv driver a copy named "XXXXXX_Item.dat".
  const std::string name = lower(fileName);
  for (const RecordFileInfo& file : RecordFiles()) {
    const std::string wanted = lower(file.fileName);
    if (name == wanted || (name.size() > wanted.size() && name.ends_with("_" + wanted)))
      return &file;
  }
  return nullptr;
}

std::size_t EntryCount(const RecordFileInfo& file, std::span<const std::uint8_t> bytes) {
  return LayoutOf(file, bytes).slots;
}

void AppendJsonOpening(const RecordFileInfo& file, std::span<const std::uint8_t> bytes,
                       std::string& text) {
  JsonOut out(text);
  out.openObject(true);
  WriteFileHead(out, file, bytes, LayoutOf(file, bytes));
  out.key(EntriesMember(file));
  out.openArray(true);
}

void AppendJsonEntries(const RecordFileInfo& file, std::span<const std::uint8_t> bytes,
                       std::size_t first, std::size_t last, std::string& text) {
  const Layout layout = LayoutOf(file, bytes);
  last = std::min(last, layout.slots);
  JsonOut out(text, EntriesDepth, first > 0);
  WithRecordType(file.kind, [&](auto blank) {
    decltype(blank) record;
    for (std::size_t entry = first; entry < last; ++entry) {
      out.item();
      WriteEntry<decltype(blank)>(out, SlotOf(file, bytes, layout, entry), record);
    }
  });
}

void AppendJsonClosing(const RecordFileInfo& file, std::span<const std::uint8_t> bytes,
                       std::string& text) {
  const Layout layout = LayoutOf(file, bytes);
  JsonOut out(text, EntriesDepth, layout.slots > 0);
  out.closeArray();
  WriteFileTail(out, layout);
  out.closeObject();
  text += '\n';
}

std::string FileToJson(const RecordFileInfo& file, std::span<const std::uint8_t> bytes) {
  std::string text;
  // Roughly what an entry takes as text, so that a large file's text grows in one piece.
  const std::size_t perSlot = WithRecordType(file.kind, [](auto blank) {
    return std::min<std::size_t>(8 * decltype(blank)::PackedSize, 2048);
  });
  text.reserve(bytes.size() / file.slotLength * perSlot + 4096);
  AppendJsonOpening(file, bytes, text);
  AppendJsonEntries(file, bytes, 0, EntryCount(file, bytes), text);
  AppendJsonClosing(file, bytes, text);
  return text;
}

std::string SplitJsonHead(const RecordFileInfo& file, std::span<const std::uint8_t> bytes) {
  const Layout layout = LayoutOf(file, bytes);
  std::string text;
  JsonOut head(text);
  head.openObject(true);
  WriteFileHead(head, file, bytes, layout);
  WriteFileTail(head, layout);
  head.closeObject();
  text += '\n';
  return text;
}

std::string SplitJsonEntry(const RecordFileInfo& file, std::span<const std::uint8_t> bytes,
                           std::size_t entry) {
  const Layout layout = LayoutOf(file, bytes);
  std::string text;
  JsonOut out(text);
  WithRecordType(file.kind, [&](auto blank) {
    decltype(blank) record;
    WriteEntry<decltype(blank)>(out, SlotOf(file, bytes, layout, entry), record);
  });
  text += '\n';
  return text;
}

SplitJson FileToSplitJson(const RecordFileInfo& file, std::span<const std::uint8_t> bytes) {
  SplitJson split{SplitJsonHead(file, bytes), {}};
  const std::size_t entries = EntryCount(file, bytes);
  for (std::size_t entry = 0; entry < entries; ++entry)
    split.entries.push_back(SplitJsonEntry(file, bytes, entry));
  return split;
}

core::Result<std::vector<std::uint8_t>> FileFromJson(const RecordFileInfo& file,
                                                     const std::string& json) {
  Assembler assembler(file);
  JsonTree tree;
  // The entries are checked one by one as they are read; the file's own members at the end.
  core::Status status = tree.Read(json, EntriesMember(file),
                                  [&](const JsonTree& items, JsonTree::Index item, long index) {
                                    return assembler.Entry(items, item, index);
                                  });
  if (!status.ok()) return status;
  if (tree.at(tree.root()).type != JsonValue::Type::Object)
    return core::Status::Error("line 1: the text form of " + std::string(file.fileName) +
                               " must be a JSON object");
  status = assembler.Head(tree, tree.root(), true);
  if (!status.ok()) return status;
  return assembler.Finish(tree);
}

core::Result<std::vector<std::uint8_t>> FileFromSplitJson(
    const RecordFileInfo& file, const std::string& fileJson, long entryCount,
    const std::function<core::Result<std::string>(long entry)>& entryText,
    const std::function<std::string(long entry)>& pieceName) {
  Assembler assembler(file);
  JsonTree tree;
  core::Status status = tree.Read(fileJson);
  if (status.ok() && (tree.root() < 0 || tree.at(tree.root()).type != JsonValue::Type::Object))
    status = core::Status::Error("line 1: must be a JSON object");
  if (status.ok()) status = assembler.Head(tree, tree.root(), false);
  if (!status.ok()) return status;
  for (long entry = 1; entry <= entryCount; ++entry) {
    auto text = entryText(entry);
    if (!text.ok()) return text.status();
    JsonTree entryTree;
    status = entryTree.Read(*text);
    if (status.ok()) status = assembler.Entry(entryTree, entryTree.root(), entry - 1);
    if (!status.ok()) return core::Status::Error(pieceName(entry) + ", " + status.message());
  }
  return assembler.Finish(tree);
}

}  // namespace textform
