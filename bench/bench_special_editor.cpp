// A keystroke in the special square editor stores the special and rebuilds the window. With
// 32767 shops, creatures and items it should cost no more than 1.5 times as much as with 10 of
// each, once the name caches are filled: the lists are filled once, not at every keystroke.
// Both sizes are measured in the same run, for an encounter (creature and item lists) and for
// an exit to a shop (shop list).

#include "catalogue_generator.h"
#include "core/definitions.h"
#include "counting_dialogs.h"
#include "specials/forms.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using bench_support::GeneratedGame;

using bench_support::CountingDialogs;

const GeneratedGame& game(long entries) {
  static const std::unique_ptr<GeneratedGame> small = bench_support::generateGame(10);
  static const std::unique_ptr<GeneratedGame> large =
      bench_support::generateGame(bench_support::LargestCatalogue);
  return entries == 10 ? *small : *large;
}

// The editor open on one special, then one keystroke per iteration in the box named `typedBox`
// (the encounter's number, or the shop exit's condition flag).
void keystroke(benchmark::State& state, const core::MapSpecial& special, const char* typedBox) {
  CountingDialogs dialogs;
  core::ModDefinitions defs(game(state.range(0)).root());
  if (!defs.Startup().ok()) {
    state.SkipWithError("the game folder did not open");
    return;
  }
  ui::FormsRegistry registry;
  specials::AddForms(registry, defs, dialogs);
  defs.Document().Apply("Special 0", [&](core::MapRecord& map) { map.PutSpecial(0, special); });
  defs.CurrentSpecial = 0;
  defs.SpecialReload = 1;
  ui::Form* window = registry.show("frmMapSpe");
  QApplication::processEvents();
  auto* box = window ? window->findChild<ui::TextBox*>(typedBox) : nullptr;
  if (!box) {
    state.SkipWithError("the special editor did not open");
    return;
  }
  int typed = 0;
  for (auto _ : state) {
    box->setText(++typed % 2 ? "12" : "123");
    benchmark::DoNotOptimize(defs.Document().Map().GetSpecial(0));
  }
  if (dialogs.messages != 0) state.SkipWithError("a message was shown");
}

void BM_KeystrokeInEncounter(benchmark::State& state) {
  core::MapSpecial encounter;
  encounter.Kind = 5;
  encounter.Param1 = 7;  // creature
  encounter.Param3 = 9;  // treasure item
  keystroke(state, encounter, "Text1");
}

void BM_KeystrokeInShopExit(benchmark::State& state) {
  core::MapSpecial shopExit;
  shopExit.Kind = 2;
  shopExit.Param1 = 1;  // a shop
  shopExit.Param2 = 8;
  keystroke(state, shopExit, "Text2");
}

}  // namespace

BENCHMARK(BM_KeystrokeInEncounter)
    ->Arg(10)
    ->Arg(bench_support::LargestCatalogue)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeInShopExit)
    ->Arg(10)
    ->Arg(bench_support::LargestCatalogue)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  game(10);  // written before any timing starts
  game(bench_support::LargestCatalogue);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
