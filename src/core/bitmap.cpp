#include "core/bitmap.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

namespace core {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::uint32_t PixelsPerMetre = 2835;  // 72 dots per inch

void PutU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t value) {
  out[at] = static_cast<std::uint8_t>(value & 0xFF);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

}  // namespace

Status WriteBmp(const std::filesystem::path& path, const Bitmap& bitmap) {
  const std::string name = path.string();
  if (bitmap.width <= 0 || bitmap.height <= 0) {
    return Status::Error("Cannot write the picture " + name + ": it has no pixels (" +
                         std::to_string(bitmap.width) + " x " + std::to_string(bitmap.height) +
                         ").");
  }
  const std::size_t width = static_cast<std::size_t>(bitmap.width);
  const std::size_t height = static_cast<std::size_t>(bitmap.height);
  if (bitmap.pixels.size() != width * height) {
    return Status::Error("Cannot write the picture " + name +
                         ": its pixel data does not match its size.");
  }

  // Every row of a Windows bitmap is padded to a multiple of four bytes.
  const std::size_t rowBytes = (width * 3 + 3) / 4 * 4;
  const std::size_t imageBytes = rowBytes * height;
  const std::size_t dataOffset = FileHeaderSize + InfoHeaderSize;
  const std::size_t fileBytes = dataOffset + imageBytes;
  if (fileBytes > 0xFFFFFFFFu) {
    return Status::Error("Cannot write the picture " + name + ": it is too large.");
  }

  std::vector<std::uint8_t> bytes(fileBytes, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutU32(bytes, 2, static_cast<std::uint32_t>(fileBytes));
  PutU32(bytes, 10, static_cast<std::uint32_t>(dataOffset));
  PutU32(bytes, 14, static_cast<std::uint32_t>(InfoHeaderSize));
  PutU32(bytes, 18, static_cast<std::uint32_t>(width));
  PutU32(bytes, 22, static_cast<std::uint32_t>(height));  // positive: rows stored bottom-up
  PutU16(bytes, 26, 1);                                   // planes
  PutU16(bytes, 28, 24);                                  // bits per pixel
  PutU32(bytes, 30, 0);                                   // no compression
  PutU32(bytes, 34, static_cast<std::uint32_t>(imageBytes));
  PutU32(bytes, 38, PixelsPerMetre);
  PutU32(bytes, 42, PixelsPerMetre);

  for (std::size_t y = 0; y < height; ++y) {
    std::size_t at = dataOffset + (height - 1 - y) * rowBytes;
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint32_t rgb = bitmap.pixels[y * width + x];
      bytes[at++] = static_cast<std::uint8_t>(rgb & 0xFF);          // blue
      bytes[at++] = static_cast<std::uint8_t>((rgb >> 8) & 0xFF);   // green
      bytes[at++] = static_cast<std::uint8_t>((rgb >> 16) & 0xFF);  // red
    }
  }

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    return Status::Error("Cannot write the picture " + name + ": " + std::strerror(errno) + ".");
  }
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    return Status::Error("Cannot write the picture " + name + ": the write failed.");
  }
  return Status::Ok();
}

}  // namespace core
