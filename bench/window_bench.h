#pragma once

// What the benchmarks of windows share: dialogs that nobody answers (counting_dialogs.h), and a
// main that runs the benchmarks inside a Qt application (off screen unless told otherwise).

#include "catalogue_generator.h"
#include "core/definitions.h"
#include "counting_dialogs.h"
#include "ui/change_hub.h"
#include "ui/forms_registry.h"
#include "yardstick.h"

#include <QApplication>
#include <QMainWindow>
#include <QSize>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace bench_support {

// The program's state on a game folder, started as main starts it, with the windows that
// `addForms` registers (a folder's AddForms).
struct Program {
  CountingDialogs dialogs;
  core::ModDefinitions defs;
  ui::ChangeHub hub{defs};
  ui::FormsRegistry registry{&hub};

  template <class AddForms>
  Program(const GeneratedGame& game, AddForms addForms) : defs(game.root()) {
    if (!defs.Startup().ok()) throw std::runtime_error("the generated game does not start");
    addForms(registry, defs, dialogs);
  }
};

// Opens `form` as its menu entry does and lets Qt paint it: that is what is measured. Closing
// and deleting the window is not. With `fromDisk` set, that file is first dropped from the page
// cache, as on the first opening after start-up (use real time then).
inline void OpenPaintAndClose(benchmark::State& state, ui::FormsRegistry& registry,
                              const CountingDialogs& dialogs, const char* form,
                              const std::filesystem::path& fromDisk = {}) {
  for (auto _ : state) {
    if (!fromDisk.empty()) {
      state.PauseTiming();
      const bool dropped = DropFromPageCache(fromDisk);
      state.ResumeTiming();
      if (!dropped) {
        state.SkipWithError("cannot drop the file from the page cache");
        break;
      }
    }
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

// The list target of a catalogue's list window `form`: opening it over 32767 entries against a
// plain sequential read of the catalogue file `file` (in Dat), both with the file in the page
// cache and read from the disk, each pair twice so that it sees the same machine conditions.
// Beside them, what the window and its drawing cost: the list over a screenful of entries, and an
// empty window of `size`. Registered as "BM_<list>..." and "BM_PlainSequentialReadOf<file>...".
template <class AddForms>
void RegisterListTarget(const std::string& list, AddForms addForms, const char* form,
                        const std::string& file, QSize size) {
  const auto path = [file] { return SharedGame(LargestCatalogue).dat() / file; };
  const auto open = [addForms, form](benchmark::State& state, long entries,
                                     const std::filesystem::path& fromDisk) {
    Program program(SharedGame(entries), addForms);
    OpenPaintAndClose(state, program.registry, program.dialogs, form, fromDisk);
  };
  const std::string stem = file.substr(0, file.find('.'));
  for (const bool fromDisk : {false, true}) {
    const std::string suffix = fromDisk ? "FromDisk" : "";
    for (int round = 0; round < 2; ++round) {
      auto* read =
          benchmark::RegisterBenchmark(("BM_PlainSequentialReadOf" + stem + "Dat" + suffix).c_str(),
                                       [path, fromDisk](benchmark::State& state) {
                                         PlainSequentialRead(state, path(), fromDisk);
                                       });
      auto* opened = benchmark::RegisterBenchmark(
          ("BM_" + list + "ListOpen32767" + suffix).c_str(),
          [open, path, fromDisk](benchmark::State& state) {
            open(state, LargestCatalogue, fromDisk ? path() : std::filesystem::path());
          });
      for (auto* benchmark : {read, opened}) {
        benchmark->Unit(benchmark::kMicrosecond);
        // The wait for the disk is no processor time.
        if (fromDisk) benchmark->UseRealTime();
      }
    }
  }
  benchmark::RegisterBenchmark(
      ("BM_" + list + "ListOpen100").c_str(),
      [open](benchmark::State& state) { open(state, ScreenfulCatalogue, {}); })
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("BM_EmptyWindowOpen", [size](benchmark::State& state) {
    OpenEmptyWindow(state, size);
  })->Unit(benchmark::kMicrosecond);
}

// The off-screen platform warns on every window of fixed size that it cannot pass the size on;
// a screen's platform does not, and writing the warning is no cost of the window.
inline void DropPlatformSizeWarnings(QtMsgType type, const QMessageLogContext& context,
                                     const QString& message) {
  if (message.contains(QLatin1String("does not support propagateSizeHints"))) return;
  qt_message_output(type, context, message);
}

// `prepare` writes the game folders before any timing starts.
inline int RunWindowBenchmarks(int argc, char** argv, const std::function<void()>& prepare) {
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(DropPlatformSizeWarnings);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  prepare();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench_support
