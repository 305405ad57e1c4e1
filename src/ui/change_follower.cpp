#include "ui/change_follower.h"

#include "ui/form.h"

#include <utility>

namespace ui {

ChangeFollower::ChangeFollower(QObject* owner, core::ModDefinitions& defs, Form* window,
                               unsigned changes, std::function<void()> changed)
    : QObject(owner), defs_(defs) {
  subscription_ = defs_.Subscribe(
      [changes, changed = std::move(changed)](unsigned made, const void*) {
        if (made & changes) changed();
      });
  if (window) connect(window, &Form::unloaded, this, &ChangeFollower::stop);
}

ChangeFollower::~ChangeFollower() {
  stop();
}

void ChangeFollower::stop() {
  if (subscription_ != 0) defs_.Unsubscribe(subscription_);
  subscription_ = 0;
}

}  // namespace ui
