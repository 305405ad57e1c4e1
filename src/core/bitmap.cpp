#include "core/bitmap.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
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

Result<Bitmap> ReadBmp(const std::filesystem::path& path) {
  const std::string name = path.string();
  const auto refuse = [&name](const std::string& reason) {
    return Status::Error("Cannot read the picture " + name + ": " + reason);
  };
  std::ifstream in(path, std::ios::binary);
  if (!in) return refuse(std::strerror(errno));
  const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
  const auto u16 = [&file](std::size_t at) -> std::uint32_t {
    return at + 2 <= file.size() ? static_cast<std::uint32_t>(file[at] | file[at + 1] << 8) : 0;
  };
  const auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (file.size() < 26 || file[0] != 'B' || file[1] != 'M') return refuse("it is not a bitmap");
  const std::uint32_t infoSize = u32(14);
  const bool oldHeader = infoSize == CoreHeaderSize;
  if (!oldHeader && (infoSize < InfoHeaderSize || file.size() < FileHeaderSize + InfoHeaderSize))
    return refuse("its header is cut short");
  const std::int64_t width = oldHeader ? u16(18) : static_cast<std::int32_t>(u32(18));
  const std::int64_t signedHeight = oldHeader ? u16(20) : static_cast<std::int32_t>(u32(22));
  const std::uint32_t bits = oldHeader ? u16(24) : u16(28);
  const std::uint32_t compression = oldHeader ? Uncompressed : u32(30);
  const bool topDown = signedHeight < 0;
  const std::int64_t height = std::llabs(signedHeight);
  if (width <= 0 || height <= 0 || width > 1 << 15 || height > 1 << 15)
    return refuse("it has no pixels or too many");
  const bool plainBitFields = compression == BitFields && bits == 32 && u32(54) == 0xFF0000 &&
                              u32(58) == 0xFF00 && u32(62) == 0xFF;
  if (!(compression == Uncompressed || plainBitFields) ||
      !(bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32))
    return refuse("this reader takes uncompressed pictures of 1, 4, 8, 24 or 32 bits a pixel");

  // The colour table of 1, 4 and 8 bits: 3 bytes an entry in the old header, 4 in the others.
  std::vector<std::uint32_t> palette;
  if (bits <= 8) {
    const std::size_t entrySize = oldHeader ? 3 : 4;
    std::size_t entries = oldHeader ? 0 : u32(46);
    if (entries == 0 || entries > (1u << bits)) entries = std::size_t{1} << bits;
    const std::size_t table = FileHeaderSize + infoSize;
    for (std::size_t i = 0; i < entries; ++i) {
      const std::size_t at = table + i * entrySize;
      if (at + 3 > file.size()) return refuse("its colour table is cut short");
      palette.push_back(static_cast<std::uint32_t>(file[at + 2]) << 16 |
                        static_cast<std::uint32_t>(file[at + 1]) << 8 | file[at]);
    }
  }
  const auto w = static_cast<std::size_t>(width);
  const std::size_t rowBytes = (w * bits + 31) / 32 * 4;
  const std::size_t dataOffset = u32(10);
  if (dataOffset + rowBytes * static_cast<std::size_t>(height) > file.size())
    return refuse("its pixels are cut short");
  Bitmap bitmap(static_cast<int>(width), static_cast<int>(height));
  for (int y = 0; y < bitmap.height; ++y) {
    const std::size_t stored =
        topDown ? static_cast<std::size_t>(y) : static_cast<std::size_t>(bitmap.height - 1 - y);
    const std::uint8_t* row = file.data() + dataOffset + stored * rowBytes;
    for (std::size_t x = 0; x < w; ++x) {
      std::uint32_t rgb = 0;
      if (bits >= 24) {
        const std::uint8_t* p = row + x * (bits / 8);
        rgb = static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
      } else {
        const std::size_t bit = x * bits;
        const std::uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        rgb = index < palette.size() ? palette[index] : 0;
      }
      bitmap.set(static_cast<int>(x), y, rgb);
    }
  }
  return bitmap;
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
