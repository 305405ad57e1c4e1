#include "maps/map_view.h"

#include "core/map_picture.h"

#include <algorithm>

namespace maps {

namespace {

constexpr int CellSize = core::MapCellPixels;

}  // namespace

// The drawing itself is core's, shared with the command line's map picture.
void DrawMapGrid(QImage& view, const QImage& tiles, const core::MapRecord& map, int selectedX,
                 int selectedY) {
  // The drawing works on RGB32; convert the sheet once rather than on every glyph.
  const QImage sheet =
      tiles.format() == QImage::Format_RGB32 ? tiles : tiles.convertToFormat(QImage::Format_RGB32);
  if (view.format() != QImage::Format_RGB32) view = view.convertToFormat(QImage::Format_RGB32);
  if (view.isNull() || sheet.isNull()) return;
  const core::PixelRows out{reinterpret_cast<std::uint32_t*>(view.bits()), view.width(),
                            view.height(), view.bytesPerLine() / 4};
  const core::ConstPixelRows in{reinterpret_cast<const std::uint32_t*>(sheet.constBits()),
                                sheet.width(), sheet.height(), sheet.bytesPerLine() / 4};
  core::DrawMapGrid(out, in, map, selectedX, selectedY);
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
