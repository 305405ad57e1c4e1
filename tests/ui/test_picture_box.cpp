#include "core/bitmap.h"
#include "support/test_registry.h"
#include "ui/picture_box.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A w x h image whose pixel (x, y) is 0xRRGGBB with red = 16x + 1, green = 16y + 2, blue = 0xAA.
QImage pattern(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(16 * x + 1, 16 * y + 2, 0xAA));
  return image;
}

QImage filled(int w, int h, QRgb rgb) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(rgb);
  return image;
}

}  // namespace

class PictureBoxTest : public QObject {
  Q_OBJECT

 private slots:
  // Only the rectangle changes; AND works bit by bit on every channel, not as a blend, so the
  // side glyphs of a square keep each other's strokes.
  void transferChangesExactlyTheRectangle_data() {
    QTest::addColumn<int>("op");
    QTest::newRow("copy") << int(ui::RasterOp::Copy);
    QTest::newRow("and") << int(ui::RasterOp::And);
  }
  void transferChangesExactlyTheRectangle() {
    QFETCH(int, op);
    QImage dst(6, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) dst.setPixel(x, y, qRgb(0xF0 - 9 * x, 0x3C + 7 * y, 0xA5 ^ x));
    const QImage before = dst;
    const QImage src = pattern(4, 4);
    ui::BitBlt(dst, 2, 1, 2, 3, src, 1, 0, static_cast<ui::RasterOp>(op));
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) {
        QRgb want = before.pixel(x, y);
        if (x >= 2 && x < 4 && y >= 1 && y < 4) {
          const QRgb in = src.pixel(x - 2 + 1, y - 1);
          want = op == int(ui::RasterOp::Copy) ? in : (want & in) | 0xFF000000u;
        }
        QCOMPARE(dst.pixel(x, y), want);
      }
    }
  }

  void transferIsClippedAtEveryEdge() {
    const QRgb bg = qRgb(1, 2, 3);
    const QImage src = pattern(4, 4);

    // Off the destination's top left: only the part inside lands, shifted as a whole.
    QImage dst = filled(4, 4, bg);
    ui::BitBlt(dst, -1, -2, 3, 4, src, 0, 0, ui::RasterOp::Copy);
    QCOMPARE(dst.pixel(0, 0), src.pixel(1, 2));
    QCOMPARE(dst.pixel(1, 1), src.pixel(2, 3));
    QCOMPARE(dst.pixel(2, 0), bg);
    QCOMPARE(dst.pixel(0, 2), bg);

    // Off the destination's bottom right.
    dst = filled(4, 4, bg);
    ui::BitBlt(dst, 3, 3, 4, 4, src, 0, 0, ui::RasterOp::Copy);
    QCOMPARE(dst.pixel(3, 3), src.pixel(0, 0));
    QCOMPARE(dst.pixel(2, 3), bg);

    // Reading past the source's edges takes nothing from there.
    dst = filled(4, 4, bg);
    ui::BitBlt(dst, 0, 0, 4, 4, src, 2, -1, ui::RasterOp::Copy);
    QCOMPARE(dst.pixel(0, 0), bg);  // source row -1
    QCOMPARE(dst.pixel(0, 1), src.pixel(2, 0));
    QCOMPARE(dst.pixel(1, 3), src.pixel(3, 2));
    QCOMPARE(dst.pixel(2, 1), bg);  // source column 4

    // Wholly outside, or empty: nothing changes.
    dst = filled(4, 4, bg);
    ui::BitBlt(dst, 10, 0, 2, 2, src, 0, 0, ui::RasterOp::And);
    ui::BitBlt(dst, 0, 0, 0, 2, src, 0, 0, ui::RasterOp::Copy);
    ui::BitBlt(dst, 0, 0, 2, 2, src, -5, 0, ui::RasterOp::Copy);
    QCOMPARE(dst, filled(4, 4, bg));
  }

  void clearRestoresTheBackground() {
    QWidget window;
    ui::PictureBox map(&window, "picMap");
    ui::PictureBox tiles(&window, "picTiles");
    map.setSurfaceSize(8, 6);
    map.setBackground(pattern(5, 5));
    tiles.setBackground(filled(4, 4, qRgb(0, 0, 0)));
    QCOMPARE(map.image().size(), QSize(8, 6));
    QCOMPARE(tiles.image().size(), QSize(4, 4));  // no fixed size: the picture's
    QCOMPARE(map.image().pixel(4, 4), pattern(5, 5).pixel(4, 4));
    QCOMPARE(map.image().pixel(7, 5), qRgb(0xFF, 0xFF, 0xFF));  // back colour beyond the picture

    map.bitBlt(1, 1, 2, 2, tiles, 0, 0, ui::RasterOp::Copy);
    QCOMPARE(map.image().pixel(1, 1), qRgb(0, 0, 0));
    map.clear();
    QCOMPARE(map.image().pixel(1, 1), pattern(5, 5).pixel(1, 1));
  }

  void loadsABitmapByPathAndSaysWhyNot() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    core::Bitmap back(3, 2, 0x102030);
    back.set(2, 1, 0xFFEEDD);
    const QString path = dir.filePath("Back.bmp");
    QVERIFY(core::WriteBmp(path.toStdString(), back).ok());

    ui::PictureBox box(nullptr, "picMap");
    QVERIFY(box.loadPicture(path).ok());
    QCOMPARE(box.image().size(), QSize(3, 2));
    QCOMPARE(box.image().pixel(0, 0), qRgb(0x10, 0x20, 0x30));
    QCOMPARE(box.image().pixel(2, 1), qRgb(0xFF, 0xEE, 0xDD));
    QCOMPARE(box.image(), ui::ToQImage(back));

    const QString missing = dir.filePath("Map9.bmp");
    const core::Status status = box.loadPicture(missing);
    QVERIFY(!status.ok());
    QVERIFY(QString::fromStdString(status.message()).contains("Map9.bmp"));
    QCOMPARE(box.image().pixel(2, 1), qRgb(0xFF, 0xEE, 0xDD));  // the old picture stays
  }

  void showsItsImageOnScreen() {
    ui::PictureBox box(nullptr, "picMap");
    box.setSurfaceSize(10, 10);
    box.setBackground(filled(10, 10, qRgb(0, 0x80, 0)));
    box.bitBlt(2, 3, 1, 1, filled(1, 1, qRgb(0xC0, 0, 0)), 0, 0, ui::RasterOp::Copy);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QImage shot = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.pixel(0, 0), qRgb(0, 0x80, 0));
    QCOMPARE(shot.pixel(2, 3), qRgb(0xC0, 0, 0));
  }

  void clicksCarryPositionAndRightButton() {
    ui::PictureBox box(nullptr, "picMap");
    box.setSurfaceSize(434, 434);
    box.show();
    QSignalSpy clicks(&box, &ui::PictureBox::clicked);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(27, 40));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).toPoint(), QPoint(27, 40));
    QCOMPARE(clicks.at(0).at(1).value<Qt::MouseButton>(), Qt::LeftButton);
    QCOMPARE(clicks.at(0).at(2).toBool(), false);

    // A left click with the right button held down: the copy gesture.
    QTest::mousePress(&box, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(100, 200));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(clicks.at(1).at(0).toPoint(), QPoint(100, 200));
    QCOMPARE(clicks.at(1).at(2).toBool(), true);
    QTest::mouseRelease(&box, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.count(), 3);
    QCOMPARE(clicks.at(2).at(1).value<Qt::MouseButton>(), Qt::RightButton);

    QSignalSpy keys(&box, &ui::PictureBox::keyPressed);
    QTest::keyClick(&box, Qt::Key_Left);
    QCOMPARE(keys.count(), 1);
    QCOMPARE(keys.at(0).at(0).toInt(), int(Qt::Key_Left));
  }
};

REGISTER_TEST(PictureBoxTest);

#include "test_picture_box.moc"
