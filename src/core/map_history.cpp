#include "core/map_history.h"

#include "core/packing.h"

#include <algorithm>
#include <array>
#include <utility>

namespace core {

namespace {

using Bytes = std::array<std::uint8_t, MapRecord::PackedSize>;

// Changed bytes closer than this are kept in one run: a run header costs four bytes.
constexpr std::size_t JoinGap = 4;

void PutU16(std::vector<std::uint8_t>& out, std::size_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::size_t GetU16(const std::uint8_t* at) {
  return static_cast<std::size_t>(at[0]) | (static_cast<std::size_t>(at[1]) << 8);
}

}  // namespace

bool MapHistory::Record(std::string label, const MapRecord& before, const MapRecord& after,
                        std::int16_t numberBefore, std::int16_t numberAfter) {
  const Bytes old = Packed(before);
  const Bytes now = Packed(after);
  std::vector<std::uint8_t> runs;
  std::size_t i = 0;
  while (i < old.size()) {
    if (old[i] == now[i]) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;  // one past the last changed byte of the run
    for (std::size_t j = end; j < old.size() && j < end + JoinGap; ++j) {
      if (old[j] != now[j]) end = j + 1;
    }
    PutU16(runs, i);
    PutU16(runs, end - i);
    runs.insert(runs.end(), old.begin() + static_cast<std::ptrdiff_t>(i),
                old.begin() + static_cast<std::ptrdiff_t>(end));
    runs.insert(runs.end(), now.begin() + static_cast<std::ptrdiff_t>(i),
                now.begin() + static_cast<std::ptrdiff_t>(end));
    i = end;
  }
  if (runs.empty() && numberBefore == numberAfter) return false;
  runs.shrink_to_fit();
  steps_.Push(Step{std::move(label), std::move(runs), numberBefore, numberAfter});
  return true;
}

bool MapHistory::Undo(MapRecord& map, std::int16_t* number) {
  if (!CanUndo()) return false;
  Apply(steps_.ToUndo(), false, map, number);
  steps_.Undone();
  return true;
}

bool MapHistory::Redo(MapRecord& map, std::int16_t* number) {
  if (!CanRedo()) return false;
  Apply(steps_.ToRedo(), true, map, number);
  steps_.Redone();
  return true;
}

std::size_t MapHistory::MemoryBytes() const {
  std::size_t bytes = sizeof(*this);
  for (const Step& step : steps_.Steps()) {
    bytes += sizeof(Step) + step.runs.capacity();
    if (step.label.capacity() > std::string().capacity()) bytes += step.label.capacity() + 1;
  }
  return bytes;
}

void MapHistory::Apply(const Step& step, bool forward, MapRecord& map, std::int16_t* number) {
  if (number) *number = forward ? step.numberAfter : step.numberBefore;
  Bytes bytes = Packed(map);
  const std::uint8_t* at = step.runs.data();
  const std::uint8_t* end = at + step.runs.size();
  while (at < end) {
    const std::size_t offset = GetU16(at);
    const std::size_t length = GetU16(at + 2);
    const std::uint8_t* source = at + 4 + (forward ? length : 0);
    std::copy(source, source + length, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    at += 4 + 2 * length;
  }
  map = MapRecord::unpack(bytes);
}

}  // namespace core
