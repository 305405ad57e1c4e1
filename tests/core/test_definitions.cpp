#include "core/definitions.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QTest>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace core;
using namespace test_support;

namespace {

void nameItem(ItemRecord& item, const std::string& name) {
  item.ItemName = name;
  item.PluralName = name + "s";
}
void nameCreature(CreatureRecord& creature, const std::string& name) {
  creature.CreatureName = name;
  creature.PluralName = name + "s";
}
void nameShop(ShopRecord& shop, const std::string& name) {
  shop.ShopName = name;
}
void nameSpell(SpellRecord& spell, const std::string& name) {
  spell.SpellName = name;
}

std::string padded(const std::string& text, std::size_t width) {
  std::string result = text.substr(0, width);
  result.resize(width, ' ');
  return result;
}

bool mentions(const Status& status, const std::filesystem::path& path) {
  return status.message().find(path.string()) != std::string::npos;
}

template <class Record>
Record unpackBytes(std::vector<std::uint8_t> bytes) {
  bytes.resize(Record::SlotLength, 0);
  return Record::unpack(std::span<const std::uint8_t>(bytes.data(), Record::PackedSize));
}

template <class Record>
Record storedSlot(const std::filesystem::path& file, long slot) {
  return unpackBytes<Record>(readBytes(
      file, static_cast<std::uint64_t>(slot - 1) * Record::SlotLength, Record::PackedSize));
}

// A game folder with every file: maps 1..3, and catalogues of 4 items, 3 creatures, 2 shops,
// 5 spells and 6 progression entries. Headers and slack carry recognisable bytes.
void fillGameFolder(const TestDataDir& dir) {
  for (std::int16_t map = 1; map <= 3; ++map)
    writeMapSlot(dir.datFile("Maps.dat"), map, sampleMap(map));
  writeCatalogue(dir.datFile("Item.dat"), namedEntries<ItemRecord>(4, "Item", nameItem),
                 patternBytes(222, 1), 0x5A);
  writeCatalogue(dir.datFile("Mon.dat"), namedEntries<CreatureRecord>(3, "Orc", nameCreature),
                 patternBytes(204, 2), 0x5A);
  writeCatalogue(dir.datFile("Shop.dat"), namedEntries<ShopRecord>(2, "Shop", nameShop),
                 patternBytes(86, 3), 0x5A);
  writeCatalogue(dir.datFile("Mag.dat"), namedEntries<SpellRecord>(5, "Spell", nameSpell),
                 patternBytes(2314, 4), 0x5A);
  std::vector<SpellProgRecord> progression(6);
  for (std::size_t i = 0; i < progression.size(); ++i)
    progression[i].ProgSpell = static_cast<std::int16_t>(i + 1);
  writeCatalogue(dir.datFile("MagProg.dat"), progression, patternBytes(10, 5));
}

const char* const AllFiles[] = {"Maps.dat", "Item.dat", "Mon.dat",
                                "Shop.dat", "Mag.dat",  "MagProg.dat"};

}  // namespace

class DefinitionsTest : public QObject {
  Q_OBJECT

 private slots:
  void startupLeavesTheStateEditorsRelyOn() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    std::vector<std::vector<std::uint8_t>> before;
    for (const char* name : AllFiles) before.push_back(readBytes(dir->datFile(name)));

    ModDefinitions defs(dir->root());
    const Status status = defs.Startup();
    QVERIFY2(status.ok(), status.message().c_str());
    QVERIFY(defs.Notices().empty());

    QVERIFY(defs.Map == sampleMap(1));
    QCOMPARE(defs.ItemCount, 4L);
    QCOMPARE(defs.CreatureCount, 3L);
    QCOMPARE(defs.ShopCount, 2L);
    QCOMPARE(defs.SpellCount, 5L);
    QCOMPARE(defs.SpellProgCount, 6L);
    QCOMPARE(defs.ItemLen, 222L);
    QCOMPARE(defs.CreatureLen, 204L);
    QCOMPARE(defs.ShopLen, 86L);
    QCOMPARE(defs.SpellLen, 2314L);
    QCOMPARE(defs.SpellProgLen, 10L);

