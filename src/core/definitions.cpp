#include "core/definitions.h"

#include "core/catalogue_sweep.h"
#include "core/map_summaries.h"
#include "core/record_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

namespace core {

namespace {

// Where each catalogue keeps the names its lists show, as packed on disk.
constexpr NameField ItemNameField{2, ItemNameWidth};
constexpr NameField ItemPluralField{2 + ItemNameWidth, ItemNameWidth};
constexpr NameField CreatureNameField{2, CreatureNameWidth};
constexpr NameField CreaturePluralField{2 + CreatureNameWidth, CreatureNameWidth};
constexpr NameField ShopNameField{4, ShopNameWidth};
constexpr NameField SpellNameField{2, SpellNameWidth};

// What start-up says about a file it opened: made because it was missing, or not writable.
void NoticeFileState(const RecordFile& file, std::vector<std::string>& notices) {
  if (file.created()) {
    notices.push_back(file.path().string() + " was missing and has been created empty.");
  }
  if (file.readOnly()) {
    notices.push_back(file.path().string() +
                      " is read-only: it can be read, but saves to it will fail.");
  }
}

// Start-up names, once per file, the entries whose number is not their place (a file written by
// another tool): the editors keep each in its own slot, and the designer knows to look.
template <class Record>
void NoticeMisnumbered(const Catalogue<Record>& catalogue, long entries, const std::string& noun,
                       std::vector<std::string>& notices) {
  long misnumbered = 0;
  long firstSlot = 0;
  long firstNumber = 0;
  const Status read = ForEachEntry(catalogue, entries, [&](long entry, const Record& record) {
    if (record.entryNumber() == entry) return;
    if (misnumbered++ == 0) {
      firstSlot = entry;
      firstNumber = record.entryNumber();
    }
  });
  if (!read.ok() || misnumbered == 0) return;
  const std::string said =
      misnumbered == 1
          ? "1 entry carries another number than its place: "
          : std::to_string(misnumbered) + " entries carry another number than their place, first: ";
  notices.push_back(catalogue.file().path().string() + ": " + said + "slot " +
                    std::to_string(firstSlot) + " says " + noun + " " +
                    std::to_string(firstNumber));
}

// Opens a catalogue and takes its header into the working record and its count. `noun` names
// an entry in the notices ("item"); empty for a catalogue whose numbers no editor shows.
template <class Record>
Status OpenWithHeader(const Result<std::filesystem::path>& datFolder, Catalogue<Record>& catalogue,
                      Record& working, long& count, std::vector<std::string>& notices,
                      const std::string& noun = {}) {
  if (!datFolder.ok()) return datFolder.status();
  Status status = catalogue.Open(*datFolder);
  if (!status.ok()) return status;
  NoticeFileState(catalogue.file(), notices);
  auto header = catalogue.ReadSlot(1);
  if (!header.ok()) return header.status();
  working = std::move(header.value());
  count = working.entryNumber();
  const std::string where = catalogue.file().path().string();
  auto size = catalogue.file().Size();
  if (!size.ok()) return size.status();
  // A slot cut short still counts: its missing bytes read as zeros.
  const std::uint64_t slots = (*size + Record::SlotLength - 1) / Record::SlotLength;
  const long held =
      static_cast<long>(std::min<std::uint64_t>(slots > 0 ? slots - 1 : 0, MaxEntries));
  if (count < 0) {
    // Left on disk as it is until the next addition writes a sound count; meanwhile every whole
    // entry the file holds is shown, and an addition goes after them.
    count = EntriesCounted(count, *size, Record::SlotLength);
    notices.push_back(where + ": the header counts " + std::to_string(working.entryNumber()) +
                      " entries; taken as " + std::to_string(count) +
                      ", the entries the file holds");
  } else if (count > held) {
    notices.push_back(where + ": the header counts " + std::to_string(count) +
                      " entries, but the file holds only " + std::to_string(held) +
                      "; the missing entries read as empty");
  } else if (!noun.empty() && count < held) {
    // An addition stopped between its entry and its header leaves an entry the count does not
    // name: said once, so the designer knows why the next one reuses its slot.
    const long extra = held - count;
    notices.push_back(where + ": holds " + std::to_string(extra) +
                      (extra == 1 ? " entry" : " entries") + " past its count of " +
                      std::to_string(count) + ", from slot " + std::to_string(count + 2) +
                      " (an addition cut short?); the next new " + noun + " is written there");
  }
  if (!noun.empty()) NoticeMisnumbered(catalogue, std::min(count, held), noun, notices);
  return Status::Ok();
}

// Several failures as one, each message said once, in the order they came.
Status Together(const std::vector<Status>& statuses) {
  std::vector<std::string> lines;
  for (const Status& status : statuses) {
    if (status.ok()) continue;
    std::size_t start = 0;
    const std::string& message = status.message();
    while (start <= message.size()) {
      const std::size_t end = std::min(message.find('\n', start), message.size());
      std::string line = message.substr(start, end - start);
      if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
      start = end + 1;
    }
  }
  if (lines.empty()) return Status::Ok();
  std::string joined = lines.front();
  for (std::size_t i = 1; i < lines.size(); ++i) joined += "\n" + lines[i];
  return Status::Error(joined);
}

// Entry n into the working record (and the scratch record, when given); `place` remembers where
// the working record came from.
template <class Record>
Status ReadWorking(const Catalogue<Record>& catalogue, long n, Record& working, long& place,
                   Record* scratch = nullptr) {
  auto entry = catalogue.ReadEntry(n);
  if (!entry.ok()) return entry.status();
  if (scratch) *scratch = entry.value();
  working = std::move(entry.value());
  place = n;
  return Status::Ok();
}

template <class Record>
Status ReadOne(const Catalogue<Record>& catalogue, long n, Record& into) {
  auto entry = catalogue.ReadEntry(n);
  if (!entry.ok()) return entry.status();
  into = std::move(entry.value());
  return Status::Ok();
}

// Entry 0 would be the header slot: writing it there would wipe the count.
template <class Record>
Status WriteWorking(Catalogue<Record>& catalogue, const Record& working, long place,
                    bool overwrite) {
  if (place < 1) {
    const std::string where =
        catalogue.isOpen() ? catalogue.file().path().string() : catalogue.fileName();
    return Status::Error("Cannot save entry " + std::to_string(place) + " of " + where +
                         ": entries start at 1");
  }
  return catalogue.WriteEntry(place, working, overwrite);
}

// The appended entry is the last one: the working record now comes from there.
template <class Record>
Status AppendWorking(Catalogue<Record>& catalogue, Record& working, long& count, long& place) {
  const Status status = catalogue.Append(working, count);
  if (status.ok()) place = count;
  return status;
}

// Maps.dat is opened for one load or save and closed again when the file goes out of scope.
Result<RecordFile> OpenMapsFile(const Result<std::filesystem::path>& datFolder,
                                bool createMissing = true) {
  if (!datFolder.ok()) return datFolder.status();
  return RecordFile::Open(ResolveIgnoringCase(*datFolder, "Maps.dat"), MapRecord::SlotLength,
                          createMissing);
}

// Once the editor runs, a missing Maps.dat was removed or renamed under it: a blank file in its
// place would hide that, and a save would write blank maps before its own.
Result<RecordFile> OpenExistingMapsFile(const Result<std::filesystem::path>& datFolder,
                                        const std::string& action) {
  auto file = OpenMapsFile(datFolder, false);
  if (file.ok() || !file.status().fileMissing()) return file;
  const std::filesystem::path path = ResolveIgnoringCase(*datFolder, "Maps.dat");
  return Status::FileMissing("Cannot " + action + ": " + path.string() +
                             " is missing; it was removed or renamed since the editor read it.");
}

// An undo or redo of the catalogue's last write; the count and the working record then follow
// the file (no working record for the spell progression, whose window reads the file itself).
template <class Record>
Status StepAgain(Catalogue<Record>& catalogue, bool redo, bool overwrite, long& count,
                 Record* working = nullptr, long* place = nullptr, Record* scratch = nullptr) {
  const CatalogueHistory& history = catalogue.History();
  if (redo ? !history.CanRedo() : !history.CanUndo()) return Status::Ok();
  const long entry = (redo ? history.ToRedo() : history.ToUndo()).entry;
  Status status = redo ? catalogue.RedoWrite(overwrite) : catalogue.UndoWrite(overwrite);
  if (!status.ok()) return status;
  auto header = catalogue.ReadSlot(1);
  if (!header.ok()) return header.status();
  auto size = catalogue.file().Size();
  if (!size.ok()) return size.status();
  count = EntriesCounted(header->entryNumber(), *size, Record::SlotLength);
  if (!working) return Status::Ok();
  return ReadWorking(catalogue, count < 1 ? 0 : std::min(std::max(entry, 1L), count), *working,
                     *place, scratch);
}

template <class Record>
std::string NameOf(const Catalogue<Record>& catalogue, long n, std::size_t which) {
  auto name = catalogue.Name(n, which);
  return name.ok() ? name.value() : std::string();
}

}  // namespace

ModDefinitions::ModDefinitions(std::filesystem::path dataDir)
    : dataDir_(std::move(dataDir)),
      items_("Item.dat", {ItemNameField, ItemPluralField}),
      creatures_("Mon.dat", {CreatureNameField, CreaturePluralField}),
      shops_("Shop.dat", {ShopNameField}),
      spells_("Mag.dat", {SpellNameField}),
      spellProg_("MagProg.dat", {}),
      references_(dataDir_) {
  items_.NameSteps("Item");
  creatures_.NameSteps("Creature");
  shops_.NameSteps("Shop");
  spells_.NameSteps("Spell");
  spellProg_.NameSteps("Spell Progression Entry");
  // Windows that watch the shared state hear of the map's changes like any other.
  document_.Observe([this](const MapChange& change) {
    const unsigned selection = change.parts & MapChange::Selection ? SelectionChanged : 0u;
    const unsigned map = change.parts & ~unsigned{MapChange::Selection} ? MapChanged : 0u;
    NotifyChanged(selection | map, change.origin);
  });
}

Result<std::filesystem::path> ModDefinitions::DatFolder() const {
  const std::filesystem::path folder = ResolveIgnoringCase(dataDir_, "Dat");
  std::error_code error;
  const auto status = std::filesystem::status(folder, error);
  const auto named = [&folder] {
    std::error_code ignored;
    const auto full = std::filesystem::absolute(folder, ignored);
    return (full.empty() ? folder : full).string();
  };
  if (!std::filesystem::exists(status)) {
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(folder, error))) {
      return Status::Error("Cannot use the Dat folder " + named() +
                           ": it is a link to something that does not exist");
    }
    return Status::Error("Cannot find the Dat folder " + named() + ": " + std::strerror(ENOENT));
  }
  if (!std::filesystem::is_directory(status)) {
    return Status::Error("Cannot use the Dat folder " + named() + ": it is a file, not a folder");
  }
  return folder;
}

