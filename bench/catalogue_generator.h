#pragma once

// Writes game folders with catalogues of any size (up to the 32767 a header can count) for the
// benchmarks. Each file is written once, in large blocks, into a temporary folder.

#include "core/catalogue_records.h"
#include "core/map_record.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench_support {

inline constexpr long LargestCatalogue = 32767;

// A temporary game folder (Dat and Data); removed with the object.
class GeneratedGame {
 public:
  GeneratedGame() {
    if (!dir_.isValid()) throw std::runtime_error("cannot make a temporary folder");
    std::filesystem::create_directories(dat());
    std::filesystem::create_directories(root() / "Data");
  }
  std::filesystem::path root() const { return dir_.path().toStdString(); }
  std::filesystem::path dat() const { return root() / "Dat"; }

 private:
  QTemporaryDir dir_;
};

// Slot 1 holds the count, entry k (made by `make(k)`) slot k + 1 with its number set to k.
// Slack is zero, as the editor leaves it.
template <class Record, class MakeEntry>
void writeCatalogueFile(const std::filesystem::path& file, long entries, MakeEntry make) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  const std::size_t slot = Record::SlotLength;
  const std::size_t slotsPerBlock = std::max<std::size_t>(1, (std::size_t{1} << 20) / slot);
  std::vector<std::uint8_t> block;
  block.reserve(slotsPerBlock * slot);
  const auto flush = [&] {
    out.write(reinterpret_cast<const char*>(block.data()),
              static_cast<std::streamsize>(block.size()));
    block.clear();
  };
  for (long k = 0; k <= entries; ++k) {
    const std::size_t at = block.size();
    block.resize(at + slot, 0);
    if (k == 0) {
      block[at] = static_cast<std::uint8_t>(entries & 0xFF);
      block[at + 1] = static_cast<std::uint8_t>((entries >> 8) & 0xFF);
    } else {
      Record entry = make(k);
      entry.entryNumber() = static_cast<std::int16_t>(k);
      entry.pack(std::span<std::uint8_t>(block.data() + at, Record::PackedSize));
    }
    if (block.size() >= slotsPerBlock * slot) flush();
  }
  flush();
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

inline core::ItemRecord generatedItem(long k) {
  core::ItemRecord item;
  item.ItemName = "Item " + std::to_string(k);
  item.PluralName = "Items " + std::to_string(k);
  item.Cost = static_cast<std::int16_t>(k % 1000);
  return item;
}

inline core::CreatureRecord generatedCreature(long k) {
  core::CreatureRecord creature;
  creature.CreatureName = "Creature " + std::to_string(k);
  creature.PluralName = "Creatures " + std::to_string(k);
  creature.Level = static_cast<std::int16_t>(k % 20 + 1);
  return creature;
}

inline core::ShopRecord generatedShop(long k) {
  core::ShopRecord shop;
  shop.ShopName = "Shop " + std::to_string(k);
  shop.Stock[0] = static_cast<std::int16_t>(k);
  return shop;
}

inline core::SpellRecord generatedSpell(long k) {
  core::SpellRecord spell;
  spell.SpellName = "Spell " + std::to_string(k);
  spell.CastLevel = static_cast<std::int16_t>(k % 9 + 1);
  spell.Description = "A spell made for measuring, number " + std::to_string(k);
  return spell;
}

inline core::SpellProgRecord generatedProgression(long k) {
  core::SpellProgRecord progression;
  progression.ProgClass = static_cast<std::int16_t>(k % 8);
  progression.ProgLevel = static_cast<std::int16_t>(k % 30 + 1);
  progression.ProgSpell = static_cast<std::int16_t>(k);
  return progression;
}

// More entries than a list window shows at once: a list over it draws a whole screen of rows,
// as a list over the largest catalogue does, so the two differ only in what the catalogue adds.
inline constexpr long ScreenfulCatalogue = 100;

// A game folder whose five catalogues hold `entries` entries each and whose Maps.dat holds
// `maps` maps.
inline std::unique_ptr<GeneratedGame> generateGame(long entries, int maps = 1) {
  auto game = std::make_unique<GeneratedGame>();
  const auto dat = game->dat();
  writeCatalogueFile<core::ItemRecord>(dat / "Item.dat", entries, generatedItem);
  writeCatalogueFile<core::CreatureRecord>(dat / "Mon.dat", entries, generatedCreature);
  writeCatalogueFile<core::ShopRecord>(dat / "Shop.dat", entries, generatedShop);
  writeCatalogueFile<core::SpellRecord>(dat / "Mag.dat", entries, generatedSpell);
  writeCatalogueFile<core::SpellProgRecord>(dat / "MagProg.dat", entries, generatedProgression);

  std::ofstream out(dat / "Maps.dat", std::ios::binary | std::ios::trunc);
  std::vector<std::uint8_t> slot(core::MapRecord::SlotLength, 0);
  for (int n = 1; n <= maps; ++n) {
    core::MapRecord map;
    map.MapNo = static_cast<std::int16_t>(n);
    map.SetSquare(n % core::MapSize, 0, 0x0F0F);
    map.pack(std::span<std::uint8_t>(slot.data(), core::MapRecord::PackedSize));
    out.write(reinterpret_cast<const char*>(slot.data()),
              static_cast<std::streamsize>(slot.size()));
  }
  if (!out) throw std::runtime_error("cannot write Maps.dat");
  return game;
}

// The largest game: LargestCatalogue entries in every catalogue and 1000 maps, generated once
// per program.
inline const GeneratedGame& LargestGame() {
  static const auto game = generateGame(LargestCatalogue, 1000);
  return *game;
}

// The game of `entries` entries per catalogue (one map), generated once per program.
inline const GeneratedGame& SharedGame(long entries) {
  static std::map<long, std::unique_ptr<GeneratedGame>> games;
  auto& game = games[entries];
  if (!game) game = generateGame(entries);
  return *game;
}

}  // namespace bench_support
