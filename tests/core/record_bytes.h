#pragma once

#include "core/packing.h"

#include <QString>
#include <QTest>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
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

inline std::string textAt(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                          std::size_t width) {
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                     bytes.begin() + static_cast<std::ptrdiff_t>(offset + width));
}

// Each (offset, value) is an Integer of the packed bytes.
inline void expectIntegers(const std::vector<std::uint8_t>& bytes,
                           std::initializer_list<std::pair<std::size_t, int>> expected) {
  for (const auto& [offset, value] : expected) {
    const int actual = core::IntegerAt(bytes, offset);
    QVERIFY2(
        actual == value,
        qPrintable(QString("Integer at %1 is %2, expected %3").arg(offset).arg(actual).arg(value)));
  }
}

// Every byte value once, then as often as needed: texts full of NULs, blanks and 0x80..0x9F.
inline std::vector<std::uint8_t> everyByte(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return bytes;
}

// Random bytes, every byte pattern and all zeros come back from unpack and pack unchanged.
template <class Record>
void checkByteRoundTrip(unsigned seed, int runs) {
  std::mt19937 random(seed);
  for (int run = 0; run < runs; ++run) {
    std::vector<std::uint8_t> bytes(Record::PackedSize);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random() & 0xFFu);
    QCOMPARE(packed(Record::unpack(bytes)), bytes);
  }
  const auto pattern = everyByte(Record::PackedSize);
  QCOMPARE(packed(Record::unpack(pattern)), pattern);
  const std::vector<std::uint8_t> zeros(Record::PackedSize, 0);
  QCOMPARE(packed(Record::unpack(zeros)), zeros);
}

}  // namespace record_bytes
