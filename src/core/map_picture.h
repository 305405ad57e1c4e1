#pragma once

#include "core/bitmap.h"
#include "core/map_record.h"
#include "core/status.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace core {

inline constexpr int MapCellPixels = 13;      // pixels per square, grid line included
inline constexpr int MapPicturePixels = 434;  // the map view, and the part of Back.bmp it shows

// 32-bit pixels in rows `stride` pixels apart: a Bitmap, or a picture of the window layer, alike.
struct PixelRows {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;
};
struct ConstPixelRows {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;
};
PixelRows RowsOf(Bitmap& bitmap);
ConstPixelRows RowsOf(const Bitmap& bitmap);

// Draws the map grid onto `view`, already cleared to Back.bmp: the selection frame (none when
// the selected square lies off the grid), one special marker on every square holding a special
// in use, then the four side glyphs of every square ANDed onto it, all from the tile sheet.
void DrawMapGrid(PixelRows view, ConstPixelRows tiles, const MapRecord& map, int selectedX,
                 int selectedY);

// The map as the map editor shows it at 1x, from the game folder's Data/Back.bmp and
// Data/Tiles.bmp, or the editor's own drawing where one of them cannot be used (its reason in
// `fallbacks`, one line each). A picture that passes the editor's checks but that this reader
// cannot decode is refused, rather than drawn differently from the editor.
Result<Bitmap> MapPicture(const std::filesystem::path& dataFolder, const MapRecord& map,
                          int selectedX, int selectedY, std::string* fallbacks = nullptr);

// Each pixel a zoom x zoom block, as the view shows a zoomed map.
Bitmap Enlarged(const Bitmap& picture, int zoom);

}  // namespace core
