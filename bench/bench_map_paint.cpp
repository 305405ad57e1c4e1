// The main window's paint against its floor: redrawing the whole map view, the specials panel
// and the encounter labels should cost at most 1.5 times the bare transfer of the side glyphs.

#include "core/creature_record.h"
#include "core/definitions.h"
#include "core/map_record.h"
#include "core/tile_sheet.h"
#include "maps/map_view.h"
#include "maps/special_descriptions.h"
#include "ui/picture_box.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int SelectedX = 16, SelectedY = 16;
constexpr int SpecialsOnSelectedSquare = 6;
constexpr int CreatureCount = 11;

// Mon.dat with the header and eleven named creatures.
void WriteBestiary(const std::filesystem::path& file) {
  std::vector<std::uint8_t> bytes((CreatureCount + 1) * core::CreatureRecord::SlotLength, 0);
  bytes[0] = CreatureCount;
  for (int k = 1; k <= CreatureCount; ++k) {
    core::CreatureRecord creature;
    creature.CreatureNo = static_cast<std::int16_t>(k);
    creature.CreatureName = "Creature " + std::to_string(k);
    creature.PluralName = "Creatures " + std::to_string(k);
    creature.pack(std::span<std::uint8_t>(bytes.data() + k * core::CreatureRecord::SlotLength,
                                          core::CreatureRecord::PackedSize));
  }
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// Every side gets a wall code 0..7 at random, so about seven sides in eight carry a glyph; with
// `sparse` half of the sides are left open instead.
core::MapRecord BusyMap(bool sparse) {
  core::MapRecord map;
  std::mt19937 random(1089);
  std::uniform_int_distribution<int> code(0, 7);
  std::bernoulli_distribution open(0.5);
  for (int y = 0; y < core::MapSize; ++y) {
    for (int x = 0; x < core::MapSize; ++x) {
      for (int side = 0; side < core::SideCount; ++side) {
        const int wall = sparse && open(random) ? 0 : code(random);
        map.SetWallCode(x, y, side, wall);
      }
    }
  }
  // All 101 specials in use, every kind, a handful on the selected square.
  for (int i = 0; i < core::SpecialCount; ++i) {
    core::MapSpecial special;
    special.Kind = static_cast<std::int16_t>(1 + i % 8);
    const bool onSelected = i % 17 == 0 && i / 17 < SpecialsOnSelectedSquare;
    special.SquareX = static_cast<std::int16_t>(onSelected ? SelectedX : (i * 7) % core::MapSize);
    special.SquareY = static_cast<std::int16_t>(onSelected ? SelectedY : (i * 11) % core::MapSize);
    special.Param1 = static_cast<std::int16_t>(special.Kind == 5 ? 1 + i % CreatureCount : i % 4);
    special.Param2 = static_cast<std::int16_t>(i % 16);
    map.PutSpecial(i, special);
  }
  for (int slot = 0; slot < core::EncounterSlotCount; ++slot) {
    map.SetEncounter(slot, core::EncounterField::Creature, static_cast<std::int16_t>(slot + 1));
    map.SetEncounter(slot, core::EncounterField::DiceCount, 2);
    map.SetEncounter(slot, core::EncounterField::DiceSides, 6);
    map.SetEncounter(slot, core::EncounterField::DiceBonus, static_cast<std::int16_t>(slot - 5));
    map.SetEncounter(slot, core::EncounterField::OthersChance, 25);
  }
  return map;
}

struct PaintFixture {
  QTemporaryDir dir;
  std::unique_ptr<core::ModDefinitions> defs;
  QImage background = ui::ToQImage(core::MakeMapBackground());
  QImage tiles = ui::ToQImage(core::MakeTileSheet());
  core::MapRecord busy = BusyMap(false);
  core::MapRecord sparse = BusyMap(true);
  bool ready = false;

  PaintFixture() {
    const std::filesystem::path root(dir.path().toStdString());
    std::filesystem::create_directories(root / "Dat");
    WriteBestiary(root / "Dat" / "Mon.dat");
    defs = std::make_unique<core::ModDefinitions>(root);
    ready = dir.isValid() && defs->OpenCreatureFile().ok() &&
            defs->CreatureName(1).starts_with("Creature 1");  // fills the name cache
  }
};

PaintFixture& Fixture() {
  static PaintFixture fixture;
  return fixture;
}

const core::MapRecord& MapOf(const benchmark::State& state) {
  return state.range(0) == 0 ? Fixture().busy : Fixture().sparse;
}

struct PlacedGlyph {
  int x, y;
  const core::GlyphRect* glyph;
};

// Every side glyph of the map with its place in the view, in drawing order.
std::vector<PlacedGlyph> SideGlyphsOf(const core::MapRecord& map) {
  std::vector<PlacedGlyph> glyphs;
  for (int x = 0; x < core::MapSize; ++x) {
    for (int y = 0; y < core::MapSize; ++y) {
      for (int side = 0; side < core::SideCount; ++side) {
        const core::GlyphRect* glyph = core::WallGlyph(map.WallCode(x, y, side), side);
        if (glyph != nullptr) glyphs.push_back({13 * x + 1, 13 * y + 1, glyph});
      }
    }
  }
  return glyphs;
}

// What Form_Paint does for the map view and its labels, short of setting the label texts.
void BM_FullMapPaint(benchmark::State& state) {
  PaintFixture& fixture = Fixture();
  if (!fixture.ready) {
    state.SkipWithError("cannot build the test data folder");
    return;
  }
  const core::MapRecord& map = MapOf(state);
  QImage view(fixture.background.size(), QImage::Format_RGB32);
  for (auto _ : state) {
    // The picture box's clear: the background picture covers the whole view.
    ui::BitBlt(view, 0, 0, fixture.background.width(), fixture.background.height(),
               fixture.background, 0, 0, ui::RasterOp::Copy);
    maps::DrawMapGrid(view, fixture.tiles, map, SelectedX, SelectedY);
    const maps::SpecialsPanel panel =
        maps::BuildSpecialsPanel(*fixture.defs, map, SelectedX, SelectedY, 0);
    for (int slot = 0; slot < core::EncounterSlotCount; ++slot) {
      const maps::EncounterLabels labels = maps::DescribeEncounter(*fixture.defs, map, slot);
      benchmark::DoNotOptimize(labels.creature.data());
    }
    const std::string counter = maps::SpecialsCountText(panel.total);
    benchmark::DoNotOptimize(panel.lines[0].data());
    benchmark::DoNotOptimize(counter.data());
    benchmark::DoNotOptimize(view.constBits());
  }
  state.counters["glyphs"] = static_cast<double>(SideGlyphsOf(map).size());
}

// The floor: only the AND transfers of every side glyph of every square, from a list made
// before timing.
void BM_BareGlyphBlits(benchmark::State& state) {
  PaintFixture& fixture = Fixture();
  if (!fixture.ready) {
    state.SkipWithError("cannot build the test data folder");
    return;
  }
  const std::vector<PlacedGlyph> glyphs = SideGlyphsOf(MapOf(state));
  QImage view = fixture.background.copy();
  for (auto _ : state) {
    for (const PlacedGlyph& placed : glyphs) {
      ui::BitBlt(view, placed.x, placed.y, placed.glyph->width, placed.glyph->height, fixture.tiles,
                 placed.glyph->x, placed.glyph->y, ui::RasterOp::And);
    }
    benchmark::DoNotOptimize(view.constBits());
  }
  state.counters["glyphs"] = static_cast<double>(glyphs.size());
}

}  // namespace

// Argument 0: a busy map (about 7 sides in 8 walled); 1: a sparse one (about half as many).
BENCHMARK(BM_FullMapPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareGlyphBlits)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
