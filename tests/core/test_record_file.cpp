#include "core/catalogue_sweep.h"
#include "core/chunked_read.h"
#include "core/record_file.h"
#include "core_fixture.h"

#include <QDir>

#include <limits>

using namespace core;
using namespace test_support;

namespace {

constexpr std::size_t MapSlot = 31622;

// `size` bytes of `value`, for spelling out whole files.
std::vector<std::uint8_t> run(std::size_t size, std::uint8_t value) {
  return std::vector<std::uint8_t>(size, value);
}

std::vector<std::uint8_t> joined(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace

class RecordFileTest : public QObject {
  Q_OBJECT

 private slots:
  // A write puts its bytes at the slot's start and touches nothing else; a slot past the end
  // is zero-filled first, the gap before it too.
  void writeChangesOnlyItsBytes() {
    using Bytes = std::vector<std::uint8_t>;
    struct Row {
      std::size_t slotLength;
      Bytes before;
      long slot;
      Bytes data, after;
    };
    const Bytes map = patternBytes(18072, 7), items = patternBytes(4 * 222, 99);
    Bytes written = items;
    std::fill_n(written.begin() + 222, 182, 0x11);
    const Row rows[] = {
        {MapSlot, {}, 3, map, joined({run(2 * MapSlot, 0), map, run(MapSlot - map.size(), 0)})},
        {222, items, 2, run(182, 0x11), written},  // the slack and the other slots stay
        {86, run(100, 0xEE), 4, run(61, 0x33),
         joined({run(100, 0xEE), run(158, 0), run(61, 0x33), run(25, 0)})}};
    for (const Row& row : rows) {
      auto dir = makeDataDir();
      const auto path = dir->datFile("Maps.dat");
      if (!row.before.empty()) writeBytes(path, row.before);
      auto file = RecordFile::Open(path, row.slotLength);
      QVERIFY2(file.ok(), file.status().message().c_str());
      QCOMPARE(std::filesystem::file_size(path), std::uintmax_t{row.before.size()});  // made if new
      QVERIFY(file->Write(row.slot, row.data).ok());
      QVERIFY(file->Sync().ok());
      QCOMPARE(toHex(readBytes(path)), toHex(row.after));
      Bytes back(row.data.size());
      QVERIFY(file->Read(row.slot, back).ok());
      QCOMPARE(toHex(back), toHex(row.data));
    }
  }

  void readPastEndGivesZeros() {
    auto dir = makeDataDir();
    const auto path = dir->datFile("Item.dat");
    // The last slot is cut short in the middle of its packed data.
    const auto bytes = patternBytes(222 + 50, 3);
    writeBytes(path, bytes);
    auto file = RecordFile::Open(path, 222);
    QVERIFY(file.ok());

    std::vector<std::uint8_t> slot(182, 0xFF);
    QVERIFY(file->Read(2, slot).ok());
    QCOMPARE(toHex(slot), toHex(joined({{bytes.begin() + 222, bytes.end()}, run(132, 0)})));
    QVERIFY(file->Read(500, slot).ok());
    QCOMPARE(toHex(slot), toHex(run(182, 0)));
    QCOMPARE(readBytes(path).size(), bytes.size());  // reading never grows the file
  }

  // Slot numbers below 1, past what an offset can hold, or data longer than a slot are
  // refused, naming the file by its full path even when it was opened by a relative one.
  void badSlotsAndSizesAreRefused() {
    auto dir = makeDataDir();
    const auto path = dir->datFile("Mon.dat");
    const auto before = patternBytes(2 * 204, 5);
    writeBytes(path, before);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir->root().string()));
    auto file = RecordFile::Open("Dat/Mon.dat", 204);
    QDir::setCurrent(previous);
    QVERIFY(file.ok());
    QCOMPARE(file->path(), path);
    for (const auto& [slot, size] : {std::pair{0L, 164},
                                     {-1L, 164},
                                     {std::numeric_limits<long>::min(), 164},
                                     {std::numeric_limits<long>::max(), 8},
                                     {1L, 205}}) {
      std::vector<std::uint8_t> out(static_cast<std::size_t>(size), 0xAB);
      const Status read = file->Read(slot, out);
      QVERIFY2(mentions(read, path), read.message().c_str());
      QCOMPARE(toHex(out), toHex(run(out.size(), 0xAB)));
      const Status write = file->Write(slot, run(out.size(), 0x01));
      QVERIFY2(mentions(write, path), write.message().c_str());
      QCOMPARE(toHex(readBytes(path)), toHex(before));
    }
  }

  // A pass reads its chunks on a second thread: each still comes in file order with its own
  // bytes, zeros past the end, the pass ends where its use says, and the file's own handle can
  // be closed meanwhile (a catalogue following a replaced file does that).
  void chunksComeInOrderWhileTheNextIsRead() {
    auto dir = makeDataDir();
    const auto path = dir->datFile("Mag.dat");
    const auto bytes = patternBytes(10000, 9);
    writeBytes(path, bytes);
    const auto expected = joined({{bytes.begin() + 100, bytes.end()}, run(100, 0)});
    for (const std::size_t stopAfter : {std::size_t{0}, std::size_t{3}}) {
      auto file = RecordFile::Open(path, 1);
      QVERIFY(file.ok());
      ChunkBuffers buffers;
      std::vector<std::uint64_t> offsets;
      std::vector<std::uint8_t> seen;
      const Status status = ReadInChunks(
          *file, 100, 10000, 999, buffers,
          [&](std::uint64_t offset, std::span<const std::uint8_t> chunk) {
            offsets.push_back(offset);
            seen.insert(seen.end(), chunk.begin(), chunk.end());
            if (offsets.size() == 1) file->Close();
            return offsets.size() != stopAfter;
          });
      QVERIFY2(status.ok(), status.message().c_str());
      const std::size_t chunks = stopAfter == 0 ? 11 : stopAfter;
      QCOMPARE(offsets.size(), chunks);
      for (std::size_t k = 0; k < chunks; ++k) QCOMPARE(offsets[k], 100 + 999 * k);
      QCOMPARE(toHex(seen), toHex({expected.begin(), expected.begin() + std::min<std::ptrdiff_t>(
                                                          999 * chunks, 10000)}));
    }
  }

  // Entries asked for in any order and across the parts read at a time; entries past the end
  // of a short file read as zeros.
  void entriesComeFromTheirSlots() {
    for (const auto& [entries, asked] : {std::pair{0, 0}, {2, 4}, {1000, 1000}}) {
      TestDataDir dir;
      writeCatalogue(dir.datFile("Mon.dat"), namedEntries<CreatureRecord>(entries, "Orc"));
      Catalogue<CreatureRecord> catalogue("Mon.dat", {});
      QVERIFY(catalogue.Open(dir.dat()).ok());
      ChunkedEntries<CreatureRecord> chunked(catalogue, asked);
      QVERIFY(!chunked.entry(asked + 1).ok());
      for (long entry : {long{asked}, 1L, asked / 2L + 1, asked - 1L}) {
        if (entry < 1 || entry > asked) continue;
        const auto creature = chunked.entry(entry);
        QVERIFY(creature.ok());
        const bool inFile = entry <= entries;
        QCOMPARE(creature->CreatureNo, std::int16_t(inFile ? entry : 0));
        QCOMPARE(creature->CreatureName,
                 inFile ? padded("Orc " + std::to_string(entry)) : std::string(20, '\0'));
      }
    }
  }
};

REGISTER_TEST(RecordFileTest);
#include "test_record_file.moc"
