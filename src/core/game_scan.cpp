#include "core/game_scan.h"

#include "core/catalogue_records.h"
#include "core/catalogue_sweep.h"
#include "core/record_file.h"
#include "core/vocabularies.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <system_error>
#include <thread>
#include <tuple>
#include <utility>

namespace core {

namespace fs = std::filesystem;

namespace {

constexpr int ShopBuilding = 1;
constexpr int RewardItem = 2;
constexpr int SpellScrollType = 11;
constexpr int CastSpellEffect = 2;
constexpr int ProgLevels = 20;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool Blank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\0'; });
}

bool OnMap(long v) {
  return v >= 0 && v < MapSize;
}

std::string Number(long v) {
  return std::to_string(v);
}

// A thread working beside a check: asked to stop and joined when the check ends early, however
// it ends, so that it never outlives what it works on.
struct BesideThread {
  explicit BesideThread(std::atomic<bool>& stop) : stop(stop) {}
  ~BesideThread() {
    stop = true;
    Join();
  }
  void Join() {
    if (thread.joinable()) thread.join();
  }
  std::atomic<bool>& stop;
  std::thread thread;
};

// Which entry first held each key, for a table filled once as a file is read: open addressing
// in one block, as a hash map's node per entry costs more than the rest of the row's checks.
class FirstEntries {
 public:
  explicit FirstEntries(std::size_t expected) { resize(expected); }

  // The entry that first held `key`; `entry` (1 or more) when none did before.
  long FirstOf(std::uint64_t key, long entry) {
    if (2 * (used_ + 1) > entries_.size()) resize(entries_.size());
    std::size_t at = place(key);
    for (; entries_[at] != 0; at = (at + 1) & mask_)
      if (keys_[at] == key) return entries_[at];
    keys_[at] = key;
    entries_[at] = entry;
    ++used_;
    return entry;
  }

 private:
  std::size_t place(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> 32) & mask_;
  }
  void resize(std::size_t expected) {
    std::size_t size = 64;
    while (size < 2 * expected + 2) size *= 2;
    std::vector<std::uint64_t> keys(size);
    std::vector<long> entries(size, 0);
    std::swap(keys, keys_);
    std::swap(entries, entries_);
    mask_ = size - 1;
    used_ = 0;
    for (std::size_t i = 0; i < entries.size(); ++i)
      if (entries[i] != 0) FirstOf(keys[i], entries[i]);
  }

  std::vector<std::uint64_t> keys_;
  std::vector<long> entries_;  // 0: free
  std::size_t mask_ = 0, used_ = 0;
};

}  // namespace

GameScan::GameScan(fs::path folder, const CheckOptions& options)
    : folder_(std::move(folder)), options_(options) {}

bool GameScan::Progress(double done) {
  if (check_.cancelled) return false;
  if (options_.progress && !options_.progress(done)) check_.cancelled = true;
  return !check_.cancelled;
}

void GameScan::Add(Severity severity, const Place& place, std::string message) {
  check_.findings.push_back({severity, place, std::move(message)});
}

void GameScan::Refer(RefTarget target, long number, const Place& place, std::string_view use) {
  check_.index.Add({target, number, place, use});
}

std::uintmax_t GameScan::EntriesInFile(const char* name, std::size_t slotLength) const {
  std::error_code unknown;
  const std::uintmax_t size =
      fs::file_size(ResolveIgnoringCase(ResolveIgnoringCase(folder_, "Dat"), name), unknown);
  return unknown ? 0 : size / slotLength;
}

