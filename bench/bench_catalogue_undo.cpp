// Undo of a catalogue save against the save it takes back (target: the undo at most twice the
// save), in the largest spell and item catalogues. Both end with the file synced; the undo also
// reads the entry back for the editor. Wall time is mostly the disk's sync: compare both columns.

#include "catalogue_generator.h"
#include "core/definitions.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<core::ModDefinitions> Opened(benchmark::State& state) {
  auto defs = std::make_unique<core::ModDefinitions>(
      bench_support::SharedGame(bench_support::LargestCatalogue).root());
  const core::Status status = defs->Startup();
  if (!status.ok()) state.SkipWithError(status.message().c_str());
  return defs;
}

// Entry 16384 of the file, renamed in turn so that every save changes its bytes.
struct Catalogue {
  core::CatalogueFile file;
  core::Status (core::ModDefinitions::*read)(long);
  core::Status (core::ModDefinitions::*write)(bool);
  std::string* (*name)(core::ModDefinitions&);
};

const Catalogue Spells{core::CatalogueFile::Spells, &core::ModDefinitions::ReadSpellPair,
                       &core::ModDefinitions::WriteSpell,
                       [](core::ModDefinitions& defs) { return &defs.Spell.SpellName; }};
const Catalogue Items{core::CatalogueFile::Items, &core::ModDefinitions::ReadItemPair,
                      &core::ModDefinitions::WriteItem,
                      [](core::ModDefinitions& defs) { return &defs.Item.ItemName; }};

constexpr long Entry = 16384;

bool Save(benchmark::State& state, core::ModDefinitions& defs, const Catalogue& c, long round) {
  *c.name(defs) = "Renamed " + std::to_string(round);
  const core::Status status = (defs.*c.write)(false);
  if (!status.ok()) state.SkipWithError(status.message().c_str());
  return status.ok();
}

void SaveEntry(benchmark::State& state, const Catalogue& c) {
  auto defs = Opened(state);
  if (!((*defs).*c.read)(Entry).ok()) state.SkipWithError("cannot read the entry");
  long round = 0;
  for (auto _ : state) {
    if (!Save(state, *defs, c, ++round)) break;
  }
}

void UndoSave(benchmark::State& state, const Catalogue& c) {
  auto defs = Opened(state);
  if (!((*defs).*c.read)(Entry).ok()) state.SkipWithError("cannot read the entry");
  long round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const bool saved = Save(state, *defs, c, ++round);
    state.ResumeTiming();
    if (!saved) break;
    const core::Status status = defs->UndoWrite(c.file, false);
    if (!status.ok()) {
      state.SkipWithError(status.message().c_str());
      break;
    }
  }
}

void BM_SaveSpell(benchmark::State& state) {
  SaveEntry(state, Spells);
}
void BM_UndoSaveSpell(benchmark::State& state) {
  UndoSave(state, Spells);
}
void BM_SaveItem(benchmark::State& state) {
  SaveEntry(state, Items);
}
void BM_UndoSaveItem(benchmark::State& state) {
  UndoSave(state, Items);
}

}  // namespace

BENCHMARK(BM_SaveSpell)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_UndoSaveSpell)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_SaveItem)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_UndoSaveItem)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
