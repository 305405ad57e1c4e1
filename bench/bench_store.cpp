// The data store's speed targets: start-up reads six slots whatever the catalogues hold, and a
// list of every spell name costs no more than twice a plain read of Mag.dat.

#include "catalogue_generator.h"
#include "core/definitions.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

namespace {

using bench_support::GeneratedGame;
using bench_support::generateGame;
using bench_support::LargestCatalogue;

// Written once per run; the first benchmark that needs one pays for it outside its timing.
const GeneratedGame& fullGame() {
  static const std::unique_ptr<GeneratedGame> game = generateGame(LargestCatalogue);
  return *game;
}
const GeneratedGame& emptyGame() {
  static const std::unique_ptr<GeneratedGame> game = generateGame(0);
  return *game;
}

void startup(benchmark::State& state, const GeneratedGame& game) {
  for (auto _ : state) {
    core::ModDefinitions defs(game.root());
    const core::Status status = defs.Startup();
    if (!status.ok()) {
      state.SkipWithError(status.message().c_str());
      break;
    }
    benchmark::DoNotOptimize(defs.SpellCount);
  }
}

void BM_StartupLargestCatalogues(benchmark::State& state) {
  startup(state, fullGame());
}
void BM_StartupEmptyCatalogues(benchmark::State& state) {
  startup(state, emptyGame());
}

// What the spell list pays the first time it shows: the whole name cache.
void BM_SpellNameCacheFill(benchmark::State& state) {
  const GeneratedGame& game = fullGame();
  const auto bytes = std::filesystem::file_size(game.dat() / "Mag.dat");
  for (auto _ : state) {
    state.PauseTiming();
    auto defs = std::make_unique<core::ModDefinitions>(game.root());
    const core::Status status = defs->Startup();
    state.ResumeTiming();
    if (!status.ok()) {
      state.SkipWithError(status.message().c_str());
      break;
    }
    const core::Status filled = defs->Spells().LoadNames();
    if (!filled.ok()) {
      state.SkipWithError(filled.message().c_str());
      break;
    }
    std::string last = defs->SpellName(LargestCatalogue);
    if (last.rfind("Spell 32767", 0) != 0) {
      state.SkipWithError("the last spell's name did not come back");
      break;
    }
    benchmark::DoNotOptimize(last);
    state.PauseTiming();
    defs.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// The yardstick: Mag.dat read front to back in 1 MiB blocks, nothing else done with it.
void BM_PlainSequentialReadOfMagDat(benchmark::State& state) {
  const auto path = fullGame().dat() / "Mag.dat";
  const auto bytes = std::filesystem::file_size(path);
  std::vector<char> block(std::size_t{1} << 20);
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
      state.SkipWithError("cannot open Mag.dat");
      break;
    }
    std::setvbuf(file, nullptr, _IONBF, 0);
    std::size_t total = 0;
    for (std::size_t got; (got = std::fread(block.data(), 1, block.size(), file)) > 0;)
      total += got;
    std::fclose(file);
    if (total != bytes) {
      state.SkipWithError("short read of Mag.dat");
      break;
    }
    benchmark::DoNotOptimize(block.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

}  // namespace

BENCHMARK(BM_StartupLargestCatalogues)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartupEmptyCatalogues)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpellNameCacheFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSequentialReadOfMagDat)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
