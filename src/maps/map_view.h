#pragma once

#include "core/map_document.h"
#include "core/map_record.h"

#include <QImage>

namespace maps {

// Draws the map grid onto `view`, which the caller has already cleared to Back.bmp: the
// selection frame, one special marker on every square holding a special in use, then the four
// side glyphs of every square ANDed onto it, all taken from the tile sheet `tiles`.
void DrawMapGrid(QImage& view, const QImage& tiles, const core::MapRecord& map, int selectedX,
                 int selectedY);
// A dashed frame on the grid lines around `region` (nothing for an empty one).
void DrawRegionFrame(QImage& view, const core::SquareRect& region);

}  // namespace maps
