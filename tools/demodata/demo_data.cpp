#include "demodata/demo_data.h"

#include "core/bitmap.h"
#include "core/catalogue_records.h"
#include "core/map_record.h"
#include "core/record_file.h"
#include "core/tile_sheet.h"
#include "demodata/demo_catalogues.h"
#include "demodata/demo_maps.h"
#include "demodata/demo_pictures.h"

#include <cstdint>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace demodata {

namespace fs = std::filesystem;

namespace {

constexpr std::int16_t DrawPictureKind = 3;

// Clears the way for a fresh file: an older copy under any letter case goes first, so the
// editor (which matches names regardless of case) finds only the new one.
core::Status RemoveOld(const fs::path& folder, const std::string& name) {
  const fs::path old = core::ResolveIgnoringCase(folder, name);
  std::error_code error;
  fs::remove(old, error);
  if (error) {
    return core::Status::Error("Cannot replace " + old.string() + ": " + error.message() + ".");
  }
  return core::Status::Ok();
}

// A catalogue file: slot 1 the header holding the count, entry k in slot k + 1.
template <class Record>
core::Status WriteCatalogue(const fs::path& datFolder, const std::string& name,
                            const std::vector<Record>& entries) {
  const fs::path path = datFolder / name;
  if (core::Status removed = RemoveOld(datFolder, name); !removed.ok()) return removed;
  auto opened = core::RecordFile::Open(path, Record::SlotLength);
  if (!opened.ok()) return opened.status();
  core::RecordFile& file = *opened;

  std::vector<std::uint8_t> bytes(Record::PackedSize);
  Record header;
  header.entryNumber() = static_cast<std::int16_t>(entries.size());
  header.pack(bytes);
  if (core::Status s = file.Write(1, bytes); !s.ok()) return s;

  for (std::size_t k = 1; k <= entries.size(); ++k) {
    const Record& entry = entries[k - 1];
    if (entry.entryNumber() != static_cast<std::int16_t>(k)) {
      return core::Status::Error("The demo entry at position " + std::to_string(k) + " of " + name +
                                 " carries the number " + std::to_string(entry.entryNumber()) +
                                 ".");
    }
    entry.pack(bytes);
    if (core::Status s = file.Write(static_cast<long>(k) + 1, bytes); !s.ok()) return s;
  }
  return file.Sync();
}

core::Status WriteMaps(const fs::path& datFolder) {
  const std::string name = "Maps.dat";
  if (core::Status removed = RemoveOld(datFolder, name); !removed.ok()) return removed;
  auto opened = core::RecordFile::Open(datFolder / name, core::MapRecord::SlotLength);
  if (!opened.ok()) return opened.status();
  std::vector<std::uint8_t> bytes(core::MapRecord::PackedSize);
  for (const core::MapRecord& map : DemoMaps()) {
    map.pack(bytes);
    if (core::Status s = opened->Write(map.MapNo, bytes); !s.ok()) return s;
  }
  return opened->Sync();
}

core::Status WritePicture(const fs::path& dataFolder, const std::string& name,
                          const core::Bitmap& bitmap) {
  if (core::Status removed = RemoveOld(dataFolder, name); !removed.ok()) return removed;
  return core::WriteBmp(dataFolder / name, bitmap);
}

core::Status MakeFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    return core::Status::Error("Cannot create the folder " + folder.string() + ": " +
                               error.message() + ".");
  }
  return core::Status::Ok();
}

}  // namespace

std::set<int> UsedMapPictures() {
  std::set<int> numbers;
  for (const core::MapRecord& map : DemoMaps()) {
    for (int i = 0; i < core::SpecialCount; ++i) {
      const core::MapSpecial special = map.GetSpecial(i);
      if (special.Kind == DrawPictureKind) numbers.insert(special.Param1);
    }
  }
  return numbers;
}

std::set<int> UsedCreaturePictures() {
  std::set<int> numbers;
  for (const core::CreatureRecord& creature : DemoCreatures()) numbers.insert(creature.Bitmap);
  return numbers;
}

core::Status WriteDemoData(const fs::path& outFolder) {
  const fs::path datFolder = outFolder / "Dat";
  const fs::path dataFolder = outFolder / "Data";
  for (const fs::path& folder : {datFolder, dataFolder}) {
    if (core::Status s = MakeFolder(folder); !s.ok()) return s;
  }

  const std::function<core::Status()> steps[] = {
      [&] { return WriteMaps(datFolder); },
      [&] { return WriteCatalogue(datFolder, "Item.dat", DemoItems()); },
      [&] { return WriteCatalogue(datFolder, "Mon.dat", DemoCreatures()); },
      [&] { return WriteCatalogue(datFolder, "Shop.dat", DemoShops()); },
      [&] { return WriteCatalogue(datFolder, "Mag.dat", DemoSpells()); },
      [&] { return WriteCatalogue(datFolder, "MagProg.dat", DemoSpellProgression()); },
  };
  for (const auto& step : steps) {
    if (core::Status s = step(); !s.ok()) return s;
  }

  if (core::Status s = WritePicture(dataFolder, "Back.bmp", core::MakeMapBackground()); !s.ok()) {
    return s;
  }
  if (core::Status s = WritePicture(dataFolder, "Tiles.bmp", core::MakeTileSheet()); !s.ok()) {
    return s;
  }
  for (int n : UsedMapPictures()) {
    const std::string name = "Map" + std::to_string(n) + ".bmp";
    if (core::Status s = WritePicture(dataFolder, name, DrawMapPicture(n)); !s.ok()) return s;
  }
  for (int n : UsedCreaturePictures()) {
    const std::string name = "Mon" + std::to_string(n) + ".bmp";
    if (core::Status s = WritePicture(dataFolder, name, DrawCreaturePicture(n)); !s.ok()) {
      return s;
    }
  }
  return core::Status::Ok();
}

}  // namespace demodata