Status GameScan::Run() {
  std::error_code error;
  if (!fs::is_directory(folder_, error)) {
    return Status::Error("Cannot read the game folder " + folder_.string() + ": " +
                         (error ? error.message() : "it is not a folder"));
  }
  const fs::path dat = ResolveIgnoringCase(folder_, "Dat");
  if (!fs::is_directory(dat, error)) {
    return Status::Error("Cannot read the game folder " + folder_.string() +
                         ": it holds no Dat folder");
  }
  // Room for the references at once: about one per catalogue entry, and a few per map.
  check_.index.Reserve(
      static_cast<std::size_t>(EntriesInFile("Item.dat", ItemRecord::SlotLength) +
                               EntriesInFile("Shop.dat", ShopRecord::SlotLength) +
                               EntriesInFile("Mon.dat", CreatureRecord::SlotLength) +
                               EntriesInFile("MagProg.dat", SpellProgRecord::SlotLength) +
                               16 * EntriesInFile("Maps.dat", MapRecord::SlotLength)));
  if (Status s = ReadPictures(); !s.ok()) return s;

  // Mag.dat holds most of a game's bytes and needs the least checking: a scan of its own reads
  // it beside the other passes. It only asks whether to stop, as progress is told from here. A
  // failure is told in the order of the files read one after the other.
  std::atomic<bool> stopSpells{false};
  CheckOptions spellOptions;
  spellOptions.progress = [&stopSpells](double) { return !stopSpells.load(); };
  GameScan spellScan(folder_, spellOptions);
  Status spellStatus = Status::Ok();
  const auto readSpells = [&] {
    try {
      spellStatus = spellScan.ReadSpells();
    } catch (const std::exception& e) {
      spellStatus = Status::Error("Cannot check Mag.dat: " + std::string(e.what()));
    }
  };
  BesideThread beside(stopSpells);
  try {
    beside.thread = std::thread(readSpells);
  } catch (const std::system_error&) {
    readSpells();  // no second thread to be had: in turn
  }
  if (Status s = ReadItemsShopsCreatures(); !s.ok() || check_.cancelled) return s;
  Status later = ReadProgression();
  if (later.ok() && !check_.cancelled) later = ReadMaps();
  if (check_.cancelled) return later;
  beside.Join();
  if (!spellStatus.ok()) return spellStatus;
  if (!later.ok()) return later;
  spells_ = std::move(spellScan.spells_);
  check_.findings.insert(check_.findings.end(),
                         std::make_move_iterator(spellScan.check_.findings.begin()),
                         std::make_move_iterator(spellScan.check_.findings.end()));
  Resolve();
  SortFindings();
  return Status::Ok();
}

// Files in a fixed order, each in the order of its entries, then as found: sorted by one number
// per finding (file, entry, table, slot and the order found), then moved into that order.
void GameScan::SortFindings() {
  std::vector<Finding>& findings = check_.findings;
  const auto field = [](long value, long lowest, int bits) {
    return static_cast<std::uint64_t>(std::clamp(value - lowest, 0L, (1L << bits) - 1));
  };
  std::vector<std::pair<std::uint64_t, std::uint32_t>> keys(findings.size());
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Place& p = findings[i].place;
    keys[i] = {field(static_cast<long>(p.file), 0, 4) << 36 | field(p.entry, -32768, 17) << 19 |
                   field(static_cast<long>(p.slotKind), 0, 3) << 16 | field(p.slot, -1, 16),
               static_cast<std::uint32_t>(i)};
  }
  // Each pass finds in file order, so the list is a few runs in order: merged, not sorted anew.
  std::vector<std::size_t> runs{0};
  for (std::size_t i = 1; i < keys.size(); ++i)
    if (keys[i] < keys[i - 1]) runs.push_back(i);
  if (runs.size() == 1) return;
  runs.push_back(keys.size());
  while (runs.size() > 2) {
    const std::size_t count = runs.size() - 1;
    std::vector<std::size_t> merged{0};
    for (std::size_t j = 0; j + 2 <= count; j += 2) {
      std::inplace_merge(keys.begin() + static_cast<std::ptrdiff_t>(runs[j]),
                         keys.begin() + static_cast<std::ptrdiff_t>(runs[j + 1]),
                         keys.begin() + static_cast<std::ptrdiff_t>(runs[j + 2]));
      merged.push_back(runs[j + 2]);
    }
    if (count % 2 == 1) merged.push_back(runs[count]);
    runs = std::move(merged);
  }
  // Each finding moved once, into a list written front to back.
  std::vector<Finding> sorted;
  sorted.reserve(findings.size());
  for (const auto& key : keys) sorted.push_back(std::move(findings[key.second]));
  findings = std::move(sorted);
}

