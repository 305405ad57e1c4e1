// The spell windows' speed targets, each against its yardstick in the same run:
// - the spell list over 32767 spells with full 1024-character descriptions opens within twice a
//   plain sequential read of Mag.dat;
// - a progression rebuild over 32767 entries costs at most twice one sequential read of
//   MagProg.dat plus a sort of its entries;
// - the same list opens within 1.5x its time over a few spells. Over 10 spells it draws only 10
//   rows, so it is also measured over 100, which fill the window as the full list does.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include "catalogue_generator.h"
#include "core/definitions.h"
#include "core/spell_progression.h"
#include "spells/forms.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"
#include "window_bench.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using bench_support::GeneratedGame;
using bench_support::LargestCatalogue;

core::SpellRecord fullSpell(long k) {
  core::SpellRecord spell = bench_support::generatedSpell(k);
  spell.Description = std::string(core::DescriptionWidth, static_cast<char>('a' + k % 26));
  return spell;
}

const GeneratedGame& fullGame() {
  static const std::unique_ptr<GeneratedGame> game = [] {
    auto made = bench_support::generateGame(LargestCatalogue);
    bench_support::writeCatalogueFile<core::SpellRecord>(made->dat() / "Mag.dat", LargestCatalogue,
                                                         fullSpell);
    return made;
  }();
  return *game;
}

// A few spells written as the full game's are, so that the games differ only in how many.
std::unique_ptr<GeneratedGame> fewSpells(long count) {
  auto made = bench_support::generateGame(count);
  bench_support::writeCatalogueFile<core::SpellRecord>(made->dat() / "Mag.dat", count, fullSpell);
  return made;
}

const GeneratedGame& smallGame() {
  static const auto game = fewSpells(10);
  return *game;
}

// More spells than the window shows rows: the list draws as many rows as the full one.
const GeneratedGame& windowFullGame() {
  static const auto game = fewSpells(100);
  return *game;
}

// The store and the spell windows on a game (the full one unless told otherwise).
struct Windows {
  core::ModDefinitions defs;
  bench_support::CountingDialogs dialogs;
  ui::FormsRegistry registry;
  explicit Windows(const GeneratedGame& game = fullGame()) : defs(game.root()) {
    if (!defs.OpenSpellFiles().ok()) throw std::runtime_error("cannot open the spell files");
    spells::AddForms(registry, defs, dialogs);
  }
};

// The whole file front to back in 1 MiB blocks; false on a short read.
bool readSequentially(const std::filesystem::path& path, std::vector<std::uint8_t>& into) {
  into.resize(std::filesystem::file_size(path));
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::setvbuf(file, nullptr, _IONBF, 0);
  std::size_t total = 0;
  for (std::size_t got;
       (got = std::fread(into.data() + total, 1,
                         std::min<std::size_t>(1 << 20, into.size() - total), file)) > 0;)
    total += got;
  std::fclose(file);
  return total == into.size();
}

void BM_SpellListOpen(benchmark::State& state) {
  Windows windows;
  bench_support::OpenPaintAndClose(state, windows.registry, windows.dialogs, "frmMagicList");
}
// The same window over 10 spells: what the window costs whatever the catalogue holds.
void BM_SpellListOpen10Spells(benchmark::State& state) {
  Windows windows(smallGame());
  bench_support::OpenPaintAndClose(state, windows.registry, windows.dialogs, "frmMagicList");
}

void BM_SpellListOpenWindowFull(benchmark::State& state) {
  Windows windows(windowFullGame());
  bench_support::OpenPaintAndClose(state, windows.registry, windows.dialogs, "frmMagicList");
}

void BM_PlainSequentialReadOfMagDat(benchmark::State& state) {
  const auto path = fullGame().dat() / "Mag.dat";
  std::vector<std::uint8_t> bytes;
  for (auto _ : state) {
    if (!readSequentially(path, bytes)) {
      state.SkipWithError("short read of Mag.dat");
      break;
    }
    benchmark::DoNotOptimize(bytes.data());
  }
}

void BM_ProgressionRebuild(benchmark::State& state) {
  Windows windows;
  ui::Form* progression = windows.registry.show("frmMagicProg");
  if (!progression) {
    state.SkipWithError("no progression window");
    return;
  }
  // The rows on screen are made when the list is drawn, so the drawing is part of a rebuild.
  for (auto _ : state) {
    progression->refresh();
    progression->repaint();
  }
}

// The store's part of the rebuild: one read of MagProg.dat and the ordered rows, no window.
void BM_ProgressionRowsInStore(benchmark::State& state) {
  Windows windows;
  for (auto _ : state) {
    auto entries = core::ReadSpellProgression(windows.defs);
    if (!entries.ok()) {
      state.SkipWithError(entries.status().message().c_str());
      break;
    }
    auto rows = core::SpellProgressionRows(*entries, -1);
    benchmark::DoNotOptimize(rows.data());
  }
}

// The yardstick: one sequential read of MagProg.dat, its entries unpacked and stably sorted by
// class and level.
void BM_ProgressionReadAndSort(benchmark::State& state) {
  const auto path = fullGame().dat() / "MagProg.dat";
  std::vector<std::uint8_t> bytes;
  for (auto _ : state) {
    if (!readSequentially(path, bytes)) {
      state.SkipWithError("short read of MagProg.dat");
      break;
    }
    std::vector<core::SpellProgRecord> entries;
    entries.reserve(bytes.size() / core::SpellProgRecord::SlotLength);
    for (std::size_t at = core::SpellProgRecord::SlotLength; at < bytes.size();
         at += core::SpellProgRecord::SlotLength)
      entries.push_back(core::SpellProgRecord::unpack(
          std::span<const std::uint8_t>(bytes.data() + at, core::SpellProgRecord::PackedSize)));
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
      return a.ProgClass != b.ProgClass ? a.ProgClass < b.ProgClass : a.ProgLevel < b.ProgLevel;
    });
    benchmark::DoNotOptimize(entries.data());
  }
}

}  // namespace

BENCHMARK(BM_SpellListOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpellListOpen10Spells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpellListOpenWindowFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSequentialReadOfMagDat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgressionRebuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgressionRowsInStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgressionReadAndSort)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] {
    fullGame();
    smallGame();
    windowFullGame();
  });
}
