#pragma once

#include "core/packing.h"

#include <cstdint>
#include <random>
#include <vector>

// Small helpers for tests that look at a record's packed bytes.
namespace record_bytes {

template <class Record>
std::vector<std::uint8_t> packed(const Record& record) {
  // Start from a pattern that no field writes, so an unwritten byte shows up.
  std::vector<std::uint8_t> bytes(Record::PackedSize, 0xA5);
  record.pack(bytes);
  return bytes;
}

inline std::int16_t integerAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return core::IntegerAt(bytes, offset);
}

inline std::vector<std::uint8_t> garbage(std::size_t size, std::mt19937& random) {
  std::vector<std::uint8_t> bytes(size);
  for (std::uint8_t& byte : bytes) {
    byte = static_cast<std::uint8_t>(random() & 0xFFu);
  }
  return bytes;
}

// Every byte value once, then as often as needed: texts full of NULs, blanks and 0x80..0x9F.
inline std::vector<std::uint8_t> everyByte(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  }
  return bytes;
}

}  // namespace record_bytes