Status GameScan::ReadPictures() {
  const fs::path data = ResolveIgnoringCase(folder_, "Data");
  std::error_code error;
  if (!fs::is_directory(data, error)) return Status::Ok();  // every picture is then missing
  for (fs::directory_iterator it(data, error); !error && it != fs::directory_iterator();
       it.increment(error)) {
    pictures_.insert(Lower(it->path().filename().string()));
  }
  if (error)
    return Status::Error("Cannot read the folder " + data.string() + ": " + error.message());
  return Status::Ok();
}

// --- Maps.dat -----------------------------------------------------------------------------

Status GameScan::ReadMaps() {
  const fs::path dat = ResolveIgnoringCase(folder_, "Dat");
  auto opened =
      RecordFile::OpenForReading(ResolveIgnoringCase(dat, "Maps.dat"), MapRecord::SlotLength);
  if (!opened.ok()) return opened.status();
  auto held = MapSlotsHeld(*opened);
  if (!held.ok()) return held.status();
  const long unsaved = options_.unsavedMap ? options_.unsavedMapNumber : 0;
  maps_.count = std::max(*held, unsaved);
  maps_.empty.assign(static_cast<std::size_t>(maps_.count), false);

  const long perChunk =
      std::max<long>(1, static_cast<long>(SweepChunkBytes / MapRecord::SlotLength));
  MapRecord map;  // unpacked again for each map: no allocation per map
  std::vector<std::uint8_t> inMemory;
  return ForEachMapSlot(*opened, 1, maps_.count, [&](long number, auto packed) {
    // Progress and Cancel are looked at once a chunk.
    if ((number - 1) % perChunk == 0 &&
        !Progress(0.3 + 0.7 * static_cast<double>(number - 1) / static_cast<double>(maps_.count)))
      return false;
    if (number == unsaved) {
      inMemory.resize(MapRecord::PackedSize);
      options_.unsavedMap->pack(inMemory);
      check_.unsavedMapDiffers = !std::equal(inMemory.begin(), inMemory.end(), packed.begin());
      CheckMap(*options_.unsavedMap, number);
    } else if (std::all_of(packed.begin(), packed.end(), [](auto b) { return b == 0; })) {
      // A slot no map was ever saved to: nothing to check, but nothing to go to either.
      maps_.empty[static_cast<std::size_t>(number - 1)] = true;
    } else {
      MapRecord::unpack(packed, map);
      CheckMap(map, number);
    }
    return true;
  });
}

std::vector<Reference> GameScan::ReferencesOf(const MapRecord& map, long number) {
  const CheckOptions none;
  GameScan scan({}, none);
  scan.CheckMap(map, number, false);
  const auto all = scan.check_.index.All();
  return {all.begin(), all.end()};
}

void GameScan::CheckMap(const MapRecord& map, long number, bool withEdges) {
  const Place at{GameFile::Maps, number};
  if (map.MapNo != number) {
    Add(Severity::Warning, at,
        "Its record carries the number " + Number(map.MapNo) + " instead of " + Number(number));
  }
  for (int slot = 0; slot < EncounterSlotCount; ++slot) {
    const long creature = map.Encounter(slot, EncounterField::Creature);
    if (creature != 0) {
      Refer(RefTarget::Creature, creature, {GameFile::Maps, number, SlotKind::Encounter, slot},
            "It");
    }
  }
  for (int index = 0; index < SpecialCount; ++index) CheckSpecial(map, number, index);
  if (withEdges) CheckEdges(map, number);
}

