#include "textform/json_tree.h"

#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <cmath>

namespace textform {

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
  bool String(const char* text, rapidjson::SizeType length, bool) {
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
  const auto outcome =
      reader.Parse<rapidjson::kParseValidateEncodingFlag | rapidjson::kParseStopWhenDoneFlag>(
          stream, builder);
  if (!builder.failure.ok()) return builder.failure;
  if (outcome.IsError()) {
    const std::size_t at = outcome.Offset();
    const std::size_t lineStart = source.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t column = lineStart == std::string::npos ? at + 1 : at - lineStart;
    return core::Status::Error(LineOf(at) + ", column " + std::to_string(column) + ": " +
                               rapidjson::GetParseError_En(outcome.Code()));
  }
  // Only blanks may follow the value.
  const std::size_t end = stream.Tell();
  const std::size_t rest = source.find_first_not_of(" \t\r\n", end);
  if (rest != std::string::npos && rest < source.size())
    return core::Status::Error(LineOf(rest) + ": more text after the end of the JSON value");
  return core::Status::Ok();
}

}  // namespace textform