    // Items hold entry 1; the others hold their headers, whose first Integer is the count.
    QCOMPARE(defs.Item.ItemNo, std::int16_t{1});
    QCOMPARE(defs.Item.ItemName, padded("Item 1", 20));
    QVERIFY(defs.Creature == storedSlot<CreatureRecord>(dir->datFile("Mon.dat"), 1));
    QVERIFY(defs.Shop == storedSlot<ShopRecord>(dir->datFile("Shop.dat"), 1));
    QCOMPARE(long{defs.Shop.ShopNo}, defs.ShopCount);
    QVERIFY(defs.Spell == storedSlot<SpellRecord>(dir->datFile("Mag.dat"), 1));
    QVERIFY(defs.SpellProg == storedSlot<SpellProgRecord>(dir->datFile("MagProg.dat"), 1));
    QVERIFY(defs.ItemScratch == ItemRecord{});
    QVERIFY(defs.CreatureScratch == CreatureRecord{});

    for (std::size_t i = 0; i < std::size(AllFiles); ++i) {
      QVERIFY2(readBytes(dir->datFile(AllFiles[i])) == before[i], AllFiles[i]);
    }
  }

  void emptyDatFolderGetsEmptyFiles() {
    auto dir = makeDataDir();
    ModDefinitions defs(dir->root());
    const Status status = defs.Startup();
    QVERIFY2(status.ok(), status.message().c_str());
    for (const char* name : AllFiles) {
      QVERIFY2(std::filesystem::exists(dir->datFile(name)), name);
      QCOMPARE(std::filesystem::file_size(dir->datFile(name)), std::uintmax_t{0});
    }
    QCOMPARE(defs.ItemCount + defs.CreatureCount + defs.ShopCount + defs.SpellCount +
                 defs.SpellProgCount,
             0L);
    // Past the end every slot reads as zeros: an empty map, an empty entry 1.
    QVERIFY(defs.Map == unpackBytes<MapRecord>({}));
    QVERIFY(defs.Item == unpackBytes<ItemRecord>({}));
  }

  void shortAndTruncatedFilesReadAsZerosBeyondTheirEnd() {
    auto dir = makeDataDir();
    writeBytes(dir->datFile("Item.dat"), {5, 0, 'X'});  // shorter than its header slot
    const auto spells = catalogueBytes(namedEntries<SpellRecord>(2, "Spell", nameSpell));
    writeBytes(dir->datFile("Mag.dat"),
               std::vector<std::uint8_t>(spells.begin(), spells.end() - 2314 + 100));
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    QCOMPARE(defs.ItemCount, 5L);
    QVERIFY(defs.Item == unpackBytes<ItemRecord>({}));
    QCOMPARE(defs.SpellCount, 2L);

    QVERIFY(defs.ReadSpellPair(2).ok());  // only its first 100 bytes are on disk
    QCOMPARE(defs.Spell.SpellNo, std::int16_t{2});
    QCOMPARE(defs.Spell.SpellName, padded("Spell 2", 20));
    QCOMPARE(defs.Spell.Description, std::string(1024, '\0'));
    QVERIFY(defs.Spell == defs.SpellScratch);
  }

  void garbageFilesStillStartUp() {
    auto dir = makeDataDir();
    std::mt19937 random(1234);
    std::vector<std::vector<std::uint8_t>> before;
    for (const char* name : AllFiles) {
      std::vector<std::uint8_t> bytes(40000);
      for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
      writeBytes(dir->datFile(name), bytes);
      before.push_back(bytes);
    }
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    const auto countOf = [&](std::size_t file) {
      return std::max(0L, long{static_cast<std::int16_t>(before[file][0] | before[file][1] << 8)});
    };
    QCOMPARE(defs.ItemCount, countOf(1));
    QCOMPARE(defs.CreatureCount, countOf(2));
    QCOMPARE(defs.ShopCount, countOf(3));
    QCOMPARE(defs.SpellCount, countOf(4));
    QCOMPARE(defs.SpellProgCount, countOf(5));
    QVERIFY(!defs.SpellName(3).empty());
    for (std::size_t i = 0; i < std::size(AllFiles); ++i)
      QVERIFY(readBytes(dir->datFile(AllFiles[i])) == before[i]);
  }

  void negativeCountIsReportedAndLeftUntilAnAppend() {
    auto dir = makeDataDir();
    auto header = patternBytes(204, 77);
    const auto path = dir->datFile("Mon.dat");
    writeBytes(path, header);
    header[0] = 0xFD;  // -3
    header[1] = 0xFF;
    writeBytes(path, header);

    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    QCOMPARE(defs.CreatureCount, 0L);
    QCOMPARE(defs.Notices().size(), std::size_t{1});
    QVERIFY2(defs.Notices()[0].find(path.string()) != std::string::npos, defs.Notices()[0].c_str());
    QVERIFY(readBytes(path) == header);

    nameCreature(defs.Creature, "Goblin");
    const Status status = defs.AppendCreature();
    QVERIFY2(status.ok(), status.message().c_str());
    QCOMPARE(defs.CreatureCount, 1L);
    QCOMPARE(defs.Creature.CreatureNo, std::int16_t{1});
    const auto after = readBytes(path);
    auto expectedHeader = header;
    expectedHeader[0] = 1;
    expectedHeader[1] = 0;
    QCOMPARE(toHex(std::vector<std::uint8_t>(after.begin(), after.begin() + 204)),
             toHex(expectedHeader));
    QCOMPARE(storedSlot<CreatureRecord>(path, 2).CreatureName, padded("Goblin", 20));
  }

  void missingDatFolderStopsEveryStep() {
    auto dir = makeDataDir(false);
    const auto listed = listTree(dir->root());
    const auto dat = dir->root() / "Dat";
    ModDefinitions defs(dir->root());
    defs.Map.MapNo = 77;
    const MapRecord map = defs.Map;

    const std::vector<std::pair<const char*, Status>> steps = {
        {"LoadFirstMap", defs.LoadFirstMap()},
        {"OpenCreatureFile", defs.OpenCreatureFile()},
        {"OpenItemAndShopFiles", defs.OpenItemAndShopFiles()},
        {"OpenSpellFiles", defs.OpenSpellFiles()},
        {"Startup", defs.Startup()},
        {"LoadMap", defs.LoadMap(2)},
        {"SaveMap", defs.SaveMap(2)},
    };
    for (const auto& [name, status] : steps) {
      QVERIFY2(!status.ok(), name);
      QVERIFY2(mentions(status, dat), (std::string(name) + ": " + status.message()).c_str());
    }
    QVERIFY(defs.Map == map);
    QVERIFY(!defs.ReadItemPair(1).ok());
    QVERIFY(!defs.AppendItem().ok());
    QCOMPARE(defs.ItemCount, 0L);
    QVERIFY(listTree(dir->root()) == listed);
  }

  void readOnlyCatalogueReadsButRefusesWrites() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    const auto items = dir->datFile("Item.dat");
    const auto maps = dir->datFile("Maps.dat");
    const auto itemBytes = readBytes(items);
    const auto mapBytes = readBytes(maps);
    std::filesystem::permissions(items, std::filesystem::perms(0444));
    std::filesystem::permissions(maps, std::filesystem::perms(0444));

    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    QVERIFY(defs.ReadItemPair(3).ok());
    QCOMPARE(defs.ItemName(3), padded("Item 3", 20));

    const ItemRecord working = defs.Item;
    const std::vector<std::pair<const char*, Status>> writes = {{"WriteItem", defs.WriteItem()},
                                                                {"AppendItem", defs.AppendItem()}};
    for (const auto& [name, status] : writes) {
      QVERIFY2(!status.ok(), name);
      QVERIFY2(mentions(status, items), status.message().c_str());
    }
    QCOMPARE(defs.ItemCount, 4L);
    QVERIFY(defs.Item == working);
    const Status save = defs.SaveMap(1);
    QVERIFY(!save.ok());
    QVERIFY2(mentions(save, maps), save.message().c_str());
    QVERIFY(readBytes(items) == itemBytes);
    QVERIFY(readBytes(maps) == mapBytes);
  }

  void appendToFiveEntries() {
    auto dir = makeDataDir();
    const auto path = dir->datFile("Item.dat");
    writeCatalogue(path, namedEntries<ItemRecord>(5, "Item", nameItem), patternBytes(222, 9), 0x5A);
    const auto before = readBytes(path);
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());

    QVERIFY(defs.ReadItemPair(2).ok());  // the editor was showing entry 2
    nameItem(defs.Item, "Dagger");
    defs.Item.Cost = 30;
    const Status status = defs.AppendItem();
    QVERIFY2(status.ok(), status.message().c_str());

    QCOMPARE(defs.ItemCount, 6L);
    QCOMPARE(defs.Item.ItemNo, std::int16_t{6});
    QCOMPARE(defs.Item.ItemName, padded("Dagger", 20));
    const auto after = readBytes(path);
    QCOMPARE(after.size(), std::size_t{7 * 222});
    auto expectedHeader = std::vector<std::uint8_t>(before.begin(), before.begin() + 222);
    expectedHeader[0] = 6;
    expectedHeader[1] = 0;
    QCOMPARE(toHex(std::vector<std::uint8_t>(after.begin(), after.begin() + 222)),
             toHex(expectedHeader));
    QVERIFY(std::equal(before.begin() + 222, before.end(), after.begin() + 222));  // entries 1..5
    const ItemRecord stored = storedSlot<ItemRecord>(path, 7);
    QVERIFY(stored == defs.Item);
    QCOMPARE(stored.Cost, std::int16_t{30});
  }

  void appendStopsAtTheLargestCount() {
    auto dir = makeDataDir();
    const auto path = dir->datFile("MagProg.dat");
    writeCatalogue(path, std::vector<SpellProgRecord>(32766));
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    QCOMPARE(defs.SpellProgCount, 32766L);

    defs.SpellProg.ProgSpell = 12;
    QVERIFY(defs.AppendSpellProg().ok());
    QCOMPARE(defs.SpellProgCount, 32767L);
    const auto full = readBytes(path);
    QCOMPARE(full.size(), std::size_t{32768 * 10});

    const SpellProgRecord working = defs.SpellProg;
    const Status refused = defs.AppendSpellProg();
    QVERIFY(!refused.ok());
    QVERIFY2(mentions(refused, path), refused.message().c_str());
    QVERIFY2(refused.message().find("32767") != std::string::npos, refused.message().c_str());
    QCOMPARE(defs.SpellProgCount, 32767L);
    QVERIFY(defs.SpellProg == working);
    QVERIFY(readBytes(path) == full);  // header still 32767, nothing written
  }

  void pairAndScratchReaders() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());

    QVERIFY(defs.ReadCreaturePair(2).ok());
    QCOMPARE(defs.Creature.CreatureName, padded("Orc 2", 20));
    QVERIFY(defs.Creature == defs.CreatureScratch);
    QVERIFY(defs.ReadCreatureScratch(3).ok());
    QCOMPARE(defs.CreatureScratch.CreatureNo, std::int16_t{3});
    QCOMPARE(defs.Creature.CreatureNo, std::int16_t{2});

    QVERIFY(defs.ReadSpellPair(4).ok());
    QVERIFY(defs.ReadSpellScratch(1).ok());
    QCOMPARE(defs.Spell.SpellName, padded("Spell 4", 20));
    QCOMPARE(defs.SpellScratch.SpellName, padded("Spell 1", 20));

    // The shop editor's first opening: the header's ShopNo is the count, so the last shop.
    QVERIFY(defs.ReadShopPair(defs.Shop.ShopNo).ok());
    QCOMPARE(defs.Shop.ShopName, padded("Shop 2", 25));
    QVERIFY(defs.Shop == defs.ShopScratch);

    const ItemRecord item = defs.Item;
    QVERIFY(!defs.ReadItemPair(-1).ok());
    QVERIFY(defs.Item == item);
  }

  void writeGoesToItsOwnSlotOnly() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    const auto path = dir->datFile("Item.dat");
    const auto before = readBytes(path);
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());

    QVERIFY(defs.ReadItemPair(2).ok());
    defs.Item.Cost = 999;
    QVERIFY(defs.WriteItem().ok());
    auto expected = before;
    defs.Item.pack(std::span<std::uint8_t>(expected.data() + 2 * 222, 182));
    QCOMPARE(toHex(readBytes(path)), toHex(expected));  // slack of slot 3 stays 0x5A

    defs.Item.ItemNo = 0;  // would land on the header and wipe the count
    QVERIFY(!defs.WriteItem().ok());
    QCOMPARE(toHex(readBytes(path)), toHex(expected));
  }

  void namesComeFromEveryCatalogue() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    ModDefinitions defs(dir->root());
    QCOMPARE(defs.ItemName(1), std::string());  // nothing open yet: empty, no crash
    QVERIFY(defs.Startup().ok());
    QCOMPARE(defs.ItemName(4), padded("Item 4", 20));
    QCOMPARE(defs.ItemPluralName(4), padded("Item 4s", 20));
    QCOMPARE(defs.CreatureName(3), padded("Orc 3", 20));
    QCOMPARE(defs.CreaturePluralName(1), padded("Orc 1s", 20));
    QCOMPARE(defs.ShopName(2), padded("Shop 2", 25));
    QCOMPARE(defs.SpellName(5), padded("Spell 5", 20));
    QCOMPARE(defs.SpellName(6), std::string(20, '\0'));  // past the end
    QCOMPARE(defs.SpellName(-1), std::string());
    const auto header = patternBytes(2314, 4);
    QCOMPARE(defs.SpellName(0), std::string(header.begin() + 2, header.begin() + 22));
  }

  void singleLookupsReadOnlyTheirEntryUntilAListSweeps() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    QCOMPARE(defs.ItemName(3), padded("Item 3", 20));

    // Entry 3 is cached on its first look-up; entry 4 is still read from the file.
    auto bytes = readBytes(dir->datFile("Item.dat"));
    bytes[3 * 222 + 2] = 'J';
    bytes[4 * 222 + 2] = 'J';
    writeBytes(dir->datFile("Item.dat"), bytes);
    QCOMPARE(defs.ItemName(3), padded("Item 3", 20));
    QCOMPARE(defs.ItemName(4), padded("Jtem 4", 20));

    // A sweep over many entries fills the whole cache in one pass of the file as it stands.
    for (long n = 0; n < 200; ++n) (void)defs.ItemName(n);
    QCOMPARE(defs.ItemName(2), padded("Item 2", 20));
    QCOMPARE(defs.ItemName(3), padded("Jtem 3", 20));
    QCOMPARE(defs.ItemName(5), std::string(20, '\0'));
    QCOMPARE(defs.ItemName(150), std::string(20, '\0'));
    QCOMPARE(defs.ItemName(40000), std::string(20, '\0'));
  }

  void nameCacheFollowsWritesAndAppends() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    QVERIFY(defs.Items().LoadNames().ok());  // as a list does before its sweep
    QCOMPARE(defs.ItemName(3), padded("Item 3", 20));

    // The cache is what lists read: a change behind the editor's back is not seen...
    auto bytes = readBytes(dir->datFile("Item.dat"));
    bytes[4 * 222 + 2] = 'J';
    writeBytes(dir->datFile("Item.dat"), bytes);
    QCOMPARE(defs.ItemName(4), padded("Item 4", 20));

    // ...but every write and append through the store is.
    QVERIFY(defs.ReadItemPair(3).ok());
    nameItem(defs.Item, "Longsword of the North Wind");
    QVERIFY(defs.WriteItem().ok());
    QCOMPARE(defs.ItemName(3), padded("Longsword of the North Wind", 20));
    QCOMPARE(defs.ItemPluralName(3), padded("Longsword of the North Winds", 20));

    for (const char* name : {"Axe", "Bow", "Club"}) {
      nameItem(defs.Item, name);
      QVERIFY(defs.AppendItem().ok());
    }
    QCOMPARE(defs.ItemCount, 7L);
    QCOMPARE(defs.ItemName(5), padded("Axe", 20));
    QCOMPARE(defs.ItemName(7), padded("Club", 20));
    QCOMPARE(defs.ItemPluralName(6), padded("Bows", 20));

    defs.Item.ItemNo = 10;  // beyond the end: the slots between are zeros
    nameItem(defs.Item, "Far");
    QVERIFY(defs.WriteItem().ok());
    QCOMPARE(defs.ItemName(10), padded("Far", 20));
    QCOMPARE(defs.ItemName(9), std::string(20, '\0'));

    QVERIFY(defs.ReadShopPair(1).ok());
    defs.Shop.ShopName = "Bazaar";
    QVERIFY(defs.WriteShop().ok());
    QCOMPARE(defs.ShopName(1), padded("Bazaar", 25));
  }

  void mapsSaveAndLoadByNumber() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    const auto maps = dir->datFile("Maps.dat");
    const auto slot3 = mapSlotBytes(maps, 3);
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());

    QVERIFY(defs.LoadMap(3).ok());
    QVERIFY(defs.Map == sampleMap(3));
    defs.Map.MapNo = 7;  // renamed in memory, then saved under the new number
    QVERIFY(defs.SaveMap(7).ok());
    QCOMPARE(toHex(mapSlotBytes(maps, 3)), toHex(slot3));
    QCOMPARE(toHex(mapSlotBytes(maps, 7)), toHex(packedBytes(defs.Map)));
    QCOMPARE(readBytes(maps).size(), std::size_t{7 * 31622});

    QVERIFY(defs.LoadMap(1).ok());
    QCOMPARE(defs.Map.MapNo, std::int16_t{1});
    QVERIFY(defs.LoadMap(7).ok());
    QCOMPARE(defs.Map.MapNo, std::int16_t{7});
    QVERIFY(defs.LoadMap(40).ok());  // beyond the last map: an empty one
    QCOMPARE(defs.Map.MapNo, std::int16_t{0});
  }

  void mapNumberBelowOneIsRefused_data() {
    QTest::addColumn<long>("number");
    QTest::newRow("0") << 0L;
    QTest::newRow("-1") << -1L;
  }
  void mapNumberBelowOneIsRefused() {
    QFETCH(long, number);
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    const auto maps = dir->datFile("Maps.dat");
    const auto before = readBytes(maps);
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    defs.Map = sampleMap(9);

    const Status load = defs.LoadMap(number);
    QVERIFY(!load.ok());
    QVERIFY2(mentions(load, maps), load.message().c_str());
    QVERIFY(defs.Map == sampleMap(9));
    QVERIFY(!defs.SaveMap(number).ok());
    QVERIFY(readBytes(maps) == before);
  }

  void failedLoadLeavesMapUnchanged() {
    auto dir = makeDataDir();
    std::filesystem::create_directory(dir->datFile("Maps.dat"));  // cannot be opened as a file
    ModDefinitions defs(dir->root());
    defs.Map = sampleMap(4);
    const Status status = defs.LoadMap(1);
    QVERIFY(!status.ok());
    QVERIFY2(mentions(status, dir->datFile("Maps.dat")), status.message().c_str());
    QVERIFY(defs.Map == sampleMap(4));
    QVERIFY(!defs.Startup().ok());
  }

  void folderAndFileNamesIgnoreCase() {
    auto dir = makeDataDir(false);
    const auto dat = dir->root() / "DAT";
    std::filesystem::create_directory(dat);
    writeCatalogue(dat / "ITEM.DAT", namedEntries<ItemRecord>(2, "Item", nameItem));
    writeCatalogue(dat / "mon.DAT", namedEntries<CreatureRecord>(3, "Orc", nameCreature));
    writeMapSlot(dat / "maps.dat", 1, sampleMap(1));
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    QCOMPARE(defs.ItemCount, 2L);
    QCOMPARE(defs.CreatureCount, 3L);
    QVERIFY(defs.Map == sampleMap(1));
    QCOMPARE(defs.MapsFile(), dat / "maps.dat");
    QVERIFY(!std::filesystem::exists(dat / "Item.dat"));
    QVERIFY(std::filesystem::exists(dat / "Shop.dat"));  // missing ones are created

    writeBytes(dir->data() / "BACK.BMP", {1});
    QCOMPARE(defs.DataFile("Back.bmp"), dir->data() / "BACK.BMP");
  }

  void listenersHearChangesUntilUnsubscribed() {
    auto dir = makeDataDir();
    ModDefinitions defs(dir->root());
    std::vector<std::string> heard;
    const int window = 0;
    int second = 0;
    const int first = defs.Subscribe([&](unsigned changes, const void* origin) {
      heard.push_back("first " + std::to_string(changes) + (origin == &window ? " window" : ""));
      defs.Unsubscribe(second);  // closing another window while the change goes round
    });
    second = defs.Subscribe([&](unsigned, const void*) { heard.push_back("second"); });

    defs.NotifyChanged(ItemsChanged | ShopsChanged, &window);
    QCOMPARE(heard, std::vector<std::string>{"first 10 window"});
    defs.Unsubscribe(first);
    defs.NotifyChanged(MapChanged);
    QCOMPARE(heard.size(), std::size_t{1});
  }
};

REGISTER_TEST(DefinitionsTest);
#include "test_definitions.moc"
