// The game data check at the largest sizes (32767 entries in every catalogue, 1000 maps) against
// one sequential read of all its files, and "Where Used" on the built index.

#include "catalogue_generator.h"
#include "core/game_check.h"
#include "yardstick.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int LargestMaps = 1000;

const bench_support::GeneratedGame& LargestGame() {
  static const auto game =
      bench_support::generateGame(bench_support::LargestCatalogue, LargestMaps);
  return *game;
}

// The yardstick: every file of the folder read front to back once, from the page cache.
void BM_SequentialReadOfAllFiles(benchmark::State& state) {
  bench_support::SequentialReadOfFolder(state, LargestGame().dat());
}
BENCHMARK(BM_SequentialReadOfAllFiles)->Unit(benchmark::kMillisecond);

// Target: at most twice the yardstick above.
void BM_FullCheckOfLargestGame(benchmark::State& state) {
  const auto root = LargestGame().root();
  std::size_t findings = 0;
  for (auto _ : state) {
    auto check = core::CheckGameFolder(root);
    if (!check.ok()) {
      state.SkipWithError(check.status().message().c_str());
      return;
    }
    findings = check->findings.size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_FullCheckOfLargestGame)->Unit(benchmark::kMillisecond);

// Target: at most 1 ms on a built index.
void BM_WhereUsedOnBuiltIndex(benchmark::State& state) {
  static auto check = core::CheckGameFolder(LargestGame().root());
  if (!check.ok()) {
    state.SkipWithError(check.status().message().c_str());
    return;
  }
  long item = 1;
  for (auto _ : state) {
    auto uses = check->index.UsesOf(core::RefTarget::Item, item);
    benchmark::DoNotOptimize(uses.data());
    item = item % bench_support::LargestCatalogue + 1;
  }
}
BENCHMARK(BM_WhereUsedOnBuiltIndex)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
