#pragma once

#include "core/map_record.h"

#include <cstdint>
#include <vector>

namespace demodata {

// Map numbers (slots of Maps.dat).
enum MapId : std::int16_t { LanternfallMap = 1, ReliquaryMap, GlimmerdeepMap };

// The demo maps in map-number order; each MapNo equals its slot.
std::vector<core::MapRecord> DemoMaps();

}  // namespace demodata