std::filesystem::path ModDefinitions::DataFile(const std::string& name) const {
  return ResolveIgnoringCase(ResolveIgnoringCase(dataDir_, "Data"), name);
}

std::filesystem::path ModDefinitions::MapsFile() const {
  auto folder = DatFolder();
  return ResolveIgnoringCase(folder.ok() ? folder.value() : dataDir_ / "Dat", "Maps.dat");
}

// --- Start-up ---

Status ModDefinitions::LoadFirstMap() {
  const auto datFolder = DatFolder();
  if (!datFolder.ok()) return datFolder.status();
  // Existing files can still be saved in place, but nothing missing can be made there.
  if (::access(datFolder->c_str(), W_OK) != 0) {
    notices_.push_back("The Dat folder " + datFolder->string() +
                       " cannot be written: files missing from it cannot be created.");
  }
  auto file = OpenMapsFile(datFolder);
  if (!file.ok()) return file.status();
  NoticeFileState(file.value(), notices_);
  file->Close();
  return LoadMap(1);
}

Status ModDefinitions::OpenCreatureFile() {
  CreatureLen = static_cast<long>(CreatureRecord::SlotLength);
  CreatureEntry = 0;
  return OpenWithHeader(DatFolder(), creatures_, Creature, CreatureCount, notices_, "creature");
}

