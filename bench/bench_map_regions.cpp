// Pasting a whole map's worth of squares: 33 x 33 squares and 101 specials from the clipboard,
// with the main window's repaint, should take no more than 16 ms (one frame). Beside it, the
// same paste on the map document alone, without a window.

#include "core/bitmap.h"
#include "core/definitions.h"
#include "core/map_region.h"
#include "core/tile_sheet.h"
#include "maps/frm_map_ed.h"
#include "maps/region_clipboard.h"
#include "window_bench.h"

#include <QAction>
#include <QApplication>

#include <benchmark/benchmark.h>

#include <random>
#include <stdexcept>

namespace {

using bench_support::CountingDialogs;
using bench_support::GeneratedGame;

// Every side walled at random, all 101 specials in use over the map, eleven encounters.
core::MapRecord fullMap() {
  core::MapRecord map;
  map.MapNo = 1;
  std::mt19937 random(1089);
  for (int y = 0; y < core::MapSize; ++y) {
    for (int x = 0; x < core::MapSize; ++x)
      map.SetSquare(x, y, static_cast<std::int16_t>(random() & 0x0FFF));
  }
  for (int i = 0; i < core::SpecialCount; ++i) {
    map.PutSpecial(i, {static_cast<std::int16_t>(1 + i % 8), 0,
                       static_cast<std::int16_t>((i * 7) % core::MapSize),
                       static_cast<std::int16_t>((i * 11) % core::MapSize),
                       static_cast<std::int16_t>(1 + i % 3), static_cast<std::int16_t>(i % 16), 0,
                       0, 0, 0, 0});
  }
  for (int s = 0; s < core::EncounterSlotCount; ++s) {
    map.SetEncounter(s, core::EncounterField::Creature, static_cast<std::int16_t>(s + 1));
    map.SetEncounter(s, core::EncounterField::DiceCount, 2);
    map.SetEncounter(s, core::EncounterField::DiceSides, 6);
  }
  return map;
}

const GeneratedGame& game() {
  static const std::unique_ptr<GeneratedGame> made = [] {
    auto generated = bench_support::generateGame(bench_support::ScreenfulCatalogue);
    const auto data = generated->root() / "Data";
    if (!core::WriteBmp(data / "Back.bmp", core::MakeMapBackground()).ok() ||
        !core::WriteBmp(data / "Tiles.bmp", core::MakeTileSheet()).ok())
      throw std::runtime_error("cannot write the pictures");
    return generated;
  }();
  return *made;
}

// The map the squares go onto: its own walls and encounters, no specials (all 101 are needed).
core::MapRecord targetMap() {
  core::MapRecord map = fullMap();
  for (int i = 0; i < core::SpecialCount; ++i) map.PutSpecial(i, core::MapSpecial{});
  return map;
}

// Ctrl+V's menu entry on the main window, and the window painting what changed.
void BM_PasteWholeMapWithRepaint(benchmark::State& state) {
  CountingDialogs dialogs;
  core::ModDefinitions defs(game().root());
  ui::ChangeHub hub(defs);
  ui::FormsRegistry registry(&hub);
  registry.add("frmMapEd", [&defs, &dialogs, &registry] {
    return std::make_unique<maps::frmMapEd>(defs, dialogs, registry);
  });
  ui::Form* window = registry.show("frmMapEd");
  QApplication::processEvents();
  auto* paste = window ? window->findChild<QAction*>("mnuPaste") : nullptr;
  if (!paste || dialogs.messages != 0) {
    state.SkipWithError("the main window did not start cleanly");
    return;
  }
  maps::PutRegionOnClipboard(core::CopyRegion(fullMap(), core::SquareRect::WholeMap()));
  const core::MapRecord target = targetMap();
  for (auto _ : state) {
    state.PauseTiming();
    defs.Document().Replace(target, 1);
    defs.Document().Select(0, 0);
    QApplication::processEvents();
    state.ResumeTiming();
    paste->trigger();
    QApplication::processEvents();
  }
  if (dialogs.messages != 0 || defs.Document().Map().SpecialsInUse() != core::SpecialCount)
    state.SkipWithError("the paste did not go through");
}

// The same paste on the document only: reading the byte form, the checks, the step and its
// undo record, and the change notice to nobody.
void BM_PasteWholeMapInDocument(benchmark::State& state) {
  std::int16_t number = 1, x = 0, y = 0;
  core::MapDocument document(number, x, y);
  const std::vector<std::uint8_t> bytes =
      core::RegionBytes(core::CopyRegion(fullMap(), core::SquareRect::WholeMap()));
  const core::MapRecord target = targetMap();
  for (auto _ : state) {
    state.PauseTiming();
    document.Replace(target, 1);
    state.ResumeTiming();
    const core::Result<core::MapRegion> region = core::RegionFromBytes(bytes);
    if (!region.ok() || !core::PasteRegion(document, *region).ok()) {
      state.SkipWithError("the paste was refused");
      break;
    }
  }
}

}  // namespace

BENCHMARK(BM_PasteWholeMapWithRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteWholeMapInDocument)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] { game(); });
}