void GameScan::CheckSpecial(const MapRecord& map, long number, int index) {
  const MapSpecial s = map.GetSpecial(index);
  if (!s.inUse()) return;
  const bool onMap = OnMap(s.SquareX) && OnMap(s.SquareY);
  const Place at{GameFile::Maps,        number, SlotKind::Special, index, onMap ? s.SquareX : -1,
                 onMap ? s.SquareY : -1};
  if (!onMap) {
    Add(Severity::Warning, at,
        "It sits on square " + Number(s.SquareX) + "X, " + Number(s.SquareY) +
            "Y, outside the map: it is counted but never listed or drawn");
  }
  switch (s.Kind) {
    case ExitToMap:
      Refer(RefTarget::Map, s.Param1, at, "Exit to Map");
      if (!OnMap(s.Param2) || !OnMap(s.Param3)) {
        Add(Severity::Error, at,
            "Exit to Map leads to square " + Number(s.Param2) + "X, " + Number(s.Param3) +
                "Y of map " + Number(s.Param1) + ", outside 0..32");
      }
      break;
    case ExitToBuilding:
      if (s.Param1 == ShopBuilding && s.Param2 == 0) {
        Add(Severity::Warning, at, "Exit to Building leads to a shop but names none");
      } else if (s.Param1 == ShopBuilding) {
        Refer(RefTarget::Shop, s.Param2, at, "Exit to Building");
      } else if (s.Param1 < 0 || s.Param1 >= static_cast<int>(BuildingNames.size())) {
        Add(Severity::Warning, at,
            "Exit to Building names building " + Number(s.Param1) +
                ", which is none of Guildhall, Shop, Temple and Review Board");
      }
      break;
    case DrawPicture:
      Refer(RefTarget::MapPicture, s.Param1, at, "Draw Picture");
      break;
    case ShowText:
    case ShowLongText: {
      const bool isLong = s.Kind == ShowLongText;
      const int count = isLong ? MapLongTextCount : MapTextCount;
      const std::string kind = isLong ? "Show Long Text" : "Show Text";
      const std::string noun = isLong ? "long text " : "text ";
      const std::string nouns = isLong ? "long texts " : "texts ";
      if (s.Param1 < 0 || s.Param1 >= count) {
        Add(Severity::Error, at,
            kind + " names " + noun + Number(s.Param1) + ", but a map holds " + nouns + "0 to " +
                Number(count - 1));
      } else if (Blank(isLong ? map.LongText(s.Param1) : map.Text(s.Param1))) {
        Add(Severity::Warning, at, kind + " shows " + noun + Number(s.Param1) + ", which is blank");
      }
      break;
    }
    case Encounter:
      if (s.Param1 != 0) Refer(RefTarget::Creature, s.Param1, at, "Encounter");
      if (s.Param3 != 0) Refer(RefTarget::Item, s.Param3, at, "Encounter treasure");
      break;
    case SetFlag:
      flagsSet_.insert(s.Param1);
      Refer(RefTarget::Flag, s.Param1, at, "Set Flag");
      break;
    case Reward:
      if (s.Param1 == RewardItem && s.Param3 != 0) Refer(RefTarget::Item, s.Param3, at, "Reward");
      break;
    default:
      Add(Severity::Warning, at, "Its kind " + Number(s.Kind) + " is none of the eight kinds");
  }
  if (s.CondFlag >= 1) Refer(RefTarget::Flag, s.CondFlag, at, "Its condition");
}

// Each square keeps its own four sides, so a wall between two squares can be one-sided.
void GameScan::CheckEdges(const MapRecord& map, long number) {
  const auto note = [&](int x, int y, int side, int nx, int ny, int nside) {
    const int code = map.WallCode(x, y, side), other = map.WallCode(nx, ny, nside);
    Add(Severity::Note, {GameFile::Maps, number, SlotKind::None, -1, x, y},
        "Its " + std::string(DirectionNames[static_cast<std::size_t>(side)]) + " side is " +
            std::string(WallNames[static_cast<std::size_t>(code)]) + ", but the " +
            std::string(DirectionNames[static_cast<std::size_t>(nside)]) + " side of square " +
            Number(nx) + "X, " + Number(ny) + "Y is " +
            std::string(WallNames[static_cast<std::size_t>(other)]));
  };
  // Side d's code lies in bits d, d + 4 and d + 8 of the square word.
  const auto face = [&](int x, int y, int side) {
    return (static_cast<unsigned>(static_cast<std::uint16_t>(map.Square(x, y))) >> side) & 0x111u;
  };
  for (int y = 0; y < MapSize; ++y) {
    for (int x = 0; x < MapSize; ++x) {
      if (x + 1 < MapSize && face(x, y, East) != face(x + 1, y, West))
        note(x, y, East, x + 1, y, West);
      if (y + 1 < MapSize && face(x, y, South) != face(x, y + 1, North))
        note(x, y, South, x, y + 1, North);
    }
  }
}

