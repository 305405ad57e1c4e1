// The equipment windows over large catalogues, each target measured against its yardstick in
// the same run:
// - move_item_to_screen on a spell scroll with 32767 spells costs at most 1.5 times the same
//   with 10 spells;
// - opening the equipment list over 32767 items costs at most twice a plain sequential read of
//   Item.dat (measured as whole-file chunks, as every item unpacked in one pass, and as every
//   item read on its own in entry order).

#include "catalogue_generator.h"
#include "core/definitions.h"
#include "core/catalogue_sweep.h"
#include "equipment/forms.h"
#include "equipment/frm_equip_ed.h"
#include "ui/change_hub.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"
#include "window_bench.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using bench_support::CountingDialogs;
using bench_support::GeneratedGame;

const GeneratedGame& largeGame() {
  static const auto game = bench_support::generateGame(bench_support::LargestCatalogue);
  return *game;
}
const GeneratedGame& smallGame() {
  static const auto game = bench_support::generateGame(10);
  return *game;
}

// The store opened on a game and the equipment windows registered.
struct Session {
  CountingDialogs dialogs;
  core::ModDefinitions defs;
  ui::ChangeHub hub{defs};
  ui::FormsRegistry registry{&hub};

  explicit Session(const GeneratedGame& game) : defs(game.root()) {
    if (!defs.Startup().ok()) throw std::runtime_error("the generated game does not open");
    equipment::AddForms(registry, defs, dialogs);
  }
};

// A scroll of the last spell, so the spell list is the one shown and its last line selected.
void moveItemToScreen(benchmark::State& state, const GeneratedGame& game) {
  Session session(game);
  session.defs.Item.ItemType = 11;
  session.defs.Item.UseCode = static_cast<std::int16_t>(session.defs.SpellCount);
  auto* editor = session.registry.show<equipment::frmEquipEd>("frmEquipEd");
  if (!editor) {
    state.SkipWithError("no equipment editor");
    return;
  }
  for (auto _ : state) editor->move_item_to_screen();
  if (session.dialogs.messages != 0) state.SkipWithError("a message was shown");
}

void BM_MoveItemToScreen10Spells(benchmark::State& state) {
  moveItemToScreen(state, smallGame());
}
void BM_MoveItemToScreen32767Spells(benchmark::State& state) {
  moveItemToScreen(state, largeGame());
}

// The editor's first showing, spell list filled once (for the note; no target).
void BM_OpenEditor32767Spells(benchmark::State& state) {
  Session session(largeGame());
  for (auto _ : state) {
    ui::Form* editor = session.registry.show("frmEquipEd");
    benchmark::DoNotOptimize(editor);
    session.registry.close("frmEquipEd");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

void BM_EquipmentListOpen32767Items(benchmark::State& state) {
  Session session(largeGame());
  for (auto _ : state) {
    ui::Form* list = session.registry.show("frmEquipList2");
    benchmark::DoNotOptimize(list);
    state.PauseTiming();
    session.registry.close("frmEquipList2");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
  if (session.dialogs.messages != 0) state.SkipWithError("a message was shown");
}

// The whole file in 1 MiB chunks.
void BM_ItemFileChunkedRead32767Items(benchmark::State& state) {
  const auto file = largeGame().dat() / "Item.dat";
  std::vector<char> chunk(std::size_t{1} << 20);
  for (auto _ : state) {
    std::ifstream in(file, std::ios::binary);
    std::size_t total = 0;
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0)
      total += static_cast<std::size_t>(in.gcount());
    benchmark::DoNotOptimize(total);
  }
}

// Every item read and unpacked in entry order, one read each.
void BM_ItemFileEntryByEntry32767Items(benchmark::State& state) {
  Session session(largeGame());
  for (auto _ : state) {
    long cost = 0;
    for (long k = 1; k <= session.defs.ItemCount; ++k) {
      auto item = session.defs.Items().ReadEntry(k);
      if (item.ok()) cost += item->Cost;
    }
    benchmark::DoNotOptimize(cost);
  }
}

// Every item unpacked in one pass of large chunks, as the list reads them.
void BM_ItemFileSweep32767Items(benchmark::State& state) {
  Session session(largeGame());
  for (auto _ : state) {
    long cost = 0;
    const core::Status status =
        core::ForEachEntry(session.defs.Items(), session.defs.ItemCount,
                           [&cost](long, const core::ItemRecord& item) { cost += item.Cost; });
    benchmark::DoNotOptimize(cost);
    if (!status.ok()) state.SkipWithError("the sweep failed");
  }
}

}  // namespace

// Each target next to its yardstick, so both see the same machine conditions.
BENCHMARK(BM_MoveItemToScreen10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveItemToScreen32767Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveItemToScreen10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveItemToScreen32767Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ItemFileChunkedRead32767Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemFileEntryByEntry32767Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EquipmentListOpen32767Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemFileChunkedRead32767Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemFileEntryByEntry32767Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EquipmentListOpen32767Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemFileSweep32767Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEditor32767Spells)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] {
    largeGame();
    smallGame();
  });
}
