#pragma once

#include "core/map_record.h"
#include "core/step_list.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// The undo and redo steps of the map record in memory. A step keeps only the bytes it changed
// (old and new), so a long session of square edits costs little memory.
class MapHistory {
 public:
  // The oldest steps are dropped beyond this many.
  static constexpr std::size_t MaxSteps = 100000;

  // Records the change from `before` to `after` as one step named `label` ("Copy Square"),
  // dropping every step that could be redone; the map's number in the editor (CurrentMap) goes
  // with it. A change that changed nothing is no step: false.
  bool Record(std::string label, const MapRecord& before, const MapRecord& after,
              std::int16_t numberBefore = 0, std::int16_t numberAfter = 0);

  bool CanUndo() const { return steps_.CanUndo(); }
  bool CanRedo() const { return steps_.CanRedo(); }
  // The name of the step an undo or redo would take back or do again; empty when none.
  std::string UndoLabel() const { return steps_.UndoLabel(); }
  std::string RedoLabel() const { return steps_.RedoLabel(); }

  // Takes `map` (and its number) back before the last step, or forward again; false when there
  // is none.
  bool Undo(MapRecord& map, std::int16_t* number = nullptr);
  bool Redo(MapRecord& map, std::int16_t* number = nullptr);

  void Clear() { steps_.Clear(); }
  std::size_t StepCount() const { return steps_.StepCount(); }
  // What the steps hold, in bytes, for the memory budget.
  std::size_t MemoryBytes() const;

 private:
  // Runs of changed bytes, each: offset (2 bytes), length (2 bytes), old bytes, new bytes.
  struct Step {
    std::string label;
    std::vector<std::uint8_t> runs;
    std::int16_t numberBefore = 0;
    std::int16_t numberAfter = 0;
  };
  static void Apply(const Step& step, bool forward, MapRecord& map, std::int16_t* number);

  StepList<Step> steps_{MaxSteps};
};

}  // namespace core
