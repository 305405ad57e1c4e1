// The game data check, through the command-line checker: a folder with one planted instance of
// each finding, a clean folder with none, and folders that cannot be read.

#include "cli/run_checker.h"
#include "core/bitmap.h"
#include "core/game_check.h"
#include "core/tile_sheet.h"
#include "core/version.h"
#include "core/vocabularies.h"
#include "core/where_used.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QImage>
#include <QTest>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace test_support;
using enum core::SpecialKind;

namespace {

void put(core::MapRecord& map, int index, int kind, int x, int y, std::vector<int> params,
         int condFlag = 0) {
  putSpecial(map, index, kind, x, y);
  const core::SpecialField fields[] = {core::SpecialField::Param1, core::SpecialField::Param2,
                                       core::SpecialField::Param3, core::SpecialField::Param4};
  for (std::size_t p = 0; p < params.size(); ++p)
    map.SetSpecial(index, fields[p], static_cast<std::int16_t>(params[p]));
  if (condFlag > 0) {
    map.SetSpecial(index, core::SpecialField::CondFlag, static_cast<std::int16_t>(condFlag));
    map.SetSpecial(index, core::SpecialField::CondTest, 1);
  }
}

void touch(const fs::path& file) {
  writeBytes(file, {'B', 'M'});
}

// Catalogues and a map that refer only to what exists.
void writeCleanGame(const TestDataDir& dir) {
  auto items = namedEntries<core::ItemRecord>(1, "Sword");
  writeCatalogue(dir.datFile("Item.dat"), items);
  auto shops = namedEntries<core::ShopRecord>(1, "Forge");
  shops[0].Stock[0] = 1;
  writeCatalogue(dir.datFile("Shop.dat"), shops);
  auto creatures = namedEntries<core::CreatureRecord>(1, "Rat");
  creatures[0].Bitmap = 1;
  creatures[0].SetCreatureSpecial(0, core::SpecialSlotField::Effect, 2);  // casts spell 1
  writeCatalogue(dir.datFile("Mon.dat"), creatures);
  writeCatalogue(dir.datFile("Mag.dat"), namedEntries<core::SpellRecord>(1, "Spark"));
  core::SpellProgRecord row;
  row.ProgLevel = 1;
  row.ProgSpell = 1;
  writeCatalogue(dir.datFile("MagProg.dat"), std::vector{row});
  touch(dir.data() / "Mon1.bmp");
  touch(dir.data() / "Map1.bmp");

  core::MapRecord map;
  map.MapNo = 1;
  map.SetText(0, "Hello");
  map.SetLongText(0, "Long hello");
  map.SetEncounter(0, core::EncounterField::Creature, 1);
  put(map, 0, ExitToMap, 1, 1, {1, 5, 5});
  put(map, 1, ExitToBuilding, 1, 2, {1, 1});
  put(map, 2, DrawPicture, 1, 3, {1});
  put(map, 3, ShowText, 1, 4, {0}, 7);
  put(map, 4, ShowLongText, 1, 5, {0});
  put(map, 5, Encounter, 1, 6, {1, 2, 1});
  put(map, 6, SetFlag, 1, 7, {7, 2, 1});
  put(map, 7, Reward, 1, 8, {2, 1, 1});
  map.SetWallCode(3, 3, core::East, 6);
  map.SetWallCode(4, 3, core::West, 6);
  writeMapSlot(dir.datFile("Maps.dat"), 1, map);
}

// One planted instance of every finding.
void writePlantedGame(const TestDataDir& dir) {
  auto items = namedEntries<core::ItemRecord>(5, "Item");
  items[1].ItemType = 11;  // a scroll of spell 9
  items[1].UseCode = 9;
  items[2].SetEffect(1, core::EffectField::Kind, 2);  // Many Use Spell, spell 3
  items[2].SetEffect(1, core::EffectField::What, 2);
  nameEntry(items[3], "");
  items[4].ItemType = 11;  // a scroll of no spell
  auto itemBytes = catalogueBytes(items);
  itemBytes[4 * core::ItemRecord::SlotLength] = 7;  // item 4 carries number 7
  writeBytes(dir.datFile("Item.dat"), itemBytes);

  auto shops = namedEntries<core::ShopRecord>(1, "Forge");
  shops[0].Stock = {1, 4, 99};
  writeCatalogue(dir.datFile("Shop.dat"), shops);

  auto creatures = namedEntries<core::CreatureRecord>(3, "Beast");
  creatures[0].Bitmap = 1;
  creatures[1].Bitmap = 2;  // no Mon2.bmp
  creatures[1].SetCreatureSpecial(0, core::SpecialSlotField::Effect, 2);
  creatures[1].SetCreatureSpecial(0, core::SpecialSlotField::Power, 4);  // spell 5
  creatures[2].Bitmap = 1;
  nameEntry(creatures[2], "");
  writeCatalogue(dir.datFile("Mon.dat"), creatures);

  auto spells = namedEntries<core::SpellRecord>(2, "Spell");
  nameEntry(spells[1], "");
  writeCatalogue(dir.datFile("Mag.dat"), spells);

  const auto row = [](int cls, int level, int spell, int replaces = 0) {
    core::SpellProgRecord r;
    r.ProgClass = static_cast<std::int16_t>(cls);
    r.ProgLevel = static_cast<std::int16_t>(level);
    r.ProgSpell = static_cast<std::int16_t>(spell);
    r.ProgReplaces = static_cast<std::int16_t>(replaces);
    return r;
  };
  auto progBytes =
      catalogueBytes(std::vector{row(0, 1, 1), row(0, 1, 1), row(9, 25, 0, 3), row(1, 2, 2)});
  progBytes[0] = 5;  // the header counts one entry more than the file holds
  writeBytes(dir.datFile("MagProg.dat"), progBytes);

  writeBytes(dir.data() / "mon1.BMP", {'B', 'M'});  // found regardless of letter case
  touch(dir.data() / "Map1.bmp");

  core::MapRecord map;
  map.MapNo = 1;
  map.SetText(0, "Hello");
  map.SetEncounter(0, core::EncounterField::Creature, 3);
  map.SetEncounter(1, core::EncounterField::Creature, 9);
  put(map, 0, ExitToMap, 1, 1, {4, 5, 5});
  put(map, 1, ExitToMap, 1, 2, {2, 40, 3});
  put(map, 2, ExitToBuilding, 1, 3, {1, 2});
  put(map, 3, ExitToBuilding, 1, 4, {1, 0});
  put(map, 4, ExitToBuilding, 1, 5, {7});
  put(map, 5, DrawPicture, 1, 6, {3});
  put(map, 6, DrawPicture, 1, 7, {1});
  put(map, 7, ShowText, 1, 8, {60});
  put(map, 8, ShowText, 1, 9, {5});
  put(map, 9, ShowLongText, 1, 10, {11});
  put(map, 10, ShowLongText, 1, 11, {2});
  put(map, 11, Encounter, 1, 12, {2, 1, 4});
  put(map, 12, SetFlag, 1, 13, {7, 2, 1});
  put(map, 13, Reward, 1, 14, {2, 1, 99});
  put(map, 14, ShowText, 1, 15, {0}, 7);
  put(map, 15, ShowText, 1, 16, {0}, 8);
  put(map, 16, SetFlag, 40, 2, {7, 2, 1});
  put(map, 17, 9, 1, 17, {});
  map.SetWallCode(2, 2, core::East, 6);
  writeMapSlot(dir.datFile("Maps.dat"), 1, map);
  core::MapRecord third;
  third.MapNo = 5;
  writeMapSlot(dir.datFile("Maps.dat"), 3, third);  // slot 2 stays zeros: never saved
}

struct Run {
  int status;
  std::string out, err;
};

Run check(std::vector<std::string> arguments) {
  std::ostringstream out, err;
  const int status = cli::RunChecker(arguments, out, err);
  return {status, out.str(), err.str()};
}

std::vector<std::uint8_t> folderBytes(const fs::path& root) {
  std::vector<std::uint8_t> all;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = entry.path().string();
    all.insert(all.end(), name.begin(), name.end());
    if (entry.is_regular_file()) {
      const auto bytes = readBytes(entry.path());
      all.insert(all.end(), bytes.begin(), bytes.end());
    }
  }
  return all;
}

