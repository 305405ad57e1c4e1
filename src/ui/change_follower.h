#pragma once

#include "core/definitions.h"

#include <QObject>

#include <functional>

namespace ui {

class Form;

// Calls `changed` after each change of the shared state that touches one of `changes`, for as
// long as the follower lives (a child of `owner`) and `window` stays loaded: a closed window is
// deleted later, possibly after the shared state is gone.
class ChangeFollower : public QObject {
 public:
  ChangeFollower(QObject* owner, core::ModDefinitions& defs, Form* window, unsigned changes,
                 std::function<void()> changed);
  ~ChangeFollower() override;

  void stop();

 private:
  core::ModDefinitions& defs_;
  int subscription_ = 0;
};

}  // namespace ui