Status ModDefinitions::OpenItemAndShopFiles() {
  const auto datFolder = DatFolder();
  ItemLen = static_cast<long>(ItemRecord::SlotLength);
  ItemEntry = 0;
  Status items = OpenWithHeader(datFolder, items_, Item, ItemCount, notices_, "item");
  // The equipment editor opens on entry 1 the first time.
  if (items.ok()) items = ReadWorking(items_, 1, Item, ItemEntry);
  ShopLen = static_cast<long>(ShopRecord::SlotLength);
  ShopEntry = 0;
  return Together({items, OpenWithHeader(datFolder, shops_, Shop, ShopCount, notices_, "shop")});
}

Status ModDefinitions::OpenSpellFiles() {
  const auto datFolder = DatFolder();
  SpellLen = static_cast<long>(SpellRecord::SlotLength);
  SpellEntry = 0;
  Status spells = OpenWithHeader(datFolder, spells_, Spell, SpellCount, notices_, "spell");
  SpellProgLen = static_cast<long>(SpellProgRecord::SlotLength);
  return Together(
      {spells, OpenWithHeader(datFolder, spellProg_, SpellProg, SpellProgCount, notices_)});
}

Status ModDefinitions::Startup() {
  notices_.clear();
  std::vector<Status> failures;
  for (Status (ModDefinitions::*step)() :
       {&ModDefinitions::LoadFirstMap, &ModDefinitions::OpenCreatureFile,
        &ModDefinitions::OpenItemAndShopFiles, &ModDefinitions::OpenSpellFiles}) {
    failures.push_back((this->*step)());
  }
  return Together(failures);
}

