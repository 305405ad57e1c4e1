#pragma once

#include "core/status.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace core {

// A picture in memory: width x height pixels, 0xRRGGBB each, row 0 at the top.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  Bitmap() = default;
  Bitmap(int w, int h, std::uint32_t fill = 0xFFFFFF)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  void set(int x, int y, std::uint32_t rgb) {
    pixels[static_cast<std::size_t>(y) * width + x] = rgb;
  }
};

// Checks, before a picture is loaded, that `path` is a regular file (a FIFO or device would hang
// the reader) holding a Windows bitmap of at least minWidth x minHeight pixels whose pixel data
// is all there. The message names the file and what is wrong with it.
Status CheckBmpFile(const std::filesystem::path& path, int minWidth, int minHeight);

// Reads an uncompressed Windows bitmap of 1, 4, 8, 24 or 32 bits a pixel (32 also with the
// usual bit fields); other kinds are refused, naming the file.
Result<Bitmap> ReadBmp(const std::filesystem::path& path);

// Writes a 24-bit uncompressed Windows bitmap.
Status WriteBmp(const std::filesystem::path& path, const Bitmap& bitmap);

}  // namespace core
