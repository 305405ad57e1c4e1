#include "textform/json_tree.h"

// Strings are scanned sixteen bytes at a time (every x86-64 has SSE2); the reader's own UTF-8
// check, which goes byte by byte and turns that off, is replaced by ValidUtf8 below. The scan
// reads whole aligned blocks, a few bytes past the text's end, which the address sanitizer
// would report: its builds read byte by byte.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define EDITOR_JSON_BYTEWISE
#endif
#endif
#if defined(__SSE2__) && !defined(__SANITIZE_ADDRESS__) && !defined(EDITOR_JSON_BYTEWISE) && \
    !defined(RAPIDJSON_SSE2)
#define RAPIDJSON_SSE2
#endif
#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace textform {

namespace {

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
// RapidJSON's own check goes byte by byte; plain ASCII, most of a game's texts, passes here
// eight bytes at a time.
bool ValidUtf8(const char* text, std::size_t length) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* const end = p + length;
  while (p != end) {
    if (end - p >= 8) {
      std::uint64_t eight;
      std::memcpy(&eight, p, 8);
      if ((eight & 0x8080808080808080ull) == 0) {
        p += 8;
        continue;
      }
    }
    const unsigned char lead = *p;
    if (lead < 0x80) {
      ++p;
      continue;
    }
    int more = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
      more = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      more = 2;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      more = 3;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (end - p <= more || p[1] < low || p[1] > high) return false;
    for (int k = 2; k <= more; ++k)
      if ((p[k] & 0xC0) != 0x80) return false;
    p += more + 1;
  }
  return true;
}

}  // namespace

JsonTree::Index JsonTree::member(Index object, std::string_view name) const {
  for (Index at = values_[static_cast<std::size_t>(object)].first; at >= 0;
       at = values_[static_cast<std::size_t>(at)].next)
    if (key(values_[static_cast<std::size_t>(at)]) == name) return at;
  return -1;
}

std::string JsonTree::LineOf(std::size_t offset) const {
  const std::string& source = *source_;
  offset = std::min(offset, source.size());
  const auto line = std::count(source.begin(), source.begin() + static_cast<long>(offset), '\n');
  return "line " + std::to_string(line + 1);
}

// RapidJSON's events, turned into values. The stream's position says where each value ends.
struct JsonTree::Builder : rapidjson::BaseReaderHandler<rapidjson::UTF8<>, Builder> {
  Builder(JsonTree& tree, rapidjson::StringStream& stream, std::string_view streamed,
          ItemHandler& onItem)
      : tree(tree), stream(stream), streamed(streamed), onItem(onItem) {}

  JsonTree& tree;
  rapidjson::StringStream& stream;
  std::string_view streamed;
  ItemHandler& onItem;
  std::vector<Index> open;  // containers being read, outermost first
  std::uint32_t pendingKey = 0, pendingKeyLength = 0;
  std::size_t pendingKeyOffset = 0;
  Index streamArray = -1;  // the array whose items are handed over
  Index itemStart = -1;    // first value of the item being read
  std::size_t itemPool = 0;
  long items = 0;
  core::Status failure;
  std::size_t invalidAt = std::string::npos;  // just past a string that is not UTF-8

  std::uint32_t Keep(const char* text, std::size_t length) {
    const auto at = static_cast<std::uint32_t>(tree.pool_.size());
    tree.pool_.append(text, length);
    return at;
  }

  // A new value, linked into the container it belongs to (not into the streamed array).
  Index Add(JsonValue value) {
    value.offset = stream.Tell();
    const auto index = static_cast<Index>(tree.values_.size());
    if (!open.empty()) {
      const Index parent = open.back();
      if (tree.at(parent).type == JsonValue::Type::Object) {
        value.key = pendingKey;
        value.keyLength = pendingKeyLength;
        value.offset = pendingKeyOffset;
      }
      if (parent == streamArray) {
        itemStart = index;
        itemPool = tree.pool_.size();
      } else {
        JsonValue& container = tree.values_[static_cast<std::size_t>(parent)];
        if (container.last >= 0)
          tree.values_[static_cast<std::size_t>(container.last)].next = index;
        else
          container.first = index;
        container.last = index;
        ++container.count;
      }
    }
    tree.values_.push_back(value);
    return index;
  }