// Files in a fixed order, each in the order of its entries and slots.
const char* const PlantedFindings =
    "note: Map 1, square 2X, 2Y: Its East side is Door1, but the West side of square 3X, 2Y is "
    "Nothing\n"
    "error: Map 1, square 1X, 1Y, special 0: Exit to Map names map 4, but Maps.dat holds 3 maps\n"
    "error: Map 1, square 1X, 2Y, special 1: Exit to Map leads to square 40X, 3Y of map 2, outside "
    "0..32\n"
    "warning: Map 1, square 1X, 2Y, special 1: Exit to Map names map 2, but map 2 is a slot of "
    "Maps.dat that no map was saved to\n"
    "error: Map 1, square 1X, 3Y, special 2: Exit to Building names shop 2, but Shop.dat holds 1 "
    "shop\n"
    "warning: Map 1, square 1X, 4Y, special 3: Exit to Building leads to a shop but names none\n"
    "warning: Map 1, square 1X, 5Y, special 4: Exit to Building names building 7, which is none of "
    "Guildhall, Shop, Temple and Review Board\n"
    "error: Map 1, square 1X, 6Y, special 5: Draw Picture names picture 3, but Data/Map3.bmp is "
    "missing\n"
    "error: Map 1, square 1X, 8Y, special 7: Show Text names text 60, but a map holds texts 0 to "
    "50\n"
    "warning: Map 1, square 1X, 9Y, special 8: Show Text shows text 5, which is blank\n"
    "error: Map 1, square 1X, 10Y, special 9: Show Long Text names long text 11, but a map holds "
    "long texts 0 to 10\n"
    "warning: Map 1, square 1X, 11Y, special 10: Show Long Text shows long text 2, which is blank\n"
    "warning: Map 1, square 1X, 12Y, special 11: Encounter treasure names item 4, but item 4 is "
    "empty (it has no name)\n"
    "error: Map 1, square 1X, 14Y, special 13: Reward names item 99, but Item.dat holds 5 items\n"
    "warning: Map 1, square 1X, 16Y, special 15: Its condition tests flag 8, but no Set Flag "
    "special of any map sets it\n"
    "warning: Map 1, special 16: It sits on square 40X, 2Y, outside the map: it is counted but "
    "never listed or drawn\n"
    "warning: Map 1, square 1X, 17Y, special 17: Its kind 9 is none of the eight kinds\n"
    "warning: Map 1, encounter slot 0: It names creature 3, but creature 3 is empty (it has no "
    "name)\n"
    "error: Map 1, encounter slot 1: It names creature 9, but Mon.dat holds 3 creatures\n"
    "warning: Map 3: Its record carries the number 5 instead of 3\n"
    "error: Item 2: Spell Scroll names spell 9, but Mag.dat holds 2 spells\n"
    "error: Item 3, effect slot 1: Many Use Spell names spell 3, but Mag.dat holds 2 spells\n"
    "warning: Item 4: Its record carries the number 7 instead of 4\n"
    "warning: Item 5: The Spell Scroll holds no spell\n"
    "warning: Shop 1, stock position 1: It names item 4, but item 4 is empty (it has no name)\n"
    "error: Shop 1, stock position 2: It names item 99, but Item.dat holds 5 items\n"
    "error: Creature 2: Bitmap names picture 2, but Data/Mon2.bmp is missing\n"
    "error: Creature 2, special slot 0: Cast Spell names spell 5, but Mag.dat holds 2 spells\n"
    "warning: MagProg.dat: Its header counts 5 entries, but the file holds 4\n"
    "warning: Spell progression entry 2: It repeats entry 1: the same class, level and spell\n"
    "warning: Spell progression entry 3: Its class code 9 is none of the eight classes (0 to 7): "
    "the spell progression never shows it\n"
    "warning: Spell progression entry 3: Its level 25 lies outside 1..20: the spell progression "
    "never shows it\n"
    "error: Spell progression entry 3: Spell names spell 0, but spell numbers start at 1\n"
    "error: Spell progression entry 3: Replaces names spell 3, but Mag.dat holds 2 spells\n"
    "warning: Spell progression entry 4: Spell names spell 2, but spell 2 is empty (it has no "
    "name)\n";

}  // namespace

