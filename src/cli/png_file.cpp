#include "cli/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace cli {

namespace {

// libpng reports a failure by calling this, which must not return.
[[noreturn]] void Failed(png_structp png, png_const_charp message) {
  auto* reason = static_cast<std::string*>(png_get_error_ptr(png));
  if (reason) *reason = message;
  png_longjmp(png, 1);
}

}  // namespace

core::Status WritePng(const std::filesystem::path& path, const core::Bitmap& picture) {
  const std::string name = path.string();
  if (picture.width <= 0 || picture.height <= 0)
    return core::Status::Error("Cannot write the picture " + name + ": it has no pixels.");
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(name.c_str(), "wb"),
                                                       &std::fclose);
  if (!file)
    return core::Status::Error("Cannot write the picture " + name + ": " + std::strerror(errno) +
                               ".");
  std::string reason;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &reason, &Failed, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return core::Status::Error("Cannot write the picture " + name + ": out of memory.");
  }
  // Everything libpng may jump out of stays plain data, set up before this point.
  std::vector<png_byte> row(static_cast<std::size_t>(picture.width) * 3);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return core::Status::Error("Cannot write the picture " + name + ": " + reason + ".");
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t rgb = picture.at(x, y);
      png_byte* out = row.data() + static_cast<std::size_t>(x) * 3;
      out[0] = static_cast<png_byte>(rgb >> 16);
      out[1] = static_cast<png_byte>(rgb >> 8);
      out[2] = static_cast<png_byte>(rgb);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fflush(file.get()) != 0 || std::ferror(file.get()))
    return core::Status::Error("Cannot write the picture " + name + ": the write failed.");
  return core::Status::Ok();
}

}  // namespace cli
