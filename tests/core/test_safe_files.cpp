// The store against a second editor, a full disk, huge and replaced files, and odd folders.
#include "core/catalogue_sweep.h"
#include "core_fixture.h"
#include "support/disk_limit.h"

#include <limits>

using namespace core;
using namespace test_support;

constexpr std::size_t Unlimited = std::numeric_limits<std::size_t>::max();

class SafeFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void secondEditorIsStoppedBeforeOverwriting() {
    FilledGame game;
    ModDefinitions& a = game.defs;
    ModDefinitions b(game.dir->root());
    QVERIFY(game.started.ok());
    QVERIFY(b.Startup().ok());
    const auto maps = game.file("Maps.dat");

    a.Document().Apply("Graphic Set", [](MapRecord& map) { map.GraphicSet = 5; });
    QVERIFY(a.SaveMap(1).ok());
    const auto saved = readBytes(maps);
    b.Document().Apply("Encounter Chance", [](MapRecord& map) { map.EncounterChance = 50; });
    const Status refused = b.SaveMap(1);
    QVERIFY(refused.changedOnDisk());
    QVERIFY2(refused.message().find("Map 1") == 0, refused.message().c_str());
    QVERIFY(readBytes(maps) == saved);
    QVERIFY(b.SaveMap(1, true).ok());
    QCOMPARE(MapRecord::unpack(mapSlotBytes(maps, 1)).EncounterChance, std::int16_t{50});
    // Its own save is the new reading: the next one goes through without a question.
    b.Document().Apply("Hit Refresh", [](MapRecord& map) { map.HitRefresh = 3; });
    QVERIFY(b.SaveMap(1).ok());

