#include "core/record_file.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QDir>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

using namespace core;
using namespace test_support;

namespace {

constexpr std::size_t MapSlot = 31622;
constexpr std::size_t MapData = 18072;

bool mentions(const Status& status, const std::filesystem::path& file) {
  return status.message().find(file.string()) != std::string::npos;
}

}  // namespace

class RecordFileTest : public QObject {
  Q_OBJECT

 private slots:
  void writeSlotThreeOfEmptyMapsFile() {
    auto dir = makeDataDir();
    const auto maps = dir->datFile("Maps.dat");
    auto file = RecordFile::Open(maps, MapSlot);
    QVERIFY2(file.ok(), file.status().message().c_str());
    QCOMPARE(std::filesystem::file_size(maps), std::uintmax_t{0});  // created empty

    const auto data = patternBytes(MapData, 7);
    QVERIFY(file->Write(3, data).ok());
    QVERIFY(file->Sync().ok());

    const auto bytes = readBytes(maps);
    QCOMPARE(bytes.size(), 3 * MapSlot);  // the whole of slot 3, slack included
    const std::vector<std::uint8_t> data3(bytes.begin() + 63244, bytes.begin() + 81316);
    QCOMPARE(toHex(data3), toHex(data));
    QVERIFY(std::all_of(bytes.begin(), bytes.begin() + 63244, [](auto b) { return b == 0; }));
    QVERIFY(std::all_of(bytes.begin() + 81316, bytes.end(), [](auto b) { return b == 0; }));

    std::vector<std::uint8_t> back(MapData);
    QVERIFY(file->Read(3, back).ok());
    QCOMPARE(toHex(back), toHex(data));
  }

  void writeLeavesSlackAndOtherSlotsAlone() {
    auto dir = makeDataDir();
    const auto path = dir->datFile("Item.dat");
    const auto before = patternBytes(4 * 222, 99);
    writeBytes(path, before);
    auto file = RecordFile::Open(path, 222);
    QVERIFY(file.ok());

    const std::vector<std::uint8_t> data(182, 0x11);
    QVERIFY(file->Write(2, data).ok());

    auto expected = before;
    std::copy(data.begin(), data.end(), expected.begin() + 222);
    QCOMPARE(toHex(readBytes(path)), toHex(expected));
  }

  void writeBeyondEndFillsGapWithZeros() {
    auto dir = makeDataDir();
    const auto path = dir->datFile("Shop.dat");
    writeBytes(path, std::vector<std::uint8_t>(100, 0xEE));  // 1 1/6 slots of 86
    auto file = RecordFile::Open(path, 86);
    QVERIFY(file.ok());
    QVERIFY(file->Write(4, std::vector<std::uint8_t>(61, 0x33)).ok());

    const auto bytes = readBytes(path);
    QCOMPARE(bytes.size(), std::size_t{4 * 86});
    QVERIFY(std::all_of(bytes.begin(), bytes.begin() + 100, [](auto b) { return b == 0xEE; }));
    QVERIFY(std::all_of(bytes.begin() + 100, bytes.begin() + 258, [](auto b) { return b == 0; }));
    QVERIFY(
        std::all_of(bytes.begin() + 258, bytes.begin() + 319, [](auto b) { return b == 0x33; }));
    QVERIFY(std::all_of(bytes.begin() + 319, bytes.end(), [](auto b) { return b == 0; }));
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
    std::vector<std::uint8_t> expected(bytes.begin() + 222, bytes.end());
    expected.resize(182, 0);
    QCOMPARE(toHex(slot), toHex(expected));

    std::fill(slot.begin(), slot.end(), 0xFF);
    QVERIFY(file->Read(500, slot).ok());
    QCOMPARE(toHex(slot), toHex(std::vector<std::uint8_t>(182, 0)));
    QCOMPARE(readBytes(path).size(), bytes.size());  // reading never grows the file
  }

  void slotBelowOneIsRefused_data() {
    QTest::addColumn<long>("slot");
    QTest::newRow("slot 0") << 0L;
    QTest::newRow("slot -1") << -1L;
    QTest::newRow("most negative") << std::numeric_limits<long>::min();
  }
  void slotBelowOneIsRefused() {
    QFETCH(long, slot);
    auto dir = makeDataDir();
    const auto path = dir->datFile("Mon.dat");
    const auto before = patternBytes(2 * 204, 5);
    writeBytes(path, before);
    auto file = RecordFile::Open(path, 204);
    QVERIFY(file.ok());

    std::vector<std::uint8_t> out(164, 0xAB);
    const Status read = file->Read(slot, out);
    QVERIFY(!read.ok());
    QVERIFY2(mentions(read, path), read.message().c_str());
    QVERIFY(std::all_of(out.begin(), out.end(), [](auto b) { return b == 0xAB; }));

    const Status write = file->Write(slot, std::vector<std::uint8_t>(164, 0x01));
    QVERIFY(!write.ok());
    QVERIFY2(mentions(write, path), write.message().c_str());
    QCOMPARE(toHex(readBytes(path)), toHex(before));
  }