class CheckerTest : public QObject {
  Q_OBJECT

 private slots:
  void plantedFindingsAreListedInFileOrder() {
    auto dir = makeDataDir();
    writePlantedGame(*dir);
    const auto before = folderBytes(dir->root());
    const Run run = check({dir->root().string()});
    QCOMPARE(run.out, std::string(PlantedFindings));
    QCOMPARE(run.status, cli::ErrorsFound);
    QVERIFY(folderBytes(dir->root()) == before);  // nothing written, nothing made
  }

  void aCleanFolderHasNoFindings() {
    auto dir = makeDataDir();
    writeCleanGame(*dir);
    const Run run = check({dir->root().string()});
    QCOMPARE(run.out, std::string());
    QCOMPARE(run.status, cli::NoErrors);
    QCOMPARE(check({"--json", dir->root().string()}).out, std::string("[]\n"));
  }

  // --severity keeps that severity and the more serious ones; the status still counts errors.
  void severityFiltersAndJson() {
    auto dir = makeDataDir();
    writePlantedGame(*dir);
    const Run errors = check({"--severity", "error", dir->root().string()});
    QCOMPARE(errors.status, cli::ErrorsFound);
    QCOMPARE(std::count(errors.out.begin(), errors.out.end(), '\n'), 15);
    QVERIFY(errors.out.find("warning:") == std::string::npos);
    const Run notes = check({"--severity=note", "--json", dir->root().string()});
    QVERIFY(
        notes.out.find("  {\"severity\": \"error\", \"file\": \"Maps.dat\", \"place\": "
                       "\"Map 1, square 1X, 3Y, special 2\", \"entry\": 1, \"x\": 1, \"y\": 3, "
                       "\"slot\": 2, \"message\": \"Exit to Building names shop 2, but Shop.dat "
                       "holds 1 shop\"},\n") != std::string::npos);
    QCOMPARE(std::count(notes.out.begin(), notes.out.end(), '{'), 35);
    const Run warnings = check({"--severity", "warning", "--json", dir->root().string()});
    QVERIFY(warnings.out.find("\"note\"") == std::string::npos);
    QVERIFY(warnings.out.find("\"warning\"") != std::string::npos);
    QCOMPARE(check({"--severity", "fatal", dir->root().string()}).status, cli::CannotRead);
  }

