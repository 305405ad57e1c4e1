#pragma once

#include "core/bitmap.h"

#include <cstdint>

// A few filled shapes for painting the demo pictures; everything is clipped to the bitmap.
namespace demodata {

std::uint32_t Rgb(int r, int g, int b);
// The colour a fraction t (0..1) of the way from a to b.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t);

class Canvas {
 public:
  explicit Canvas(core::Bitmap& bitmap) : bitmap_(bitmap) {}

  int width() const { return bitmap_.width; }
  int height() const { return bitmap_.height; }

  void Plot(int x, int y, std::uint32_t rgb);
  // Rows y0..y1 (inclusive) shading from `top` to `bottom`.
  void VerticalGradient(int y0, int y1, std::uint32_t top, std::uint32_t bottom);
  void FillRect(int x0, int y0, int x1, int y1, std::uint32_t rgb);  // corners inclusive
  void FillEllipse(double cx, double cy, double rx, double ry, std::uint32_t rgb);
  void FillTriangle(double ax, double ay, double bx, double by, double cx, double cy,
                    std::uint32_t rgb);
  // A line of the given thickness between two points.
  void Line(double x0, double y0, double x1, double y1, double thickness, std::uint32_t rgb);
  // Everything below y = base + amplitude * sin(x * frequency + phase), down to the bottom.
  void FillBelowWave(double base, double amplitude, double frequency, double phase,
                     std::uint32_t rgb);

 private:
  core::Bitmap& bitmap_;
};

}  // namespace demodata
