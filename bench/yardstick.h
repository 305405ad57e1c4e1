#pragma once

// The yardstick the list targets are measured against: a file read front to back in 1 MiB
// blocks, nothing else done with it. Read from the page cache it costs a copy in memory; read
// from the disk, what a first opening after start-up meets, it costs the disk's time.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace bench_support {

// Puts `path` on the disk and drops it from the page cache, so that its next read comes from
// the disk. False when the system would not.
inline bool DropFromPageCache(const std::filesystem::path& path) {
  const int file = ::open(path.c_str(), O_RDONLY);
  if (file < 0) return false;
  const bool dropped =
      ::fdatasync(file) == 0 && ::posix_fadvise(file, 0, 0, POSIX_FADV_DONTNEED) == 0;
  ::close(file);
  return dropped;
}

// With `fromDisk`, each read starts with the file out of the page cache (use real time: the
// wait for the disk is no processor time).
inline void PlainSequentialRead(benchmark::State& state, const std::filesystem::path& path,
                                bool fromDisk = false) {
  const auto bytes = std::filesystem::file_size(path);
  const std::string name = path.filename().string();
  std::vector<char> block(std::size_t{1} << 20);
  for (auto _ : state) {
    if (fromDisk) {
      state.PauseTiming();
      const bool dropped = DropFromPageCache(path);
      state.ResumeTiming();
      if (!dropped) {
        state.SkipWithError(("cannot drop " + name + " from the page cache").c_str());
        break;
      }
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
      state.SkipWithError(("cannot open " + name).c_str());
      break;
    }
    std::setvbuf(file, nullptr, _IONBF, 0);
    std::size_t total = 0;
    for (std::size_t got; (got = std::fread(block.data(), 1, block.size(), file)) > 0;)
      total += got;
    std::fclose(file);
    if (total != bytes) {
      state.SkipWithError(("short read of " + name).c_str());
      break;
    }
    benchmark::DoNotOptimize(block.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// Every file of a folder read front to back once, from the page cache; with `fromDisk`, each
// file is first dropped from it (use real time).
inline void SequentialReadOfFolder(benchmark::State& state, const std::filesystem::path& folder,
                                   bool fromDisk = false) {
  std::vector<std::filesystem::path> files;
  std::uintmax_t bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    files.push_back(entry.path());
    bytes += std::filesystem::file_size(entry.path());
  }
  std::vector<char> block(std::size_t{1} << 20);
  for (auto _ : state) {
    for (const auto& path : files) {
      if (fromDisk) {
        state.PauseTiming();
        const bool dropped = DropFromPageCache(path);
        state.ResumeTiming();
        if (!dropped) {
          state.SkipWithError("cannot drop a game file from the page cache");
          return;
        }
      }
      std::FILE* file = std::fopen(path.c_str(), "rb");
      if (!file) {
        state.SkipWithError("cannot open a game file");
        return;
      }
      std::setvbuf(file, nullptr, _IONBF, 0);
      while (std::fread(block.data(), 1, block.size(), file) > 0) {
      }
      std::fclose(file);
      benchmark::DoNotOptimize(block.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

}  // namespace bench_support
