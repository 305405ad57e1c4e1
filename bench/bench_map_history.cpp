// Undo on the main window: 10,000 steps of square copies and side changes should cost at most
// 2 MB of history, and one undo (the record put back and the window repainted) at most twice a
// plain repaint of the main window.

#include "core/bitmap.h"
#include "core/definitions.h"
#include "core/map_history.h"
#include "core/tile_sheet.h"
#include "map_session.h"
#include "maps/forms.h"
#include "maps/frm_map_ed.h"
#include "ui/change_hub.h"
#include "ui/forms_registry.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>

namespace {

constexpr int Steps = 10000;

using Session = bench_support::MapSession;

// Alternating square copies and side steps at random places, each one step of the store.
void MakeSteps(core::ModDefinitions& defs, int count) {
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> square(0, core::MapSize - 1);
  std::uniform_int_distribution<int> side(0, core::SideCount - 1);
  for (int i = 0; i < count; ++i) {
    if (i % 2 == 0) {
      defs.Document().Apply("Copy Square", [&](core::MapRecord& map) {
        map.CopySquare(square(random), square(random), square(random), square(random));
        map.SetSquare(square(random), square(random), static_cast<std::int16_t>(i & 0x0FFF));
      });
    } else {
      defs.Document().Apply("North Wall", [&](core::MapRecord& map) {
        map.SetWallCode(square(random), square(random), side(random), i % 8);
      });
    }
  }
}

void BM_HistoryOf10000Steps(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    session.defs->Document().Replace(core::MapRecord(), 1);
    MakeSteps(*session.defs, Steps);
  }
  const auto bytes = static_cast<double>(session.defs->Document().History().MemoryBytes());
  state.counters["history_MB"] = bytes / (1024.0 * 1024.0);
  state.counters["steps"] = static_cast<double>(session.defs->Document().History().StepCount());
}

void BM_PlainRepaint(benchmark::State& state) {
  Session session;
  MakeSteps(*session.defs, 200);
  for (auto _ : state) session.window->RefreshMainWindow();
}

// One undo and its redo, each followed by the repaint it brings: half a round is one undo.
void BM_UndoAndRedoWithRepaint(benchmark::State& state) {
  Session session;
  MakeSteps(*session.defs, 200);
  for (auto _ : state) {
    session.defs->Document().Undo();
    session.hub->flush();
    session.defs->Document().Redo();
    session.hub->flush();
  }
}

}  // namespace

BENCHMARK(BM_HistoryOf10000Steps)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoAndRedoWithRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoAndRedoWithRepaint)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] {});
}
