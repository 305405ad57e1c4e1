#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <utility>

namespace core {

// The undo and redo steps of one history, each named by its `label` ("Copy Square", "Save Item
// 5"): a new step drops every step that could be redone, and the oldest go beyond `maxSteps`.
// What a step holds and how it is taken back is the history's own.
template <class Step>
class StepList {
 public:
  explicit StepList(std::size_t maxSteps) : maxSteps_(maxSteps) {}

  void Push(Step step) {
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    steps_.push_back(std::move(step));
    if (steps_.size() > maxSteps_) steps_.pop_front();
    done_ = steps_.size();
  }

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // The name of the step an undo or redo would take back or do again; empty when none.
  std::string UndoLabel() const { return CanUndo() ? steps_[done_ - 1].label : std::string(); }
  std::string RedoLabel() const { return CanRedo() ? steps_[done_].label : std::string(); }

  // The step an undo would take back (or a redo do again); only when CanUndo (CanRedo).
  const Step& ToUndo() const { return steps_[done_ - 1]; }
  const Step& ToRedo() const { return steps_[done_]; }
  // The step was taken back (done again): the next undo or redo is the one before (after) it.
  void Undone() { --done_; }
  void Redone() { ++done_; }

  // Drops the oldest step (the first an undo would reach last); false when there is none left
  // that is done.
  bool DropOldest() {
    if (done_ == 0) return false;
    steps_.pop_front();
    --done_;
    return true;
  }

  void Clear() {
    steps_.clear();
    done_ = 0;
  }
  std::size_t StepCount() const { return steps_.size(); }
  const std::deque<Step>& Steps() const { return steps_; }

 private:
  std::size_t maxSteps_;
  std::deque<Step> steps_;
  std::size_t done_ = 0;  // steps_[0 .. done_) are done; the rest can be redone
};

}  // namespace core
