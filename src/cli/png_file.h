#pragma once

#include "core/bitmap.h"
#include "core/status.h"

#include <filesystem>

namespace cli {

// Writes `picture` as an 8-bit RGB PNG file (through libpng); the message names the file.
core::Status WritePng(const std::filesystem::path& path, const core::Bitmap& picture);

}  // namespace cli
