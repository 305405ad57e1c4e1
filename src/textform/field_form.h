#pragma once

#include "core/slot_table.h"
#include "core/status.h"
#include "textform/json_out.h"
#include "textform/json_tree.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace textform {

// Names of the three columns of a slot table, as the code names them.
using TableColumns = std::array<std::string_view, core::SlotTable::FieldCount>;

// A stored text as its JSON value: the text up to its first zero byte without its padding
// blanks; with its exact bytes beside it ({"Text": ..., "Bytes": ...}) when padding the text
// with blanks would not give them back (zero padding, a zero byte inside).
void WriteText(JsonOut& out, std::string_view stored, std::size_t width);

// Writes the fields a record lists, one member each (see the Fields functions of the forms).
class FieldWriter {
 public:
  explicit FieldWriter(JsonOut& out) : out_(out) {}
  void Integer(std::string_view name, std::int16_t value);
  void Text(std::string_view name, std::string_view stored, std::size_t width);
  void Integers(std::string_view name, std::span<const std::int16_t> values);
  void Table(std::string_view name, const core::SlotTable& table, const TableColumns& columns);

 private:
  JsonOut& out_;
};

// The same members written straight from a record's packed bytes, which hold the fields in the
// order the forms list them: no record is unpacked and no text copied on the way. The record
// handed to the form only gives the fields' sizes.
class PackedFieldWriter {
 public:
  PackedFieldWriter(JsonOut& out, std::span<const std::uint8_t> packed)
      : out_(out), packed_(packed) {}
  void Integer(std::string_view name, std::int16_t);
  void Text(std::string_view name, std::string_view, std::size_t width);
  void Integers(std::string_view name, std::span<const std::int16_t> values);
  void Table(std::string_view name, const core::SlotTable&, const TableColumns& columns);
  // Bytes the fields took: the packed size when the forms and the packing agree.
  std::size_t used() const { return at_; }

 private:
  std::int16_t IntegerAt(std::size_t offset) const;
  JsonOut& out_;
  std::span<const std::uint8_t> packed_;
  std::size_t at_ = 0;
};

// Reads the fields a record lists from one JSON object, each checked against what its field
// can store. The first refusal is kept, naming the line, the place (`where`, as "entry 5") and
// the member; later calls do nothing. Members that no field asked for are refused by Finish.
class FieldReader {
 public:
  FieldReader(const JsonTree& tree, JsonTree::Index object, std::string where);

  void Integer(std::string_view name, std::int16_t& value);
  void Text(std::string_view name, std::string& stored, std::size_t width);
  void Integers(std::string_view name, std::span<std::int16_t> values);
  void Table(std::string_view name, core::SlotTable& table, const TableColumns& columns);
  // A member that may be left out (carried bytes): -1 when absent.
  JsonTree::Index Optional(std::string_view name);
  // A member that must be there: -1 after a refusal.
  JsonTree::Index Required(std::string_view name);

  // Value checks on any value of the tree, for forms with members of their own.
  bool IntegerValue(JsonTree::Index at, std::string_view name, std::int16_t& value);
  bool TextValue(JsonTree::Index at, std::string_view name, std::string& stored, std::size_t width);
  bool StringValue(JsonTree::Index at, std::string_view name, std::string& utf8);
  bool BytesValue(JsonTree::Index at, std::string_view name, std::vector<std::uint8_t>& bytes);
  // The items of an array with exactly `count` items (any count when -1); empty after a refusal.
  std::vector<JsonTree::Index> Items(JsonTree::Index at, std::string_view name, long count);

  // Refuses the member at `at` with `what`.
  void Fail(JsonTree::Index at, std::string_view name, const std::string& what);
  // Refuses members no field asked for; then the outcome.
  core::Status Finish();
  bool ok() const { return status_.ok(); }
  const JsonTree& tree() const { return tree_; }
  JsonTree::Index object() const { return object_; }

 private:
  bool ObjectWith(JsonTree::Index at, std::string_view name,
                  std::span<const std::string_view> members);

  // The member of that name; members usually come in the order the fields are asked for, so the
  // search starts after the last one found.
  JsonTree::Index Find(std::string_view name);

  const JsonTree& tree_;
  JsonTree::Index object_;
  std::string where_;
  std::vector<std::string_view> known_;
  JsonTree::Index hint_ = -1;
  std::uint32_t found_ = 0;  // members found by name
  core::Status status_;
};

}  // namespace textform
