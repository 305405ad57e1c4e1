#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace core {

// Writes fields one after another in the game's packed form: no gaps, Integer = int16
// little-endian, fixed text = N bytes, blank-padded, cut at N.
class PackWriter {
 public:
  explicit PackWriter(std::span<std::uint8_t> out) : out_(out) {}

  void Integer(std::int16_t value);
  void Text(std::string_view bytes, std::size_t width);
  void Integers(std::span<const std::int16_t> values);
  std::size_t offset() const { return offset_; }

  // One field of a record's field list (see PackReader::Field).
  void Field(std::int16_t value) { Integer(value); }
  void Field(std::string_view bytes, std::size_t width) { Text(bytes, width); }
  void Field(std::span<const std::int16_t> values) { Integers(values); }

 private:
  std::span<std::uint8_t> out_;
  std::size_t offset_ = 0;
};

// Reads fields in the same order; a text keeps all N bytes, trailing blanks included.
class PackReader {
 public:
  explicit PackReader(std::span<const std::uint8_t> in) : in_(in) {}

  // Inline: a pass over a catalogue reads millions of them.
  std::int16_t Integer() {
    assert(offset_ + 2 <= in_.size());
    const auto low = static_cast<std::uint16_t>(in_[offset_]);
    const auto high = static_cast<std::uint16_t>(in_[offset_ + 1]);
    offset_ += 2;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
  }
  std::string Text(std::size_t width);
  void TextInto(std::string& bytes, std::size_t width);
  void Integers(std::span<std::int16_t> values);
  std::size_t offset() const { return offset_; }

  // A record lists its fields once, as calls of Field on a writer or a reader, so packing and
  // unpacking cannot disagree about the layout.
  void Field(std::int16_t& value) { value = Integer(); }
  // In place: a record unpacked again keeps its text buffers.
  void Field(std::string& bytes, std::size_t width) { TextInto(bytes, width); }
  void Field(std::span<std::int16_t> values) { Integers(values); }

 private:
  std::span<const std::uint8_t> in_;
  std::size_t offset_ = 0;
};

// Little-endian Integer at a byte offset, for the few places that touch raw slot bytes.
std::int16_t IntegerAt(std::span<const std::uint8_t> bytes, std::size_t offset);
void PutIntegerAt(std::span<std::uint8_t> bytes, std::size_t offset, std::int16_t value);

// A record in its packed form: two records are the same on disk when these bytes are.
template <class Record>
std::array<std::uint8_t, Record::PackedSize> Packed(const Record& record) {
  std::array<std::uint8_t, Record::PackedSize> bytes{};
  record.pack(bytes);
  return bytes;
}

}  // namespace core
