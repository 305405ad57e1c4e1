// The encounter editor with the largest creature catalogue (32767 entries): once the name cache
// is filled, a paint should cost at most 1.5 times a paint with 10 creatures; its first paint,
// from an empty cache, at most twice one sequential read of the names in Mon.dat. All are
// measured in the same run, with the window's own share (opened on a filled cache) beside them.

#include "core/definitions.h"
#include "maps/frm_map_enc.h"
#include "window_bench.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using bench_support::CountingDialogs;
using bench_support::GeneratedGame;

const GeneratedGame& largestGame() {
  return bench_support::SharedGame(bench_support::LargestCatalogue);
}
const GeneratedGame& smallGame() {
  return bench_support::SharedGame(10);
}

// The creature file opened as start-up opens it, and a slot naming creature 7.
std::unique_ptr<core::ModDefinitions> openGame(const GeneratedGame& game) {
  auto defs = std::make_unique<core::ModDefinitions>(game.root());
  if (!defs->OpenCreatureFile().ok()) return nullptr;
  defs->EncounterSlot = 2;
  defs->Document().Apply("Encounter 3", [](core::MapRecord& map) {
    map.SetEncounter(2, core::EncounterField::Creature, 7);
    map.SetEncounter(2, core::EncounterField::DiceCount, 2);
  });
  return defs;
}

// A repaint of an open window, as the change hub or a slot click asks for it, and the drawing
// of its widgets that follows.
void paintOpenWindow(benchmark::State& state, const GeneratedGame& game) {
  auto defs = openGame(game);
  CountingDialogs dialogs;
  maps::frmMapEnc window(*defs, dialogs);
  window.showForm();
  QApplication::processEvents();
  std::int16_t dice = 0;
  for (auto _ : state) {
    // Another window stored into the slot: the paint fills every control again.
    ++dice;
    defs->Document().Apply("Encounter 3", [dice](core::MapRecord& map) {
      map.SetEncounter(2, core::EncounterField::DiceCount, dice);
    });
    window.refresh();
    window.repaint();
  }
  if (dialogs.messages != 0) state.SkipWithError("the window raised a message");
}

void BM_EncounterPaint10Creatures(benchmark::State& state) {
  paintOpenWindow(state, smallGame());
}
void BM_EncounterPaint32767Creatures(benchmark::State& state) {
  paintOpenWindow(state, largestGame());
}

// Opening the window on a fresh store and drawing it; with `namesRead`, the name cache is filled
// before the timing, which leaves the window's own share.
void openWindow(benchmark::State& state, bool namesRead) {
  for (auto _ : state) {
    state.PauseTiming();
    auto defs = openGame(largestGame());
    if (namesRead && !defs->Creatures().LoadNames().ok()) {
      state.ResumeTiming();
      state.SkipWithError("cannot read Mon.dat");
      break;
    }
    CountingDialogs dialogs;
    state.ResumeTiming();
    {
      maps::frmMapEnc window(*defs, dialogs);
      window.showForm();
      window.repaint();
      benchmark::DoNotOptimize(window.isVisible());
      state.PauseTiming();
    }
    if (dialogs.messages != 0) state.SkipWithError("the window raised a message");
    state.ResumeTiming();
  }
}

void BM_EncounterFirstPaint32767Creatures(benchmark::State& state) {
  openWindow(state, false);
}
void BM_EncounterOpenOnFilledCache(benchmark::State& state) {
  openWindow(state, true);
}

// The yardstick: one sequential read of every name in Mon.dat into the cache.
void BM_CreatureNamesSequentialRead(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto defs = openGame(largestGame());
    state.ResumeTiming();
    if (!defs->Creatures().LoadNames().ok()) state.SkipWithError("cannot read Mon.dat");
    state.PauseTiming();
    defs.reset();
    state.ResumeTiming();
  }
}

}  // namespace

// Interleaved so that all see the same machine conditions.
BENCHMARK(BM_EncounterPaint10Creatures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EncounterPaint32767Creatures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreatureNamesSequentialRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncounterFirstPaint32767Creatures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncounterOpenOnFilledCache)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncounterPaint10Creatures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EncounterPaint32767Creatures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreatureNamesSequentialRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncounterFirstPaint32767Creatures)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] {
    largestGame();
    smallGame();
  });
}
