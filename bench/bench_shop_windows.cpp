// The shop windows' speed targets, measured in the same run:
// - the add dialog's paint with 32767 items costs at most twice a plain sequential read of
//   Item.dat (and of one pass of the name cache, which is what that read feeds);
// - the shop editor's fill costs the same with 100 items as with 32767.

#include "catalogue_generator.h"
#include "core/definitions.h"
#include "shops/frm_shop_ed.h"
#include "shops/frm_shop_item_add.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"
#include "window_bench.h"
#include "yardstick.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using bench_support::GeneratedGame;
using bench_support::generateGame;
using bench_support::LargestCatalogue;

using bench_support::CountingDialogs;

const GeneratedGame& fullGame() {
  static const std::unique_ptr<GeneratedGame> game = generateGame(LargestCatalogue);
  return *game;
}
const GeneratedGame& smallGame() {
  static const std::unique_ptr<GeneratedGame> game = generateGame(100);
  return *game;
}

std::unique_ptr<core::ModDefinitions> startedOn(const GeneratedGame& game,
                                                benchmark::State& state) {
  auto defs = std::make_unique<core::ModDefinitions>(game.root());
  const core::Status status = defs->Startup();
  if (!status.ok()) {
    state.SkipWithError(status.message().c_str());
    return nullptr;
  }
  return defs;
}

// The dialog painted on a data store that has read no names yet, as after start-up.
void BM_AddDialogPaint32767Items(benchmark::State& state) {
  CountingDialogs dialogs;
  for (auto _ : state) {
    state.PauseTiming();
    auto defs = startedOn(fullGame(), state);
    if (!defs) break;
    defs->ShopInsertSlot = 1;
    auto dialog = std::make_unique<shops::frmShopItemAdd>(*defs, dialogs);
    state.ResumeTiming();
    dialog->refresh();
    state.PauseTiming();
    auto* list = dialog->findChild<ui::ComboBox*>("Combo1");
    if (list->count() != LargestCatalogue + 1 || dialogs.messages != 0) {
      state.SkipWithError("the dialog did not list every item");
      break;
    }
    dialog.reset();
    defs.reset();
    state.ResumeTiming();
  }
}

// The same dialog painted again: the names are cached, so this is what the dialog itself adds
// to the one pass over Item.dat.
void BM_AddDialogRepaintNamesCached(benchmark::State& state) {
  CountingDialogs dialogs;
  auto defs = startedOn(fullGame(), state);
  if (!defs) return;
  defs->ShopInsertSlot = 1;
  shops::frmShopItemAdd dialog(*defs, dialogs);
  dialog.refresh();
  for (auto _ : state) dialog.refresh();
  if (dialog.findChild<ui::ComboBox*>("Combo1")->count() != LargestCatalogue + 1)
    state.SkipWithError("the dialog did not list every item");
}

// One pass of the name cache over Item.dat, on a fresh data store.
void BM_ItemNameCachePass(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto defs = startedOn(fullGame(), state);
    if (!defs) break;
    state.ResumeTiming();
    const core::Status status = defs->Items().LoadNames();
    state.PauseTiming();
    if (!status.ok()) {
      state.SkipWithError(status.message().c_str());
      break;
    }
    defs.reset();
    state.ResumeTiming();
  }
}

// The yardstick: Item.dat read front to back, nothing else done with it.
void BM_PlainSequentialReadOfItemDat(benchmark::State& state) {
  bench_support::PlainSequentialRead(state, fullGame().dat() / "Item.dat");
}

// The shop editor's fill of a full stock whose items lie across the whole catalogue.
void shopEditorFill(benchmark::State& state, const GeneratedGame& game, long items) {
  CountingDialogs dialogs;
  auto defs = startedOn(game, state);
  if (!defs) return;
  if (!defs->ReadShopPair(1).ok()) {
    state.SkipWithError("cannot read shop 1");
    return;
  }
  for (int p = 0; p < core::ShopStockSize; ++p)
    defs->Shop.Stock[static_cast<std::size_t>(p)] =
        static_cast<std::int16_t>(1 + p * (items - 1) / (core::ShopStockSize - 1));
  ui::FormsRegistry registry;
  auto editor = std::make_unique<shops::frmShopEd>(*defs, dialogs, registry);
  for (auto _ : state) editor->refresh();
  if (editor->findChild<ui::ListView*>("ListView1")->rowCount() != core::ShopStockSize)
    state.SkipWithError("the list did not show the full stock");
}

void BM_ShopEditorFill100Items(benchmark::State& state) {
  shopEditorFill(state, smallGame(), 100);
}
void BM_ShopEditorFill32767Items(benchmark::State& state) {
  shopEditorFill(state, fullGame(), LargestCatalogue);
}

}  // namespace

// Interleaved so that each pair sees the same machine conditions.
BENCHMARK(BM_PlainSequentialReadOfItemDat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemNameCachePass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddDialogPaint32767Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSequentialReadOfItemDat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddDialogPaint32767Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddDialogRepaintNamesCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShopEditorFill100Items)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShopEditorFill32767Items)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShopEditorFill100Items)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShopEditorFill32767Items)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] {
    fullGame();
    smallGame();
  });
}
