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

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using bench_support::LargestGame;

std::filesystem::path ScratchFolder() {
  static QTemporaryDir dir;
  return dir.path().toStdString();
}

// Target of export and import: at most ten times this (from the page cache, or from the disk).
void BM_SequentialReadOfAllFiles(benchmark::State& state) {
  bench_support::SequentialReadOfFolder(state, LargestGame().dat());
}
BENCHMARK(BM_SequentialReadOfAllFiles)->Unit(benchmark::kMillisecond);

// The same read with each file first dropped from the page cache: what the disk costs.
void BM_SequentialReadOfAllFilesFromDisk(benchmark::State& state) {
  bench_support::SequentialReadOfFolder(state, LargestGame().dat(), true);
}
BENCHMARK(BM_SequentialReadOfAllFilesFromDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

// The six files written as an import writes them (a new file beside each, synced, renamed over
// it, the folder synced), and nothing else: the part of an import that is the disk's.
void BM_PlainSafeWriteOfAllFiles(benchmark::State& state) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& entry : std::filesystem::directory_iterator(LargestGame().dat())) {
    std::string bytes(std::filesystem::file_size(entry.path()), '\0');
    std::FILE* in = std::fopen(entry.path().c_str(), "rb");
    const bool read = in && std::fread(bytes.data(), 1, bytes.size(), in) == bytes.size();
    if (in) std::fclose(in);
    if (!read) {
      state.SkipWithError("cannot read a game file");
      return;
    }
    files.emplace_back(entry.path().filename().string(), std::move(bytes));
  }
  const auto folder = ScratchFolder() / "safe-write";
  std::filesystem::create_directories(folder);
  for (auto _ : state) {
    for (const auto& [name, bytes] : files) {
      const auto fresh = folder / (name + ".new");
      const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      bool written = fd >= 0;
      for (std::size_t at = 0; written && at < bytes.size();) {
        const ssize_t part = ::write(fd, bytes.data() + at, bytes.size() - at);
        written = part > 0;
        at += written ? static_cast<std::size_t>(part) : 0;
      }
      written = written && ::fsync(fd) == 0;
      if (fd >= 0 && ::close(fd) != 0) written = false;
      if (!written || ::rename(fresh.c_str(), (folder / name).c_str()) != 0) {
        state.SkipWithError("cannot write a game file");
        return;
      }
      const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (dir < 0 || ::fsync(dir) != 0) state.SkipWithError("cannot sync the folder");
      if (dir >= 0) ::close(dir);
    }
  }
}
BENCHMARK(BM_PlainSafeWriteOfAllFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

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
// Process CPU time: the work may be spread over several threads.
BENCHMARK(BM_ExportLargestGame)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

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
BENCHMARK(BM_ImportLargestGame)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

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
