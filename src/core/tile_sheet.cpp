#include "core/tile_sheet.h"

#include "core/map_record.h"

#include <array>
#include <cstdint>

namespace core {

namespace {

constexpr int GlyphSize = 12;
constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t WallInk = 0x202020;        // plain walls: near black
constexpr std::uint32_t SecondWallInk = 0x1F3F8F;  // second walls: dark blue
constexpr std::uint32_t DoorFrameInk = 0x202020;
constexpr std::uint32_t DoorLeafInk = 0x8B4513;  // the door itself: brown
constexpr std::uint32_t DoorPanelInk = 0xD09050;
constexpr std::uint32_t MarkerInk = 0xB01818;     // special marker: dark red
constexpr std::uint32_t SelectionInk = 0xFF0000;  // selection frame: red
constexpr std::uint32_t GridInk = 0xC8C8C8;       // map background grid: light grey

constexpr int MapViewSize = 434;
constexpr int CellSize = 13;

// A side glyph as drawn for the North side; the other sides are the same strokes turned.
using Pattern = std::array<std::array<std::uint32_t, GlyphSize>, GlyphSize>;  // [y][x]

Pattern BlankPattern() {
  Pattern p;
  for (auto& row : p) row.fill(White);
  return p;
}

// A solid two-pixel line along the edge.
Pattern PlainWallNorth() {
  Pattern p = BlankPattern();
  for (int x = 0; x < GlyphSize; ++x) p[0][x] = p[1][x] = WallInk;
  return p;
}

// A double line: the edge itself and a dashed line two pixels further in, so a second wall
// never looks like a plain one.
Pattern SecondWallNorth() {
  Pattern p = BlankPattern();
  for (int x = 0; x < GlyphSize; ++x) {
    p[0][x] = SecondWallInk;
    if (x % 3 != 2) p[2][x] = SecondWallInk;
  }
  return p;
}

// Wall stubs at both ends and, in the gap between them, a door leaf standing into the square.
Pattern DoorNorth() {
  Pattern p = BlankPattern();
  for (int x = 0; x < GlyphSize; ++x) {
    if (x <= 2 || x >= 9) p[0][x] = p[1][x] = DoorFrameInk;
  }
  for (int y = 0; y <= 3; ++y) {
    for (int x = 4; x <= 7; ++x) {
      const bool edge = y == 0 || y == 3 || x == 4 || x == 7;
      p[y][x] = edge ? DoorLeafInk : DoorPanelInk;
    }
  }
  return p;
}

// Copies the North pattern onto the sheet turned to face `side`.
void DrawSideGlyph(Bitmap& sheet, const GlyphRect& rect, const Pattern& north, int side) {
  for (int y = 0; y < GlyphSize; ++y) {
    for (int x = 0; x < GlyphSize; ++x) {
      int tx = x;
      int ty = y;
      switch (side) {
        case East:  // the top edge becomes the right edge
          tx = GlyphSize - 1 - y;
          ty = x;
          break;
        case South:
          tx = GlyphSize - 1 - x;
          ty = GlyphSize - 1 - y;
          break;
        case West:
          tx = y;
          ty = GlyphSize - 1 - x;
          break;
        default:
          break;
      }
      sheet.set(rect.x + tx, rect.y + ty, north[y][x]);
    }
  }
}

// A small filled diamond in the middle of the cell, clear of the side strokes.
void DrawSpecialMarker(Bitmap& sheet, const GlyphRect& rect) {
  const int centre2 = GlyphSize - 1;  // twice the centre, 5.5
  for (int y = 0; y < rect.height; ++y) {
    for (int x = 0; x < rect.width; ++x) {
      const int dx = 2 * x - centre2;
      const int dy = 2 * y - centre2;
      const int distance2 = (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy);
      sheet.set(rect.x + x, rect.y + y, distance2 <= 7 ? MarkerInk : White);
    }
  }
}

// A one-pixel outline around the whole 14 x 14 square; the inside stays white because the
// frame is copied over the cell before the glyphs are ANDed on.
void DrawSelectionFrame(Bitmap& sheet, const GlyphRect& rect) {
  for (int y = 0; y < rect.height; ++y) {
    for (int x = 0; x < rect.width; ++x) {
      const bool edge = x == 0 || y == 0 || x == rect.width - 1 || y == rect.height - 1;
      sheet.set(rect.x + x, rect.y + y, edge ? SelectionInk : White);
    }
  }
}

}  // namespace

const GlyphRect* WallGlyph(int wallCode, int side) {
  if (side < 0 || side >= SideCount) return nullptr;
  switch (wallCode) {
    case 1:
    case 2:
    case 3:
      return &PlainWallGlyphs[side];
    case 4:
    case 5:
      return &SecondWallGlyphs[side];
    case 6:
    case 7:
      return &DoorGlyphs[side];
    default:
      return nullptr;
  }
}

Bitmap MakeTileSheet() {
  Bitmap sheet(TileSheetWidth, TileSheetHeight, White);
  const Pattern plain = PlainWallNorth();
  const Pattern second = SecondWallNorth();
  const Pattern door = DoorNorth();
  for (int side = 0; side < SideCount; ++side) {
    DrawSideGlyph(sheet, PlainWallGlyphs[side], plain, side);
    DrawSideGlyph(sheet, SecondWallGlyphs[side], second, side);
    DrawSideGlyph(sheet, DoorGlyphs[side], door, side);
  }
  DrawSpecialMarker(sheet, SpecialMarkerGlyph);
  DrawSelectionFrame(sheet, SelectionFrameGlyph);
  return sheet;
}

Bitmap MakeMapBackground() {
  Bitmap background(MapViewSize, MapViewSize, White);
  for (int k = 0; k <= MapSize; ++k) {
    const int line = CellSize * k;
    for (int i = 0; i < MapViewSize; ++i) {
      background.set(line, i, GridInk);
      background.set(i, line, GridInk);
    }
  }
  return background;
}

}  // namespace core
