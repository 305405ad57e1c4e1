// The text form of the record files: byte-exact round trips (demo data, random files, hostile
// texts), each refusal of an import with nothing written, and the commands of editor-check.

#include "cli/run_checker.h"
#include "core/map_record.h"
#include "core/text.h"
#include "demodata/demo_data.h"
#include "support/disk_limit.h"
#include "support/fixtures.h"
#include "support/test_registry.h"
#include "textform/file_form.h"
#include "textform/game_data.h"
#include "textform/game_lock.h"

#include <QTest>

#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace fs = std::filesystem;
using namespace test_support;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Every file of a folder tree and its bytes: a folder that must not change is compared whole.
std::map<std::string, Bytes> snapshot(const fs::path& folder) {
  std::map<std::string, Bytes> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), folder).string()] = readBytes(entry.path());
  return files;
}

std::string readText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeText(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

const textform::RecordFileInfo& infoOf(std::string_view name) {
  return *textform::RecordFileNamed(name);
}

// Bytes → text form → bytes must give back every byte.
void checkRoundTrip(const textform::RecordFileInfo& file, const Bytes& bytes) {
  const std::string json = textform::FileToJson(file, bytes);
  auto back = textform::FileFromJson(file, json);
  QVERIFY2(back.ok(), back.status().message().c_str());
  QCOMPARE(toHex(*back), toHex(bytes));
  const auto split = textform::FileToSplitJson(file, bytes);
  auto fromPieces = textform::FileFromSplitJson(
      file, split.file, static_cast<long>(split.entries.size()),
      [&](long entry) -> core::Result<std::string> {
        return split.entries[static_cast<std::size_t>(entry - 1)];
      },
      [](long entry) { return std::to_string(entry); });
  QVERIFY2(fromPieces.ok(), fromPieces.status().message().c_str());
  QCOMPARE(toHex(*fromPieces), toHex(bytes));
}

int run(const std::vector<std::string>& arguments, std::string* output = nullptr) {
  std::ostringstream out, err;
  const int status = cli::RunChecker(arguments, out, err);
  if (output) *output = out.str() + err.str();
  return status;
}

}  // namespace

// The slots are defined below the class: moc stops at the raw string literals they use.
class TextFormTest : public QObject {
  Q_OBJECT

 private slots:
  void demoDataRoundTripsByteForByteInBothForms();
  void randomFilesRoundTrip();
  void hostileTextsKeepTheirBytesAndShowTheirText();
  void mapsShowSquaresSpecialsAndTexts();
  void refusedImportNamesFileLineAndMemberAndWritesNothing_data();
  void refusedImportNamesFileLineAndMemberAndWritesNothing();
  void splitFormRefusesAGapAndTwoForms();
  void largeFilesGoInPiecesAndTheFirstFileRefusedIsNamed();
  void importWaitsForTheEditorsLockAndForNoChangeOnDisk();
  void showPrintsTheSameTextEachRunAndRefusesOtherFiles();
};

void TextFormTest::demoDataRoundTripsByteForByteInBothForms() {
  auto game = makeDataDir();
  QVERIFY(demodata::WriteDemoData(game->root()).ok());
  const auto before = snapshot(game->dat());
  QTemporaryDir out;
  for (const bool split : {false, true}) {
    const fs::path folder = fs::path(out.path().toStdString()) / (split ? "split" : "single");
    auto exported = textform::ExportGameData(game->root(), folder, {split, {}});
    QVERIFY2(exported.ok(), exported.status().message().c_str());
    QCOMPARE(exported->written.size(), std::size_t{6});
    // Into an empty game folder: every file is made again, byte for byte.
    auto copy = makeDataDir();
    auto imported = textform::ImportGameData(folder, copy->root());
    QVERIFY2(imported.ok(), imported.status().message().c_str());
    QCOMPARE(imported->written.size(), std::size_t{6});
    QVERIFY(snapshot(copy->dat()) == before);
    // Into the folder it came from: nothing to write.
    imported = textform::ImportGameData(folder, game->root());
    QVERIFY(imported.ok());
    QCOMPARE(imported->unchanged.size(), std::size_t{6});
  }
  QVERIFY(fs::exists(fs::path(out.path().toStdString()) / "split" / "Item" / "00001.json"));
}

