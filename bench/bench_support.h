#pragma once

// What the benchmarks of windows and files share: dialogs that only count, the plain read that
// serves as a yardstick, and a main that runs the benchmarks inside a Qt application.

#include "ui/dialogs.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

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

// The yardstick: a file read front to back in 1 MiB blocks, nothing else done with it.
inline void PlainSequentialRead(benchmark::State& state, const std::filesystem::path& path) {
  const auto bytes = std::filesystem::file_size(path);
  std::vector<char> block(std::size_t{1} << 20);
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
      state.SkipWithError("cannot open the file");
      break;
    }
    std::setvbuf(file, nullptr, _IONBF, 0);
    std::size_t total = 0;
    for (std::size_t got; (got = std::fread(block.data(), 1, block.size(), file)) > 0;)
      total += got;
    std::fclose(file);
    if (total != bytes) {
      state.SkipWithError("short read");
      break;
    }
    benchmark::DoNotOptimize(block.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// Runs the benchmarks off screen inside a Qt application; `prepare` writes the game folders
// before any timing starts.
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
