#include "core/map_record.h"
#include "core/tile_sheet.h"
#include "maps/map_view.h"
#include "support/fixtures.h"
#include "support/test_registry.h"
#include "ui/picture_box.h"

#include <QTest>

#include <cstdint>

using core::MapRecord;
using core::SpecialField;

using test_support::putSpecial;

namespace {

// Glyph places on the sheet, written out here from the designer's table rather than taken from
// the code under test.
struct Rect {
  int x, y, w, h;
};
constexpr Rect SelectionFrame{14, 26, 14, 14};
constexpr Rect SpecialMarker{109, 0, 12, 12};
constexpr int PlainWallX[4] = {13, 25, 37, 49};
constexpr int DoorX[4] = {61, 73, 85, 97};
constexpr int SecondWallX[4] = {121, 133, 145, 157};

Rect sideGlyph(int code, int side) {
  const int x = code <= 3 ? PlainWallX[side] : code <= 5 ? SecondWallX[side] : DoorX[side];
  return {x, 0, 12, 12};
}

QImage tileSheet() {
  return ui::ToQImage(core::MakeTileSheet());
}

// A background of many colours, so that a copy, an AND and no drawing all look different.
QImage patternedBackground() {
  QImage image(434, 434, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.setPixel(x, y, qRgb((x * 7 + y) & 0xFF, (y * 5 + 3 * x) & 0xFF, (x ^ y) & 0xFF));
  return image;
}

// The expected picture, pixel by pixel.
void copyGlyph(QImage& image, int x, int y, const QImage& sheet, Rect glyph) {
  for (int dy = 0; dy < glyph.h; ++dy)
    for (int dx = 0; dx < glyph.w; ++dx)
      image.setPixel(x + dx, y + dy, sheet.pixel(glyph.x + dx, glyph.y + dy));
}

void andGlyph(QImage& image, int x, int y, const QImage& sheet, Rect glyph) {
  for (int dy = 0; dy < glyph.h; ++dy)
    for (int dx = 0; dx < glyph.w; ++dx) {
      const QRgb under = image.pixel(x + dx, y + dy);
      const QRgb ink = sheet.pixel(glyph.x + dx, glyph.y + dy);
      image.setPixel(x + dx, y + dy, 0xFF000000u | (under & ink));
    }
}

void andSides(QImage& image, int squareX, int squareY, const QImage& sheet, int codes[4]) {
  for (int side = 0; side < 4; ++side)
    if (codes[side] != 0)
      andGlyph(image, 13 * squareX + 1, 13 * squareY + 1, sheet, sideGlyph(codes[side], side));
}

// Empty when the two pictures agree; otherwise where they first differ.
QString firstDifference(const QImage& actual, const QImage& expected) {
  if (actual.size() != expected.size()) return QStringLiteral("the sizes differ");
  for (int y = 0; y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x)
      if (actual.pixel(x, y) != expected.pixel(x, y))
        return QStringLiteral("pixel (%1, %2) is %3, expected %4")
            .arg(x)
            .arg(y)
            .arg(QString::number(actual.pixel(x, y), 16),
                 QString::number(expected.pixel(x, y), 16));
  return {};
}

// Selection placed far from the squares under test unless a test says otherwise; its frame is
// part of every expected picture.
constexpr int FarX = 30, FarY = 2;

QImage drawn(const MapRecord& map, int selectedX = FarX, int selectedY = FarY) {
  QImage view = patternedBackground();
  maps::DrawMapGrid(view, tileSheet(), map, selectedX, selectedY);
  return view;
}

QImage withFarSelection(QImage expected) {
  copyGlyph(expected, 13 * FarX, 13 * FarY, tileSheet(), SelectionFrame);
  return expected;
}

}  // namespace

class MapViewTest : public QObject {
  Q_OBJECT

 private slots:
  // The frame is 14 x 14: it covers the cell's right and bottom grid line.
  void blankMapDrawsOnlyTheSelectionFrame() {
    QCOMPARE(firstDifference(drawn(MapRecord()), withFarSelection(patternedBackground())),
             QString());
  }

  void everyWallCodeDrawsItsGlyphOnEverySide_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("code");
    for (int side = 0; side < 4; ++side)
      for (int code = 0; code <= 7; ++code)
        QTest::addRow("side %d code %d", side, code) << side << code;
  }
  void everyWallCodeDrawsItsGlyphOnEverySide() {
    QFETCH(int, side);
    QFETCH(int, code);
    MapRecord map;
    map.SetSquare(32, 32, static_cast<std::int16_t>(0xF000));  // bits 12..15 draw nothing
    map.SetWallCode(32, 32, side, code);  // the corner square, against the edge of the view
    int codes[4] = {0, 0, 0, 0};
    codes[side] = code;
    QImage expected = withFarSelection(patternedBackground());
    andSides(expected, 32, 32, tileSheet(), codes);
    const QImage view = drawn(map);
    QCOMPARE(firstDifference(view, expected), QString());
    // Code 0 draws nothing; every other code leaves a mark.
    QCOMPARE(view != withFarSelection(patternedBackground()), code != 0);
  }

  void specialMarkersOnlyOnSquaresWithSpecialsInUse() {
    MapRecord map;
    putSpecial(map, 0, 4, 5, 6);
    putSpecial(map, 1, 4, 5, 6);    // a second special: still one marker
    putSpecial(map, 2, 0, 7, 8);    // free entry that remembers a square
    putSpecial(map, 3, -1, 9, 10);  // neither used nor free
    putSpecial(map, 4, 8, 40, 3);   // off the grid: marks nothing
    putSpecial(map, 5, 2, 3, -1);
    putSpecial(map, 100, 9, 0, 32);  // the last entry, a kind the editor never writes
    map.SetSquare(5, 6, 0x0001);     // a wall drawn over the marker
    QImage expected = withFarSelection(patternedBackground());
    const QImage sheet = tileSheet();
    copyGlyph(expected, 66, 79, sheet, SpecialMarker);
    andGlyph(expected, 66, 79, sheet, {13, 0, 12, 12});
    copyGlyph(expected, 1, 417, sheet, SpecialMarker);
    QCOMPARE(firstDifference(drawn(map), expected), QString());
  }

  void selectionFrameUnderMarkerUnderWalls() {
    MapRecord map;
    putSpecial(map, 17, 3, 12, 20);
    map.SetSquare(12, 20, 0x0932);  // North door, East plain wall, West second wall
    QImage expected = patternedBackground();
    const QImage sheet = tileSheet();
    copyGlyph(expected, 156, 260, sheet, SelectionFrame);
    copyGlyph(expected, 157, 261, sheet, SpecialMarker);
    int codes[4] = {6, 3, 0, 4};
    andSides(expected, 12, 20, sheet, codes);
    QCOMPARE(firstDifference(drawn(map, 12, 20), expected), QString());
  }

  void selectionOffTheGridDrawsNoFrame() {
    MapRecord map;
    QCOMPARE(firstDifference(drawn(map, -1, 40), patternedBackground()), QString());
  }

  void paintingTwiceGivesTheSamePicture() {
    MapRecord map;
    map.SetSquare(3, 3, 0x0765);
    putSpecial(map, 50, 1, 3, 3);
    QImage view = patternedBackground();
    maps::DrawMapGrid(view, tileSheet(), map, 3, 3);
    const QImage once = view.copy();
    maps::DrawMapGrid(view, tileSheet(), map, 3, 3);
    QCOMPARE(firstDifference(view, once), QString());
  }
};

REGISTER_TEST(MapViewTest);
#include "test_map_view.moc"
