#pragma once

#include "core/status.h"

#include <filesystem>
#include <set>

namespace demodata {

// Writes the whole demo data set under `outFolder`: Dat/Maps.dat and the five catalogues, and
// Data/Back.bmp, Data/Tiles.bmp and every map and creature picture they name. Files of the
// same names are replaced; the folders are created when missing.
core::Status WriteDemoData(const std::filesystem::path& outFolder);

// The picture numbers the demo maps' Draw Picture specials and the demo creatures use.
std::set<int> UsedMapPictures();
std::set<int> UsedCreaturePictures();

}  // namespace demodata
