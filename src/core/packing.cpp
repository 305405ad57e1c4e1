#include "core/packing.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>

namespace core {

namespace {

void PutLittleEndian(std::uint8_t* at, std::uint32_t value, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) {
    at[i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFu);
  }
}

std::uint32_t GetLittleEndian(const std::uint8_t* at, std::size_t bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < bytes; ++i) {
    value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
  }
  return value;
}

}  // namespace

void PackWriter::Integer(std::int16_t value) {
  assert(offset_ + 2 <= out_.size());
  PutLittleEndian(out_.data() + offset_, static_cast<std::uint16_t>(value), 2);
  offset_ += 2;
}

void PackWriter::Text(std::string_view bytes, std::size_t width) {
  assert(offset_ + width <= out_.size());
  const std::size_t kept = std::min(bytes.size(), width);
  std::uint8_t* at = out_.data() + offset_;
  for (std::size_t i = 0; i < kept; ++i) {
    at[i] = static_cast<std::uint8_t>(bytes[i]);
  }
  std::fill(at + kept, at + width, static_cast<std::uint8_t>(' '));
  offset_ += width;
}

void PackWriter::Integers(std::span<const std::int16_t> values) {
  for (const std::int16_t value : values) {
    Integer(value);
  }
}

std::string PackReader::Text(std::size_t width) {
  assert(offset_ + width <= in_.size());
  const auto* at = reinterpret_cast<const char*>(in_.data() + offset_);
  offset_ += width;
  return std::string(at, width);
}

void PackReader::TextInto(std::string& bytes, std::size_t width) {
  assert(offset_ + width <= in_.size());
  bytes.assign(reinterpret_cast<const char*>(in_.data() + offset_), width);
  offset_ += width;
}

// A map is mostly tables of Integers: on a little-endian machine they are the file's bytes.
void PackReader::Integers(std::span<std::int16_t> values) {
  assert(offset_ + 2 * values.size() <= in_.size());
  const std::uint8_t* at = in_.data() + offset_;
  if constexpr (std::endian::native == std::endian::little) {
    if (!values.empty()) std::memcpy(values.data(), at, 2 * values.size());
  } else {
    for (std::size_t i = 0; i < values.size(); ++i) {
      values[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(at[2 * i]) |
                                            static_cast<std::uint16_t>(at[2 * i + 1] << 8));
    }
  }
  offset_ += 2 * values.size();
}

std::int16_t IntegerAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
  assert(offset + 2 <= bytes.size());
  return static_cast<std::int16_t>(
      static_cast<std::uint16_t>(GetLittleEndian(bytes.data() + offset, 2)));
}

void PutIntegerAt(std::span<std::uint8_t> bytes, std::size_t offset, std::int16_t value) {
  assert(offset + 2 <= bytes.size());
  PutLittleEndian(bytes.data() + offset, static_cast<std::uint16_t>(value), 2);
}

}  // namespace core
