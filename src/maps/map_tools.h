#pragma once

#include "core/map_document.h"
#include "core/map_record.h"

namespace maps {

// One edge of the grid: a stretch of grid line one square long. A vertical edge lies on the
// line left of column `line` (0..33) in row `cell`; a horizontal one on the line above row
// `line` in column `cell`.
struct GridEdge {
  bool vertical = false;
  int line = 0;
  int cell = 0;
  friend bool operator==(const GridEdge&, const GridEdge&) = default;
};

// The edge nearest to pixel `pos` of the 1x picture (squares of `cellPixels`, grid line
// included).
GridEdge NearestEdge(int x, int y, int cellPixels);
// The edge of the same line as `start` under pixel (x, y): a drag stays on its line.
GridEdge EdgeAlong(const GridEdge& start, int x, int y, int cellPixels);

// Puts `code` on both faces of an edge: the side of the square on each side of it (on the
// map's outer border, the one square inside).
void SetEdge(core::MapRecord& map, const GridEdge& edge, int code);
// Every edge of the same line from `from` to `to`, both included.
void SetEdges(core::MapRecord& map, const GridEdge& from, const GridEdge& to, int code);
// The outline of `room` on both faces; the inside squares' other sides stay.
void SetRoomOutline(core::MapRecord& map, const core::SquareRect& room, int code);

}  // namespace maps
