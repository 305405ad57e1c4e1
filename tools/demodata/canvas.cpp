#include "demodata/canvas.h"

#include <algorithm>
#include <cmath>

namespace demodata {

std::uint32_t Rgb(int r, int g, int b) {
  auto clamp = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
  return (clamp(r) << 16) | (clamp(g) << 8) | clamp(b);
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto channel = [&](int shift) {
    const double from = static_cast<double>((a >> shift) & 0xFF);
    const double to = static_cast<double>((b >> shift) & 0xFF);
    return static_cast<int>(std::lround(from + (to - from) * t));
  };
  return Rgb(channel(16), channel(8), channel(0));
}

void Canvas::Plot(int x, int y, std::uint32_t rgb) {
  if (x < 0 || y < 0 || x >= bitmap_.width || y >= bitmap_.height) return;
  bitmap_.set(x, y, rgb);
}

void Canvas::VerticalGradient(int y0, int y1, std::uint32_t top, std::uint32_t bottom) {
  const int span = std::max(1, y1 - y0);
  for (int y = y0; y <= y1; ++y) {
    const std::uint32_t rgb = Mix(top, bottom, static_cast<double>(y - y0) / span);
    for (int x = 0; x < bitmap_.width; ++x) Plot(x, y, rgb);
  }
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, std::uint32_t rgb) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) Plot(x, y, rgb);
  }
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, std::uint32_t rgb) {
  if (rx <= 0 || ry <= 0) return;
  const int y0 = static_cast<int>(std::floor(cy - ry));
  const int y1 = static_cast<int>(std::ceil(cy + ry));
  const int x0 = static_cast<int>(std::floor(cx - rx));
  const int x1 = static_cast<int>(std::ceil(cx + rx));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const double dx = (x + 0.5 - cx) / rx;
      const double dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) Plot(x, y, rgb);
    }
  }
}

void Canvas::FillTriangle(double ax, double ay, double bx, double by, double cx, double cy,
                          std::uint32_t rgb) {
  const int y0 = static_cast<int>(std::floor(std::min({ay, by, cy})));
  const int y1 = static_cast<int>(std::ceil(std::max({ay, by, cy})));
  const int x0 = static_cast<int>(std::floor(std::min({ax, bx, cx})));
  const int x1 = static_cast<int>(std::ceil(std::max({ax, bx, cx})));
  auto edge = [](double px, double py, double qx, double qy, double x, double y) {
    return (qx - px) * (y - py) - (qy - py) * (x - px);
  };
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const double px = x + 0.5;
      const double py = y + 0.5;
      const double e0 = edge(ax, ay, bx, by, px, py);
      const double e1 = edge(bx, by, cx, cy, px, py);
      const double e2 = edge(cx, cy, ax, ay, px, py);
      const bool inside = (e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0);
      if (inside) Plot(x, y, rgb);
    }
  }
}

void Canvas::Line(double x0, double y0, double x1, double y1, double thickness, std::uint32_t rgb) {
  const double length = std::hypot(x1 - x0, y1 - y0);
  const int steps = std::max(1, static_cast<int>(std::ceil(length * 2)));
  const double radius = thickness / 2;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    FillEllipse(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, radius, radius, rgb);
  }
}

void Canvas::FillBelowWave(double base, double amplitude, double frequency, double phase,
                           std::uint32_t rgb) {
  for (int x = 0; x < bitmap_.width; ++x) {
    const double top = base + amplitude * std::sin(x * frequency + phase);
    for (int y = std::max(0, static_cast<int>(std::lround(top))); y < bitmap_.height; ++y) {
      Plot(x, y, rgb);
    }
  }
}

}  // namespace demodata
