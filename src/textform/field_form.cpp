#include "textform/field_form.h"

#include "core/text.h"
#include "textform/compact_bytes.h"

#include <algorithm>
#include <cstdio>

namespace textform {

namespace {

using Type = JsonValue::Type;

// Members an entry names, at most: a creature's and a spell's fields and their carried bytes.
constexpr std::size_t KnownRoom = 32;

// The text a box shows of a stored field: up to its first zero byte, without padding blanks.
std::string_view ShownPart(std::string_view stored) {
  stored = stored.substr(0, stored.find('\0'));
  const std::size_t end = stored.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : stored.substr(0, end + 1);
}

// UTF-8 (valid, as the reader checked) to the game's bytes; the first character the code page
// cannot hold when there is one.
bool GameBytesOf(std::string_view utf8, std::string& bytes, char32_t& refused) {
  bytes.clear();
  bytes.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      bytes.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t point = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
    for (int k = 1; k < length && i + static_cast<std::size_t>(k) < utf8.size(); ++k)
      point =
          (point << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
    i += static_cast<std::size_t>(length);
    if (!core::InWindows1252(point)) {
      refused = point;
      return false;
    }
    bytes += core::EncodeWindows1252(std::u32string_view(&point, 1));
  }
  return true;
}

std::string CharacterName(char32_t point) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(point));
  return name;
}

}  // namespace

void WriteText(JsonOut& out, std::string_view stored, std::size_t width) {
  const std::string_view shown = ShownPart(stored);
  // Padding the shown text with blanks gives the stored bytes back: the text alone will do.
  const std::string_view padding = stored.substr(shown.size());
  if (stored.size() == width &&
      std::all_of(padding.begin(), padding.end(), [](char c) { return c == ' '; })) {
    out.gameText(shown);
    return;
  }
  out.openObject(false);
  out.key("Text");
  out.gameText(shown);
  out.key("Bytes");
  out.plain(CompactBytes(stored));
  out.closeObject();
}

void FieldWriter::Integer(std::string_view name, std::int16_t value) {
  out_.key(name);
  out_.number(value);
}

void FieldWriter::Text(std::string_view name, std::string_view stored, std::size_t width) {
  out_.key(name);
  WriteText(out_, stored, width);
}

void FieldWriter::Integers(std::string_view name, std::span<const std::int16_t> values) {
  out_.key(name);
  out_.openArray(false);
  for (const std::int16_t value : values) {
    out_.item();
    out_.number(value);
  }
  out_.closeArray();
}

void FieldWriter::Table(std::string_view name, const core::SlotTable& table,
                        const TableColumns& columns) {
  out_.key(name);
  out_.openArray(true);
  for (int slot = 0; slot < core::SlotTable::SlotCount; ++slot) {
    out_.item();
    out_.openObject(false);
    for (int field = 0; field < core::SlotTable::FieldCount; ++field) {
      out_.key(columns[static_cast<std::size_t>(field)]);
      out_.number(table.get(slot, field));
    }
    out_.closeObject();
  }
  out_.closeArray();
}

std::int16_t PackedFieldWriter::IntegerAt(std::size_t offset) const {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(packed_[offset]) |
                                   static_cast<std::uint16_t>(packed_[offset + 1]) << 8);
}

void PackedFieldWriter::Integer(std::string_view name, std::int16_t) {
  out_.key(name);
  out_.number(IntegerAt(at_));
  at_ += 2;
}

void PackedFieldWriter::Text(std::string_view name, std::string_view, std::size_t width) {
  out_.key(name);
  WriteText(out_, std::string_view(reinterpret_cast<const char*>(packed_.data()) + at_, width),
            width);
  at_ += width;
}

void PackedFieldWriter::Integers(std::string_view name, std::span<const std::int16_t> values) {
  out_.key(name);
  out_.openArray(false);
  for (std::size_t i = 0; i < values.size(); ++i) {
    out_.item();
    out_.number(IntegerAt(at_ + 2 * i));
  }
  out_.closeArray();
  at_ += 2 * values.size();
}