Status ModDefinitions::ReloadFiles() {
  const auto datFolder = DatFolder();
  std::vector<std::string> notices;  // start-up said them already
  const auto reload = [&](auto& catalogue, auto& working, long& count, long* entry, auto* scratch) {
    auto header = working;
    Status status = OpenWithHeader(datFolder, catalogue, header, count, notices);
    if (!status.ok()) return status;
    if (!entry || *entry < 1) {
      working = header;  // what the window shows is the header (the shop editor after start-up)
      return Status::Ok();
    }
    return ReadWorking(catalogue, std::min(*entry, std::max(count, 1L)), working, *entry, scratch);
  };
  std::vector<Status> failures = {
      reload(items_, Item, ItemCount, &ItemEntry, &ItemScratch),
      reload(creatures_, Creature, CreatureCount, &CreatureEntry, &CreatureScratch),
      reload(shops_, Shop, ShopCount, &ShopEntry, &ShopScratch),
      reload(spells_, Spell, SpellCount, &SpellEntry, &SpellScratch),
      reload(spellProg_, SpellProg, SpellProgCount, nullptr,
             static_cast<SpellProgRecord*>(nullptr))};
  std::error_code error;
  if (CurrentMap >= 1 && std::filesystem::exists(MapsFile(), error))
    failures.push_back(LoadMap(CurrentMap));
  NotifyChanged(MapChanged | ItemsChanged | CreaturesChanged | ShopsChanged | SpellsChanged |
                SpellProgChanged | SelectionChanged);
  return Together(failures);
}

// --- Entry reads ---

