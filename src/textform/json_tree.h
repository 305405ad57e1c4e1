#pragma once

#include "core/status.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace textform {

// One value of a JSON text read into a JsonTree, with where it stands in the file.
struct JsonValue {
  enum class Type : std::uint8_t { Null, Boolean, Number, String, Array, Object };
  Type type = Type::Null;
  bool whole = false;        // a number with a whole value that fits 64 bits
  std::int64_t integer = 0;  // its value when whole; a boolean's 0 or 1
  std::uint32_t text = 0;    // a string's UTF-8 bytes, or a number's digits, in the pool
  std::uint32_t textLength = 0;
  std::uint32_t key = 0;  // the member's name, inside an object
  std::uint32_t keyLength = 0;
  std::int32_t first = -1;  // first member or item
  std::int32_t last = -1;
  std::int32_t next = -1;   // next member or item of the same container
  std::uint32_t count = 0;  // members or items
  std::size_t offset = 0;   // byte of the file just past the value (or its member's name)
};

// A JSON file read with RapidJSON's event reader into small values that remember their place,
// so that a refusal names the line. The items of one big array (the entries of a catalogue,
// the maps) can be handed over one at a time and dropped, so a file of 32767 entries never
// stands in memory as a whole tree.
class JsonTree {
 public:
  using Index = std::int32_t;

  const JsonValue& at(Index index) const { return values_[static_cast<std::size_t>(index)]; }
  std::string_view text(const JsonValue& value) const {
    return std::string_view(pool_).substr(value.text, value.textLength);
  }
  std::string_view key(const JsonValue& value) const {
    return std::string_view(pool_).substr(value.key, value.keyLength);
  }
  // The member of an object by name, or -1.
  Index member(Index object, std::string_view name) const;
  Index root() const { return values_.empty() ? -1 : 0; }

  // Called with each item of the streamed array once it is read whole; its index counts from 0.
  // A failure stops the reading and becomes its answer.
  using ItemHandler = std::function<core::Status(const JsonTree&, Index item, long index)>;

  // Reads `source`. When `streamedMember` names a member of the top object holding an array,
  // its items go to `onItem` one by one and the array is left empty in the tree. A malformed
  // text is refused with "line L, column C: what is wrong".
  core::Status Read(const std::string& source, std::string_view streamedMember = {},
                    ItemHandler onItem = {});

  // "line 12" of the source for a byte offset.
  std::string LineOf(std::size_t offset) const;

  // Used by the reader of events.
  struct Builder;

 private:
  std::vector<JsonValue> values_;
  std::string pool_;
  const std::string* source_ = nullptr;
};

}  // namespace textform