void PackedFieldWriter::Table(std::string_view name, const core::SlotTable&,
                              const TableColumns& columns) {
  // Stored field-major: all first fields, then all second fields, then all third fields.
  constexpr std::size_t Slots = core::SlotTable::SlotCount;
  out_.key(name);
  out_.openArray(true);
  for (std::size_t slot = 0; slot < Slots; ++slot) {
    out_.item();
    out_.openObject(false);
    for (std::size_t field = 0; field < core::SlotTable::FieldCount; ++field) {
      out_.key(columns[field]);
      out_.number(IntegerAt(at_ + 2 * (field * Slots + slot)));
    }
    out_.closeObject();
  }
  out_.closeArray();
  at_ += 2 * Slots * core::SlotTable::FieldCount;
}

FieldReader::FieldReader(const JsonTree& tree, JsonTree::Index object, std::string where)
    : tree_(tree), object_(object), where_(std::move(where)) {
  known_.reserve(KnownRoom);  // one allocation an entry, not one each time the list doubles
  if (tree_.at(object_).type != Type::Object)
    status_ = core::Status::Error(tree_.LineOf(tree_.at(object_).offset) + ": " + where_ +
                                  " must be a JSON object");
}

void FieldReader::Fail(JsonTree::Index at, std::string_view name, const std::string& what) {
  if (!status_.ok()) return;
  const std::size_t offset = at >= 0 ? tree_.at(at).offset : tree_.at(object_).offset;
  std::string message = tree_.LineOf(offset) + ": " + where_;
  if (!name.empty()) message += ", member \"" + std::string(name) + "\"";
  status_ = core::Status::Error(message + ": " + what);
}

JsonTree::Index FieldReader::Find(std::string_view name) {
  const JsonTree::Index first = tree_.at(object_).first;
  const JsonTree::Index start = hint_ >= 0 ? hint_ : first;
  for (int pass = 0; pass < 2; ++pass) {
    for (JsonTree::Index at = pass == 0 ? start : first; at >= 0 && (pass == 0 || at != start);
         at = tree_.at(at).next) {
      if (tree_.key(tree_.at(at)) == name) {
        hint_ = tree_.at(at).next;
        ++found_;
        return at;
      }
    }
  }
  return -1;
}

JsonTree::Index FieldReader::Optional(std::string_view name) {
  known_.push_back(name);
  return ok() ? Find(name) : -1;
}

JsonTree::Index FieldReader::Required(std::string_view name) {
  const JsonTree::Index at = Optional(name);
  if (at < 0) Fail(-1, {}, "member \"" + std::string(name) + "\" is missing");
  return ok() ? at : -1;
}

bool FieldReader::IntegerValue(JsonTree::Index at, std::string_view name, std::int16_t& value) {
  if (!ok()) return false;
  const JsonValue& json = tree_.at(at);
  if (json.type != Type::Number || !json.whole) {
    Fail(at, name, "must be a whole number from -32768 to 32767");
    return false;
  }
  if (json.integer < -32768 || json.integer > 32767) {
    Fail(at, name, std::to_string(json.integer) + " is outside -32768..32767");
    return false;
  }
  value = static_cast<std::int16_t>(json.integer);
  return true;
}

bool FieldReader::StringValue(JsonTree::Index at, std::string_view name, std::string& utf8) {
  if (!ok()) return false;
  if (tree_.at(at).type != Type::String) {
    Fail(at, name, "must be a string");
    return false;
  }
  utf8 = tree_.text(tree_.at(at));
  return true;
}

bool FieldReader::BytesValue(JsonTree::Index at, std::string_view name,
                             std::vector<std::uint8_t>& bytes) {
  std::string text;
  if (!StringValue(at, name, text)) return false;
  auto decoded = BytesFromCompact(text);
  if (!decoded.ok()) {
    Fail(at, name, decoded.status().message());
    return false;
  }
  bytes = std::move(decoded.value());
  return true;
}

bool FieldReader::ObjectWith(JsonTree::Index at, std::string_view name,
                             std::span<const std::string_view> members) {
  const JsonValue& json = tree_.at(at);
  bool fits = json.type == Type::Object && json.count == members.size();
  for (const std::string_view member : members) fits = fits && tree_.member(at, member) >= 0;
  if (!fits) {
    std::string list;
    for (const std::string_view member : members)
      list += (list.empty() ? "\"" : ", \"") + std::string(member) + "\"";
    Fail(at, name, "must be an object of " + list);
  }
  return fits;
}

