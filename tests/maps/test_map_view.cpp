#include "core/catalogue_records.h"
#include "core/definitions.h"
#include "core/map_record.h"
#include "core/tile_sheet.h"
#include "maps/map_view.h"
#include "maps/special_descriptions.h"
#include "support/fixtures.h"
#include "support/test_registry.h"
#include "ui/picture_box.h"

#include <QTest>

using core::MapRecord;
using test_support::padded;
using test_support::putSpecial;

namespace {

// Glyph places on the sheet, written out here from the designer's table rather than taken from
// the code under test.
using Rect = core::GlyphRect;
constexpr Rect SelectionFrame{14, 26, 14, 14};
constexpr Rect SpecialMarker{109, 0, 12, 12};

Rect sideGlyph(int code, int side) {
  const int plainWall = 13, door = 61, secondWall = 121;
  return {(code <= 3 ? plainWall : code <= 5 ? secondWall : door) + 12 * side, 0, 12, 12};
}

// A background of many colours, so that a copy, an AND and no drawing all look different.
QImage patternedBackground() {
  QImage image(434, 434, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.setPixel(x, y, qRgb((x * 7 + y) & 0xFF, (y * 5 + 3 * x) & 0xFF, (x ^ y) & 0xFF));
  return image;
}

// The expected picture, pixel by pixel: a glyph copied, or ANDed onto what is under it.
void drawGlyph(QImage& image, int x, int y, Rect glyph, bool andOnto) {
  const QImage sheet = ui::ToQImage(core::MakeTileSheet());
  for (int dy = 0; dy < glyph.height; ++dy)
    for (int dx = 0; dx < glyph.width; ++dx) {
      const QRgb ink = sheet.pixel(glyph.x + dx, glyph.y + dy);
      image.setPixel(x + dx, y + dy, andOnto ? ink & image.pixel(x + dx, y + dy) : ink);
    }
}

QImage drawn(const MapRecord& map, int selectedX, int selectedY) {
  QImage view = patternedBackground();
  maps::DrawMapGrid(view, ui::ToQImage(core::MakeTileSheet()), map, selectedX, selectedY);
  return view;
}

}  // namespace

class MapViewTest : public QObject {
  Q_OBJECT

  // Mon.dat holds Beast 1 and Beast 2 (plural "Beast 2s").
  std::unique_ptr<test_support::TestDataDir> dir_ = test_support::makeDataDir();
  std::unique_ptr<core::ModDefinitions> defs_;

 private slots:
  void initTestCase() {
    test_support::writeCatalogue(dir_->datFile("Mon.dat"),
                                 test_support::namedEntries<core::CreatureRecord>(2, "Beast"));
    defs_ = std::make_unique<core::ModDefinitions>(dir_->root());
    QVERIFY(defs_->OpenCreatureFile().ok());
  }

  // On the corner square, against the edge of the view; the frame (14 x 14) covers the cell's
  // right and bottom grid line.
  void everyWallCodeDrawsItsGlyphOnEverySide() {
    for (int side = 0; side < 4; ++side)
      for (int code = 0; code <= 7; ++code) {
        MapRecord map;
        map.SetSquare(32, 32, static_cast<std::int16_t>(0xF000));  // bits 12..15 draw nothing
        map.SetWallCode(32, 32, side, code);
        QImage expected = patternedBackground();
        drawGlyph(expected, 13 * 30, 13 * 2, SelectionFrame, false);
        if (code != 0) drawGlyph(expected, 13 * 32 + 1, 13 * 32 + 1, sideGlyph(code, side), true);
        QVERIFY2(drawn(map, 30, 2) == expected,
                 qPrintable(QString("side %1 code %2").arg(side).arg(code)));
      }
  }

  // The selection frame under the special marker under the walls; one marker for a square with
  // specials in use, none for free, negative or off-grid entries.
  void markersAndTheSelectionFrame() {
    MapRecord map;
    putSpecial(map, 0, 3, 12, 20);
    putSpecial(map, 1, 4, 12, 20);   // a second special: still one marker
    putSpecial(map, 2, 0, 7, 8);     // free entry that remembers a square
    putSpecial(map, 3, -1, 9, 10);   // neither used nor free
    putSpecial(map, 4, 8, 40, 3);    // off the grid
    putSpecial(map, 100, 9, 0, 32);  // the last entry, a kind the editor never writes
    map.SetSquare(12, 20, 0x0932);   // North door, East plain wall, West second wall
    QImage expected = patternedBackground();
    drawGlyph(expected, 156, 260, SelectionFrame, false);
    drawGlyph(expected, 157, 261, SpecialMarker, false);
    for (const auto& [side, code] : {std::pair{0, 6}, {1, 3}, {3, 4}})
      drawGlyph(expected, 157, 261, sideGlyph(code, side), true);
    drawGlyph(expected, 1, 417, SpecialMarker, false);
    QCOMPARE(drawn(map, 12, 20), expected);

    // A selection off the grid draws no frame.
    QCOMPARE(drawn(MapRecord(), -1, 40), patternedBackground());
  }

  void descriptionOfEveryKind() {
    const std::tuple<int, int, int, std::string> rows[] = {
        {1, 4, 10, "Exit to Map"},
        {2, 2, 1, "Exit to Temple"},
        {3, 5, 0, "Draw 5 "},  // facing does not matter
        {3, 5, 6, "Draw 5  Facing East, South."},
        // A side whose middle bit is also set fails its test; the others still pass.
        {3, 5, 0x21, "Draw 5  Facing North."},
        {3, 5, 0x11, "Draw 5  Facing ."},
        {4, 50, 8, "Text 50  Facing West."},
        {5, 2, 1, "Encounter 1 " + padded("Beast 2")},
        {5, 2, 2, "Encounter 2 " + padded("Beast 2s")},
        {5, 0, 3, "Encounter 3 (no creature)"},
        {6, 12, 1, "Set Flag 12 on win combat"},
        {6, 12, 0, "Set Flag 12"},
        {7, 10, 15, "Long Text 10  Facing North, East, South, West."},
        {8, 2, 1, "Reward Item"},
        {32767, 0, 0, "Unknown special 32767"}};
    for (const auto& [kind, p1, p2, expected] : rows) {
      MapRecord map;
      putSpecial(map, 100, kind, 32, 32, p1, p2);
      QCOMPARE(maps::DescribeSpecial(*defs_, map, 100), expected);
    }
  }
};

REGISTER_TEST(MapViewTest);
#include "test_map_view.moc"
