#pragma once

// What the benchmarks of windows share: dialogs that nobody answers (counting_dialogs.h), and a
// main that runs the benchmarks inside a Qt application (off screen unless told otherwise).

#include "counting_dialogs.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>

namespace bench_support {

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
