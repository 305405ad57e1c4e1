// The map browser's targets, over a Maps.dat of 1000 maps:
// - the browser opens (Maps.dat read, rows made and drawn) in <= 2x one sequential read of the
//   file, from the page cache;
// - a keystroke in its filter box answers in <= 5 ms.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include "catalogue_generator.h"
#include "maps/forms.h"
#include "ui/catalogue_list.h"
#include "ui/list_filter.h"
#include "ui/window_ids.h"
#include "window_bench.h"
#include "yardstick.h"

#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

using bench_support::GeneratedGame;
using bench_support::Program;

constexpr int Maps = 1000;

const GeneratedGame& thousandMaps() {
  static const auto game = bench_support::generateGame(10, Maps);
  return *game;
}

ui::CatalogueList* OpenBrowser(Program& program) {
  auto* browser = qobject_cast<ui::CatalogueList*>(program.registry.show(ui::window::MapBrowser));
  browser->list()->viewport()->repaint();
  return browser;
}

void BM_PlainSequentialReadOfMapsDat(benchmark::State& state) {
  bench_support::PlainSequentialRead(state, thousandMaps().dat() / "Maps.dat");
}

void BM_MapBrowserOpens(benchmark::State& state) {
  Program program(thousandMaps(), maps::AddForms);
  for (auto _ : state) {
    ui::CatalogueList* browser = OpenBrowser(program);
    state.PauseTiming();
    browser->closeForm();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}

// A text never typed before, so the filter's memory of recent texts does not help.
void BM_MapBrowserFilterKeystroke(benchmark::State& state) {
  Program program(thousandMaps(), maps::AddForms);
  ui::CatalogueList* browser = OpenBrowser(program);
  QLineEdit* box = browser->filter()->box();
  box->setText("1");  // the rows' texts are gathered once, before the keystrokes measured
  int k = 0;
  for (auto _ : state) {
    box->setText(QString::number(k++ % 100000) + " ");
    browser->list()->viewport()->repaint();
  }
}

}  // namespace

BENCHMARK(BM_PlainSequentialReadOfMapsDat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapBrowserOpens)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapBrowserFilterKeystroke)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] { thousandMaps(); });
}
