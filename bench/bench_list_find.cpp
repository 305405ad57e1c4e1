// The find and order targets of the list windows, over 32767 creatures:
// - a keystroke in the filter box answers (rows filtered, count and list drawn) in <= 5 ms: a
//   letter typed on (narrowing), and a text that looks at every row afresh;
// - an order by any column, on a heading's click, takes <= 20 ms.
// Beside them: the first keystroke, which gathers every row's texts once, and a keystroke in the
// magic list over 32767 spells with full 1024-character descriptions.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include "catalogue_generator.h"
#include "creatures/forms.h"
#include "spells/forms.h"
#include "ui/catalogue_list.h"
#include "ui/list_filter.h"
#include "window_bench.h"

#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using bench_support::GeneratedGame;
using bench_support::LargestCatalogue;
using bench_support::Program;

const GeneratedGame& largeGame() {
  static const auto game = [] {
    auto made = bench_support::generateGame(LargestCatalogue);
    bench_support::writeCatalogueFile<core::SpellRecord>(
        made->dat() / "Mag.dat", LargestCatalogue, [](long k) {
          core::SpellRecord spell = bench_support::generatedSpell(k);
          spell.Description = std::string(core::DescriptionWidth, static_cast<char>('a' + k % 26));
          return spell;
        });
    return made;
  }();
  return *game;
}

void addWindows(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  creatures::AddForms(registry, defs, dialogs);
  spells::AddForms(registry, defs, dialogs);
}

struct OpenList {
  Program program{largeGame(), addWindows};
  ui::CatalogueList* window;
  QLineEdit* box;
  explicit OpenList(const char* form)
      : window(qobject_cast<ui::CatalogueList*>(program.registry.show(form))),
        box(window->filter()->box()) {
    QApplication::processEvents();
  }
  void type(const QString& text) {
    box->setText(text);
    window->list()->viewport()->repaint();
  }
};

// One keystroke that narrows the rows: "<text>" becomes "<text>k", a text never seen before (the
// filter keeps the rows of the last few texts, which would make a repeat free).
void narrowingKeystrokes(benchmark::State& state, const char* form, const QString& text) {
  OpenList list(form);
  int k = 0;
  for (auto _ : state) {
    state.PauseTiming();
    list.type(text);
    state.ResumeTiming();
    list.type(text + QString::number(k++ % 100000));
  }
  state.counters["shown"] = list.window->list()->rowCount();
}

// One keystroke that looks at every row again: a text that holds no earlier one.
void freshKeystrokes(benchmark::State& state, const char* form, const QString& text) {
  OpenList list(form);
  list.type(text);  // the texts are gathered once, before the first keystroke measured
  int k = 0;
  for (auto _ : state) {
    list.type(QString::number(k++ % 100000) + text);
  }
}

void BM_CreatureListFilterKeystroke(benchmark::State& state) {
  narrowingKeystrokes(state, "frmCreatList2", "Creature ");
}
void BM_CreatureListFilterFreshText(benchmark::State& state) {
  freshKeystrokes(state, "frmCreatList2", " ");
}

void BM_MagicListFilterKeystroke(benchmark::State& state) {
  narrowingKeystrokes(state, "frmMagicList", "Spell ");
}
void BM_MagicListFilterFreshText(benchmark::State& state) {
  freshKeystrokes(state, "frmMagicList", " ");
}

// The first letter typed after the list opened reads every row's texts.
void BM_CreatureListFirstKeystroke(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<OpenList>("frmCreatList2");
    state.ResumeTiming();
    list->type("C");
    state.PauseTiming();
    list.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}

// The order by column state.range(0), one way and the other in turn, as the heading's clicks.
void BM_CreatureListSortByColumn(benchmark::State& state) {
  OpenList list("frmCreatList2");
  const int column = static_cast<int>(state.range(0));
  ui::ListView* rows = list.window->list();
  rows->sortByColumn(column == 0 ? 1 : 0, Qt::AscendingOrder);  // the texts gathered already
  bool up = true;
  for (auto _ : state) {
    rows->sortByColumn(column, up ? Qt::AscendingOrder : Qt::DescendingOrder);
    rows->viewport()->repaint();
    up = !up;
  }
}

}  // namespace

BENCHMARK(BM_CreatureListFilterKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreatureListFilterFreshText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MagicListFilterKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MagicListFilterFreshText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreatureListFirstKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreatureListSortByColumn)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] { largeGame(); });
}
