// Start-up to the first painted main window: with every catalogue at its largest (32767
// entries) it should take no more than 1.2 times as long as with empty catalogues. Both are
// measured in the same run on the same map: one whose eleven encounter slots name creatures,
// so the paint looks up creature names.

#include "catalogue_generator.h"
#include "core/bitmap.h"
#include "core/definitions.h"
#include "core/tile_sheet.h"
#include "maps/frm_map_ed.h"
#include "ui/change_hub.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using bench_support::GeneratedGame;

// Messages are counted, not shown: a benchmark that raised one would measure the wrong thing.
class CountingDialogs final : public ui::Dialogs {
 public:
  int messages = 0;
  QString inputBox(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  void messageBox(QWidget*, const QString&, const QString&) override { ++messages; }
  SaveChoice askSaveDiscardCancel(QWidget*, const QString&, const QString&) override {
    return SaveChoice::Cancel;
  }
  bool askOverwrite(QWidget*, const QString&, const QString&) override { return false; }
  QString chooseDirectory(QWidget*, const QString&) override { return {}; }
};

// Map 1 with walls, eleven encounters (creatures 1..11) and 30 specials, three of them on the
// square selected at start-up; plus the two pictures.
void writeMapAndPictures(const GeneratedGame& game) {
  core::MapRecord map;
  map.MapNo = 1;
  for (int x = 0; x < core::MapSize; ++x) {
    map.SetSquare(x, 0, 0x0001);
    map.SetSquare(x, core::MapSize - 1, 0x0404);
  }
  for (int s = 0; s < core::EncounterSlotCount; ++s) {
    map.SetEncounter(s, core::EncounterField::Creature, static_cast<std::int16_t>(s + 1));
    map.SetEncounter(s, core::EncounterField::DiceCount, 2);
    map.SetEncounter(s, core::EncounterField::DiceSides, 6);
    map.SetEncounter(s, core::EncounterField::OthersChance, 10);
  }
  for (int i = 0; i < 30; ++i) {
    core::MapSpecial special;
    special.Kind = static_cast<std::int16_t>(i % 8 + 1);
    special.SquareX = static_cast<std::int16_t>(i < 3 ? 1 : i);
    special.SquareY = static_cast<std::int16_t>(i < 3 ? 0 : i);
    special.Param1 = static_cast<std::int16_t>(i % 4 + 1);
    special.Param2 = static_cast<std::int16_t>(i % 3);
    map.PutSpecial(i, special);
  }
  std::vector<std::uint8_t> slot(core::MapRecord::SlotLength, 0);
  map.pack(std::span<std::uint8_t>(slot.data(), core::MapRecord::PackedSize));
  std::ofstream out(game.dat() / "Maps.dat", std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(slot.data()), static_cast<std::streamsize>(slot.size()));
  if (!out) throw std::runtime_error("cannot write Maps.dat");

  const auto data = game.root() / "Data";
  if (!core::WriteBmp(data / "Back.bmp", core::MakeMapBackground()).ok() ||
      !core::WriteBmp(data / "Tiles.bmp", core::MakeTileSheet()).ok())
    throw std::runtime_error("cannot write the pictures");
}

std::unique_ptr<GeneratedGame> makeGame(long entries) {
  auto game = bench_support::generateGame(entries);
  writeMapAndPictures(*game);
  return game;
}

const GeneratedGame& fullGame() {
  static const std::unique_ptr<GeneratedGame> game = makeGame(bench_support::LargestCatalogue);
  return *game;
}
const GeneratedGame& emptyGame() {
  static const std::unique_ptr<GeneratedGame> game = makeGame(0);
  return *game;
}

// What main does, up to the main window loaded, shown and painted; then everything is let go.
void startupToWindow(benchmark::State& state, const GeneratedGame& game) {
  for (auto _ : state) {
    CountingDialogs dialogs;
    core::ModDefinitions defs(game.root());
    ui::ChangeHub hub(defs);
    ui::FormsRegistry registry(&hub);
    registry.add("frmMapEd", [&defs, &dialogs, &registry] {
      return std::make_unique<maps::frmMapEd>(defs, dialogs, registry);
    });
    ui::Form* window = registry.show("frmMapEd");
    QApplication::processEvents();  // the first paint of the widgets themselves
    if (!window || dialogs.messages != 0) {
      state.SkipWithError("the main window did not start cleanly");
      break;
    }
    benchmark::DoNotOptimize(defs.CreatureCount);
  }
}

void BM_StartupWindowLargestCatalogues(benchmark::State& state) {
  startupToWindow(state, fullGame());
}
void BM_StartupWindowEmptyCatalogues(benchmark::State& state) {
  startupToWindow(state, emptyGame());
}

}  // namespace

// Interleaved so that both see the same machine conditions.
BENCHMARK(BM_StartupWindowEmptyCatalogues)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupWindowLargestCatalogues)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupWindowEmptyCatalogues)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupWindowLargestCatalogues)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // Written before any timing starts.
  fullGame();
  emptyGame();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
