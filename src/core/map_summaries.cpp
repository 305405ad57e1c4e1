#include "core/map_summaries.h"

#include "core/catalogue_sweep.h"
#include "core/map_record.h"
#include "core/packing.h"
#include "core/text.h"

#include <algorithm>

namespace core {

namespace {

bool AllZero(std::span<const std::uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

}  // namespace

// Only the fields shown are read from the packed bytes: unpacking whole maps, their long texts
// above all, would cost more than reading the file.
Result<std::vector<MapSummary>> ReadMapSummaries(const RecordFile& maps) {
  using Offsets = MapRecord::Offsets;
  auto held = MapSlotsHeld(maps);
  if (!held.ok()) return held.status();
  std::vector<MapSummary> summaries;
  summaries.reserve(static_cast<std::size_t>(*held));
  static const std::string blank(MapTextWidth, ' ');
  Status status = ForEachMapSlot(maps, 1, *held, [&](long number, auto packed) {
    if (AllZero(packed)) return true;
    MapSummary summary;
    summary.number = number;
    summary.graphicSet = IntegerAt(packed, Offsets::GraphicSet);
    for (int s = 0; s < SpecialCount; ++s)
      summary.specials += IntegerAt(packed, Offsets::Specials + 2 * static_cast<std::size_t>(s)) != 0;
    for (int e = 0; e < EncounterSlotCount; ++e)
      summary.encounters +=
          IntegerAt(packed, Offsets::Encounters + 2 * static_cast<std::size_t>(e)) != 0;
    for (int t = 0; t < MapTextCount; ++t) {
      const std::string_view text(
          reinterpret_cast<const char*>(packed.data()) + Offsets::Texts + t * MapTextWidth,
          MapTextWidth);
      if (text == blank) continue;
      summary.text = TrimTrailingBlanks(text);
      break;
    }
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
