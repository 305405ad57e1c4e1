// The map view's zoom, its room and the status bar, through the real keys, wheel and mouse.
#include "main_window_fixture.h"
#include "support/test_registry.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QWheelEvent>

using namespace main_window_test;

namespace {

// Every pixel of `picture` as a z x z block, made here pixel by pixel.
QImage blocks(const QImage& picture, int z) {
  QImage out(picture.size() * z, QImage::Format_RGB32);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, picture.pixel(x / z, y / z));
  return out;
}

// What the view shows of the map on screen, without the ring of its focus frame.
QImage shownMap(const MainWindow& w) {
  auto* view = w.control<ui::PictureBox>("picMap");
  const int z = w.window->zoom();
  return view->grab()
      .toImage()
      .convertToFormat(QImage::Format_RGB32)
      .copy(2, 2, view->image().width() * z, view->image().height() * z);
}

void turnWheel(QWidget* view, int notches, Qt::KeyboardModifiers modifiers) {
  const QPointF at(20, 20);
  QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                    modifiers, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(view, &wheel);
}

QString statusText(const MainWindow& w, const char* name) {
  return w.window->statusBar()->findChild<QLabel*>(name)->text();
}

}  // namespace

class MapZoomTest : public QObject {
  Q_OBJECT

 private slots:
  // At zoom z the screen shows each pixel of the one picture as a z x z block: at 1x the
  // picture itself. The keys and the wheel step the zoom within 1x..6x.
  void zoomedViewIsTheOnePictureInBlocks() {
    MainWindow w;
    QWidget* view = w.control<QWidget>("picMap");
    const QImage picture = w.control<ui::PictureBox>("picMap")->image();
    QCOMPARE(shownMap(w), picture);
    QCOMPARE(statusText(w, "statusZoom"), QString("1x"));
    w.activate();
    QTest::keyClick(view, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(w.window->zoom(), 3);
    QVERIFY(shownMap(w) == blocks(picture, 3));
    turnWheel(view, 9, Qt::ControlModifier);
    QCOMPARE(w.window->zoom(), 6);
    QCOMPARE(statusText(w, "statusZoom"), QString("6x"));
    turnWheel(view, -1, Qt::NoModifier);  // scrolls, keeps the zoom
    QCOMPARE(w.window->zoom(), 6);
    QTest::keyClick(view, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(w.window->zoom(), 5);
    QTest::keyClick(view, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(w.window->zoom(), 1);
    QCOMPARE(shownMap(w), picture);
  }

  // "Fit" takes the largest zoom that shows the whole map; a larger map gets scroll bars.
  void fitAndScrollBars() {
    MainWindow w;
    w.window->resize(1280, 1024);
    QCoreApplication::processEvents();
    auto* scroll = w.control<QScrollArea>("mapScroll");
    w.trigger("mnuZoomFit");
    const QSize room = scroll->maximumViewportSize();
    const int fit = w.window->zoom();
    QVERIFY(fit >= 2);
    QVERIFY(434 * fit + 4 <= std::min(room.width(), room.height()));
    QVERIFY(434 * (fit + 1) + 4 > std::min(room.width(), room.height()));
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    w.window->setZoom(6);
    QCoreApplication::processEvents();
    QVERIFY(scroll->verticalScrollBar()->isVisible() && scroll->horizontalScrollBar()->isVisible());
  }

  // A click selects the square under the pointer and a right-click copies onto it at every zoom;
  // the saved map has exactly those bytes.
  void clicksWorkAtEveryZoom() {
    MainWindow w;
    test_support::editMap(*w.defs, [](core::MapRecord& map) { map.SetSquare(1, 0, 0x1234); });
    core::MapRecord expected = w.defs->Document().Map();
    for (int z : {1, 2, 4, 6}) {
      w.window->setZoom(z);
      w.clickSquare(1, 0);
      w.clickSquare(z + 20, 32, Qt::RightButton);
      expected.SetSquare(z + 20, 32, 0x1234);
      QCOMPARE(w.selected(), QPoint(z + 20, 32));
      // The last pixel of a square still belongs to it.
      w.clickViewPixel(QPoint(13 * 7 + 12, 13 * 3 + 12));
      QCOMPARE(w.selected(), QPoint(7, 3));
    }
    w.trigger("mnuSave");
    QCOMPARE(test_support::mapSlotBytes(w.mapsFile(), 1), test_support::packedBytes(expected));
  }

  // The zoom stays through New and Open and is there again at the next start.
  void zoomIsRemembered() {
    MainWindow w;
    w.window->setZoom(4);
    w.trigger("mnuNew");
    QCOMPARE(w.window->zoom(), 4);
    w.dialogs.answerInput("2");
    w.trigger("mnuOpen");
    QCOMPARE(w.window->zoom(), 4);
    w.window->closeForm();
    w.open();
    QCOMPARE(w.window->zoom(), 4);
    QCOMPARE(statusText(w, "statusZoom"), QString("4x"));
  }

  // The status bar names the square under the pointer, its four sides and its specials.
  void statusBarDescribesTheSquareUnderThePointer() {
    MainWindow w;
    test_support::editMap(*w.defs, [](core::MapRecord& map) {
      map.SetSquare(14, 2, 0x0441);  // North Wall1, South Door1
      map.SetSquare(0, 0, 0);
      test_support::putSpecial(map, 5, 3, 14, 2);
      test_support::putSpecial(map, 9, 4, 14, 2);
    });
    w.window->setZoom(2);
    QWidget* view = w.control<QWidget>("picMap");
    const auto hover = [view](QPoint at) {
      QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
      QCoreApplication::sendEvent(view, &move);
    };
    hover(w.viewPoint(QPoint(13 * 14 + 4, 13 * 2 + 4)));
    QCOMPARE(statusText(w, "statusSquare"),
             QString("14X, 2Y  North: Wall1  East: Nothing  South: Door1  West: Nothing  "
                     "2 specials"));
    hover(w.viewPoint(QPoint(0, 0)));
    QCOMPARE(statusText(w, "statusSquare"),
             QString("0X, 0Y  North: Nothing  East: Nothing  South: Nothing  West: Nothing  "
                     "0 specials"));
  }
};

REGISTER_TEST(MapZoomTest);
#include "test_map_zoom.moc"
