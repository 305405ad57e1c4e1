#pragma once

#include "core/catalogue.h"
#include "core/catalogue_records.h"
#include "core/map_document.h"
#include "core/map_record.h"
#include "core/slot_guard.h"
#include "core/status.h"
#include "core/where_used.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace core {

// What part of the shared state a change touched; windows repaint when what they show changed.
enum StateChange : unsigned {
  MapChanged = 1u << 0,
  ItemsChanged = 1u << 1,
  CreaturesChanged = 1u << 2,
  ShopsChanged = 1u << 3,
  SpellsChanged = 1u << 4,
  SpellProgChanged = 1u << 5,
  SelectionChanged = 1u << 6,
};

// The five catalogue files, for what is said of each alike (the undo of their writes).
enum class CatalogueFile { Items, Creatures, Shops, Spells, SpellProgression };

// The module-wide state every window works on: the map document, the working and scratch record
// of each catalogue, the spell-progression record, the counts, the slot lengths, and the
// Integers through which one window hands a choice to another. Created once by main and passed
// by reference to every window; tests make their own on a temporary data directory.
class ModDefinitions {
 public:
  explicit ModDefinitions(std::filesystem::path dataDir);
  ModDefinitions(const ModDefinitions&) = delete;
  ModDefinitions& operator=(const ModDefinitions&) = delete;

  // --- Files ---
  const std::filesystem::path& DataDir() const { return dataDir_; }
  // The Dat folder (letter case ignored); an error naming it when it does not exist.
  Result<std::filesystem::path> DatFolder() const;
  // A file of the Data folder (bitmaps), letter case ignored.
  std::filesystem::path DataFile(const std::string& name) const;
  std::filesystem::path MapsFile() const;

  // --- Records ---
  ItemRecord Item, ItemScratch;
  CreatureRecord Creature, CreatureScratch;
  ShopRecord Shop, ShopScratch;
  SpellRecord Spell, SpellScratch;
  SpellProgRecord SpellProg;

  long ItemCount = 0, CreatureCount = 0, ShopCount = 0, SpellCount = 0, SpellProgCount = 0;
  // The entry each working record was read from (0: the header). A save writes the working
  // record back there, whatever number the record carries: a file written by another tool may
  // hold item 5 in the slot of item 4.
  long ItemEntry = 0, CreatureEntry = 0, ShopEntry = 0, SpellEntry = 0;
  long ItemLen = 0, CreatureLen = 0, ShopLen = 0, SpellLen = 0, SpellProgLen = 0;

  // --- Hand-over Integers ---
  // A reload flag (SpecialReload, EffectRefillPending, CreatureSpecialReload) raised while a
  // window sets its own controls, so that their change events store nothing; lowered again
  // however the window leaves, early returns included.
  class RaisedFlag {
   public:
    explicit RaisedFlag(std::int16_t& flag) : flag_(flag) { flag_ = 1; }
    ~RaisedFlag() { flag_ = 0; }
    RaisedFlag(const RaisedFlag&) = delete;
    RaisedFlag& operator=(const RaisedFlag&) = delete;

   private:
    std::int16_t& flag_;
  };

  std::int16_t CurrentMap = 1;
  std::int16_t SelectedX = 1;
  std::int16_t SelectedY = 0;
  std::int16_t SpecialsOffset = 0;
  std::int16_t CurrentSpecial = -1;
  std::int16_t SpecialReload = 0;
  std::int16_t TextPage = 0;
  std::int16_t TextIndex = 0;
  std::int16_t EncounterSlot = 0;
  std::int16_t ShopInsertSlot = -1;
  std::int16_t SelectedEffectSlot = 0;
  std::int16_t EffectRefillPending = 0;
  std::int16_t CurrentCreatureSpecial = 0;
  std::int16_t CreatureSpecialReload = 0;
  // What the Where Used window lists the places of: an entry of a catalogue.
  RefTarget WhereUsedTarget = RefTarget::Item;
  long WhereUsedEntry = 0;

  // --- What refers to what, for "Where Used" (built when first asked) ---
  WhereUsedIndex& References() { return references_; }

  // --- Start-up, in this order ---
  Status LoadFirstMap();
  Status OpenCreatureFile();
  // Each file is opened on its own: a failure of one does not keep the other closed, and the
  // failures are reported together.
  Status OpenItemAndShopFiles();
  Status OpenSpellFiles();
  // The four above in order, every one of them run; the failures together, each said once.
  Status Startup();
  // After the record files were replaced whole from outside (an import): every catalogue opened
  // afresh with its count, each working record read again from the entry it shows (the last one
  // when the file now holds fewer), the open map read again, and every window told.
  Status ReloadFiles();
  // Things start-up noticed without failing, for the designer: files it had to create, files
  // that cannot be written, header counts that are negative or reach beyond the file, entries
  // that carry another number than their place.
  const std::vector<std::string>& Notices() const { return notices_; }

