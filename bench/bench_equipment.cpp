// The equipment windows over large catalogues, each target measured against its yardstick in
// the same run:
// - move_item_to_screen on a spell scroll with 32767 spells costs at most 1.5 times the same
//   with 10 spells;
// - opening the equipment list over 32767 items costs at most twice a plain sequential read of
//   Item.dat (the same window over 100 items, a screenful, shows what the window and its drawing
//   cost).

#include "catalogue_generator.h"
#include "core/definitions.h"
#include "equipment/forms.h"
#include "equipment/frm_equip_ed.h"
#include "ui/change_hub.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"
#include "window_bench.h"
#include "yardstick.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
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
const GeneratedGame& screenfulGame() {
  static const auto game = bench_support::generateGame(bench_support::ScreenfulCatalogue);
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
  bench_support::OpenPaintAndClose(state, session.registry, session.dialogs, "frmEquipList2");
}
// The yardstick: Item.dat read front to back in 1 MiB blocks, nothing else done with it.
void BM_PlainSequentialReadOfItemDat(benchmark::State& state) {
  bench_support::PlainSequentialRead(state, largeGame().dat() / "Item.dat");
}

// A screenful of rows over 100 entries: what the window and its drawing cost.
void BM_EquipmentListOpen100Items(benchmark::State& state) {
  Session session(screenfulGame());
  bench_support::OpenPaintAndClose(state, session.registry, session.dialogs, "frmEquipList2");
}
// An empty window of the list's size: the floor any window pays.
void BM_EmptyWindowOpen(benchmark::State& state) {
  bench_support::OpenEmptyWindow(state, QSize(520, 420));
}

}  // namespace

// Each target next to its yardstick, so both see the same machine conditions.
BENCHMARK(BM_MoveItemToScreen10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveItemToScreen32767Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveItemToScreen10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveItemToScreen32767Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainSequentialReadOfItemDat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EquipmentListOpen32767Items)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainSequentialReadOfItemDat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EquipmentListOpen32767Items)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EquipmentListOpen100Items)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EmptyWindowOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenEditor32767Spells)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] {
    largeGame();
    smallGame();
    screenfulGame();
  });
}
