#pragma once

// What the benchmarks of windows share: dialogs that nobody answers (counting_dialogs.h), and a
// main that runs the benchmarks inside a Qt application (off screen unless told otherwise).

#include "counting_dialogs.h"
#include "ui/forms_registry.h"

#include <QApplication>
#include <QMainWindow>
#include <QSize>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>

namespace bench_support {

// Opens `form` as its menu entry does and lets Qt paint it: that is what is measured. Closing
// and deleting the window is not.
inline void OpenPaintAndClose(benchmark::State& state, ui::FormsRegistry& registry,
                              const CountingDialogs& dialogs, const char* form) {
  for (auto _ : state) {
    ui::Form* window = registry.show(form);
    QApplication::processEvents();
    if (!window || dialogs.messages != 0) {
      state.SkipWithError("the window did not open cleanly");
      break;
    }
    state.PauseTiming();
    registry.close(form);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}

// The floor every window pays: an empty window of `size`, shown and painted.
inline void OpenEmptyWindow(benchmark::State& state, QSize size) {
  for (auto _ : state) {
    auto* window = new QMainWindow;
    window->setCentralWidget(new QWidget);
    window->resize(size);
    window->show();
    QApplication::processEvents();
    state.PauseTiming();
    delete window;
    state.ResumeTiming();
  }
}

// `prepare` writes the game folders before any timing starts.
inline int RunWindowBenchmarks(int argc, char** argv, const std::function<void()>& prepare) {
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  prepare();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench_support