  // --- Entry reads (entry n is slot n + 1) ---
  Status ReadItemPair(long n);
  Status ReadCreaturePair(long n);
  Status ReadShopPair(long n);
  Status ReadSpellPair(long n);
  // Entry n into the spell working record only; the scratch record keeps the spell it held.
  Status ReadSpell(long n);
  Status ReadCreatureScratch(long n);
  Status ReadSpellScratch(long n);

  // --- Writes (each ends with a sync) ---
  // Without `overwrite`, a write whose slot was changed on disk by someone else since this
  // editor read it writes nothing and answers Status::changedOnDisk(): ask the designer, and on
  // "Overwrite" call again with overwrite = true.
  Status WriteItem(bool overwrite = false);  // item working record as entry ItemEntry
  Status WriteCreature(bool overwrite = false);
  Status WriteShop(bool overwrite = false);
  Status WriteSpell(bool overwrite = false);
  // The append pattern on the working record and its count. When another editor added entries,
  // nothing is written and the count becomes the one on disk (Status::changedOnDisk()): ask the
  // designer, and call again to add the entry after them.
  Status AppendItem();
  Status AppendCreature();
  Status AppendShop();
  Status AppendSpell();
  // The spell-progression record as entry SpellProgCount + 1.
  Status AppendSpellProg();

  // --- Undo of this session's catalogue writes, one history per file ---
  const CatalogueHistory& WriteHistory(CatalogueFile file) const;
  // Takes back the last write of the file (`redo`: does the next one again) as
  // Catalogue::UndoWrite does. Afterwards the count follows the header, and the working and
  // scratch records hold the entry the step wrote as the file now has it (the last entry when
  // the file no longer holds it). `overwrite` as for the writes.
  Status UndoWrite(CatalogueFile file, bool redo, bool overwrite = false);

  // Tidies the shop working record's stock.
  void pack_shop_stock();

  // --- Maps.dat, opened and closed around each access ---
  // Into the map document as map `mapNumber`, its history started afresh; a number below 1 is
  // refused and the document stays as it was. Only start-up makes a missing Maps.dat: here it
  // is Status::fileMissing(), and the document stays as it was.
  Status LoadMap(long mapNumber);
  // The document's map into that slot; a number below 1 is refused. `overwrite` as for the
  // catalogue writes. The document counts as saved afterwards. A missing Maps.dat is not made
  // again: Status::fileMissing() (see CreateMapsFile).
  Status SaveMap(long mapNumber, bool overwrite = false);
  // Makes a new, empty Maps.dat in place of one that went missing, once the designer agreed.
  Status CreateMapsFile();
  // Maps.dat opened for reading only (browsing the maps); fileMissing() when it went missing.
  Result<RecordFile> OpenMapsForReading(const std::string& action) const;
  // The number New proposes: the lowest map Maps.dat does not hold yet (1 without a Maps.dat).
  std::int16_t FreeMapNumber() const;

  // The map being edited: every change to it goes through here. Its changes reach the listeners
  // below as MapChanged (SelectionChanged for the selection).
  MapDocument& Document() { return document_; }
  const MapDocument& Document() const { return document_; }

  // --- Names for lists, from the caches; trailing blanks kept ---
  std::string CreatureName(long n) const;
  std::string CreaturePluralName(long n) const;
  std::string ItemName(long n) const;
  std::string ItemPluralName(long n) const;
  std::string ShopName(long n) const;
  std::string SpellName(long n) const;

  Catalogue<ItemRecord>& Items() { return items_; }
  Catalogue<CreatureRecord>& Creatures() { return creatures_; }
  Catalogue<ShopRecord>& Shops() { return shops_; }
  Catalogue<SpellRecord>& Spells() { return spells_; }
  Catalogue<SpellProgRecord>& SpellProgression() { return spellProg_; }

  // --- Change notification ---
  // A listener hears which parts changed and which window (if any) changed them.
  using ChangeListener = std::function<void(unsigned changes, const void* origin)>;
  int Subscribe(ChangeListener listener);
  void Unsubscribe(int id);
  void NotifyChanged(unsigned changes, const void* origin = nullptr);

 private:
  std::filesystem::path dataDir_;
  std::vector<std::string> notices_;
  SlotGuard mapsSeen_;  // each map as last loaded or saved here
  Catalogue<ItemRecord> items_;
  Catalogue<CreatureRecord> creatures_;
  Catalogue<ShopRecord> shops_;
  Catalogue<SpellRecord> spells_;
  Catalogue<SpellProgRecord> spellProg_;
  WhereUsedIndex references_;
  std::vector<std::pair<int, ChangeListener>> listeners_;
  MapDocument document_{CurrentMap, SelectedX, SelectedY};
  int nextListenerId_ = 1;
};

}  // namespace core