  void moreThanASlotIsRefused() {
    auto dir = makeDataDir();
    const auto path = dir->datFile("MagProg.dat");
    auto file = RecordFile::Open(path, 10);
    QVERIFY(file.ok());
    QVERIFY(!file->Write(1, std::vector<std::uint8_t>(11, 1)).ok());
    std::vector<std::uint8_t> out(11);
    QVERIFY(!file->Read(1, out).ok());
    QCOMPARE(readBytes(path).size(), std::size_t{0});
  }

  void hugeSlotNumberIsRefusedNotWrapped() {
    auto dir = makeDataDir();
    const auto path = dir->datFile("Maps.dat");
    auto file = RecordFile::Open(path, MapSlot);
    QVERIFY(file.ok());
    const Status write =
        file->Write(std::numeric_limits<long>::max(), std::vector<std::uint8_t>(8, 1));
    QVERIFY(!write.ok());
    QCOMPARE(readBytes(path).size(), std::size_t{0});
  }

  void readOnlyFileOpensForReading() {
    auto dir = makeDataDir();
    const auto path = dir->datFile("Mag.dat");
    const auto before = patternBytes(2314, 42);
    writeBytes(path, before);
    std::filesystem::permissions(path, std::filesystem::perms(0444));

    auto file = RecordFile::Open(path, 2314);
    QVERIFY2(file.ok(), file.status().message().c_str());
    QVERIFY(file->readOnly());
    std::vector<std::uint8_t> out(1238);
    QVERIFY(file->Read(1, out).ok());
    QCOMPARE(out[5], before[5]);

    for (long slot : {1L, 2L, 9L}) {
      const Status write = file->Write(slot, std::vector<std::uint8_t>(1238, 0));
      QVERIFY(!write.ok());
      QVERIFY2(mentions(write, path), write.message().c_str());
      QVERIFY2(write.message().find("read-only") != std::string::npos, write.message().c_str());
    }
    QCOMPARE(toHex(readBytes(path)), toHex(before));
    std::filesystem::permissions(path, std::filesystem::perms(0644));
  }

  void missingFolderIsAnErrorNamingTheFile() {
    auto dir = makeDataDir(false);
    const auto path = dir->root() / "Dat" / "Maps.dat";
    auto file = RecordFile::Open(path, MapSlot);
    QVERIFY(!file.ok());
    QVERIFY2(mentions(file.status(), path), file.status().message().c_str());
    QVERIFY2(file.status().message().find("No such file") != std::string::npos,
             file.status().message().c_str());
    QVERIFY(!std::filesystem::exists(dir->root() / "Dat"));
  }

  void messagesNameTheFullPath() {
    auto dir = makeDataDir();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir->root().string()));
    auto file = RecordFile::Open("Dat/Maps.dat", MapSlot);
    QDir::setCurrent(previous);
    QVERIFY(file.ok());
    QCOMPARE(file->path(), dir->datFile("Maps.dat"));
    const Status refused = file->Write(0, std::vector<std::uint8_t>(2, 0));
    QVERIFY2(mentions(refused, dir->datFile("Maps.dat")), refused.message().c_str());
  }

  void movedFileKeepsItsHandle() {
    auto dir = makeDataDir();
    auto opened = RecordFile::Open(dir->datFile("Shop.dat"), 86);
    QVERIFY(opened.ok());
    RecordFile file = std::move(opened.value());
    QVERIFY(file.isOpen());
    QVERIFY(!opened->isOpen());
    QVERIFY(file.Write(1, std::vector<std::uint8_t>(2, 9)).ok());
    QVERIFY(!opened->Write(1, std::vector<std::uint8_t>(2, 9)).ok());
    file.Close();
    QVERIFY(!file.isOpen());
  }

  void namesMatchRegardlessOfCase() {
    auto dir = makeDataDir();
    writeBytes(dir->datFile("MAPS.DAT"), {1, 2});
    QCOMPARE(ResolveIgnoringCase(dir->dat(), "Maps.dat"), dir->datFile("MAPS.DAT"));
    QCOMPARE(ResolveIgnoringCase(dir->root(), "dat"), dir->dat());
    // Nothing that matches: the name as asked, so creating it gives the expected spelling.
    QCOMPARE(ResolveIgnoringCase(dir->dat(), "Item.dat"), dir->datFile("Item.dat"));
    QCOMPARE(ResolveIgnoringCase(dir->root() / "nowhere", "Item.dat"),
             dir->root() / "nowhere" / "Item.dat");
  }
};

REGISTER_TEST(RecordFileTest);
#include "test_record_file.moc"
