#include "core/tile_sheet.h"
#include "demo_files.h"
#include "support/test_registry.h"

#include <QColor>
#include <QImage>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace fs = std::filesystem;
using namespace demo_test;

namespace {

constexpr int Glyph = 12;

// Pixel (x, y) of a glyph, its own corner at (0, 0).
QRgb At(const QImage& sheet, const core::GlyphRect& r, int x, int y) {
  return sheet.pixel(r.x + x, r.y + y);
}

// Dark pixels on line `line` (0 = the outer edge) measured inward from side `side`.
int DarkOnLine(const QImage& sheet, const core::GlyphRect& r, int side, int line) {
  int dark = 0;
  for (int i = 0; i < Glyph; ++i) {
    const int x = side == core::East ? Glyph - 1 - line : side == core::West ? line : i;
    const int y = side == core::South ? Glyph - 1 - line : side == core::North ? line : i;
    if (IsDark(At(sheet, r, x, y))) ++dark;
  }
  return dark;
}

QImage GlyphImage(const QImage& sheet, const core::GlyphRect& r) {
  return sheet.copy(r.x, r.y, r.width, r.height);
}

int DistinctColours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

const core::GlyphRect* const SideGroups[] = {core::PlainWallGlyphs, core::SecondWallGlyphs,
                                             core::DoorGlyphs};

}  // namespace

class DemoBitmapsTest : public QObject {
  Q_OBJECT

  fs::path root_ = DemoFolder(), data_ = root_ / "Data";
  QImage tiles_ = LoadImage(data_ / "Tiles.bmp");

