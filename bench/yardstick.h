#pragma once

// The yardstick the list targets are measured against: a file read front to back in 1 MiB
// blocks, nothing else done with it.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace bench_support {

inline void PlainSequentialRead(benchmark::State& state, const std::filesystem::path& path) {
  const auto bytes = std::filesystem::file_size(path);
  const std::string name = path.filename().string();
  std::vector<char> block(std::size_t{1} << 20);
  for (auto _ : state) {
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

}  // namespace bench_support
