#include "maps/map_tools.h"

#include <algorithm>
#include <cstdlib>

namespace maps {

namespace {

int clampCell(int value) {
  return std::clamp(value, 0, core::MapSize - 1);
}

int clampLine(int value) {
  return std::clamp(value, 0, core::MapSize);
}

int floorDiv(int value, int by) {
  return value >= 0 ? value / by : -((-value + by - 1) / by);
}

}  // namespace

GridEdge NearestEdge(int x, int y, int cellPixels) {
  const int nearX = floorDiv(x + cellPixels / 2, cellPixels);  // nearest vertical line
  const int nearY = floorDiv(y + cellPixels / 2, cellPixels);
  const int awayX = std::abs(x - nearX * cellPixels);
  const int awayY = std::abs(y - nearY * cellPixels);
  if (awayX <= awayY) return {true, clampLine(nearX), clampCell(floorDiv(y, cellPixels))};
  return {false, clampLine(nearY), clampCell(floorDiv(x, cellPixels))};
}

GridEdge EdgeAlong(const GridEdge& start, int x, int y, int cellPixels) {
  GridEdge edge = start;
  edge.cell = clampCell(floorDiv(start.vertical ? y : x, cellPixels));
  return edge;
}

void SetEdge(core::MapRecord& map, const GridEdge& edge, int code) {
  // The square before the line (left or above) and the one after it.
  const int before = edge.line - 1;
  const int after = edge.line;
  if (edge.vertical) {
    if (before >= 0) map.SetWallCode(before, edge.cell, core::East, code);
    if (after < core::MapSize) map.SetWallCode(after, edge.cell, core::West, code);
  } else {
    if (before >= 0) map.SetWallCode(edge.cell, before, core::South, code);
    if (after < core::MapSize) map.SetWallCode(edge.cell, after, core::North, code);
  }
}

void SetEdges(core::MapRecord& map, const GridEdge& from, const GridEdge& to, int code) {
  GridEdge edge = from;
  for (int cell = std::min(from.cell, to.cell); cell <= std::max(from.cell, to.cell); ++cell) {
    edge.cell = cell;
    SetEdge(map, edge, code);
  }
}

void SetRoomOutline(core::MapRecord& map, const core::SquareRect& room, int code) {
  if (room.empty()) return;
  SetEdges(map, {false, room.top, room.left}, {false, room.top, room.right}, code);
  SetEdges(map, {false, room.bottom + 1, room.left}, {false, room.bottom + 1, room.right}, code);
  SetEdges(map, {true, room.left, room.top}, {true, room.left, room.bottom}, code);
  SetEdges(map, {true, room.right + 1, room.top}, {true, room.right + 1, room.bottom}, code);
}

}  // namespace maps