// Random bytes reach every field with every value, and texts with zero bytes, CR, LF, 0xA0
// and the code page's undefined bytes; lengths cover an empty file, a part header, whole
// slots and a part slot at the end.
void TextFormTest::randomFilesRoundTrip() {
  std::mt19937 random(26);
  for (const auto& file : textform::RecordFiles()) {
    for (int round = 0; round < 12; ++round) {
      const std::size_t slotCount = round % 4;
      std::size_t size = slotCount * file.slotLength;
      if (round >= 4) size += random() % file.slotLength;
      Bytes bytes(size);
      for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
      if (round % 3 == 0)  // mostly zero slack and blank texts, as the editor writes
        for (std::size_t i = 0; i < size; ++i)
          if (random() % 4 != 0) bytes[i] = (random() % 2) ? 0 : ' ';
      checkRoundTrip(file, bytes);
    }
  }
}

void TextFormTest::hostileTextsKeepTheirBytesAndShowTheirText() {
  core::SpellRecord spell;
  spell.SpellName = std::string("Fire\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20);
  spell.DamageDesc = core::FixedText("1d6 \xA0\x81 \"q\" \\", core::DamageDescWidth);
  spell.Description = core::FixedText("Line one\r\nLine two\rthree\n", core::DescriptionWidth);
  const Bytes bytes = catalogueBytes<core::SpellRecord>({spell});
  const std::string json = textform::FileToJson(infoOf("Mag.dat"), bytes);
  QVERIFY(json.find(R"("SpellName": {"Text": "Fire", "Bytes": "46697265 16*00"})") !=
          std::string::npos);
  QVERIFY(json.find(R"("DamageDesc": "1d6 \u00a0\u0081 \"q\" \\")") != std::string::npos);
  QVERIFY(json.find(R"("Description": "Line one\r\nLine two\rthree\n")") != std::string::npos);
  checkRoundTrip(infoOf("Mag.dat"), bytes);

  // An edited text in the exact form is stored as typed: blank-padded, the old bytes gone.
  std::string edited = json;
  edited.replace(edited.find(R"({"Text": "Fire")"), 15, R"({"Text": "Frost")");
  auto back = textform::FileFromJson(infoOf("Mag.dat"), edited);
  QVERIFY2(back.ok(), back.status().message().c_str());
  QCOMPARE(core::SpellRecord::unpack(std::span(*back).subspan(core::SpellRecord::SlotLength,
                                                              core::SpellRecord::PackedSize))
               .SpellName,
           padded("Frost"));

  // A text that is not UTF-8 at all (a file saved in another code page) is refused.
  std::string foreign = json;
  foreign.replace(foreign.find(R"({"Text": "Fire")"), 15, "{\"Text\": \"F\xEEre\"");
  back = textform::FileFromJson(infoOf("Mag.dat"), foreign);
  QVERIFY(!back.ok());
  QVERIFY2(back.status().message().find("Invalid encoding in string.") != std::string::npos,
           back.status().message().c_str());
}

void TextFormTest::mapsShowSquaresSpecialsAndTexts() {
  core::MapRecord map = sampleMap(1);
  map.SetSquare(2, 0, static_cast<std::int16_t>(core::WithWallCode(0, core::East, 5) | 0x3000));
  putSpecial(map, 7, 2, 4, 5, 9);
  map.SetSpecial(9, core::SpecialField::Param3, -4);  // not in use, still carried
  map.SetLongText(3, std::string("Dark\r\nwater", 11));
  Bytes bytes(core::MapRecord::SlotLength, 0);
  map.pack(bytes);
  bytes.back() = 0x5A;  // slack
  const std::string json = textform::FileToJson(infoOf("Maps.dat"), bytes);
  QVERIFY(json.find("\"5555:0 0000:0 0500:3 0000:0") != std::string::npos);
  QVERIFY(
      json.find(R"({"Index": 7, "Kind": 2, "Spare": 0, "SquareX": 4, "SquareY": 5, "Param1": 9)") !=
      std::string::npos);
  QVERIFY(json.find(R"({"Index": 9, "Kind": 0)") != std::string::npos);
  QVERIFY(json.find(R"("Dark\r\nwater")") != std::string::npos);
  QVERIFY(json.find(R"("Slack": "13549*00 5a")") != std::string::npos);
  checkRoundTrip(infoOf("Maps.dat"), bytes);
}

void TextFormTest::refusedImportNamesFileLineAndMemberAndWritesNothing_data() {
  QTest::addColumn<QString>("from");
  QTest::addColumn<QString>("to");
  QTest::addColumn<QString>("said");
  QTest::newRow("out of range")
      << R"("Cost": 12,)"
      << R"("Cost": 40000,)"
      << R"(Item.json, line 21: entry 1, member "Cost": 40000 is outside -32768..32767)";
  QTest::newRow("not whole") << R"("Cost": 12,)"
                             << R"("Cost": 1.5,)"
                             << R"(line 21: entry 1, member "Cost": must be a whole number)";
  QTest::newRow("text too long")
      << R"("Short Sword")"
      << R"("Short Sword of the Long Marsh")"
      << R"(line 8: entry 1, member "ItemName": the text takes 29 bytes, the field holds 20)";
  QTest::newRow("not in the code page")
      << R"("Short Sword")"
      << "\"Short \xE2\x9C\x93\""
      << R"(member "ItemName": the game's code page (Windows-1252) has no character U+2713)";
  QTest::newRow("missing") << R"("Cost": 12,)"
                           << ""
                           << R"(entry 1: member "Cost" is missing)";
  QTest::newRow("unknown") << R"("Cost": 12,)"
                           << R"("Cost": 12, "Price": 3,)"
                           << R"(line 21: entry 1: unknown member "Price")";
  QTest::newRow("twice") << R"("Cost": 12,)"
                         << R"("Cost": 12, "Cost": 3,)"
                         << R"(entry 1: member "Cost" is given twice)";
  QTest::newRow("short list") << R"("UsableBy": [0, )"
                              << R"("UsableBy": [)"
                              << R"(member "UsableBy": must hold 26 items, it holds 25)";
  QTest::newRow("malformed")
      << R"("Cost": 12,)"
      << R"("Cost": 12,,)"
      << R"(Item.json, line 21, column 18: Missing a name for object member.)";
  QTest::newRow("slack too long") << R"("Cost": 12,)"
                                  << R"("Cost": 12, "Slack": "41*00",)"
                                  << R"(member "Slack": holds 41 bytes, there is room for 40)";
  QTest::newRow("bad bytes") << R"("Count": 18,)"
                             << R"("Count": 18, "Tail": "4x",)"
                             << R"(the file, member "Tail": "4x" is not hex bytes)";
  QTest::newRow("wrong file")
      << R"("File": "Item.dat")"
      << R"("File": "Shop.dat")"
      << R"(member "File": says Shop.dat, but this is the text form of Item.dat)";
}
void TextFormTest::refusedImportNamesFileLineAndMemberAndWritesNothing() {
  QFETCH(QString, from);
  QFETCH(QString, to);
  QFETCH(QString, said);
  auto game = makeDataDir();
  QVERIFY(demodata::WriteDemoData(game->root()).ok());
  QTemporaryDir out;
  const fs::path folder = out.path().toStdString();
  QVERIFY(textform::ExportGameData(game->root(), folder).ok());
  // Another file changed too: the refusal must hold it back as well.
  std::string shops = readText(folder / "Shop.json");
  shops.replace(shops.find("\"ShopType\": 0"), 13, "\"ShopType\": 1");
  writeText(folder / "Shop.json", shops);
  std::string items = readText(folder / "Item.json");
  const auto at = items.find(from.toStdString());
  QVERIFY(at != std::string::npos);
  items.replace(at, static_cast<std::size_t>(from.toStdString().size()), to.toStdString());
  writeText(folder / "Item.json", items);

  const auto before = snapshot(game->root());
  std::string output;
  QCOMPARE(run({"import", folder.string(), game->root().string()}, &output), 1);
  QVERIFY2(output.find(said.toStdString()) != std::string::npos, output.c_str());
  QVERIFY2(output.find("Nothing was imported") != std::string::npos, output.c_str());
  QVERIFY(snapshot(game->root()) == before);
}

void TextFormTest::splitFormRefusesAGapAndTwoForms() {
  auto game = makeDataDir();
  QVERIFY(demodata::WriteDemoData(game->root()).ok());
  QTemporaryDir out;
  const fs::path folder = out.path().toStdString();
  QVERIFY(textform::ExportGameData(game->root(), folder, {true, {}}).ok());
  const auto before = snapshot(game->root());
  fs::remove(folder / "Item" / "00004.json");
  auto imported = textform::ImportGameData(folder, game->root());
  QVERIFY(!imported.ok());
  QVERIFY2(imported.status().message().find("00004.json is missing") != std::string::npos,
           imported.status().message().c_str());
  // Exporting again as one file per record file clears the pieces away.
  QVERIFY(textform::ExportGameData(game->root(), folder).ok());
  QVERIFY(!fs::exists(folder / "Item"));
  fs::create_directories(folder / "Mon");
  imported = textform::ImportGameData(folder, game->root());
  QVERIFY(!imported.ok());
  QVERIFY(imported.status().message().find("keep one form of Mon.dat") != std::string::npos);
  QVERIFY(snapshot(game->root()) == before);
}

// Export makes a large file's text in pieces and import checks the files side by side: the
// pieces join into the text of the whole file, and of two refused files the first is named even
// when the later one, much smaller, is refused sooner.
void TextFormTest::largeFilesGoInPiecesAndTheFirstFileRefusedIsNamed() {
  auto game = makeDataDir();
  QVERIFY(demodata::WriteDemoData(game->root()).ok());
  Bytes maps = readBytes(game->datFile("Maps.dat"));
  maps.resize(70 * core::MapRecord::SlotLength);  // three pieces of a megabyte
  std::mt19937 random(70);
  for (std::size_t at = maps.size() / 2; at < maps.size(); at += 97)
    maps[at] = static_cast<std::uint8_t>(random());
  writeBytes(game->datFile("Maps.dat"), maps);
  QTemporaryDir out;
  const fs::path folder = out.path().toStdString();
  QVERIFY(textform::ExportGameData(game->root(), folder / "single").ok());
  QVERIFY(readText(folder / "single" / "Maps.json") ==
          textform::FileToJson(infoOf("Maps.dat"), maps));
  QVERIFY(textform::ExportGameData(game->root(), folder / "split", {true, {}}).ok());
  auto copy = makeDataDir();
  auto imported = textform::ImportGameData(folder / "split", copy->root());
  QVERIFY2(imported.ok(), imported.status().message().c_str());
  QVERIFY(snapshot(copy->dat()) == snapshot(game->dat()));

  const fs::path single = folder / "single";
  std::string shops = readText(single / "Shop.json");
  shops.replace(shops.find("\"ShopType\": 0"), 13, "\"ShopType\": 1");
  writeText(single / "Shop.json", shops);
  const std::string mapsText = readText(single / "Maps.json");
  std::string refusedMaps = mapsText;
  refusedMaps.replace(refusedMaps.rfind("\"HitRefresh\": "), 14, "\"HitRefresh\": 99999, \"X\": ");
  writeText(single / "Maps.json", refusedMaps);
  std::string progs = readText(single / "MagProg.json");
  progs.replace(progs.find("\"ProgNo\": "), 10, "\"ProgNo\": 40000, \"X\": ");
  writeText(single / "MagProg.json", progs);
  const auto before = snapshot(game->root());
  imported = textform::ImportGameData(single, game->root());
  QVERIFY(!imported.ok());
  const std::string said = imported.status().message();
  QVERIFY2(said.find("Maps.json, line ") != std::string::npos, said.c_str());
  QVERIFY2(said.find(R"(map 70, member "HitRefresh": 99999 is outside)") != std::string::npos,
           said.c_str());
  QVERIFY(snapshot(game->root()) == before);
  // The last file refused alone: the earlier ones, checked and changed, are not written either.
  writeText(single / "Maps.json", mapsText);
  imported = textform::ImportGameData(single, game->root());
  QVERIFY(!imported.ok());
  QVERIFY2(imported.status().message().find("MagProg.json, line ") != std::string::npos,
           imported.status().message().c_str());
  QVERIFY(snapshot(game->root()) == before);
}

void TextFormTest::importWaitsForTheEditorsLockAndForNoChangeOnDisk() {
  auto game = makeDataDir();
  QVERIFY(demodata::WriteDemoData(game->root()).ok());
  QTemporaryDir out;
  const fs::path folder = out.path().toStdString();
  QVERIFY(textform::ExportGameData(game->root(), folder).ok());
  std::string items = readText(folder / "Item.json");
  items.replace(items.find("\"Cost\": 12,"), 11, "\"Cost\": 13,");
  writeText(folder / "Item.json", items);
  {
    auto held = textform::GameFolderLock::Take(game->dat());
    QVERIFY(held.ok());
    const auto before = snapshot(game->root());
    auto imported = textform::ImportGameData(folder, game->root());
    QVERIFY(!imported.ok());
    QVERIFY2(imported.status().message().find("has the game folder open") != std::string::npos,
             imported.status().message().c_str());
    QVERIFY(snapshot(game->root()) == before);
  }
  // A file changed by someone else while the import checked: nothing written.
  const fs::path mon = game->datFile("Mon.dat");
  textform::ImportOptions options;
  options.progress = [&](double) {
    Bytes bytes = readBytes(mon);
    bytes[5] ^= 1;
    writeBytes(mon, bytes);
    return true;
  };
  const Bytes itemsBefore = readBytes(game->datFile("Item.dat"));
  auto imported = textform::ImportGameData(folder, game->root(), options);
  QVERIFY(!imported.ok());
  QVERIFY(imported.status().changedOnDisk());
  QCOMPARE(toHex(readBytes(game->datFile("Item.dat"))), toHex(itemsBefore));
  // A full disk stops the write of Maps.dat: Item.dat, written beside it, is put back.
  const std::string maps = readText(folder / "Maps.json");
  const std::string refresh = "\"HitRefresh\": 20,";
  writeText(folder / "Maps.json",
            std::string(maps).replace(maps.find(refresh), refresh.size(), "\"HitRefresh\": 21,"));
  const auto beforeFull = snapshot(game->root());
  setWriteLimit([](std::size_t wanted) { return wanted > 50000 ? 0 : wanted; });
  imported = textform::ImportGameData(folder, game->root());
  setWriteLimit({});
  QVERIFY(!imported.ok());
  const std::string& told = imported.status().message();
  QVERIFY2(told.find("The import stopped: ") == 0 && told.find("Maps.dat") != std::string::npos &&
               told.find("\nItem.dat was put back as it was") != std::string::npos,
           told.c_str());
  QVERIFY(snapshot(game->root()) == beforeFull);
  // Once nobody else writes, the change goes in and the lock is let go.
  writeText(folder / "Maps.json", maps);
  imported = textform::ImportGameData(folder, game->root());
  QVERIFY2(imported.ok(), imported.status().message().c_str());
  QCOMPARE(imported->written, std::vector<std::string>{"Item.dat"});
  QCOMPARE(storedSlot<core::ItemRecord>(game->datFile("Item.dat"), 2).Cost, std::int16_t{13});
  QVERIFY(!fs::exists(game->dat() / textform::GameLockFileName));
}

void TextFormTest::showPrintsTheSameTextEachRunAndRefusesOtherFiles() {
  auto game = makeDataDir();
  QVERIFY(demodata::WriteDemoData(game->root()).ok());
  std::string first, second;
  QCOMPARE(run({"show", game->datFile("Mag.dat").string()}, &first), 0);
  QCOMPARE(run({"show", game->datFile("Mag.dat").string()}, &second), 0);
  QCOMPARE(first, second);
  QVERIFY(first.rfind("{\n  \"File\": \"Mag.dat\",\n  \"Count\": ", 0) == 0);
  // git hands the driver a copy named after the file.
  fs::copy_file(game->datFile("Mag.dat"), game->root() / "Ab12Cd_Mag.dat");
  QCOMPARE(run({"show", (game->root() / "Ab12Cd_Mag.dat").string()}, &second), 0);
  QCOMPARE(first, second);
  QCOMPARE(run({"show", (game->data() / "Back.bmp").string()}, &second), 2);
  QVERIFY(second.find("not one of the game's record files") != std::string::npos);
  QCOMPARE(run({"show"}, &second), 2);
  // The checker's own command line is as it was.
  QCOMPARE(run({game->root().string()}, &second), 1);
}

REGISTER_TEST(TextFormTest);

#include "test_text_form.moc"
