#include "core/map_summaries.h"

#include "core/catalogue_sweep.h"
#include "core/map_record.h"
#include "core/text.h"

#include <algorithm>

namespace core {

namespace {

bool AllZero(std::span<const std::uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

}  // namespace

Result<std::vector<MapSummary>> ReadMapSummaries(const RecordFile& maps) {
  auto held = MapSlotsHeld(maps);
  if (!held.ok()) return held.status();
  std::vector<MapSummary> summaries;
  MapRecord map;  // unpacked again for each map: no allocation per map
  Status status = ForEachMapSlot(maps, 1, *held, [&](long number, auto packed) {
    if (AllZero(packed)) return true;
    MapRecord::unpack(packed, map);
    MapSummary summary;
    summary.number = number;
    summary.graphicSet = map.GraphicSet;
    for (int s = 0; s < SpecialCount; ++s) summary.specials += map.GetSpecial(s).Kind != 0;
    for (int e = 0; e < EncounterSlotCount; ++e)
      summary.encounters += map.Encounter(e, EncounterField::Creature) != 0;
    // Most texts of most maps are blank: a whole-text comparison passes them quickly.
    static const std::string blank(MapTextWidth, ' ');
    for (int t = 0; t < MapTextCount && summary.text.empty(); ++t)
      if (map.Text(t) != blank) summary.text = TrimTrailingBlanks(map.Text(t));
    summaries.push_back(std::move(summary));
    return true;
  });
  if (!status.ok()) return status;
  return summaries;
}

Result<long> FirstFreeMapNumber(const RecordFile& maps) {
  auto held = MapSlotsHeld(maps);
  if (!held.ok()) return held.status();
  long free = *held + 1;
  Status status = ForEachMapSlot(maps, 1, *held, [&](long number, auto packed) {
    if (!AllZero(packed)) return true;
    free = number;
    return false;
  });
  if (!status.ok()) return status;
  return free;
}

}  // namespace core
