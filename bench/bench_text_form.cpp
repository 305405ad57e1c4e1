// The text form at the largest sizes (32767 entries in every catalogue, 1000 maps): export and
// import of the whole game folder against one sequential read of its files, and `show` of one
// 32767-entry catalogue.

#include "catalogue_generator.h"
#include "textform/game_data.h"
#include "yardstick.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <QTemporaryDir>

namespace {

using bench_support::LargestGame;

std::filesystem::path ScratchFolder() {
  static QTemporaryDir dir;
  return dir.path().toStdString();
}

// Target of the two below: at most ten times this.
void BM_SequentialReadOfAllFiles(benchmark::State& state) {
  bench_support::SequentialReadOfFolder(state, LargestGame().dat());
}
BENCHMARK(BM_SequentialReadOfAllFiles)->Unit(benchmark::kMillisecond);

void BM_ExportLargestGame(benchmark::State& state) {
  const auto target = ScratchFolder() / "export";
  for (auto _ : state) {
    auto summary = textform::ExportGameData(LargestGame().root(), target);
    if (!summary.ok()) {
      state.SkipWithError(summary.status().message().c_str());
      return;
    }
  }
}
BENCHMARK(BM_ExportLargestGame)->Unit(benchmark::kMillisecond);

// Each round imports into a game folder whose six files all differ by one byte from the text
// form, so that every file is checked, compared and written (synced and renamed) again.
void BM_ImportLargestGame(benchmark::State& state) {
  const auto source = ScratchFolder() / "import-source";
  auto exported = textform::ExportGameData(LargestGame().root(), source);
  if (!exported.ok()) {
    state.SkipWithError(exported.status().message().c_str());
    return;
  }
  const auto game = ScratchFolder() / "import-game";
  std::filesystem::remove_all(game);
  std::filesystem::create_directories(game);
  std::filesystem::copy(LargestGame().dat(), game / "Dat");
  for (auto _ : state) {
    state.PauseTiming();
    for (const auto& file : std::filesystem::directory_iterator(game / "Dat")) {
      const int fd = ::open(file.path().c_str(), O_WRONLY);
      const char byte = 0x7F;
      if (fd < 0 || ::pwrite(fd, &byte, 1, 3) != 1) state.SkipWithError("cannot change a file");
      ::close(fd);
    }
    state.ResumeTiming();
    auto summary = textform::ImportGameData(source, game);
    if (!summary.ok() || summary->written.size() != 6) {
      state.SkipWithError(summary.ok() ? "not every file was written"
                                       : summary.status().message().c_str());
      return;
    }
  }
}
BENCHMARK(BM_ImportLargestGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Target: at most 1 s.
void BM_ShowLargestCatalogue(benchmark::State& state) {
  const auto file = LargestGame().dat() / "Mag.dat";
  std::size_t length = 0;
  for (auto _ : state) {
    auto text = textform::ShowRecordFile(file);
    if (!text.ok()) {
      state.SkipWithError(text.status().message().c_str());
      return;
    }
    length = text->size();
  }
  state.counters["json_bytes"] = static_cast<double>(length);
}
BENCHMARK(BM_ShowLargestCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
