#pragma once

#include "core/bitmap.h"
#include "demodata/demo_ids.h"

#include <cstdint>

// The demo pictures: map scenes shown by Draw Picture specials (Data/MapN.bmp) and creature
// portraits (Data/MonN.bmp), painted by code so that every run gives the same bytes.
namespace demodata {

inline constexpr int PictureWidth = 200;
inline constexpr int PictureHeight = 150;

// Picture numbers of the map scenes the demo maps draw.
enum MapPicture : std::int16_t {
  TownGate = 1,
  ReliquaryDoor,
  CrystalCave,
  FenSunset,
  DrownedAltar,
  Waterfall,
};

// The Bitmap number each demo creature is shown with.
std::int16_t CreaturePictureNumber(CreatureId creature);

// Any number gives a picture; the numbers above give their own scene, others a variation.
core::Bitmap DrawMapPicture(int number);
core::Bitmap DrawCreaturePicture(int number);

}  // namespace demodata