Status ModDefinitions::ReadItemPair(long n) {
  return ReadWorking(items_, n, Item, ItemEntry, &ItemScratch);
}
Status ModDefinitions::ReadCreaturePair(long n) {
  return ReadWorking(creatures_, n, Creature, CreatureEntry, &CreatureScratch);
}
Status ModDefinitions::ReadShopPair(long n) {
  return ReadWorking(shops_, n, Shop, ShopEntry, &ShopScratch);
}
Status ModDefinitions::ReadSpellPair(long n) {
  return ReadWorking(spells_, n, Spell, SpellEntry, &SpellScratch);
}
Status ModDefinitions::ReadSpell(long n) {
  return ReadWorking(spells_, n, Spell, SpellEntry);
}
Status ModDefinitions::ReadCreatureScratch(long n) {
  return ReadOne(creatures_, n, CreatureScratch);
}
Status ModDefinitions::ReadSpellScratch(long n) {
  return ReadOne(spells_, n, SpellScratch);
}

// --- Writes ---

Status ModDefinitions::WriteItem(bool overwrite) {
  return WriteWorking(items_, Item, ItemEntry, overwrite);
}
Status ModDefinitions::WriteCreature(bool overwrite) {
  return WriteWorking(creatures_, Creature, CreatureEntry, overwrite);
}
Status ModDefinitions::WriteShop(bool overwrite) {
  return WriteWorking(shops_, Shop, ShopEntry, overwrite);
}
Status ModDefinitions::WriteSpell(bool overwrite) {
  return WriteWorking(spells_, Spell, SpellEntry, overwrite);
}
Status ModDefinitions::AppendItem() {
  return AppendWorking(items_, Item, ItemCount, ItemEntry);
}
Status ModDefinitions::AppendCreature() {
  return AppendWorking(creatures_, Creature, CreatureCount, CreatureEntry);
}
Status ModDefinitions::AppendShop() {
  return AppendWorking(shops_, Shop, ShopCount, ShopEntry);
}
Status ModDefinitions::AppendSpell() {
  return AppendWorking(spells_, Spell, SpellCount, SpellEntry);
}
Status ModDefinitions::AppendSpellProg() {
  return spellProg_.Append(SpellProg, SpellProgCount);
}

// --- Undo of catalogue writes ---

const CatalogueHistory& ModDefinitions::WriteHistory(CatalogueFile file) const {
  switch (file) {
    case CatalogueFile::Items:
      return items_.History();
    case CatalogueFile::Creatures:
      return creatures_.History();
    case CatalogueFile::Shops:
      return shops_.History();
    case CatalogueFile::Spells:
      return spells_.History();
    case CatalogueFile::SpellProgression:
      break;
  }
  return spellProg_.History();
}

Status ModDefinitions::UndoWrite(CatalogueFile file, bool redo, bool overwrite) {
  switch (file) {
    case CatalogueFile::Items:
      return StepAgain(items_, redo, overwrite, ItemCount, &Item, &ItemEntry, &ItemScratch);
    case CatalogueFile::Creatures:
      return StepAgain(creatures_, redo, overwrite, CreatureCount, &Creature, &CreatureEntry,
                       &CreatureScratch);
    case CatalogueFile::Shops:
      return StepAgain(shops_, redo, overwrite, ShopCount, &Shop, &ShopEntry, &ShopScratch);
    case CatalogueFile::Spells:
      return StepAgain(spells_, redo, overwrite, SpellCount, &Spell, &SpellEntry, &SpellScratch);
    case CatalogueFile::SpellProgression:
      break;
  }
  return StepAgain(spellProg_, redo, overwrite, SpellProgCount);
}

void ModDefinitions::pack_shop_stock() {
  core::pack_shop_stock(Shop.Stock);
}

// --- Maps.dat ---

Status ModDefinitions::LoadMap(long mapNumber) {
  if (mapNumber < 1) {
    return Status::Error("Cannot read map " + std::to_string(mapNumber) + " from " +
                         MapsFile().string() + ": map numbers start at 1");
  }
  auto file = OpenExistingMapsFile(DatFolder(), "open map " + std::to_string(mapNumber));
  if (!file.ok()) return file.status();
  std::vector<std::uint8_t> bytes(MapRecord::PackedSize);
  Status status = file->Read(mapNumber, bytes);
  if (!status.ok()) return status;
  mapsSeen_.remember(mapNumber, bytes);
  document_.Replace(MapRecord::unpack(bytes), static_cast<std::int16_t>(mapNumber));
  return Status::Ok();
}

