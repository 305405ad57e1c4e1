#pragma once

// Reading the generated demo files back byte by byte, independently of the generator's own
// records: catalogues slot by slot, Maps.dat map by map. The bitmaps' headers are the writer's,
// checked with it in the core tests.

#include "core/catalogue_records.h"
#include "core/map_record.h"
#include "demodata/demo_data.h"
#include "support/fixtures.h"

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace demo_test {

using test_support::readBytes;

// The demo data set, written once per run into a temporary folder.
inline const std::filesystem::path& DemoFolder() {
  static QTemporaryDir dir;
  static const std::filesystem::path root = [] {
    const core::Status status = demodata::WriteDemoData(dir.path().toStdString());
    if (!dir.isValid() || !status.ok())
      qFatal("cannot write the demo data: %s", status.message().c_str());
    return std::filesystem::path(dir.path().toStdString());
  }();
  return root;
}

inline std::int16_t I16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::int16_t>(b[at] | (b[at + 1] << 8));
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
  const std::vector<std::uint8_t> bytes = readBytes(path);
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
  const std::vector<std::uint8_t> bytes = readBytes(path);
  if (fileSize) *fileSize = bytes.size();
  std::vector<core::MapRecord> maps;
  for (std::size_t start = 0; start + core::MapRecord::PackedSize <= bytes.size();
       start += core::MapRecord::SlotLength) {
    maps.push_back(core::MapRecord::unpack(
        std::span<const std::uint8_t>(bytes).subspan(start, core::MapRecord::PackedSize)));
  }
  return maps;
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
