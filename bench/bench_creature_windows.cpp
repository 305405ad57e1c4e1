// The creature windows' speed targets, each measured against its yardstick in the same run:
// - the creature list opens over 32767 creatures within 2 times a plain sequential read of
//   Mon.dat (the same window over 100 creatures, a screenful, shows what the window and its drawing
//   cost);
// - the special editor ("Choose Special") loads with 32767 spells within 1.5 times its load with
//   10 spells.

#include "catalogue_generator.h"
#include "core/definitions.h"
#include "creatures/forms.h"
#include "ui/change_hub.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"
#include "window_bench.h"
#include "yardstick.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using bench_support::GeneratedGame;

using bench_support::CountingDialogs;

const GeneratedGame& fullGame() {
  static const auto game = bench_support::generateGame(bench_support::LargestCatalogue);
  return *game;
}
const GeneratedGame& screenfulGame() {
  static const auto game = bench_support::generateGame(bench_support::ScreenfulCatalogue);
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

void BM_CreatureListOpen(benchmark::State& state) {
  Program program(fullGame());
  bench_support::OpenPaintAndClose(state, program.registry, program.dialogs, "frmCreatList2");
}
// The yardstick: Mon.dat read front to back in 1 MiB blocks, nothing else done with it.
void BM_PlainSequentialReadOfMonDat(benchmark::State& state) {
  bench_support::PlainSequentialRead(state, fullGame().dat() / "Mon.dat");
}

// "Choose Special" on a creature's first slot, a Cast Spell of spell 6, present in both games.
void specialEditorLoad(benchmark::State& state, const GeneratedGame& game) {
  Program program(game);
  program.defs.Creature.SetCreatureSpecial(0, core::SpecialSlotField::Chance, -1);
  program.defs.Creature.SetCreatureSpecial(0, core::SpecialSlotField::Effect, 2);
  program.defs.Creature.SetCreatureSpecial(0, core::SpecialSlotField::Power, 5);
  program.defs.CurrentCreatureSpecial = 0;
  bench_support::OpenPaintAndClose(state, program.registry, program.dialogs, "frmCreatSpeEd");
}
void BM_SpecialEditorLoad10Spells(benchmark::State& state) {
  specialEditorLoad(state, smallGame());
}
void BM_SpecialEditorLoad32767Spells(benchmark::State& state) {
  specialEditorLoad(state, fullGame());
}

// A screenful of rows over 100 entries: what the window and its drawing cost.
void BM_CreatureListOpen100Creatures(benchmark::State& state) {
  Program program(screenfulGame());
  bench_support::OpenPaintAndClose(state, program.registry, program.dialogs, "frmCreatList2");
}
// An empty window of the list's size: the floor any window pays.
void BM_EmptyWindowOpen(benchmark::State& state) {
  bench_support::OpenEmptyWindow(state, QSize(600, 420));
}

}  // namespace

// Interleaved so that each pair sees the same machine conditions.
BENCHMARK(BM_PlainSequentialReadOfMonDat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreatureListOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainSequentialReadOfMonDat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreatureListOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreatureListOpen100Creatures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EmptyWindowOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad32767Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad32767Spells)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] {
    fullGame();
    smallGame();
    screenfulGame();
  });
}
