#include "core/bitmap.h"
#include "core/definitions.h"
#include "support/fixtures.h"
#include "support/test_registry.h"
#include "ui/picture_box.h"
#include "ui/picture_viewer.h"

#include <QTest>

#include <memory>

namespace {

// A viewer whose file the test names.
class Viewer : public ui::PictureForm {
 public:
  Viewer() : ui::PictureForm(QStringLiteral("frmViewer")) {}
  std::filesystem::path file;

 protected:
  std::filesystem::path picturePath() const override { return file; }
};

QString named(const std::filesystem::path& file) {
  return QString::fromStdString(file.string());
}

}  // namespace

class PictureViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_ = test_support::makeDataDir();
    defs_ = std::make_unique<core::ModDefinitions>(dir_->root());
    viewer_ = std::make_unique<Viewer>();
  }
  void cleanup() { viewer_.reset(); }

  // Plain decimal with its minus sign, and the name found whatever its letter case on disk.
  void numberedNamesFollowTheSeries() {
    core::WriteBmp(dir_->data() / "MAP12.BMP", core::Bitmap(2, 2));
    QCOMPARE(ui::NumberedPicturePath(*defs_, "Map", 12), dir_->data() / "MAP12.BMP");
    QCOMPARE(ui::NumberedPicturePath(*defs_, "Mon", -3), dir_->data() / "Mon-3.bmp");
  }

  // Each paint reads the file again: a picture that appears, changes or goes away is followed,
  // and the window takes the size of what it shows.
  void eachPaintShowsTheFileAsItIsNow() {
    const auto file = dir_->data() / "Map7.bmp";
    viewer_->file = file;
    viewer_->showForm();
    QCOMPARE(viewer_->problem(), QString("The picture %1 is missing.").arg(named(file)));
    QVERIFY(viewer_->picture()->image().isNull());

    core::Bitmap bitmap(30, 20, 0x123456);
    bitmap.set(29, 19, 0xABCDEF);
    core::WriteBmp(file, bitmap);
    viewer_->refresh();
    QCOMPARE(viewer_->problem(), QString());
    const QImage& shown = viewer_->picture()->image();
    QCOMPARE(shown.size(), QSize(30, 20));
    QCOMPARE(shown.pixel(0, 0), qRgb(0x12, 0x34, 0x56));
    QCOMPARE(shown.pixel(29, 19), qRgb(0xAB, 0xCD, 0xEF));
    QCOMPARE(viewer_->picture()->size(), QSize(30, 20));
    QCOMPARE(viewer_->size(), QSize(30, 20));

    core::WriteBmp(file, core::Bitmap(50, 40));
    viewer_->refresh();
    QCOMPARE(viewer_->size(), QSize(50, 40));

    std::filesystem::remove(file);
    viewer_->refresh();
    QVERIFY(viewer_->picture()->image().isNull());
    QVERIFY(viewer_->problem().contains("is missing"));
    QVERIFY(viewer_->width() < 50 || viewer_->height() < 40);
  }

  // A file that is there but no bitmap (cut short, or another format under a .bmp name) is named
  // with the reason, in the window, never in a message box.
  void unreadableFileIsNamedWithTheReason_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut short") << QByteArray("BM\x36\x00", 4);
    QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
  }
  void unreadableFileIsNamedWithTheReason() {
    QFETCH(QByteArray, bytes);
    const auto file = dir_->data() / "Map3.bmp";
    test_support::writeBytes(file, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    viewer_->file = file;
    viewer_->showForm();
    QVERIFY(viewer_->picture()->image().isNull());
    QVERIFY2(
        viewer_->problem().startsWith(QString("The picture %1 cannot be read: ").arg(named(file))),
        qPrintable(viewer_->problem()));
  }

 private:
  std::unique_ptr<test_support::TestDataDir> dir_;
  std::unique_ptr<core::ModDefinitions> defs_;
  std::unique_ptr<Viewer> viewer_;
};

REGISTER_TEST(PictureViewerTest);

#include "test_picture_viewer.moc"