bool FieldReader::TextValue(JsonTree::Index at, std::string_view name, std::string& stored,
                            std::size_t width) {
  if (!ok()) return false;
  JsonTree::Index textAt = at;
  std::vector<std::uint8_t> exact;
  const bool withBytes = tree_.at(at).type == Type::Object;
  if (withBytes) {
    static constexpr std::string_view Members[] = {"Text", "Bytes"};
    if (!ObjectWith(at, name, Members)) return false;
    textAt = tree_.member(at, "Text");
    if (!BytesValue(tree_.member(at, "Bytes"), name, exact)) return false;
    if (exact.size() != width) {
      Fail(at, name,
           "its Bytes hold " + std::to_string(exact.size()) + " bytes, the field " +
               std::to_string(width));
      return false;
    }
  } else if (tree_.at(at).type != Type::String) {
    Fail(at, name, "must be a string, or an object of \"Text\" and \"Bytes\"");
    return false;
  }
  std::string utf8, bytes;
  if (!StringValue(textAt, name, utf8)) return false;
  char32_t refused = 0;
  if (!GameBytesOf(utf8, bytes, refused)) {
    Fail(at, name,
         "the game's code page (Windows-1252) has no character " + CharacterName(refused));
    return false;
  }
  if (bytes.size() > width) {
    Fail(at, name,
         "the text takes " + std::to_string(bytes.size()) + " bytes, the field holds " +
             std::to_string(width));
    return false;
  }
  const std::string_view exactText(reinterpret_cast<const char*>(exact.data()), exact.size());
  // Exact bytes stand while the text is the one they show; an edited text is stored anew.
  stored = withBytes && ShownPart(exactText) == bytes ? std::string(exactText)
                                                      : core::FixedText(bytes, width);
  return true;
}

std::vector<JsonTree::Index> FieldReader::Items(JsonTree::Index at, std::string_view name,
                                                long count) {
  std::vector<JsonTree::Index> items;
  if (!ok()) return items;
  const JsonValue& json = tree_.at(at);
  if (json.type != Type::Array) {
    Fail(at, name, "must be an array");
    return items;
  }
  if (count >= 0 && json.count != static_cast<std::uint32_t>(count)) {
    Fail(at, name,
         "must hold " + std::to_string(count) + " items, it holds " + std::to_string(json.count));
    return items;
  }
  items.reserve(json.count);
  for (JsonTree::Index item = json.first; item >= 0; item = tree_.at(item).next)
    items.push_back(item);
  return items;
}

void FieldReader::Integer(std::string_view name, std::int16_t& value) {
  const JsonTree::Index at = Required(name);
  if (at >= 0) IntegerValue(at, name, value);
}

void FieldReader::Text(std::string_view name, std::string& stored, std::size_t width) {
  const JsonTree::Index at = Required(name);
  if (at >= 0) TextValue(at, name, stored, width);
}

void FieldReader::Integers(std::string_view name, std::span<std::int16_t> values) {
  const JsonTree::Index at = Required(name);
  if (at < 0) return;
  const auto items = Items(at, name, static_cast<long>(values.size()));
  for (std::size_t i = 0; i < items.size(); ++i) IntegerValue(items[i], name, values[i]);
}

void FieldReader::Table(std::string_view name, core::SlotTable& table,
                        const TableColumns& columns) {
  const JsonTree::Index at = Required(name);
  if (at < 0) return;
  const auto slots = Items(at, name, core::SlotTable::SlotCount);
  for (std::size_t slot = 0; slot < slots.size() && ok(); ++slot) {
    if (!ObjectWith(slots[slot], name, columns)) return;
    for (int field = 0; field < core::SlotTable::FieldCount; ++field) {
      std::int16_t value = 0;
      if (IntegerValue(tree_.member(slots[slot], columns[static_cast<std::size_t>(field)]), name,
                       value))
        table.set(static_cast<int>(slot), field, value);
    }
  }
}

core::Status FieldReader::Finish() {
  // Each member found once by name: nothing unknown, nothing twice.
  if (!ok() || found_ == tree_.at(object_).count) return status_;
  for (JsonTree::Index at = tree_.at(object_).first; at >= 0; at = tree_.at(at).next) {
    const std::string_view name = tree_.key(tree_.at(at));
    if (tree_.member(object_, name) != at) {
      Fail(at, {}, "member \"" + std::string(name) + "\" is given twice");
      break;
    }
    if (std::find(known_.begin(), known_.end(), name) == known_.end()) {
      Fail(at, {}, "unknown member \"" + std::string(name) + "\"");
      break;
    }
  }
  return status_;
}

}  // namespace textform
