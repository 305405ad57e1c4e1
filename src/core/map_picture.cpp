#include "core/map_picture.h"

#include "core/record_file.h"
#include "core/tile_sheet.h"

#include <algorithm>
#include <array>
#include <utility>

namespace core {

namespace {

// The wall bits of all four sides; bits 12..15 are never drawn.
constexpr int WallBitsMask = 0x0FFF;

using Occupancy = std::array<bool, MapSize * MapSize>;

// Which squares hold at least one special in use, from one pass over the table. An entry whose
// coordinates lie off the grid marks nothing.
Occupancy OccupiedSquares(const MapRecord& map) {
  Occupancy occupied{};
  for (int i = 0; i < SpecialCount; ++i) {
    if (map.Special(i, SpecialField::Kind) < 1) continue;
    const int x = map.Special(i, SpecialField::SquareX);
    const int y = map.Special(i, SpecialField::SquareY);
    if (x < 0 || x >= MapSize || y < 0 || y >= MapSize) continue;
    occupied[static_cast<std::size_t>(y * MapSize + x)] = true;
  }
  return occupied;
}

// A glyph of the sheet onto the view, cut to what lies inside both; ANDed, dark strokes stay.
void Blit(PixelRows view, int x, int y, ConstPixelRows tiles, const GlyphRect& glyph, bool andOp) {
  const int left = std::max({0, -x, -glyph.x});
  const int top = std::max({0, -y, -glyph.y});
  const int right = std::min({glyph.width, view.width - x, tiles.width - glyph.x});
  const int bottom = std::min({glyph.height, view.height - y, tiles.height - glyph.y});
  for (int row = top; row < bottom; ++row) {
    std::uint32_t* out = view.pixels + (y + row) * view.stride + x;
    const std::uint32_t* in = tiles.pixels + (glyph.y + row) * tiles.stride + glyph.x;
    if (andOp) {
      for (int col = left; col < right; ++col) out[col] &= in[col];
    } else {
      std::copy(in + left, in + right, out + left);
    }
  }
}

// A picture the editor would take: its size checked as the editor checks it, then read.
Result<Bitmap> PictureOrOwn(const std::filesystem::path& path, int width, int height,
                            Bitmap (*own)(), std::string* fallbacks) {
  if (Status usable = CheckBmpFile(path, width, height); !usable.ok()) {
    if (fallbacks) *fallbacks += usable.message() + "\n";
    return own();
  }
  return ReadBmp(path);
}

}  // namespace

PixelRows RowsOf(Bitmap& bitmap) {
  return {bitmap.pixels.data(), bitmap.width, bitmap.height, bitmap.width};
}

ConstPixelRows RowsOf(const Bitmap& bitmap) {
  return {bitmap.pixels.data(), bitmap.width, bitmap.height, bitmap.width};
}

void DrawMapGrid(PixelRows view, ConstPixelRows tiles, const MapRecord& map, int selectedX,
                 int selectedY) {
  const Occupancy occupied = OccupiedSquares(map);
  for (int x = 0; x < MapSize; ++x) {
    for (int y = 0; y < MapSize; ++y) {
      const int left = MapCellPixels * x;
      const int top = MapCellPixels * y;
      if (x == selectedX && y == selectedY)
        Blit(view, left, top, tiles, SelectionFrameGlyph, false);
      if (occupied[static_cast<std::size_t>(y * MapSize + x)])
        Blit(view, left + 1, top + 1, tiles, SpecialMarkerGlyph, false);
      const std::int16_t word = map.Square(x, y);
      if ((word & WallBitsMask) == 0) continue;  // open floor: no side to draw
      for (int side = North; side <= West; ++side) {
        const GlyphRect* glyph = WallGlyph(WallCodeOf(word, side), side);
        if (glyph != nullptr) Blit(view, left + 1, top + 1, tiles, *glyph, true);
      }
    }
  }
}

Result<Bitmap> MapPicture(const std::filesystem::path& dataFolder, const MapRecord& map,
                          int selectedX, int selectedY, std::string* fallbacks) {
  auto back = PictureOrOwn(ResolveIgnoringCase(dataFolder, "Back.bmp"), MapPicturePixels,
                           MapPicturePixels, &MakeMapBackground, fallbacks);
  if (!back.ok()) return back.status();
  auto tiles = PictureOrOwn(ResolveIgnoringCase(dataFolder, "Tiles.bmp"), TileSheetWidth,
                            TileSheetHeight, &MakeTileSheet, fallbacks);
  if (!tiles.ok()) return tiles.status();
  // The view shows the top left of Back.bmp.
  Bitmap picture(MapPicturePixels, MapPicturePixels);
  for (int y = 0; y < MapPicturePixels; ++y)
    std::copy_n(back->pixels.begin() + static_cast<std::ptrdiff_t>(y) * back->width,
                MapPicturePixels,
                picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * MapPicturePixels);
  DrawMapGrid(RowsOf(picture), RowsOf(std::as_const(*tiles)), map, selectedX, selectedY);
  return picture;
}

Bitmap Enlarged(const Bitmap& picture, int zoom) {
  zoom = std::max(1, zoom);
  Bitmap large(picture.width * zoom, picture.height * zoom);
  for (int y = 0; y < large.height; ++y)
    for (int x = 0; x < large.width; ++x) large.set(x, y, picture.at(x / zoom, y / zoom));
  return large;
}

}  // namespace core
