#pragma once

// Reading the generated demo files back byte by byte, independently of the generator's own
// records: catalogues slot by slot, Maps.dat map by map, bitmaps by their headers.

#include "core/catalogue_records.h"
#include "core/map_record.h"

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace demo_test {

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
inline std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
inline std::int16_t I16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::int16_t>(U16(b, at));
}

// A catalogue as it lies on disk: the header's count and the entries of slots 2..count + 1.
template <class Record>
struct CatalogueFile {
  std::size_t fileSize = 0;
  int headerCount = 0;
  std::vector<Record> entries;  // entries[k - 1] is entry k
};

template <class Record>
CatalogueFile<Record> ReadCatalogue(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = ReadBytes(path);
  CatalogueFile<Record> file;
  file.fileSize = bytes.size();
  if (bytes.size() < 2) return file;
  file.headerCount = I16(bytes, 0);
  for (int k = 1; k <= file.headerCount; ++k) {
    const std::size_t start = static_cast<std::size_t>(k) * Record::SlotLength;
    if (start + Record::PackedSize > bytes.size()) break;
    file.entries.push_back(
        Record::unpack(std::span<const std::uint8_t>(bytes).subspan(start, Record::PackedSize)));
  }
  return file;
}

// Every map slot of Maps.dat, slot 1 first.
inline std::vector<core::MapRecord> ReadMaps(const std::filesystem::path& path,
                                             std::size_t* fileSize = nullptr) {
  const std::vector<std::uint8_t> bytes = ReadBytes(path);
  if (fileSize) *fileSize = bytes.size();
  std::vector<core::MapRecord> maps;
  for (std::size_t start = 0; start + core::MapRecord::PackedSize <= bytes.size();
       start += core::MapRecord::SlotLength) {
    maps.push_back(core::MapRecord::unpack(
        std::span<const std::uint8_t>(bytes).subspan(start, core::MapRecord::PackedSize)));
  }
  return maps;
}

// The fields of a BMP file's two headers.
struct BmpHeader {
  bool signature = false;
  std::uint32_t declaredSize = 0, actualSize = 0, dataOffset = 0, infoSize = 0;
  std::int32_t width = 0, height = 0;
  std::uint16_t planes = 0, bitsPerPixel = 0;
  std::uint32_t compression = 0, imageSize = 0;
};

inline std::optional<BmpHeader> ReadBmpHeader(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> b = ReadBytes(path);
  if (b.size() < 54) return std::nullopt;
  BmpHeader h;
  h.signature = b[0] == 'B' && b[1] == 'M';
  h.declaredSize = U32(b, 2);
  h.actualSize = static_cast<std::uint32_t>(b.size());
  h.dataOffset = U32(b, 10);
  h.infoSize = U32(b, 14);
  h.width = static_cast<std::int32_t>(U32(b, 18));
  h.height = static_cast<std::int32_t>(U32(b, 22));
  h.planes = U16(b, 26);
  h.bitsPerPixel = U16(b, 28);
  h.compression = U32(b, 30);
  h.imageSize = U32(b, 34);
  return h;
}

// Checks the headers of a 24-bit uncompressed bitmap of the given size (any size when 0).
inline void VerifyBmp(const std::filesystem::path& path, int width = 0, int height = 0) {
  const QByteArray name = QByteArray::fromStdString(path.string());
  const std::optional<BmpHeader> h = ReadBmpHeader(path);
  QVERIFY2(h.has_value(), name);
  QVERIFY2(h->signature, name);
  QCOMPARE(h->declaredSize, h->actualSize);
  QCOMPARE(h->dataOffset, 54u);
  QCOMPARE(h->infoSize, 40u);
  QCOMPARE(h->planes, std::uint16_t{1});
  QCOMPARE(h->bitsPerPixel, std::uint16_t{24});
  QCOMPARE(h->compression, 0u);
  QVERIFY2(h->width > 0 && h->height > 0, name);  // positive height: rows bottom-up
  if (width > 0) QCOMPARE(h->width, width);
  if (height > 0) QCOMPARE(h->height, height);
  const std::uint32_t row = (static_cast<std::uint32_t>(h->width) * 3 + 3) / 4 * 4;
  QCOMPARE(h->imageSize, row * static_cast<std::uint32_t>(h->height));
  QCOMPARE(h->actualSize, 54 + h->imageSize);
}

inline QImage LoadImage(const std::filesystem::path& path) {
  return QImage(QString::fromStdString(path.string()));
}

// Dark enough to read as a stroke on the white map view.
inline bool IsDark(QRgb pixel) {
  return qGray(pixel) < 128;
}
inline bool IsWhite(QRgb pixel) {
  return (pixel & 0xFFFFFF) == 0xFFFFFF;
}

}  // namespace demo_test
