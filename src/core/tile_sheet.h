#pragma once

#include "core/bitmap.h"

namespace core {

// Where the map view finds its glyphs in Tiles.bmp.
struct GlyphRect {
  int x, y, width, height;
};

inline constexpr GlyphRect SelectionFrameGlyph{14, 26, 14, 14};
inline constexpr GlyphRect SpecialMarkerGlyph{109, 0, 12, 12};
// Indexed by side (North, East, South, West).
inline constexpr GlyphRect PlainWallGlyphs[4] = {
    {13, 0, 12, 12}, {25, 0, 12, 12}, {37, 0, 12, 12}, {49, 0, 12, 12}};
inline constexpr GlyphRect DoorGlyphs[4] = {
    {61, 0, 12, 12}, {73, 0, 12, 12}, {85, 0, 12, 12}, {97, 0, 12, 12}};
inline constexpr GlyphRect SecondWallGlyphs[4] = {
    {121, 0, 12, 12}, {133, 0, 12, 12}, {145, 0, 12, 12}, {157, 0, 12, 12}};

inline constexpr int TileSheetWidth = 169;
inline constexpr int TileSheetHeight = 40;

// The glyph a side's wall code is drawn with, or nullptr for code 0 (and codes outside 0..7).
const GlyphRect* WallGlyph(int wallCode, int side);

// Our own tile sheet: white, with the side glyphs as dark strokes, the special marker and the
// selection frame at their places. The demo data's Tiles.bmp and the editor's fallback when
// Tiles.bmp cannot be read are both drawn by this.
Bitmap MakeTileSheet();

// Our own map-view background, 434 x 434 (the fallback when Back.bmp cannot be read).
Bitmap MakeMapBackground();

}  // namespace core