    // Entries and appends, the same way.
    const auto items = game.file("Item.dat");  // both show entry 1 since start-up
    nameEntry(a.Item, "Sword");
    const auto synced = a.Items().file().syncs();
    QVERIFY(a.WriteItem().ok());
    QVERIFY(a.Items().file().syncs() > synced);  // on disk before the save says so
    QVERIFY(a.AppendItem().ok());
    const auto before = readBytes(items);
    nameEntry(b.Item, "Shield");
    QVERIFY(b.WriteItem().changedOnDisk());
    QVERIFY(b.AppendItem().changedOnDisk());
    QCOMPARE(b.ItemCount, 5L);  // what the file now counts
    QVERIFY(readBytes(items) == before);
    QVERIFY(b.ReadItemPair(1).ok());  // read again: B sees A's work and may save over it
    nameEntry(b.Item, "Shield");
    QVERIFY(b.WriteItem().ok());
    QCOMPARE(b.ItemName(1), padded("Shield"));
  }

  // After Item.dat was replaced by a longer file, an append goes after its last entry.
  void appendGoesAfterTheLastEntryOfAReplacedFile() {
    FilledGame game;
    ModDefinitions& a = game.defs;
    const auto items = game.file("Item.dat");
    const auto fresh = game.file("Item.dat.new");
    writeCatalogue(fresh, namedEntries<ItemRecord>(9, "New"));
    std::filesystem::rename(fresh, items);
    nameEntry(a.Item, "Club");
    QVERIFY(a.AppendItem().changedOnDisk());
    QCOMPARE(a.ItemCount, 9L);
    QVERIFY(a.AppendItem().ok());
    QCOMPARE(storedSlot<ItemRecord>(items, 10).ItemName, padded("New 9"));
    QCOMPARE(storedSlot<ItemRecord>(items, 11).ItemName, padded("Club"));
    QCOMPARE(storedSlot<ItemRecord>(items, 11).ItemNo, std::int16_t{10});
    QCOMPARE(IntegerAt(readBytes(items), 0), 10);
  }

  // With no room at all, or room for part of a slot.
  void failedWritesLeaveTheFileAsItWas() {
    for (const std::size_t room : {0, 11000}) {
      FilledGame game;
      ModDefinitions& defs = game.defs;
      QVERIFY(game.started.ok());
      const auto maps = game.file("Maps.dat");
      const auto items = game.file("Item.dat");
      const auto mapsBefore = readBytes(maps);
      const auto itemsBefore = readBytes(items);
      {
        NearlyFullDisk disk(room);
        defs.Document().Replace(sampleMap(10), 10);
        const Status status = defs.SaveMap(10);
        QVERIFY2(mentions(status, maps), status.message().c_str());
        QVERIFY(readBytes(maps) == mapsBefore);
        nameEntry(defs.Item, "Lance");
        QVERIFY(!defs.AppendItem().ok());
        QVERIFY(readBytes(items) == itemsBefore);
        QCOMPARE(defs.ItemCount, 4L);
      }
      // Nothing is left behind that would stop the next save once there is room again.
      QVERIFY(defs.SaveMap(10).ok());
      QCOMPARE(readBytes(maps).size(), 10 * MapRecord::SlotLength);
      QVERIFY(defs.AppendItem().ok());
      QCOMPARE(defs.ItemName(5), padded("Lance"));
    }
  }

  // The entry is written, the header write fails after one byte: the header goes back to its
  // old count and the file to its old length. When putting it back fails as well, the message
  // says both, and the editor counts what the header now says.
  void failedHeaderWriteOfAnAppendIsTakenBack() {
    for (const bool putBackFails : {false, true}) {
      FilledGame game;
      ModDefinitions& defs = game.defs;
      const auto items = game.file("Item.dat");
      const auto before = readBytes(items);
      nameEntry(defs.Item, "Lance");
      Status status;
      {
        ScriptedDisk disk({ItemRecord::PackedSize, 1, 0}, putBackFails ? 0 : Unlimited);
        status = defs.AppendItem();
      }
      QVERIFY(!status.ok());
      QVERIFY2(mentions(status, items), status.message().c_str());
      const bool saysBoth = status.message().find("back as it was failed") != std::string::npos;
      QCOMPARE(saysBoth, putBackFails);
      auto after = readBytes(items);
      QCOMPARE(after.size(), before.size());
      if (putBackFails) {
        QCOMPARE(IntegerAt(after, 0), 5);  // one byte of the new count got through
        after[0] = before[0];
      }
      QVERIFY(after == before);
      QCOMPARE(defs.ItemCount, putBackFails ? 5L : 4L);
      // The next append asks nothing: the count it knows is the one on disk.
      QVERIFY(defs.AppendItem().ok());
      QCOMPARE(storedSlot<ItemRecord>(items, defs.ItemCount + 1).ItemName, padded("Lance"));
    }
  }

  // A save cut short leaves some of its bytes on disk; they are this editor's own, so the next
  // save goes through without "changed on disk".
  void saveAfterAFailedSaveAsksNothing() {
    FilledGame game;
    ModDefinitions& defs = game.defs;
    nameEntry(defs.Item, "Pike");
    defs.Document().Replace(sampleMap(12), 2);
    for (const bool map : {false, true}) {
      ScriptedDisk disk({3}, 0);  // and nothing left to put the old bytes back
      QVERIFY(!(map ? defs.SaveMap(2) : defs.WriteItem()).ok());
    }
    QVERIFY(storedSlot<ItemRecord>(game.file("Item.dat"), 2).ItemName != padded("Pike"));
    QVERIFY(defs.WriteItem().ok());
    QVERIFY(defs.SaveMap(2).ok());
    QCOMPARE(storedSlot<ItemRecord>(game.file("Item.dat"), 2).ItemName, padded("Pike"));
    QVERIFY(mapSlotBytes(game.file("Maps.dat"), 2) == packedBytes(sampleMap(12)));
  }

  void hugeCatalogueReadsNoFurtherThanTheLastCountableSlot() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    std::error_code error;
    std::filesystem::resize_file(dir->datFile("Mon.dat"), std::uintmax_t{50} << 30, error);
    if (error) QSKIP("this file system holds no 50 GB sparse file");
    ModDefinitions defs(dir->root());
    QVERIFY(defs.Startup().ok());
    for (long n = 1; n <= 100; ++n) defs.CreatureName(n);  // past the single look-ups
    QCOMPARE(defs.CreatureName(2), padded("Orc 2"));
    QVERIFY(defs.Creatures().LoadNames().ok());
    QCOMPARE(defs.CreatureName(32767), std::string(CreatureNameWidth, '\0'));
    QCOMPARE(defs.CreatureName(3), padded("Orc 3"));
  }

  void eachCatalogueOpensOnItsOwn() {
    auto dir = makeDataDir();
    fillGameFolder(*dir);
    for (const char* name : {"Item.dat", "Mag.dat", "Maps.dat"}) {
      std::filesystem::remove(dir->datFile(name));
      std::filesystem::create_directory(dir->datFile(name));  // cannot be opened as a file
    }
    ModDefinitions defs(dir->root());
    const Status status = defs.Startup();
    QVERIFY2(mentions(status, dir->datFile("Item.dat")), status.message().c_str());
    QVERIFY2(mentions(status, dir->datFile("Mag.dat")), status.message().c_str());
    defs.Document().Replace(sampleMap(9), 9);
    QVERIFY(mentions(defs.LoadMap(1), dir->datFile("Maps.dat")));
    QVERIFY(defs.Document().Map() == sampleMap(9));
    QCOMPARE(defs.ShopName(2), padded("Shop 2", ShopNameWidth));
    QVERIFY(defs.SpellProgression().isOpen());
    QCOMPARE(defs.CreatureCount, 3L);
  }

  void replacedFileIsFollowed() {
    FilledGame game;
    ModDefinitions& defs = game.defs;
    QVERIFY(defs.ReadItemPair(1).ok());
    QCOMPARE(defs.ItemName(1), padded("Item 1"));

    // A checkout writes a new file and renames it over the old one.
    const auto items = game.file("Item.dat");
    const auto fresh = game.file("Item.dat.new");
    writeCatalogue(fresh, namedEntries<ItemRecord>(6, "New"));
    std::filesystem::rename(fresh, items);

    QVERIFY(defs.Items().LoadNames().ok());
    QCOMPARE(defs.ItemName(6), padded("New 6"));
    nameEntry(defs.Item, "Mine");
    QVERIFY(defs.WriteItem().changedOnDisk());  // entry 1 there is not the one read
    QVERIFY(defs.ReadItemPair(1).ok());
    QCOMPARE(defs.Item.ItemName, padded("New 1"));
    nameEntry(defs.Item, "Mine");
    QVERIFY(defs.WriteItem().ok());
    QCOMPARE(storedSlot<ItemRecord>(items, 2).ItemName, padded("Mine"));

    // A pass over many chunks that sees the file replaced after its first chunk stops there.
    writeCatalogue(fresh, namedEntries<ItemRecord>(12000, "Big"));
    std::filesystem::rename(fresh, items);
    long visited = 0;
    ChunkBuffers buffers;
    const Status replaced = ForEachPackedEntry(
        defs.Items(), 1, 12000, [&](long, std::span<const std::uint8_t>) { ++visited; },
        [&](long) {
          writeCatalogue(fresh, namedEntries<ItemRecord>(12000, "Other"));
          std::filesystem::rename(fresh, items);
          return true;
        },
        buffers);
    QVERIFY2(replaced.message().find("replaced by another file while it was being read") !=
                 std::string::npos,
             replaced.message().c_str());
    QCOMPARE(visited, static_cast<long>(SweepChunkBytes / ItemRecord::SlotLength));

    std::filesystem::remove(items);
    const Status gone = defs.ReadItemPair(1);
    QVERIFY2(mentions(gone, items), gone.message().c_str());
    QVERIFY(!std::filesystem::exists(items));
  }

  // A several-slot write replaces the file whole: through a link, keeping its permissions,
  // checked against what was read, undone when the disk is full, and seen by the chunked reader.
  void severalSlotsAreWrittenAsOneStep() {
    TestDataDir dir;
    const auto real = dir.root() / "Mon.real";
    writeCatalogue(real, namedEntries<CreatureRecord>(3, "Orc"));
    std::filesystem::permissions(real, std::filesystem::perms(0640));
    const auto link = dir.datFile("Mon.dat");
    std::filesystem::create_symlink(real, link);
    Catalogue<CreatureRecord> catalogue("Mon.dat", {{2, 20}});
    QVERIFY(catalogue.Open(dir.dat()).ok());
    ChunkedEntries<CreatureRecord> chunked(catalogue, 3);
    QCOMPARE(chunked.entry(1)->CreatureName, padded("Orc 1"));
    QVERIFY(catalogue.ReadSlot(4).ok());  // entry 3, remembered

    const auto named = [](long number, const std::string& name) {
      CreatureRecord creature;
      creature.CreatureNo = static_cast<std::int16_t>(number);
      nameEntry(creature, name);
      return packedBytes(creature);
    };
    const auto before = readBytes(real);
    {
      NearlyFullDisk full(100);
      const Status refused = catalogue.WriteSlots({{2, named(1, "Imp")}, {6, named(5, "Far")}});
      QVERIFY2(mentions(refused, link), refused.message().c_str());
    }
    QVERIFY(readBytes(real) == before);
    QVERIFY(catalogue.WriteSlots({{2, named(1, "Imp")}, {6, named(5, "Far")}}).ok());
    QVERIFY(std::filesystem::is_symlink(link));
    QCOMPARE(std::filesystem::status(real).permissions(), std::filesystem::perms(0640));
    QCOMPARE(readBytes(real).size(), 6 * CreatureRecord::SlotLength);
    QCOMPARE(storedSlot<CreatureRecord>(real, 5).CreatureName, std::string(20, '\0'));
    QCOMPARE(chunked.entry(1)->CreatureName, padded("Imp"));  // not the part read before
    QCOMPARE(catalogue.Name(5).value(), padded("Far"));
    QCOMPARE(std::distance(std::filesystem::directory_iterator(dir.dat()), {}), 1);

    // Another editor changes entry 3: the write that depends on it stops, the rest is kept.
    Catalogue<CreatureRecord> other("Mon.dat", {});
    QVERIFY(other.Open(dir.dat()).ok());
    QVERIFY(other.WriteSlots({{4, named(3, "Troll")}}).ok());
    const auto theirs = readBytes(real);
    const Status changed = catalogue.WriteSlots({{1, named(2, "")}, {4, named(3, "Ogre")}});
    QVERIFY2(changed.changedOnDisk() && changed.message().find("Entry 3") == 0,
             changed.message().c_str());
    QVERIFY(readBytes(real) == theirs);
    std::vector<std::string> names;
    QVERIFY(ForEachEntry(catalogue, 3, [&names](long, const CreatureRecord& creature) {
              names.push_back(creature.CreatureName);
            }).ok());
    QCOMPARE(names, (std::vector<std::string>{padded("Imp"), padded("Orc 2"), padded("Troll")}));
  }

  // A missing Dat folder, a file and a broken link in its place: said once, named by every
  // step, and nothing is created.
  void datFolderProblemsAreNamedOnce() {
    for (const auto& [kind, words] :
         {std::pair<std::string, std::string>{"missing", "Cannot find the Dat folder"},
          {"file", "it is a file, not a folder"},
          {"link", "it is a link to something that does not exist"}}) {
      auto dir = makeDataDir(false);
      const auto dat = dir->root() / "Dat";
      if (kind == "file") writeBytes(dat, {1, 2});
      if (kind == "link") std::filesystem::create_symlink(dir->root() / "Gone", dat);
      const auto entries = entriesBelow(dir->root());
      ModDefinitions defs(dir->root());
      const Status startup = defs.Startup();
      QVERIFY2(startup.message().find(words) != std::string::npos, startup.message().c_str());
      QCOMPARE(std::count(startup.message().begin(), startup.message().end(), '\n'), 0L);
      defs.Document().Replace(sampleMap(7), 7);
      for (const Status& status :
           {startup, defs.LoadFirstMap(), defs.OpenCreatureFile(), defs.OpenItemAndShopFiles(),
            defs.OpenSpellFiles(), defs.LoadMap(2), defs.SaveMap(2)})
        QVERIFY2(mentions(status, dat), status.message().c_str());
      QVERIFY(!defs.ReadItemPair(1).ok());
      QVERIFY(!defs.AppendItem().ok());
      QVERIFY(defs.Document().Map() == sampleMap(7));
      QCOMPARE(defs.ItemCount, 0L);
      QCOMPARE(entriesBelow(dir->root()), entries);
    }
  }
};

REGISTER_TEST(SafeFilesTest);
#include "test_safe_files.moc"