Status ModDefinitions::SaveMap(long mapNumber, bool overwrite) {
  if (mapNumber < 1) {
    return Status::Error("Cannot save map " + std::to_string(mapNumber) + " to " +
                         MapsFile().string() + ": map numbers start at 1");
  }
  auto file = OpenExistingMapsFile(DatFolder(), "save map " + std::to_string(mapNumber));
  if (!file.ok()) return file.status();
  if (!overwrite) {
    Status status = mapsSeen_.check(file.value(), mapNumber, "Map " + std::to_string(mapNumber));
    if (!status.ok()) return status;
  }
  std::vector<std::uint8_t> bytes(MapRecord::PackedSize);
  document_.Map().pack(bytes);
  Status status = file->Store(mapNumber, bytes);
  if (!status.ok()) {
    // What the failure left is this editor's doing, not another editor's change.
    if (file->Read(mapNumber, bytes).ok()) mapsSeen_.remember(mapNumber, bytes);
    return status;
  }
  mapsSeen_.remember(mapNumber, bytes);
  document_.MarkSaved();
  return Status::Ok();
}

Result<RecordFile> ModDefinitions::OpenMapsForReading(const std::string& action) const {
  const auto datFolder = DatFolder();
  if (!datFolder.ok()) return datFolder.status();
  const std::filesystem::path path = ResolveIgnoringCase(*datFolder, "Maps.dat");
  auto file = RecordFile::OpenForReading(path, MapRecord::SlotLength);
  if (file.ok() || !file.status().fileMissing()) return file;
  return Status::FileMissing("Cannot " + action + ": " + path.string() + " is missing.");
}

std::int16_t ModDefinitions::FreeMapNumber() const {
  auto file = OpenMapsForReading("find a free map number");
  if (!file.ok()) return 1;
  const auto free = FirstFreeMapNumber(*file);
  return static_cast<std::int16_t>(free.ok() ? std::min<long>(*free, MaxEntries) : 1);
}

Status ModDefinitions::CreateMapsFile() {
  auto file = OpenMapsFile(DatFolder());
  if (!file.ok()) return file.status();
  // The maps read from the old file are no guide to the new one.
  if (file->created()) mapsSeen_.forgetAll();
  return Status::Ok();
}

// --- Names ---

std::string ModDefinitions::CreatureName(long n) const {
  return NameOf(creatures_, n, 0);
}
std::string ModDefinitions::CreaturePluralName(long n) const {
  return NameOf(creatures_, n, 1);
}
std::string ModDefinitions::ItemName(long n) const {
  return NameOf(items_, n, 0);
}
std::string ModDefinitions::ItemPluralName(long n) const {
  return NameOf(items_, n, 1);
}
std::string ModDefinitions::ShopName(long n) const {
  return NameOf(shops_, n, 0);
}
std::string ModDefinitions::SpellName(long n) const {
  return NameOf(spells_, n, 0);
}

// --- Change notification ---

int ModDefinitions::Subscribe(ChangeListener listener) {
  const int id = nextListenerId_++;
  listeners_.emplace_back(id, std::move(listener));
  return id;
}

void ModDefinitions::Unsubscribe(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void ModDefinitions::NotifyChanged(unsigned changes, const void* origin) {
  // A listener may close a window (and unsubscribe it, or another one) while we call round:
  // only those still subscribed at their turn hear the change.
  std::vector<int> ids;
  ids.reserve(listeners_.size());
  for (const auto& entry : listeners_) ids.push_back(entry.first);
  for (int id : ids) {
    ChangeListener listener;
    for (const auto& entry : listeners_) {
      if (entry.first == id) listener = entry.second;
    }
    if (listener) listener(changes, origin);
  }
}

}  // namespace core
