#pragma once

#include "core/map_document.h"
#include "core/map_record.h"
#include "core/status.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// A rectangle of squares lifted out of a map, to be put down again in this map or another: the
// whole square words (bits 12..15 included) and the specials in use on those squares, every
// field kept. A special's SquareX and SquareY count from the region's top-left square.
struct MapRegion {
  int width = 0;
  int height = 0;
  std::vector<std::int16_t> squares;  // row by row, `width` words a row
  std::vector<MapSpecial> specials;   // in the order of their entries in the map they came from

  std::int16_t Square(int x, int y) const {
    return squares[static_cast<std::size_t>(y * width + x)];
  }
  friend bool operator==(const MapRegion&, const MapRegion&) = default;
};

// The clipboard type of the byte form, so that one editor hands squares to another whole.
inline constexpr std::string_view RegionMimeType = "application/x-map-editor-squares";

// The squares of `rect` (cut to the map) and the specials in use on them.
MapRegion CopyRegion(const MapRecord& map, const SquareRect& rect);

// The byte form: "MSQR", a form number, width, height and special count (one byte each), then
// the square words and the specials' eleven fields, Integers little-endian.
std::vector<std::uint8_t> RegionBytes(const MapRegion& region);
// A region from bytes that may come from any program: anything malformed is refused, saying why.
Result<MapRegion> RegionFromBytes(std::span<const std::uint8_t> bytes);

// The readable form: a heading with the size, one line of hexadecimal square words per row,
// then one line per special naming its fields.
std::string RegionText(const MapRegion& region);
Result<MapRegion> RegionFromText(std::string_view text);
// Whether a text starts as the readable form does (cheap: for enabling Paste).
bool LooksLikeRegionText(std::string_view text);

// Why `region` cannot be put with its top-left on (x, y) of `map`; empty when it can.
std::string PasteRefusal(const MapRecord& map, const MapRegion& region, int x, int y);
// Puts the region down (the caller has heard no refusal): its squares replace those under it,
// its specials go into the lowest free entries. The specials already there stay.
void PutRegion(MapRecord& map, const MapRegion& region, int x, int y);
// Square words 0, and the specials in use on them set to the empty entry.
void ClearSquares(MapRecord& map, const SquareRect& rect);

// The name of a region step: "Paste 6 x 4 Squares".
std::string RegionStepName(std::string_view verb, int width, int height);

// --- The region commands of the map document, each one undo step ---
// Pastes with the top-left on the selected square and selects the pasted rectangle; refused
// (nothing changes) with the reason.
Status PasteRegion(MapDocument& document, const MapRegion& region, const void* origin = nullptr);
// Copies the selected region, then clears it in one step "Cut W x H Squares".
MapRegion CutRegion(MapDocument& document, const void* origin = nullptr);
// Clears the selected region: "Clear W x H Squares".
bool ClearRegion(MapDocument& document, const void* origin = nullptr);

}  // namespace core
