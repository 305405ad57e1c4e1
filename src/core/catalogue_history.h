#pragma once

#include "core/step_list.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// One write of a catalogue file as an undo step: the packed bytes of every slot it changed as
// they were before and after it, and the file's length before and after (an append makes the
// file longer; its undo makes it as short again).
struct CatalogueWrite {
  struct Slot {
    long slot = 0;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
  };

  std::string label;  // "Save Item 5", "New Spell 19"
  long entry = 0;     // the entry the designer knows the step by; 0 for none
  std::vector<Slot> changes;
  std::uint64_t lengthBefore = 0;
  std::uint64_t lengthAfter = 0;
  // Written as one step (the file put in place whole): undone and redone the same way.
  bool wholeFile = false;
};

// This session's writes of one catalogue file, to take back and do again.
class CatalogueHistory {
 public:
  static constexpr std::size_t MaxSteps = 1000;
  // The oldest steps go once the steps hold more than this (a removal from a long spell
  // progression keeps every slot after the one removed).
  static constexpr std::size_t MaxBytes = std::size_t{64} << 20;

  void Record(CatalogueWrite step) {
    ++recorded_;
    steps_.Push(std::move(step));
    while (MemoryBytes() > MaxBytes && steps_.StepCount() > 1 && steps_.DropOldest()) {
    }
  }

  bool CanUndo() const { return steps_.CanUndo(); }
  bool CanRedo() const { return steps_.CanRedo(); }
  std::string UndoLabel() const { return steps_.UndoLabel(); }
  std::string RedoLabel() const { return steps_.RedoLabel(); }
  const CatalogueWrite& ToUndo() const { return steps_.ToUndo(); }
  const CatalogueWrite& ToRedo() const { return steps_.ToRedo(); }
  void Undone() { steps_.Undone(); }
  void Redone() { steps_.Redone(); }

  // A file opened afresh is another file: nothing of this one can be taken back there.
  void Clear() { steps_.Clear(); }
  std::size_t StepCount() const { return steps_.StepCount(); }
  // Grows with every step recorded: a window can tell that a write came between.
  std::uint64_t Recorded() const { return recorded_; }

  std::size_t MemoryBytes() const {
    std::size_t bytes = 0;
    for (const CatalogueWrite& step : steps_.Steps()) {
      bytes += sizeof(CatalogueWrite) + step.label.capacity();
      for (const CatalogueWrite::Slot& slot : step.changes)
        bytes += sizeof(slot) + slot.before.capacity() + slot.after.capacity();
    }
    return bytes;
  }

 private:
  StepList<CatalogueWrite> steps_{MaxSteps};
  std::uint64_t recorded_ = 0;
};

}  // namespace core
