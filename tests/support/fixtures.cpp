#include "support/fixtures.h"

#include <QDir>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace test_support {

TestDataDir::TestDataDir(bool withDat) {
  if (!dir_.isValid()) return;
  QDir root(dir_.path());
  root.mkpath("Data");
  if (withDat) root.mkpath("Dat");
}

std::filesystem::path TestDataDir::root() const {
  return std::filesystem::path(dir_.path().toStdString());
}

std::unique_ptr<TestDataDir> makeDataDir(bool withDat) {
  return std::make_unique<TestDataDir>(withDat);
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
  const std::vector<std::uint8_t> all = readBytes(file);
  if (offset >= all.size()) return {};
  const auto begin = all.begin() + static_cast<std::ptrdiff_t>(offset);
  const auto end =
      all.begin() + static_cast<std::ptrdiff_t>(std::min<std::uint64_t>(all.size(), offset + size));
  return std::vector<std::uint8_t>(begin, end);
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

void nameEntry(core::ItemRecord& item, const std::string& name) {
  item.ItemName = name;
  item.PluralName = name + "s";
}
void nameEntry(core::CreatureRecord& creature, const std::string& name) {
  creature.CreatureName = name;
  creature.PluralName = name + "s";
}
void nameEntry(core::ShopRecord& shop, const std::string& name) {
  shop.ShopName = name;
}
void nameEntry(core::SpellRecord& spell, const std::string& name) {
  spell.SpellName = name;
}

std::string padded(const std::string& text, std::size_t width) {
  std::string result = text.substr(0, width);
  result.resize(width, ' ');
  return result;
}

bool mentions(const core::Status& status, const std::filesystem::path& file) {
  return status.message().find(file.string()) != std::string::npos;
}

core::MapRecord sampleMap(std::int16_t mapNo) {
  core::MapRecord map;
  map.MapNo = mapNo;
  map.HitRefresh = static_cast<std::int16_t>(10 + mapNo);
  map.GraphicSet = 2;
  putSquare(map, 0, 0, 0x0F0F);
  putSquare(map, 32, 32, static_cast<std::int16_t>(0x0020 + mapNo));
  map.SetText(0, "Map " + std::to_string(mapNo));
  map.SetLongText(10, "The last long text of map " + std::to_string(mapNo));
  return map;
}

void putSquare(core::MapRecord& map, int x, int y, std::int16_t word) {
  map.SetSquare(x, y, word);
}

void putSpecial(core::MapRecord& map, int index, int kind, int x, int y, int param1, int param2) {
  using core::SpecialField;
  const std::pair<SpecialField, int> fields[] = {{SpecialField::Kind, kind},
                                                 {SpecialField::SquareX, x},
                                                 {SpecialField::SquareY, y},
                                                 {SpecialField::Param1, param1},
                                                 {SpecialField::Param2, param2}};
  for (const auto& [field, value] : fields)
    map.SetSpecial(index, field, static_cast<std::int16_t>(value));
}

void writeMapSlot(const std::filesystem::path& mapsFile, long slot, const core::MapRecord& map) {
  std::vector<std::uint8_t> bytes = readBytes(mapsFile);
  const std::size_t start = static_cast<std::size_t>(slot - 1) * core::MapRecord::SlotLength;
  if (bytes.size() < start + core::MapRecord::SlotLength) {
    bytes.resize(start + core::MapRecord::SlotLength, 0);
  }
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

std::vector<std::string> listTree(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    names.push_back(std::filesystem::relative(it->path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace test_support