// --- The catalogues -----------------------------------------------------------------------

template <class Record, class Check>
Status GameScan::ReadCatalogue(GameFile file, std::string_view plural, Held& held, double from,
                               double to, Check&& check) {
  Catalogue<Record> catalogue(std::string(GameFileName(file)), {});
  if (Status s = catalogue.OpenForReading(ResolveIgnoringCase(folder_, "Dat")); !s.ok()) return s;
  auto header = catalogue.ReadSlot(1);
  if (!header.ok()) return header.status();
  auto size = catalogue.file().Size();
  if (!size.ok()) return size.status();
  const long count = header->entryNumber();
  // Entry k starts k slot lengths into the file.
  const long inFile = std::max<long>(
      0, static_cast<long>((*size + Record::SlotLength - 1) / Record::SlotLength) - 1);
  const Place whole{file, 0};
  if (count < 0) {
    Add(Severity::Error, whole, "Its header holds the entry count " + Number(count));
  } else if (count > inFile) {
    Add(Severity::Warning, whole,
        "Its header counts " + Number(count) + " " + std::string(plural) + ", but the file holds " +
            Number(inFile));
  }
  held.count = std::max(0L, count);
  held.empty.assign(static_cast<std::size_t>(held.count), true);
  const long last = std::min(held.count, inFile);
  Status status = ForEachPackedEntry(
      catalogue, 1, last,
      [&](long entry, std::span<const std::uint8_t> packed) {
        const auto [number, empty] = check(entry, packed);
        if (number != entry) {
          Add(Severity::Warning, {file, entry},
              "Its record carries the number " + Number(number) + " instead of " + Number(entry));
        }
        held.empty[static_cast<std::size_t>(entry - 1)] = empty;
      },
      [&](long done) {
        return Progress(from + (to - from) * static_cast<double>(done) / static_cast<double>(last));
      },
      buffers_);
  if (status.ok()) Progress(to);
  return status;
}

namespace {

// A catalogue check on the unpacked entry: check(entry, record) answers whether it is empty. The
// record is one object unpacked again for every entry of the pass.
template <class Record, class Check>
auto Unpacked(Check check) {
  return [check = std::move(check), record = Record()](
             long entry, std::span<const std::uint8_t> packed) mutable {
    Record::unpack(packed, record);
    const bool empty = check(entry, std::as_const(record));
    return std::make_pair(static_cast<long>(record.entryNumber()), empty);
  };
}

}  // namespace

