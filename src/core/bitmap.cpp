#include "core/bitmap.h"

#include <array>
#include <cerrno>
#include <cstdlib>
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

std::uint32_t GetU32(const std::array<std::uint8_t, 54>& in, std::size_t at) {
  return static_cast<std::uint32_t>(in[at]) | static_cast<std::uint32_t>(in[at + 1]) << 8 |
         static_cast<std::uint32_t>(in[at + 2]) << 16 |
         static_cast<std::uint32_t>(in[at + 3]) << 24;
}

std::uint16_t GetU16(const std::array<std::uint8_t, 54>& in, std::size_t at) {
  return static_cast<std::uint16_t>(in[at] | in[at + 1] << 8);
}

constexpr std::uint32_t CoreHeaderSize = 12;  // the old OS/2 header with 16-bit sizes
constexpr std::uint32_t Uncompressed = 0;
constexpr std::uint32_t BitFields = 3;

}  // namespace

Status CheckBmpFile(const std::filesystem::path& path, int minWidth, int minHeight) {
  const std::string name = path.string();
  const auto refuse = [&name](const std::string& reason) {
    return Status::Error("Cannot use the picture " + name + ": " + reason);
  };
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return refuse("it does not exist");
  if (!std::filesystem::is_regular_file(status)) return refuse("it is not a regular file");
  const std::uintmax_t fileBytes = std::filesystem::file_size(path, error);
  if (error) return refuse(error.message());

  std::array<std::uint8_t, 54> header{};
  std::ifstream in(path, std::ios::binary);
  if (!in) return refuse(std::strerror(errno));
  in.read(reinterpret_cast<char*>(header.data()), header.size());
  const auto got = static_cast<std::size_t>(in.gcount());
  if (got < 26 || header[0] != 'B' || header[1] != 'M') return refuse("it is not a bitmap");

  const std::uint32_t infoSize = GetU32(header, 14);
  std::int64_t width = 0, height = 0;
  std::uint32_t bits = 0, compression = Uncompressed;
  if (infoSize == CoreHeaderSize) {
    width = GetU16(header, 18);
    height = GetU16(header, 20);
    bits = GetU16(header, 24);
  } else {
    if (got < header.size()) return refuse("it is cut short");
    width = static_cast<std::int32_t>(GetU32(header, 18));
    height = std::llabs(static_cast<std::int32_t>(GetU32(header, 22)));  // < 0: rows top-down
    bits = GetU16(header, 28);
    compression = GetU32(header, 30);
  }
  if (width < minWidth || height < minHeight) {
    return refuse("it is " + std::to_string(width) + " x " + std::to_string(height) +
                  " pixels, smaller than the " + std::to_string(minWidth) + " x " +
                  std::to_string(minHeight) + " it must cover");
  }
  if (compression == Uncompressed || compression == BitFields) {
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    const std::uint64_t needed = GetU32(header, 10) + rowBytes * static_cast<std::uint64_t>(height);
    if (fileBytes < needed) {
      return refuse("it is cut short: its pixels need " + std::to_string(needed) +
                    " bytes, the file has " + std::to_string(fileBytes));
    }
  }
  return Status::Ok();
}

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
