// The equipment windows over large catalogues, each target measured against its yardstick in
// the same run:
// - move_item_to_screen on a spell scroll with 32767 spells costs at most 1.5 times the same
//   with 10 spells;
// - opening the equipment list over 32767 items costs at most twice a plain sequential read of
//   Item.dat (the same window over 100 items, a screenful, shows what the window and its drawing
//   cost). Both are measured twice: with Item.dat in the page cache, and read from the disk.

#include "catalogue_generator.h"
#include "equipment/forms.h"
#include "equipment/frm_equip_ed.h"
#include "window_bench.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using bench_support::LargestCatalogue;

// The program with the equipment windows on a game of `entries` entries per catalogue.
struct Session : bench_support::Program {
  explicit Session(long entries)
      : bench_support::Program(bench_support::SharedGame(entries), equipment::AddForms) {}
};

// A scroll of the last spell, so the spell list is the one shown and its last line selected.
void moveItemToScreen(benchmark::State& state, long spells) {
  Session session(spells);
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
  moveItemToScreen(state, 10);
}
void BM_MoveItemToScreen32767Spells(benchmark::State& state) {
  moveItemToScreen(state, LargestCatalogue);
}

// The editor's first showing, spell list filled once (for the note; no target).
void BM_OpenEditor32767Spells(benchmark::State& state) {
  Session session(LargestCatalogue);
  for (auto _ : state) {
    ui::Form* editor = session.registry.show("frmEquipEd");
    benchmark::DoNotOptimize(editor);
    session.registry.close("frmEquipEd");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace

// Each target next to its yardstick, so both see the same machine conditions.
BENCHMARK(BM_MoveItemToScreen10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveItemToScreen32767Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveItemToScreen10Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveItemToScreen32767Spells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenEditor32767Spells)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  bench_support::RegisterListTarget("Equipment", equipment::AddForms, "frmEquipList2", "Item.dat",
                                    QSize(520, 420));
  return bench_support::RunWindowBenchmarks(argc, argv, [] {
    for (long entries : {LargestCatalogue, bench_support::ScreenfulCatalogue, 10L})
      bench_support::SharedGame(entries);
  });
}
