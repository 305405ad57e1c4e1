#pragma once

#include "core/record_file.h"
#include "core/status.h"

#include <string>
#include <vector>

namespace core {

// One line of the map browser: what tells a map from the others at a glance.
struct MapSummary {
  long number = 0;
  int graphicSet = 0;
  int specials = 0;    // entries of the special table in use
  int encounters = 0;  // encounter slots that name a creature
  std::string text;    // the first text that is not blank, trailing blanks dropped
};

// Every map of Maps.dat that was ever saved (slots of zeros are left out), in number order.
Result<std::vector<MapSummary>> ReadMapSummaries(const RecordFile& maps);

// The lowest map number Maps.dat does not hold yet: a slot of zeros, or the one past its end.
Result<long> FirstFreeMapNumber(const RecordFile& maps);

}  // namespace core
