// The game data check at the largest sizes (32767 entries in every catalogue, 1000 maps) against
// one sequential read of all its files, and "Where Used" on the built index.

#include "catalogue_generator.h"
#include "core/game_check.h"
#include "core/where_used.h"
#include "yardstick.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using bench_support::LargestGame;

// The yardstick: every file of the folder read front to back once, from the page cache.
void BM_SequentialReadOfAllFiles(benchmark::State& state) {
  bench_support::SequentialReadOfFolder(state, LargestGame().dat());
}
BENCHMARK(BM_SequentialReadOfAllFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

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
// Real time: the next chunk is read on a second thread while one is checked.
BENCHMARK(BM_FullCheckOfLargestGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Target: at most 1 ms on a built index.
void BM_WhereUsedOnBuiltIndex(benchmark::State& state) {
  static auto check = core::CheckGameFolder(LargestGame().root());
  if (!check.ok()) {
    state.SkipWithError(check.status().message().c_str());
    return;
  }
  check->index.Finish();  // built: sorted for look-ups
  long item = 1;
  for (auto _ : state) {
    auto uses = check->index.UsesOf(core::RefTarget::Item, item);
    benchmark::DoNotOptimize(uses.data());
    item = item % bench_support::LargestCatalogue + 1;
  }
}
BENCHMARK(BM_WhereUsedOnBuiltIndex)->Unit(benchmark::kMicrosecond);

// What the Where Used window asks each time: whether a file changed since the build, and the
// places of one entry with the open map taken from memory. Target: at most 1 ms.
void BM_WhereUsedWithOpenMap(benchmark::State& state) {
  static core::WhereUsedIndex index(LargestGame().root());
  if (index.Stale() && !index.Build().ok()) {
    state.SkipWithError("cannot build the index");
    return;
  }
  const core::MapRecord open = core::MapRecord();
  long item = 1;
  for (auto _ : state) {
    if (index.Stale()) state.SkipWithError("the index went stale");
    auto uses = index.UsesOf(core::RefTarget::Item, item, &open, 1);
    benchmark::DoNotOptimize(uses.data());
    item = item % bench_support::LargestCatalogue + 1;
  }
}
BENCHMARK(BM_WhereUsedWithOpenMap)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