  // After a value: an item of the streamed array that is now whole goes to the handler.
  bool Done(Index index) {
    if (itemStart != index || open.empty() || open.back() != streamArray) return true;
    failure = onItem(tree, index, items++);
    tree.values_.resize(static_cast<std::size_t>(itemStart));
    tree.pool_.resize(itemPool);
    itemStart = -1;
    return failure.ok();
  }

  bool Scalar(JsonValue value) { return Done(Add(value)); }
  bool Number(std::int64_t integer, bool whole) {
    JsonValue value;
    value.type = JsonValue::Type::Number;
    value.whole = whole;
    value.integer = integer;
    return Scalar(value);
  }

  bool Null() { return Scalar({}); }
  bool Bool(bool b) {
    JsonValue value;
    value.type = JsonValue::Type::Boolean;
    value.integer = b ? 1 : 0;
    return Scalar(value);
  }
  bool Int(int i) { return Number(i, true); }
  bool Uint(unsigned u) { return Number(u, true); }
  bool Int64(std::int64_t i) { return Number(i, true); }
  bool Uint64(std::uint64_t u) {
    return Number(static_cast<std::int64_t>(std::min<std::uint64_t>(u, INT64_MAX)),
                  u <= static_cast<std::uint64_t>(INT64_MAX));
  }
  bool Double(double d) {
    const bool whole = std::isfinite(d) && std::floor(d) == d && std::fabs(d) < 9e18;
    return Number(whole ? static_cast<std::int64_t>(d) : 0, whole);
  }
  // A string or name that is not UTF-8 stops the reading, as the reader's own check would.
  bool Utf8(const char* text, rapidjson::SizeType length) {
    if (ValidUtf8(text, length)) return true;
    invalidAt = stream.Tell();
    return false;
  }
  bool String(const char* text, rapidjson::SizeType length, bool) {
    if (!Utf8(text, length)) return false;
    JsonValue value;
    value.type = JsonValue::Type::String;
    value.text = Keep(text, length);
    value.textLength = length;
    return Scalar(value);
  }
  bool StartObject() { return Start(JsonValue::Type::Object); }
  bool StartArray() { return Start(JsonValue::Type::Array); }
  bool Start(JsonValue::Type type) {
    const bool streamedHere =
        !streamed.empty() && open.size() == 1 && tree.at(open[0]).type == JsonValue::Type::Object &&
        type == JsonValue::Type::Array &&
        std::string_view(tree.pool_).substr(pendingKey, pendingKeyLength) == streamed;
    JsonValue value;
    value.type = type;
    const Index index = Add(value);
    if (streamedHere) streamArray = index;
    open.push_back(index);
    return true;
  }
  bool Key(const char* text, rapidjson::SizeType length, bool) {
    if (!Utf8(text, length)) return false;
    pendingKey = Keep(text, length);
    pendingKeyLength = length;
    pendingKeyOffset = stream.Tell();
    return true;
  }
  bool EndObject(rapidjson::SizeType) { return End(); }
  bool EndArray(rapidjson::SizeType) { return End(); }
  bool End() {
    const Index index = open.back();
    open.pop_back();
    return Done(index);
  }
};

core::Status JsonTree::Read(const std::string& source, std::string_view streamedMember,
                            ItemHandler onItem) {
  values_.clear();
  pool_.clear();
  source_ = &source;
  rapidjson::StringStream stream(source.c_str());
  Builder builder(*this, stream, streamedMember, onItem);
  rapidjson::Reader reader;
  const auto outcome = reader.Parse<rapidjson::kParseStopWhenDoneFlag>(stream, builder);
  if (!builder.failure.ok()) return builder.failure;
  if (outcome.IsError()) {
    const bool invalid = builder.invalidAt != std::string::npos;
    const std::size_t at = invalid ? builder.invalidAt : outcome.Offset();
    const std::size_t lineStart = source.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t column = lineStart == std::string::npos ? at + 1 : at - lineStart;
    return core::Status::Error(
        LineOf(at) + ", column " + std::to_string(column) + ": " +
        rapidjson::GetParseError_En(invalid ? rapidjson::kParseErrorStringInvalidEncoding
                                            : outcome.Code()));
  }
  // Only blanks may follow the value.
  const std::size_t end = stream.Tell();
  const std::size_t rest = source.find_first_not_of(" \t\r\n", end);
  if (rest != std::string::npos && rest < source.size())
    return core::Status::Error(LineOf(rest) + ": more text after the end of the JSON value");
  return core::Status::Ok();
}

}  // namespace textform
