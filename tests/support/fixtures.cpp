#include "support/fixtures.h"

#include <QDir>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace test_support {

TestDataDir::TestDataDir(bool withDat) {
  QDir(dir_.path()).mkpath("Data");
  if (withDat) QDir(dir_.path()).mkpath("Dat");
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>());
}

void writeBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file " + file.string());
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& file, std::uint64_t offset,
                                    std::size_t size) {
  std::vector<std::uint8_t> bytes = readBytes(file);
  bytes.erase(bytes.begin(), bytes.begin() + std::min<std::ptrdiff_t>(offset, bytes.size()));
  bytes.resize(std::min(bytes.size(), size));
  return bytes;
}

QByteArray toHex(const std::vector<std::uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()))
      .toHex(' ');
}

std::vector<std::uint8_t> patternBytes(std::size_t size, unsigned seed) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<std::uint8_t>((i * 31 + seed) & 0xFF);
  return bytes;
}

std::string padded(const std::string& text, std::size_t width) {
  std::string result = text.substr(0, width);
  result.resize(width, ' ');
  return result;
}

core::MapRecord sampleMap(std::int16_t mapNo) {
  core::MapRecord map;
  map.MapNo = mapNo;
  map.HitRefresh = static_cast<std::int16_t>(10 + mapNo);
  map.GraphicSet = 2;
  map.SetSquare(0, 0, 0x0F0F);
  map.SetSquare(32, 32, static_cast<std::int16_t>(0x0020 + mapNo));
  map.SetText(0, "Map " + std::to_string(mapNo));
  map.SetLongText(10, "The last long text of map " + std::to_string(mapNo));
  return map;
}

void putSpecial(core::MapRecord& map, int index, int kind, int x, int y, int param1, int param2) {
  using core::SpecialField;
  map.SetSpecial(index, SpecialField::Kind, static_cast<std::int16_t>(kind));
  map.SetSpecial(index, SpecialField::SquareX, static_cast<std::int16_t>(x));
  map.SetSpecial(index, SpecialField::SquareY, static_cast<std::int16_t>(y));
  map.SetSpecial(index, SpecialField::Param1, static_cast<std::int16_t>(param1));
  map.SetSpecial(index, SpecialField::Param2, static_cast<std::int16_t>(param2));
}

void writeMapSlot(const std::filesystem::path& mapsFile, long slot, const core::MapRecord& map) {
  std::vector<std::uint8_t> bytes = readBytes(mapsFile);
  const std::size_t start = static_cast<std::size_t>(slot - 1) * core::MapRecord::SlotLength;
  bytes.resize(std::max(bytes.size(), start + core::MapRecord::SlotLength), 0);
  map.pack(std::span<std::uint8_t>(bytes.data() + start, core::MapRecord::PackedSize));
  writeBytes(mapsFile, bytes);
}

std::vector<std::uint8_t> mapSlotBytes(const std::filesystem::path& mapsFile, long slot) {
  std::vector<std::uint8_t> bytes =
      readBytes(mapsFile, static_cast<std::uint64_t>(slot - 1) * core::MapRecord::SlotLength,
                core::MapRecord::PackedSize);
  bytes.resize(core::MapRecord::PackedSize, 0);
  return bytes;
}

}  // namespace test_support
