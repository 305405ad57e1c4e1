#include "core_fixture.h"

using namespace core;
using namespace test_support;

namespace {

std::vector<long> counts(const ModDefinitions& defs) {
  return {defs.ItemCount, defs.CreatureCount, defs.ShopCount, defs.SpellCount, defs.SpellProgCount};
}

// After an append the header slot is the old one with only its count changed.
void expectHeader(const std::filesystem::path& file, std::vector<std::uint8_t> header,
                  std::uint8_t count) {
  header[0] = count;
  header[1] = 0;
  QCOMPARE(toHex(readBytes(file, 0, header.size())), toHex(header));
}

}  // namespace

class DefinitionsTest : public QObject {
  Q_OBJECT

 private slots:
  void startupLeavesTheStateEditorsRelyOn() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    const auto before = allFileBytes(*dir);
    ModDefinitions defs(dir->root());
    const Status status = defs.Startup();
    QVERIFY2(status.ok(), status.message().c_str());
    QVERIFY(defs.Notices().empty());

    QVERIFY(defs.Document().Map() == sampleMap(1));
    QCOMPARE(counts(defs), (std::vector<long>{4, 3, 2, 5, 6}));
    // Items hold entry 1; the others hold their headers, whose first Integer is the count.
    QCOMPARE(defs.Item.ItemName, padded("Item 1"));
    QVERIFY(defs.Creature == storedSlot<CreatureRecord>(dir->datFile("Mon.dat"), 1));
    QVERIFY(defs.Shop == storedSlot<ShopRecord>(dir->datFile("Shop.dat"), 1));
    QVERIFY(defs.Spell == storedSlot<SpellRecord>(dir->datFile("Mag.dat"), 1));
    QVERIFY(defs.SpellProg == storedSlot<SpellProgRecord>(dir->datFile("MagProg.dat"), 1));
    QVERIFY(defs.ItemScratch == ItemRecord{});
    QVERIFY(defs.CreatureScratch == CreatureRecord{});
    QVERIFY(allFileBytes(*dir) == before);
  }

  // Missing files are created empty, and read as zeros. A read-only file, a count the file
  // cannot hold and a negative count are reported, each once; the negative count stays on
  // disk until an append writes a sound one.
  void startupSaysWhatItFound() {
    auto dir = makeDataDir();
    writeCatalogue(dir->datFile("Item.dat"), namedEntries<ItemRecord>(1, "Item"));
    std::filesystem::permissions(dir->datFile("Item.dat"), std::filesystem::perms(0444));
    writeBytes(dir->datFile("Shop.dat"), {0xFF, 0x7F});  // counts 32767 in two bytes
    const auto mon = dir->datFile("Mon.dat");
    auto header = patternBytes(204, 77);
    header[0] = 0xFD;  // -3
    header[1] = 0xFF;
    writeBytes(mon, header);
    ModDefinitions defs(dir->root());
    QCOMPARE(defs.ItemName(1), std::string());  // nothing open yet: empty, no crash
    QVERIFY(defs.Startup().ok());
    const auto noticed = [&](const char* file, const std::string& words) {
      return std::count_if(defs.Notices().begin(), defs.Notices().end(), [&](const auto& notice) {
        return notice.find(dir->datFile(file).string()) == 0 &&
               notice.find(words) != std::string::npos;
      });
    };
    for (const char* created : {"Maps.dat", "Mag.dat", "MagProg.dat"}) {
      QVERIFY2(noticed(created, "created") == 1, created);
      QCOMPARE(std::filesystem::file_size(dir->datFile(created)), std::uintmax_t{0});
    }
    QCOMPARE(noticed("Item.dat", "read-only"), 1);
    QCOMPARE(noticed("Shop.dat", "32767"), 1);
    QCOMPARE(noticed("Mon.dat", "-3"), 1);
    QCOMPARE(defs.Notices().size(), std::size_t{6});
    QCOMPARE(counts(defs), (std::vector<long>{1, 0, 32767, 0, 0}));
    QVERIFY(defs.Document().Map() ==
            MapRecord::unpack(std::vector<std::uint8_t>(MapRecord::PackedSize, 0)));

    QVERIFY(readBytes(mon) == header);
    nameEntry(defs.Creature, "Goblin");
    QVERIFY(defs.AppendCreature().ok());
    expectHeader(mon, header, 1);
    QCOMPARE(storedSlot<CreatureRecord>(mon, 2).CreatureName, padded("Goblin"));
  }

  void readOnlyCatalogueReadsButRefusesWrites() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    const auto items = dir->datFile("Item.dat");
    const auto maps = dir->datFile("Maps.dat");
    const auto before = allFileBytes(*dir);
    std::filesystem::permissions(items, std::filesystem::perms(0444));
    std::filesystem::permissions(maps, std::filesystem::perms(0444));

    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    QVERIFY(defs.ReadItemPair(3).ok());

    const ItemRecord working = defs.Item;
    for (const Status& status : {defs.WriteItem(), defs.AppendItem()}) {
      QVERIFY2(mentions(status, items), status.message().c_str());
      QVERIFY2(status.message().find("read-only") != std::string::npos, status.message().c_str());
    }
    QCOMPARE(defs.ItemCount, 4L);
    QVERIFY(defs.Item == working);
    const Status save = defs.SaveMap(1);
    QVERIFY2(mentions(save, maps), save.message().c_str());
    QVERIFY(allFileBytes(*dir) == before);
  }

  void appendStopsAtTheLargestCount() {
    auto dir = makeDataDir();
    const auto path = dir->datFile("MagProg.dat");
    writeCatalogue(path, std::vector<SpellProgRecord>(32766));
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());

    defs.SpellProg.ProgSpell = 12;
    QVERIFY(defs.AppendSpellProg().ok());
    QCOMPARE(defs.SpellProgCount, 32767L);
    const auto full = readBytes(path);
    QCOMPARE(full.size(), std::size_t{32768 * 10});

    const SpellProgRecord working = defs.SpellProg;
    const Status refused = defs.AppendSpellProg();
    QVERIFY2(mentions(refused, path), refused.message().c_str());
    QVERIFY2(refused.message().find("32767") != std::string::npos, refused.message().c_str());
    QCOMPARE(defs.SpellProgCount, 32767L);
    QVERIFY(defs.SpellProg == working);
    QVERIFY(readBytes(path) == full);  // header still 32767, nothing written
  }

  // Pair and scratch readers; names from every catalogue; a write changes its own slot only,
  // an append adds a slot and changes only the header's count.
  void readsWritesAppendsAndNames() {
    FilledGame game;
    ModDefinitions& defs = game.defs;
    QVERIFY(game.started.ok());
    QVERIFY(defs.ReadCreaturePair(2).ok());
    QVERIFY(defs.Creature == defs.CreatureScratch);
    QVERIFY(defs.ReadCreatureScratch(3).ok());
    QCOMPARE(defs.CreatureScratch.CreatureName, padded("Orc 3"));
    QCOMPARE(defs.Creature.CreatureName, padded("Orc 2"));
    const ItemRecord item = defs.Item;
    QVERIFY(!defs.ReadItemPair(-1).ok());
    QVERIFY(defs.Item == item);

    QCOMPARE(defs.ItemPluralName(4), padded("Item 4s"));
    QCOMPARE(defs.CreaturePluralName(1), padded("Orc 1s"));
    QCOMPARE(defs.ShopName(2), padded("Shop 2", 25));
    QCOMPARE(defs.SpellName(6), std::string(20, '\0'));  // past the end
    QCOMPARE(defs.SpellName(-1), std::string());
    const auto header = patternBytes(2314, 4);
    QCOMPARE(defs.SpellName(0), std::string(header.begin() + 2, header.begin() + 22));

    const auto path = game.file("Item.dat");
    auto expected = readBytes(path);
    QVERIFY(defs.ReadItemPair(2).ok());
    defs.Item.Cost = 999;
    QVERIFY(defs.WriteItem().ok());
    defs.Item.pack(std::span<std::uint8_t>(expected.data() + 2 * 222, 182));
    QCOMPARE(toHex(readBytes(path)), toHex(expected));  // slack of slot 3 stays 0x5A
    defs.ItemEntry = 0;  // would land on the header and wipe the count
    QVERIFY(!defs.WriteItem().ok());
    QCOMPARE(toHex(readBytes(path)), toHex(expected));

    nameEntry(defs.Item, "Dagger");  // while the editor shows entry 2
    QVERIFY(defs.AppendItem().ok());
    QCOMPARE(defs.ItemCount, 5L);
    QCOMPARE(defs.Item.ItemNo, std::int16_t{5});
    expectHeader(path, {expected.begin(), expected.begin() + 222}, 5);
    const auto after = readBytes(path);
    QCOMPARE(after.size(), std::size_t{6 * 222});
    QVERIFY(std::equal(expected.begin() + 222, expected.end(), after.begin() + 222));
    QVERIFY(storedSlot<ItemRecord>(path, 6) == defs.Item);
  }

  // A look-up reads only its entry until a sweep fills the cache from the file as it stands;
  // from then on lists see every write and append through the store, and nothing else.
  void nameCache() {
    FilledGame game;
    ModDefinitions& defs = game.defs;
    QVERIFY(game.started.ok());
    const auto items = game.file("Item.dat");
    QCOMPARE(defs.ItemName(3), padded("Item 3"));
    auto bytes = readBytes(items);
    bytes[3 * 222 + 2] = 'J';
    bytes[4 * 222 + 2] = 'J';
    writeBytes(items, bytes);
    QCOMPARE(defs.ItemName(3), padded("Item 3"));
    QCOMPARE(defs.ItemName(4), padded("Jtem 4"));
    for (long n = 0; n < 200; ++n) (void)defs.ItemName(n);
    QCOMPARE(defs.ItemName(3), padded("Jtem 3"));
    for (long past : {5L, 150L, 40000L}) QCOMPARE(defs.ItemName(past), std::string(20, '\0'));

    bytes[2 * 222 + 2] = 'J';
    writeBytes(items, bytes);
    QCOMPARE(defs.ItemName(2), padded("Item 2"));
    QVERIFY(defs.ReadItemPair(3).ok());
    nameEntry(defs.Item, "Longsword of the North Wind");
    QVERIFY(defs.WriteItem().ok());
    QCOMPARE(defs.ItemName(3), padded("Longsword of the North Wind"));
    QCOMPARE(defs.ItemPluralName(3), padded("Longsword of the North Winds"));
    nameEntry(defs.Item, "Bow");
    QVERIFY(defs.AppendItem().ok());
    QCOMPARE(defs.ItemPluralName(5), padded("Bows"));
    defs.ItemEntry = 10;  // beyond the end: the slots between are zeros
    QVERIFY(defs.WriteItem().ok());
    QCOMPARE(defs.ItemName(10), padded("Bow"));
    QCOMPARE(defs.ItemName(9), std::string(20, '\0'));
  }

  // Map numbers below 1 are refused naming Maps.dat; the map in memory and the files stay.
  void mapNumbersBelowOneAreRefused() {
    FilledGame game;
    ModDefinitions& defs = game.defs;
    const auto before = allFileBytes(*game.dir);
    const auto entries = entriesBelow(game.dir->root());
    defs.Document().Replace(sampleMap(9), 9);
    for (long number : {0L, -1L}) {
      const Status load = defs.LoadMap(number);
      QVERIFY2(mentions(load, game.file("Maps.dat")), load.message().c_str());
      QVERIFY(!defs.SaveMap(number).ok());
    }
    QVERIFY(defs.Document().Map() == sampleMap(9));
    QVERIFY(allFileBytes(*game.dir) == before);
    QCOMPARE(entriesBelow(game.dir->root()), entries);
  }

  void folderAndFileNamesIgnoreCase() {
    auto dir = makeDataDir(false);
    const auto dat = dir->root() / "DAT";
    std::filesystem::create_directory(dat);
    writeCatalogue(dat / "ITEM.DAT", namedEntries<ItemRecord>(2, "Item"));
    writeMapSlot(dat / "maps.dat", 1, sampleMap(1));
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    QCOMPARE(defs.ItemCount, 2L);
    QVERIFY(defs.Document().Map() == sampleMap(1));
    QCOMPARE(defs.MapsFile(), dat / "maps.dat");
    QVERIFY(!std::filesystem::exists(dat / "Item.dat"));

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
