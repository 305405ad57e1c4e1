// Fuzz target: the editor's start-up on a game folder of random files (record files of random
// lengths and bytes, bitmaps with random headers), the reads every window makes of them, and
// each record's unpack. Built for libFuzzer by clang; with any other compiler the same code runs
// once over each file named on the command line (the committed corpus), as a plain test.

#include "core/bitmap.h"
#include "core/catalogue_records.h"
#include "core/definitions.h"
#include "core/map_record.h"
#include "core/spell_progression.h"
#include "core/tile_sheet.h"

#include <QImageReader>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Takes the input apart piece by piece; past its end every piece is empty or zero.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint16_t word() { return static_cast<std::uint16_t>(byte() | byte() << 8); }
  std::uint32_t dword() { return static_cast<std::uint32_t>(word()) | std::uint32_t{word()} << 16; }
  std::vector<std::uint8_t> bytes(std::size_t count) {
    count = std::min(count, size_ - at_);
    std::vector<std::uint8_t> out(data_ + at_, data_ + at_ + count);
    at_ += count;
    return out;
  }
  std::size_t left() const { return size_ - at_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

void put(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value, int width) {
  for (int i = 0; i < width && at + i < out.size(); ++i)
    out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// A record file: a header whose count is taken from the input, then a random number of slots
// (the last often cut short), their bytes taken from the input and repeated to fill them.
std::vector<std::uint8_t> recordFile(Input& in, std::size_t slot) {
  // Maps.dat's slots are large: a few of them are enough.
  const std::size_t slotCount = in.byte() % (slot > 1000 ? 4 : 12);
  const std::size_t cut = in.byte() % 4 == 0 ? in.word() % slot : 0;
  std::vector<std::uint8_t> file(slotCount * slot + cut);
  const std::vector<std::uint8_t> fill = in.bytes(in.word() % 512);
  for (std::size_t at = 0; at < file.size() && !fill.empty(); at += fill.size())
    std::copy_n(fill.begin(), std::min(fill.size(), file.size() - at), file.begin() + at);
  if (file.size() >= 2) put(file, 0, in.word(), 2);  // the count, below 0 as often as not
  return file;
}

// A bitmap whose header fields come from the input, and a pixel part of random length.
std::vector<std::uint8_t> bitmapFile(Input& in) {
  const std::size_t headerSize = in.byte() % 3 == 0 ? 26 : 54;
  std::vector<std::uint8_t> file(headerSize + in.word() % 4096, 0);
  file[0] = 'B';
  file[1] = in.byte() % 8 == 0 ? 'X' : 'M';
  put(file, 2, in.dword(), 4);                                // file size
  put(file, 10, in.byte() % 2 ? headerSize : in.dword(), 4);  // pixel offset
  put(file, 14, headerSize == 26 ? 12 : (in.byte() % 2 ? 40 : in.dword()), 4);
  if (headerSize == 26) {
    put(file, 18, in.word(), 2);
    put(file, 20, in.word(), 2);
    put(file, 22, 1, 2);
    put(file, 24, in.byte(), 2);
  } else {
    put(file, 18, in.byte() % 2 ? 400 + in.byte() : in.dword(), 4);  // width
    put(file, 22, in.byte() % 2 ? 400 + in.byte() : in.dword(), 4);  // height
    put(file, 26, 1, 2);
    static constexpr std::uint8_t Depths[] = {1, 4, 8, 16, 24, 32, 0, 7};
    put(file, 28, Depths[in.byte() % 8], 2);
    put(file, 30, in.byte() % 4 == 0 ? in.byte() : 0, 4);  // compression
    put(file, 34, in.dword(), 4);
    put(file, 46, in.byte() % 4 == 0 ? in.dword() : 0, 4);  // colours used
  }
  const std::vector<std::uint8_t> pixels = in.bytes(64);
  for (std::size_t i = headerSize; i < file.size() && !pixels.empty(); ++i)
    file[i] = pixels[i % pixels.size()];
  return file;
}

// What a window does with a picture: check it, then load it.
void usePicture(const fs::path& path, int minWidth, int minHeight) {
  if (!core::CheckBmpFile(path, minWidth, minHeight).ok()) return;
  QImageReader reader(QString::fromStdString(path.string()));
  const QImage picture = reader.read();
  if (!picture.isNull()) (void)picture.convertToFormat(QImage::Format_RGB32);
}

// Unpacking any bytes gives a record that packs back to the very same bytes.
template <class Record>
void unpackRoundTrip(const std::vector<std::uint8_t>& seed) {
  std::vector<std::uint8_t> bytes(Record::PackedSize);
  for (std::size_t i = 0; i < bytes.size() && !seed.empty(); ++i) bytes[i] = seed[i % seed.size()];
  const Record record = Record::unpack(bytes);
  std::vector<std::uint8_t> again(Record::PackedSize);
  record.pack(again);
  if (again != bytes) {
    std::fprintf(stderr, "a record of %zu bytes does not pack back to the bytes it came from\n",
                 Record::PackedSize);
    std::abort();
  }
}

// Every whole-file read the windows make once the editor has started.
template <class Record>
void readCatalogue(core::Catalogue<Record>& catalogue, long count) {
  if (!catalogue.isOpen()) return;
  (void)catalogue.LoadNames();
  for (long n = 0; n <= std::min(count, 40L) + 1; ++n) {
    (void)catalogue.ReadEntry(n);
    (void)catalogue.Name(n);
  }
}

fs::path scratchFolder() {
  static const fs::path folder = [] {
    const char* tmp = std::getenv("TMPDIR");
    fs::path base = tmp && *tmp ? tmp : "/tmp";
    fs::path made = base / ("fuzz_startup." + std::to_string(::getpid()));
    fs::create_directories(made / "Dat");
    fs::create_directories(made / "Data");
    return made;
  }();
  // Registered after the path itself, so it runs while the path still exists.
  static const bool removedAtExit = std::atexit([] {
                                      std::error_code ignored;
                                      fs::remove_all(folder, ignored);
                                    }) == 0;
  (void)removedAtExit;
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const fs::path root = scratchFolder();
  for (const auto& sub : {"Dat", "Data"})
    for (const auto& entry : fs::directory_iterator(root / sub)) fs::remove(entry.path());

  struct RecordFileSpec {
    const char* name;
    std::size_t slot;
  };
  const RecordFileSpec files[] = {{"Maps.dat", core::MapRecord::SlotLength},
                                  {"Item.dat", core::ItemRecord::SlotLength},
                                  {"Mon.dat", core::CreatureRecord::SlotLength},
                                  {"Shop.dat", core::ShopRecord::SlotLength},
                                  {"Mag.dat", core::SpellRecord::SlotLength},
                                  {"MagProg.dat", core::SpellProgRecord::SlotLength}};
  const std::uint8_t present = in.byte();
  for (std::size_t i = 0; i < std::size(files); ++i) {
    // A missing file is made by start-up; the odd name tests the letter-case look-up.
    if ((present >> i) & 1) continue;
    std::string name = files[i].name;
    if (in.byte() % 5 == 0) std::transform(name.begin(), name.end(), name.begin(), ::toupper);
    writeFile(root / "Dat" / name, recordFile(in, files[i].slot));
  }
  for (const char* name : {"Back.bmp", "Tiles.bmp", "Map1.bmp", "Mon1.bmp"})
    writeFile(root / "Data" / name, bitmapFile(in));

  core::ModDefinitions defs(root);
  (void)defs.Startup();
  readCatalogue(defs.Items(), defs.ItemCount);
  readCatalogue(defs.Creatures(), defs.CreatureCount);
  readCatalogue(defs.Shops(), defs.ShopCount);
  readCatalogue(defs.Spells(), defs.SpellCount);
  auto progression = core::ReadSpellProgression(defs);
  if (progression.ok()) (void)core::SpellProgressionRows(*progression, -1);
  for (long map = 1; map <= 3; ++map) (void)defs.LoadMap(map);

  usePicture(defs.DataFile("Back.bmp"), 434, 434);
  usePicture(defs.DataFile("Tiles.bmp"), core::TileSheetWidth, core::TileSheetHeight);
  usePicture(defs.DataFile("Map1.bmp"), 1, 1);
  usePicture(defs.DataFile("Mon1.bmp"), 1, 1);

  const std::vector<std::uint8_t> rest = in.bytes(in.left());
  unpackRoundTrip<core::MapRecord>(rest);
  unpackRoundTrip<core::ItemRecord>(rest);
  unpackRoundTrip<core::CreatureRecord>(rest);
  unpackRoundTrip<core::ShopRecord>(rest);
  unpackRoundTrip<core::SpellRecord>(rest);
  unpackRoundTrip<core::SpellProgRecord>(rest);
  return 0;
}

#ifndef EDITOR_LIBFUZZER
// Without libFuzzer: each file named on the command line (or in a folder named there) once.
int main(int argc, char** argv) {
  int runs = 0;
  for (int i = 1; i < argc; ++i) {
    std::vector<fs::path> inputs;
    if (fs::is_directory(argv[i])) {
      for (const auto& entry : fs::directory_iterator(argv[i])) inputs.push_back(entry.path());
      std::sort(inputs.begin(), inputs.end());
    } else {
      inputs.emplace_back(argv[i]);
    }
    for (const fs::path& input : inputs) {
      std::ifstream file(input, std::ios::binary);
      const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                            std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++runs;
    }
  }
  std::printf("%d passed, 0 failed\n", runs);
  return runs > 0 ? 0 : 1;
}
#endif
