#pragma once

// Positions and sizes of the old layouts are in twips; the screen has 15 twips per pixel.
namespace ui {

inline constexpr int TwipsPerPixel = 15;

// Rounds to the nearest pixel (halves away from zero) so a width that is not a whole number of
// pixels still gets the closest size.
constexpr int TwipsToPixels(int twips) {
  return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel
                    : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

constexpr int PixelsToTwips(int pixels) {
  return pixels * TwipsPerPixel;
}

}  // namespace ui
