// The creature windows' speed targets, each measured against its yardstick in the same run:
// - the creature list opens over 32767 creatures within 2 times a plain sequential read of
//   Mon.dat (the same window over 10 creatures shows what the window itself costs);
// - the special editor ("Choose Special") loads with 32767 spells within 1.5 times its load with
//   10 spells.

#include "catalogue_generator.h"
#include "core/definitions.h"
#include "counting_dialogs.h"
#include "creatures/forms.h"
#include "ui/change_hub.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using bench_support::GeneratedGame;

using bench_support::CountingDialogs;

const GeneratedGame& fullGame() {
  static const auto game = bench_support::generateGame(bench_support::LargestCatalogue);
  return *game;
}
const GeneratedGame& smallGame() {
  static const auto game = bench_support::generateGame(10);
  return *game;
}

// The program's state on a game folder, started as main starts it, with the creature windows.
struct Program {
  CountingDialogs dialogs;
  core::ModDefinitions defs;
  ui::ChangeHub hub{defs};
  ui::FormsRegistry registry{&hub};
  explicit Program(const GeneratedGame& game) : defs(game.root()) {
    if (!defs.Startup().ok()) throw std::runtime_error("start-up failed");
    creatures::AddForms(registry, defs, dialogs);
  }
};

// Shows the window, lets Qt paint it, and measures that; closing it is not measured.
void showAndClose(benchmark::State& state, Program& program, const char* form) {
  for (auto _ : state) {
    ui::Form* window = program.registry.show(form);
    QApplication::processEvents();
    if (!window || program.dialogs.messages != 0) {
      state.SkipWithError("the window did not open cleanly");
      break;
    }
    state.PauseTiming();
    window->closeForm();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}

void BM_CreatureListOpen(benchmark::State& state) {
  Program program(fullGame());
  showAndClose(state, program, "frmCreatList2");
}
// The same window over 10 creatures: what the window costs whatever the catalogue holds.
void BM_CreatureListOpen10Creatures(benchmark::State& state) {
  Program program(smallGame());
  showAndClose(state, program, "frmCreatList2");
}

// The yardstick: Mon.dat read front to back in 1 MiB blocks, nothing else done with it.
void BM_PlainSequentialReadOfMonDat(benchmark::State& state) {
  const auto path = fullGame().dat() / "Mon.dat";
  std::vector<char> block(std::size_t{1} << 20);
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
      state.SkipWithError("cannot open Mon.dat");
      break;
    }
    std::setvbuf(file, nullptr, _IONBF, 0);
    std::size_t total = 0;
    for (std::size_t got; (got = std::fread(block.data(), 1, block.size(), file)) > 0;)
      total += got;
    std::fclose(file);
    benchmark::DoNotOptimize(total);
  }
}

// "Choose Special" on a creature's first slot, a Cast Spell of spell 6, present in both games.
void specialEditorLoad(benchmark::State& state, const GeneratedGame& game) {
  Program program(game);
  program.defs.Creature.SetCreatureSpecial(0, core::SpecialSlotField::Chance, -1);
  program.defs.Creature.SetCreatureSpecial(0, core::SpecialSlotField::Effect, 2);
  program.defs.Creature.SetCreatureSpecial(0, core::SpecialSlotField::Power, 5);
  program.defs.CurrentCreatureSpecial = 0;
  showAndClose(state, program, "frmCreatSpeEd");
}
void BM_SpecialEditorLoad10Spells(benchmark::State& state) {
  specialEditorLoad(state, smallGame());
}
void BM_SpecialEditorLoad32767Spells(benchmark::State& state) {
  specialEditorLoad(state, fullGame());
}

}  // namespace

// Interleaved so that each pair sees the same machine conditions.
BENCHMARK(BM_PlainSequentialReadOfMonDat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreatureListOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainSequentialReadOfMonDat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreatureListOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreatureListOpen10Creatures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad32767Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad32767Spells)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // Written before any timing starts.
  fullGame();
  smallGame();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