  // The editor checks its open map as it stands in memory, and may cancel a long check.
  void anUnsavedMapIsCheckedInPlaceOfItsSlot() {
    auto dir = makeDataDir();
    writeCleanGame(*dir);
    core::MapRecord open;
    open.MapNo = 2;
    put(open, 4, ExitToBuilding, 6, 7, {1, 9});
    put(open, 5, ExitToMap, 6, 8, {2, 1, 1});
    core::CheckOptions options;
    options.unsavedMap = &open;
    options.unsavedMapNumber = 2;  // past the end of Maps.dat: not saved yet
    auto check = core::CheckGameFolder(dir->root(), options);
    QVERIFY(check.ok());
    QCOMPARE(check->findings.size(), std::size_t{1});
    QCOMPARE(core::FindingLine(check->findings[0]),
             std::string("error: Map 2, square 6X, 7Y, special 4: Exit to Building names shop 9, "
                         "but Shop.dat holds 1 shop"));
    QCOMPARE(check->index.UsesOf(core::RefTarget::Map, 2).size(), std::size_t{1});
    QCOMPARE(check->index.UsesOf(core::RefTarget::Shop, 1)[0].place,
             core::Place(core::GameFile::Maps, 1, core::SlotKind::Special, 1, 1, 2));

    int calls = 0;
    options.progress = [&](double) { return ++calls < 3; };
    check = core::CheckGameFolder(dir->root(), options);
    QVERIFY(check.ok() && check->cancelled);
    QCOMPARE(calls, 3);
  }

  // "Where Used" answers from the index built once, the open map taken from memory in place of
  // its slot; a file written since the build makes the index stale.
  void whereUsedTakesTheOpenMapFromMemory() {
    using core::GameFile, core::SlotKind, core::Place;
    auto dir = makeDataDir();
    writeCleanGame(*dir);
    core::WhereUsedIndex index(dir->root());
    QVERIFY(index.Stale());
    QVERIFY(index.Build().ok());
    QVERIFY(!index.Stale());
    const auto places = [](const std::vector<core::Reference>& uses) {
      std::vector<Place> found;
      for (const auto& use : uses) found.push_back(use.place);
      return found;
    };
    QCOMPARE(places(index.UsesOf(core::RefTarget::Item, 1)),
             (std::vector{Place(GameFile::Maps, 1, SlotKind::Special, 5, 1, 6),
                          Place(GameFile::Maps, 1, SlotKind::Special, 7, 1, 8),
                          Place(GameFile::Shops, 1, SlotKind::Stock, 0)}));
    core::MapRecord open;
    open.MapNo = 1;
    put(open, 20, Reward, 9, 9, {2, 1, 1});
    QCOMPARE(places(index.UsesOf(core::RefTarget::Item, 1, &open, 1)),
             (std::vector{Place(GameFile::Maps, 1, SlotKind::Special, 20, 9, 9),
                          Place(GameFile::Shops, 1, SlotKind::Stock, 0)}));
    writeCatalogue(dir->datFile("Shop.dat"), namedEntries<core::ShopRecord>(2, "Forge"));
    QVERIFY(index.Stale());
  }

