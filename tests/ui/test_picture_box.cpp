#include "core/bitmap.h"
#include "support/fixtures.h"
#include "support/test_registry.h"
#include "ui/picture_box.h"
#include "ui/picture_viewer.h"

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

// A viewer whose file the test names.
class Viewer : public ui::PictureForm {
 public:
  Viewer() : ui::PictureForm(QStringLiteral("frmViewer")) {}
  std::filesystem::path file;

 protected:
  std::filesystem::path picturePath() const override { return file; }
};

}  // namespace

class PictureBoxTest : public QObject {
  Q_OBJECT

 private slots:
  // Only the rectangle changes; AND works bit by bit on every channel, not as a blend, so the
  // side glyphs of a square keep each other's strokes.
  void transferChangesExactlyTheRectangle() {
    const QRgb bg = qRgb(0xF0, 0x3C, 0xA5);
    const QImage src = pattern(4, 4);
    for (const ui::RasterOp op : {ui::RasterOp::Copy, ui::RasterOp::And}) {
      QImage dst = filled(6, 5, bg);
      ui::BitBlt(dst, 2, 1, 2, 3, src, 1, 0, op);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
          const bool inside = x >= 2 && x < 4 && y >= 1 && y < 4;
          const QRgb in = inside ? src.pixel(x - 1, y - 1) : bg;
          const QRgb want = op == ui::RasterOp::Copy ? in : (bg & in) | 0xFF000000u;
          QCOMPARE(dst.pixel(x, y), want);
        }
    }
  }

  void transferIsClippedAtEveryEdge() {
    const QRgb bg = qRgb(1, 2, 3);
    const QImage src = pattern(4, 4);
    // Off the destination's top left, and off its bottom right: only the part inside lands,
    // shifted as a whole.
    QImage dst = filled(4, 4, bg);
    ui::BitBlt(dst, -1, -2, 3, 4, src, 0, 0, ui::RasterOp::Copy);
    ui::BitBlt(dst, 3, 3, 4, 4, src, 0, 0, ui::RasterOp::Copy);
    QCOMPARE(dst.pixel(1, 1), src.pixel(2, 3));
    QCOMPARE(dst.pixel(2, 0), bg);
    QCOMPARE(dst.pixel(3, 3), src.pixel(0, 0));
    // Reading past the source's edges takes nothing from there.
    dst = filled(4, 4, bg);
    ui::BitBlt(dst, 0, 0, 4, 4, src, 2, -1, ui::RasterOp::Copy);
    QCOMPARE(dst.pixel(0, 0), bg);  // source row -1
    QCOMPARE(dst.pixel(1, 3), src.pixel(3, 2));
    QCOMPARE(dst.pixel(2, 1), bg);  // source column 4
    // Wholly outside: nothing changes.
    dst = filled(4, 4, bg);
    ui::BitBlt(dst, 3, 10, 2, 2, src, 0, 0, ui::RasterOp::And);
    QCOMPARE(dst, filled(4, 4, bg));
  }

  // The surface is drawn on and cleared back to its picture, and the screen shows it.
  void clearRestoresTheBackgroundOnScreen() {
    ui::PictureBox map(nullptr, "picMap");
    map.setSurfaceSize(8, 6);
    map.setBackground(pattern(5, 5));
    QCOMPARE(map.image().pixel(7, 5), qRgb(0xFF, 0xFF, 0xFF));  // back colour beyond the picture
    map.bitBlt(1, 1, 2, 2, filled(4, 4, qRgb(0xC0, 0, 0)), 0, 0, ui::RasterOp::Copy);
    map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&map));
    const QImage shot = map.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.pixel(0, 0), pattern(5, 5).pixel(0, 0));
    QCOMPARE(shot.pixel(2, 2), qRgb(0xC0, 0, 0));
    map.clear();
    QCOMPARE(map.image().pixel(1, 1), pattern(5, 5).pixel(1, 1));
  }

  // A file that is there but no bitmap (cut short, or another format under a .bmp name) is
  // named with the reason, in the window; each paint reads the file again, so a picture written
  // since then shows, and the window takes its size.
  void viewerNamesAnUnreadableFile() {
    const auto dir = test_support::makeDataDir();
    Viewer viewer;
    viewer.file = dir->data() / "Map7.bmp";
    const QString named = QString::fromStdString(viewer.file.string());
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)}) {
      test_support::writeBytes(viewer.file, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
      viewer.showForm();
      QVERIFY(viewer.picture()->image().isNull());
      QVERIFY2(viewer.problem().startsWith(QString("The picture %1 cannot be read: ").arg(named)),
               qPrintable(viewer.problem()));
    }
    core::Bitmap bitmap(30, 20, 0x123456);
    bitmap.set(29, 19, 0xABCDEF);
    core::WriteBmp(viewer.file, bitmap);
    viewer.refresh();
    QCOMPARE(viewer.problem(), QString());
    QCOMPARE(viewer.picture()->image(), ui::ToQImage(bitmap));
    QCOMPARE(viewer.size(), QSize(30, 20));
  }
};

REGISTER_TEST(PictureBoxTest);

#include "test_picture_box.moc"
