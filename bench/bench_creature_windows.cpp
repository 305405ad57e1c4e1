// The creature windows' speed targets, each measured against its yardstick in the same run:
// - the creature list opens over 32767 creatures within 2 times a plain sequential read of
//   Mon.dat (the same window over 100 creatures, a screenful, shows what the window and its
//   drawing cost), measured with Mon.dat in the page cache and read from the disk;
// - the special editor ("Choose Special") loads with 32767 spells within 1.5 times its load with
//   10 spells.

#include "catalogue_generator.h"
#include "creatures/forms.h"
#include "window_bench.h"
#include "yardstick.h"

#include <QSize>

#include <filesystem>

#include <benchmark/benchmark.h>

namespace {

using bench_support::LargestCatalogue;
using bench_support::ScreenfulCatalogue;

// The program with the creature windows on a game of `entries` entries per catalogue.
struct Program : bench_support::Program {
  explicit Program(long entries)
      : bench_support::Program(bench_support::SharedGame(entries), creatures::AddForms) {}
};

std::filesystem::path monDat() {
  return bench_support::SharedGame(LargestCatalogue).dat() / "Mon.dat";
}

void listOpen(benchmark::State& state, long entries, const std::filesystem::path& fromDisk = {}) {
  Program program(entries);
  bench_support::OpenPaintAndClose(state, program.registry, program.dialogs, "frmCreatList2",
                                   fromDisk);
}
void BM_CreatureListOpen(benchmark::State& state) {
  listOpen(state, LargestCatalogue);
}
// With Mon.dat first dropped from the page cache.
void BM_CreatureListOpenFromDisk(benchmark::State& state) {
  listOpen(state, LargestCatalogue, monDat());
}
// A screenful of rows over 100 entries: what the window and its drawing cost.
void BM_CreatureListOpen100Creatures(benchmark::State& state) {
  listOpen(state, ScreenfulCatalogue);
}
// An empty window of the list's size: the floor any window pays.
void BM_EmptyWindowOpen(benchmark::State& state) {
  bench_support::OpenEmptyWindow(state, QSize(600, 420));
}

// The yardstick: Mon.dat read front to back in 1 MiB blocks, nothing else done with it.
void BM_PlainSequentialReadOfMonDat(benchmark::State& state) {
  bench_support::PlainSequentialRead(state, monDat());
}
void BM_PlainSequentialReadOfMonDatFromDisk(benchmark::State& state) {
  bench_support::PlainSequentialRead(state, monDat(), true);
}

// "Choose Special" on a creature's first slot, a Cast Spell of spell 6, present in both games.
void specialEditorLoad(benchmark::State& state, long entries) {
  Program program(entries);
  program.defs.Creature.SetCreatureSpecial(0, core::SpecialSlotField::Chance, -1);
  program.defs.Creature.SetCreatureSpecial(0, core::SpecialSlotField::Effect, 2);
  program.defs.Creature.SetCreatureSpecial(0, core::SpecialSlotField::Power, 5);
  program.defs.CurrentCreatureSpecial = 0;
  bench_support::OpenPaintAndClose(state, program.registry, program.dialogs, "frmCreatSpeEd");
}
void BM_SpecialEditorLoad10Spells(benchmark::State& state) {
  specialEditorLoad(state, 10);
}
void BM_SpecialEditorLoad32767Spells(benchmark::State& state) {
  specialEditorLoad(state, LargestCatalogue);
}

}  // namespace

// Interleaved so that each pair sees the same machine conditions.
BENCHMARK(BM_PlainSequentialReadOfMonDat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreatureListOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainSequentialReadOfMonDat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreatureListOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainSequentialReadOfMonDatFromDisk)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_CreatureListOpenFromDisk)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PlainSequentialReadOfMonDatFromDisk)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_CreatureListOpenFromDisk)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_CreatureListOpen100Creatures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EmptyWindowOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad32767Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad32767Spells)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] {
    for (long entries : {LargestCatalogue, ScreenfulCatalogue, 10L})
      bench_support::SharedGame(entries);
  });
}
