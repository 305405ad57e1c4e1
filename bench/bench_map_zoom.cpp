// The zoomed map view: painting the whole map at 6x should cost at most 1.5 times the bare
// scaled transfer of the same picture, and one step of a wall drag at 6x (one more edge and the
// repaint it needs) at most 2 ms.

#include "core/bitmap.h"
#include "core/definitions.h"
#include "core/tile_sheet.h"
#include "map_session.h"
#include "maps/forms.h"
#include "maps/frm_map_ed.h"
#include "maps/map_view.h"
#include "ui/change_hub.h"
#include "ui/forms_registry.h"
#include "ui/picture_box.h"

#include <QAction>
#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>

namespace {

constexpr int Zoom = 6;
constexpr int Cell = maps::frmMapEd::CellPixels;

// Every side of every square with a wall code at random.
core::MapRecord WalledMap() {
  core::MapRecord map;
  std::mt19937 random(434);
  std::uniform_int_distribution<int> code(0, 7);
  for (int y = 0; y < core::MapSize; ++y)
    for (int x = 0; x < core::MapSize; ++x)
      for (int side = 0; side < core::SideCount; ++side) map.SetWallCode(x, y, side, code(random));
  return map;
}

// The view's own paint of the whole map at 6x: the picture drawn, then the box painted.
void BM_ZoomedMapPaint(benchmark::State& state) {
  ui::PictureBox view(nullptr, "picMap");
  view.setSurfaceSize(maps::frmMapEd::MapViewPixels, maps::frmMapEd::MapViewPixels);
  view.setBackground(ui::ToQImage(core::MakeMapBackground()));
  view.setZoom(Zoom);
  view.resize(view.sizeHint());
  const QImage tiles = ui::ToQImage(core::MakeTileSheet());
  const core::MapRecord map = WalledMap();
  QImage screen(view.size(), QImage::Format_RGB32);
  for (auto _ : state) {
    view.clear();
    maps::DrawMapGrid(view.surface(), tiles, map, 16, 16);
    view.render(&screen);
    benchmark::DoNotOptimize(screen.constBits());
  }
}

// The floor: the finished 1x picture put on the same screen 6 times larger, nothing else.
void BM_BareScaledBlit(benchmark::State& state) {
  const QImage tiles = ui::ToQImage(core::MakeTileSheet());
  QImage picture = ui::ToQImage(core::MakeMapBackground());
  maps::DrawMapGrid(picture, tiles, WalledMap(), 16, 16);
  QImage screen(picture.size() * Zoom, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&screen);
    painter.drawImage(screen.rect(), picture);
    painter.end();
    benchmark::DoNotOptimize(screen.constBits());
  }
}

// A main window at 1280 x 1024 and 6x with the Wall tool.
struct Session : bench_support::MapSession {
  QWidget* view = nullptr;

  Session() {
    window->resize(1280, 1024);
    window->setZoom(Zoom);
    window->findChild<QAction*>("mnuToolWall")->trigger();
    view = window->findChild<QWidget*>("picMap");
    QApplication::processEvents();
  }

  void send(QEvent::Type type, QPoint surface, Qt::MouseButtons held) {
    const QPoint at = surface * Zoom + QPoint(Zoom / 2 + 2, Zoom / 2 + 2);
    QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &event);
  }
};

// One move of a drag down a vertical line, one square further: the edge set, the view repainted.
// Between lines the gesture ends and the next begins, untimed; each pass changes the code.
void BM_WallDragStepAt6x(benchmark::State& state) {
  Session session;
  int line = 1;
  int row = 0;
  int pass = 0;
  session.send(QEvent::MouseButtonPress, QPoint(Cell * line, 2), Qt::LeftButton);
  for (auto _ : state) {
    ++row;
    session.send(QEvent::MouseMove, QPoint(Cell * line, Cell * row + 6), Qt::LeftButton);
    QApplication::processEvents();
    if (row == core::MapSize - 1) {
      state.PauseTiming();
      session.send(QEvent::MouseButtonRelease, QPoint(Cell * line, Cell * row + 6), Qt::NoButton);
      row = 0;
      line = line % (core::MapSize - 1) + 1;
      if (line == 1) {
        ++pass;
        session.window->findChild<QComboBox*>("cboWallCode")->setCurrentIndex(1 + pass % 5);
      }
      session.send(QEvent::MouseButtonPress, QPoint(Cell * line, 2), Qt::LeftButton);
      QApplication::processEvents();
      state.ResumeTiming();
    }
  }
  session.send(QEvent::MouseButtonRelease, QPoint(Cell * line, 2), Qt::NoButton);
}

}  // namespace

BENCHMARK(BM_ZoomedMapPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareScaledBlit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WallDragStepAt6x)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  return bench_support::RunWindowBenchmarks(argc, argv, [] {});
}