// Each check answers whether the entry is empty (it has no name).
Status GameScan::ReadItemsShopsCreatures() {
  Status s = ReadCatalogue<ItemRecord>(
      GameFile::Items, "items", items_, 0.0, 0.1,
      Unpacked<ItemRecord>([&](long entry, const ItemRecord& item) {
        if (item.ItemType == SpellScrollType) {
          if (item.UseCode == 0) {
            Add(Severity::Warning, {GameFile::Items, entry}, "The Spell Scroll holds no spell");
          } else {
            Refer(RefTarget::Spell, item.UseCode, {GameFile::Items, entry}, "Spell Scroll");
          }
        }
        for (int slot = 0; slot < SlotTable::SlotCount; ++slot) {
          const int kind = item.Effect(slot, EffectField::Kind);
          if (kind >= 1 && kind <= 4) {
            Refer(RefTarget::Spell, item.Effect(slot, EffectField::What) + SpellListBase,
                  {GameFile::Items, entry, SlotKind::Effect, slot},
                  EffectKindTexts[static_cast<std::size_t>(kind)]);
          }
        }
        return Blank(item.ItemName);
      }));
  if (!s.ok() || check_.cancelled) return s;
  s = ReadCatalogue<ShopRecord>(GameFile::Shops, "shops", shops_, 0.1, 0.15,
                                Unpacked<ShopRecord>([&](long entry, const ShopRecord& shop) {
                                  for (int p = 0; p < ShopStockSize; ++p) {
                                    const auto position = static_cast<std::size_t>(p);
                                    if (shop.Stock[position] == 0) continue;
                                    Refer(RefTarget::Item, shop.Stock[position],
                                          {GameFile::Shops, entry, SlotKind::Stock, p}, "It");
                                  }
                                  return Blank(shop.ShopName);
                                }));
  if (!s.ok() || check_.cancelled) return s;
  s = ReadCatalogue<CreatureRecord>(
      GameFile::Creatures, "creatures", creatures_, 0.15, 0.25,
      Unpacked<CreatureRecord>([&](long entry, const CreatureRecord& c) {
        Refer(RefTarget::CreaturePicture, c.Bitmap, {GameFile::Creatures, entry}, "Bitmap");
        for (int slot = 0; slot < SlotTable::SlotCount; ++slot) {
          if (c.CreatureSpecial(slot, SpecialSlotField::Effect) != CastSpellEffect) continue;
          Refer(RefTarget::Spell, c.CreatureSpecial(slot, SpecialSlotField::Power) + SpellListBase,
                {GameFile::Creatures, entry, SlotKind::CreatureSpecial, slot}, "Cast Spell");
        }
        return Blank(c.CreatureName);
      }));
  return s;
}

// A spell is named only by its number; its descriptions, most of the file, are not decoded.
Status GameScan::ReadSpells() {
  return ReadCatalogue<SpellRecord>(GameFile::Spells, "spells", spells_, 0.0, 1.0,
                                    [](long, std::span<const std::uint8_t> packed) {
                                      return std::make_pair(
                                          static_cast<long>(SpellRecord::NumberIn(packed)),
                                          Blank(SpellRecord::NameIn(packed)));
                                    });
}

Status GameScan::ReadProgression() {
  Held progression;
  // Class, level and spell, as one key -> the first entry that holds them.
  FirstEntries rows(static_cast<std::size_t>(std::min<std::uintmax_t>(
      EntriesInFile("MagProg.dat", SpellProgRecord::SlotLength), 32768)));
  return ReadCatalogue<SpellProgRecord>(
      GameFile::SpellProgression, "entries", progression, 0.25, 0.3,
      Unpacked<SpellProgRecord>([&](long entry, const SpellProgRecord& row) {
        const Place at{GameFile::SpellProgression, entry};
        if (row.ProgClass < 0 || row.ProgClass >= static_cast<int>(ClassNames.size())) {
          Add(Severity::Warning, at,
              "Its class code " + Number(row.ProgClass) +
                  " is none of the eight classes (0 to 7): the spell progression never shows it");
        }
        if (row.ProgLevel < 1 || row.ProgLevel > ProgLevels) {
          Add(Severity::Warning, at,
              "Its level " + Number(row.ProgLevel) +
                  " lies outside 1..20: the spell progression never shows it");
        }
        Refer(RefTarget::Spell, row.ProgSpell, at, "Spell");
        if (row.ProgReplaces > 0) Refer(RefTarget::Spell, row.ProgReplaces, at, "Replaces");
        const auto key = [](std::int16_t v) {
          return static_cast<std::uint64_t>(static_cast<std::uint16_t>(v));
        };
        const long first = rows.FirstOf(
            key(row.ProgClass) << 32 | key(row.ProgLevel) << 16 | key(row.ProgSpell), entry);
        if (first != entry) {
          Add(Severity::Warning, at,
              "It repeats entry " + Number(first) + ": the same class, level and spell");
        }
        return false;
      }));
}

}  // namespace core
