#pragma once

// What the benchmarks of windows share: dialogs that no one answers, and a main that runs off
// screen with the game folders written before any timing starts.

#include "ui/dialogs.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>

namespace bench_support {

// Messages are counted, not shown: a benchmark that raised one would measure the wrong thing.
class CountingDialogs final : public ui::Dialogs {
 public:
  int messages = 0;
  QString inputBox(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  void messageBox(QWidget*, const QString&, const QString&) override { ++messages; }
  SaveChoice askSaveDiscardCancel(QWidget*, const QString&, const QString&) override {
    return SaveChoice::Cancel;
  }
  bool askOverwrite(QWidget*, const QString&, const QString&) override { return false; }
  QString chooseDirectory(QWidget*, const QString&) override { return {}; }
};

// The body of main: `prepare` writes the game folders, then the benchmarks run.
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