 private slots:
  void everyBitmapLoadsAtItsSize() {
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(data_)) {
      const std::string name = entry.path().filename().string();
      QCOMPARE(QString::fromStdString(entry.path().extension().string()), QString(".bmp"));
      const QImage image = LoadImage(entry.path());
      QVERIFY2(!image.isNull(), name.c_str());
      if (name == "Back.bmp") QCOMPARE(image.size(), QSize(434, 434));
      if (name == "Tiles.bmp")
        QCOMPARE(image.size(), QSize(core::TileSheetWidth, core::TileSheetHeight));
      ++checked;
    }
    QVERIFY(checked >= 4);
  }

  // Rows are stored bottom-up: the top row of the sheet holds the glyphs, the bottom rows not.
  void tileSheetDecodesToOurSheet() {
    const core::Bitmap expected = core::MakeTileSheet();
    QCOMPARE(tiles_.width(), expected.width);
    QCOMPARE(tiles_.height(), expected.height);
    for (int y = 0; y < expected.height; ++y) {
      for (int x = 0; x < expected.width; ++x) {
        if ((tiles_.pixel(x, y) & 0xFFFFFF) != expected.at(x, y)) {
          QFAIL(qPrintable(QString("pixel %1,%2 differs").arg(x).arg(y)));
        }
      }
    }
  }

  void sideGlyphsDrawAlongTheirOwnSide() {
    for (const core::GlyphRect* group : SideGroups) {
      for (int side = 0; side < core::SideCount; ++side) {
        const core::GlyphRect& r = group[side];
        const QByteArray where = QByteArray("glyph at x ") + QByteArray::number(r.x);
        QVERIFY2(DarkOnLine(tiles_, r, side, 0) >= Glyph / 2, where);
        // Nothing at the far side: a glyph never draws its opposite wall.
        QCOMPARE(DarkOnLine(tiles_, r, (side + 2) % core::SideCount, 0), 0);
        QCOMPARE(DarkOnLine(tiles_, r, (side + 2) % core::SideCount, 1), 0);
      }
    }
  }

  void theThreeWallKindsLookDifferent() {
    for (int side = 0; side < core::SideCount; ++side) {
      const QImage plain = GlyphImage(tiles_, core::PlainWallGlyphs[side]);
      const QImage second = GlyphImage(tiles_, core::SecondWallGlyphs[side]);
      const QImage door = GlyphImage(tiles_, core::DoorGlyphs[side]);
      QVERIFY(plain != second && plain != door && second != door);
    }
  }

  // The map view ANDs all four sides of a square into one cell; each must still show.
  void fourSidesAndedTogetherStayReadable() {
    for (const core::GlyphRect* group : SideGroups) {
      QImage cell(Glyph, Glyph, QImage::Format_RGB32);
      cell.fill(Qt::white);
      for (int side = 0; side < core::SideCount; ++side) {
        for (int y = 0; y < Glyph; ++y) {
          for (int x = 0; x < Glyph; ++x) {
            cell.setPixel(x, y, cell.pixel(x, y) & At(tiles_, group[side], x, y));
          }
        }
      }
      const core::GlyphRect whole{0, 0, Glyph, Glyph};
      for (int side = 0; side < core::SideCount; ++side) {
        QVERIFY(DarkOnLine(cell, whole, side, 0) >= Glyph / 2);
      }
      QVERIFY(IsWhite(cell.pixel(Glyph / 2, Glyph / 2)));  // the square's middle stays clear
    }
  }

  void specialMarkerAndSelectionFrameShow() {
    const core::GlyphRect& m = core::SpecialMarkerGlyph;
    const QRgb centre = At(tiles_, m, 5, 5);
    QVERIFY(!IsWhite(centre));
    QVERIFY(IsDark(centre) || QColor(centre).saturation() > 128);
    QVERIFY(IsWhite(At(tiles_, m, 0, 0)));  // copied under the walls, so its edge is clear
    QVERIFY(IsWhite(At(tiles_, m, 11, 11)));

    const core::GlyphRect& f = core::SelectionFrameGlyph;
    for (int i = 0; i < f.width; ++i) {
      QVERIFY(!IsWhite(At(tiles_, f, i, 0)));
      QVERIFY(!IsWhite(At(tiles_, f, i, f.height - 1)));
      QVERIFY(!IsWhite(At(tiles_, f, 0, i)));
      QVERIFY(!IsWhite(At(tiles_, f, f.width - 1, i)));
    }
    for (int y = 1; y < f.height - 1; ++y) {
      for (int x = 1; x < f.width - 1; ++x) QVERIFY(IsWhite(At(tiles_, f, x, y)));
    }
  }

  // Read from the files themselves: every Draw Picture number and every creature Bitmap.
  void everyUsedPictureExists() {
    const fs::path dat = root_ / "Dat";
    std::set<int> mapPictures, creaturePictures;
    for (const auto& map : ReadMaps(dat / "Maps.dat")) {
      for (int i = 0; i < core::SpecialCount; ++i) {
        if (map.Special(i, core::SpecialField::Kind) == 3) {
          mapPictures.insert(map.Special(i, core::SpecialField::Param1));
        }
      }
    }
    for (const auto& c : ReadCatalogue<core::CreatureRecord>(dat / "Mon.dat").entries) {
      creaturePictures.insert(c.Bitmap);
    }
    QVERIFY(mapPictures.size() >= 3);
    QCOMPARE(creaturePictures.size(),
             ReadCatalogue<core::CreatureRecord>(dat / "Mon.dat").entries.size());
    QCOMPARE(mapPictures, demodata::UsedMapPictures());
    QCOMPARE(creaturePictures, demodata::UsedCreaturePictures());
    auto check = [&](const std::string& name) {
      const QImage image = LoadImage(data_ / name);
      QVERIFY2(!image.isNull(), name.c_str());
      QVERIFY2(DistinctColours(image) > 8, name.c_str());  // a picture, not a flat fill
    };
    for (int n : mapPictures) check("Map" + std::to_string(n) + ".bmp");
    for (int n : creaturePictures) check("Mon" + std::to_string(n) + ".bmp");
  }

  // A second run gives the same bytes and clears older copies under another letter case.
  void regeneratingReplacesEverything() {
    QTemporaryDir other;
    const fs::path again = other.path().toStdString();
    fs::create_directories(again / "Dat");
    {
      std::ofstream stale(again / "Dat" / "maps.dat", std::ios::binary);
      stale << std::string(5 * core::MapRecord::SlotLength, 'x');
    }
    const core::Status status = demodata::WriteDemoData(again);
    QVERIFY2(status.ok(), status.message().c_str());
    QVERIFY(!fs::exists(again / "Dat" / "maps.dat"));
    int files = 0;
    for (const char* folder : {"Dat", "Data"}) {
      for (const auto& entry : fs::directory_iterator(root_ / folder)) {
        const fs::path twin = again / folder / entry.path().filename();
        QVERIFY2(readBytes(entry.path()) == readBytes(twin), twin.string().c_str());
        ++files;
      }
    }
    QCOMPARE(files, static_cast<int>(std::distance(fs::directory_iterator(again / "Dat"),
                                                   fs::directory_iterator())) +
                        static_cast<int>(std::distance(fs::directory_iterator(again / "Data"),
                                                       fs::directory_iterator())));
  }

  void aFileInTheWayIsReportedByName() {
    QTemporaryDir other;
    const fs::path blocked = fs::path(other.path().toStdString()) / "blocked";
    std::ofstream(blocked) << "not a folder";
    const core::Status status = demodata::WriteDemoData(blocked);
    QVERIFY(!status.ok());
    QVERIFY2(status.message().find(blocked.string()) != std::string::npos,
             status.message().c_str());
  }
};

REGISTER_TEST(DemoBitmapsTest);
#include "test_demo_bitmaps.moc"
