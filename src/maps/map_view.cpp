#include "maps/map_view.h"

#include "core/tile_sheet.h"
#include "ui/picture_box.h"

#include <algorithm>
#include <array>

namespace maps {

namespace {

constexpr int CellSize = 13;  // pixels per square, grid line included

// The wall bits of all four sides; bits 12..15 are never drawn.
constexpr int WallBitsMask = 0x0FFF;

using Occupancy = std::array<bool, core::MapSize * core::MapSize>;

// Which squares hold at least one special in use, from one pass over the table. An entry whose
// coordinates lie off the grid marks nothing.
Occupancy OccupiedSquares(const core::MapRecord& map) {
  Occupancy occupied{};
  for (int i = 0; i < core::SpecialCount; ++i) {
    if (map.Special(i, core::SpecialField::Kind) < 1) continue;
    const int x = map.Special(i, core::SpecialField::SquareX);
    const int y = map.Special(i, core::SpecialField::SquareY);
    if (x < 0 || x >= core::MapSize || y < 0 || y >= core::MapSize) continue;
    occupied[static_cast<std::size_t>(y * core::MapSize + x)] = true;
  }
  return occupied;
}

void Blit(QImage& view, int x, int y, const QImage& tiles, const core::GlyphRect& glyph,
          ui::RasterOp op) {
  ui::BitBlt(view, x, y, glyph.width, glyph.height, tiles, glyph.x, glyph.y, op);
}

}  // namespace

void DrawMapGrid(QImage& view, const QImage& tiles, const core::MapRecord& map, int selectedX,
                 int selectedY) {
  // The transfer works on RGB32; convert the sheet once rather than on every glyph.
  const QImage sheet =
      tiles.format() == QImage::Format_RGB32 ? tiles : tiles.convertToFormat(QImage::Format_RGB32);
  if (view.format() != QImage::Format_RGB32) view = view.convertToFormat(QImage::Format_RGB32);
  const Occupancy occupied = OccupiedSquares(map);

  for (int x = 0; x < core::MapSize; ++x) {
    for (int y = 0; y < core::MapSize; ++y) {
      const int left = CellSize * x;
      const int top = CellSize * y;
      if (x == selectedX && y == selectedY) {
        Blit(view, left, top, sheet, core::SelectionFrameGlyph, ui::RasterOp::Copy);
      }
      if (occupied[static_cast<std::size_t>(y * core::MapSize + x)]) {
        Blit(view, left + 1, top + 1, sheet, core::SpecialMarkerGlyph, ui::RasterOp::Copy);
      }
      const std::int16_t word = map.Square(x, y);
      if ((word & WallBitsMask) == 0) continue;  // open floor: no side to draw
      for (int side = core::North; side <= core::West; ++side) {
        const core::GlyphRect* glyph = core::WallGlyph(core::WallCodeOf(word, side), side);
        if (glyph != nullptr) Blit(view, left + 1, top + 1, sheet, *glyph, ui::RasterOp::And);
      }
    }
  }
}

// Dashes of two colours, so the frame shows on the white floor and on black walls alike, in a
// green that no glyph of the map uses.
void DrawRegionFrame(QImage& view, const core::SquareRect& region) {
  if (region.empty()) return;
  constexpr int Dash = 3;
  const QRgb colours[2] = {qRgb(0, 176, 0), qRgb(255, 255, 255)};
  const int left = CellSize * region.left;
  const int top = CellSize * region.top;
  const int right = std::min(CellSize * (region.right + 1), view.width() - 1);
  const int bottom = std::min(CellSize * (region.bottom + 1), view.height() - 1);
  int step = 0;
  const auto dot = [&](int x, int y) { view.setPixel(x, y, colours[(step++ / Dash) % 2]); };
  for (int x = left; x < right; ++x) dot(x, top);
  for (int y = top; y < bottom; ++y) dot(right, y);
  for (int x = right; x > left; --x) dot(x, bottom);
  for (int y = bottom; y > top; --y) dot(left, y);
}

}  // namespace maps
