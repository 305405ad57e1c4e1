// The creature windows' speed targets, each measured against its yardstick in the same run:
// - the creature list opens over 32767 creatures within 2 times a plain sequential read of
//   Mon.dat (the same window over 100 creatures, a screenful, shows what the window and its
//   drawing cost), measured with Mon.dat in the page cache and read from the disk;
// - the special editor ("Choose Special") loads with 32767 spells within 1.5 times its load with
//   10 spells.

#include "catalogue_generator.h"
#include "creatures/forms.h"
#include "window_bench.h"

#include <QSize>

#include <benchmark/benchmark.h>

namespace {

using bench_support::LargestCatalogue;
using bench_support::ScreenfulCatalogue;

// The program with the creature windows on a game of `entries` entries per catalogue.
struct Program : bench_support::Program {
  explicit Program(long entries)
      : bench_support::Program(bench_support::SharedGame(entries), creatures::AddForms) {}
};

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
BENCHMARK(BM_SpecialEditorLoad10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad32767Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpecialEditorLoad32767Spells)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  bench_support::RegisterListTarget("Creature", creatures::AddForms, "frmCreatList2", "Mon.dat",
                                    QSize(600, 420));
  return bench_support::RunWindowBenchmarks(argc, argv, [] {
    for (long entries : {LargestCatalogue, ScreenfulCatalogue, 10L})
      bench_support::SharedGame(entries);
  });
}