  // The map picture: the editor's own drawing in place of a missing Back.bmp, said so; a map
  // the file does not hold, a zoom out of range and a picture this reader cannot decode refused
  // with nothing written.
  void aMapPictureFallsBackAsTheEditorDoesAndRefusesWhatItCannotDraw() {
    auto dir = makeDataDir();
    writeCleanGame(*dir);
    const fs::path png = dir->root() / "map.png";
    const auto picture = [&](std::vector<std::string> options, std::string map = "1") {
      options.insert(options.begin(), "picture");
      for (const std::string& operand : {dir->root().string(), map, png.string()})
        options.push_back(operand);
      return check(options);
    };
    const Run drawn = picture({"--zoom", "3"});
    QCOMPARE(drawn.status, 0);
    QVERIFY2(drawn.err.find("Back.bmp: it does not exist") != std::string::npos &&
                 drawn.err.find("uses the editor's own drawing instead") != std::string::npos,
             drawn.err.c_str());
    const QImage written(QString::fromStdString(png.string()));
    QCOMPARE(written.size(), QSize(3 * 434, 3 * 434));
    const core::Bitmap own = core::MakeMapBackground();
    QCOMPARE(written.pixel(3 * 13 + 2, 3 * 5 + 1) & 0xFFFFFFu, own.at(13, 5));
    fs::remove(png);

    const Run noMap = picture({}, "2");
    QCOMPARE(noMap.status, cli::CannotRead);
    QVERIFY2(noMap.err.find("Maps.dat holds 1 map, not map 2") != std::string::npos,
             noMap.err.c_str());
    QCOMPARE(picture({"--zoom", "7"}).status, cli::CannotRead);
    QCOMPARE(picture({"--square", "33,0"}).status, cli::CannotRead);

    // Run-length coded pixels pass the editor's size check, but this reader cannot decode them.
    const fs::path back = dir->data() / "Back.bmp";
    QVERIFY(core::WriteBmp(back, core::Bitmap(434, 434)).ok());
    auto bytes = readBytes(back);
    bytes[28] = 8;  // bits a pixel
    bytes[30] = 1;  // 8-bit run lengths
    writeBytes(back, bytes);
    const Run coded = picture({});
    QCOMPARE(coded.status, cli::CannotRead);
    QVERIFY2(coded.err.find("this reader takes uncompressed pictures") != std::string::npos,
             coded.err.c_str());
    QVERIFY(!fs::exists(png));
  }

  void aFolderThatCannotBeReadGivesTheReason() {
    auto dir = makeDataDir();
    writeCleanGame(*dir);
    fs::remove(dir->datFile("Mag.dat"));
    const Run missing = check({dir->root().string()});
    QCOMPARE(missing.status, cli::CannotRead);
    QVERIFY2(missing.err.find("Mag.dat: No such file or directory") != std::string::npos,
             missing.err.c_str());
    QVERIFY(!fs::exists(dir->datFile("Mag.dat")));  // never created
    // Mag.dat is read beside the other files; still the first file missing in order is named.
    for (const char* gone : {"MagProg.dat", "Item.dat"}) {
      fs::remove(dir->datFile(gone));
      const Run more = check({dir->root().string()});
      const std::string first = std::string(gone) == "Item.dat" ? "Item.dat" : "Mag.dat";
      QVERIFY2(more.err.find(first + ": No such file") != std::string::npos, more.err.c_str());
    }
    QCOMPARE(check({(dir->root() / "nowhere").string()}).status, cli::CannotRead);
    QCOMPARE(check({}).status, cli::CannotRead);
  }

  // --version alone says the build's version; beside a folder it is a wrong command line.
  void versionIsSaidAlone() {
    const Run run = check({"--version"});
    QCOMPARE(run.status, cli::NoErrors);
    QCOMPARE(run.out, "editor-check (Dungeon Map Editor) " + std::string(core::EditorVersion) + "\n");
    QVERIFY(QByteArray(core::EditorVersion).contains('.'));
    auto dir = makeDataDir();
    writeCleanGame(*dir);
    const Run mixed = check({"--version", dir->root().string()});
    QCOMPARE(mixed.status, cli::CannotRead);
    QVERIFY(mixed.out.empty());
  }
};

REGISTER_TEST(CheckerTest);
#include "test_checker.moc"
