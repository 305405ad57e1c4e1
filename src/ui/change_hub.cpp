#include "ui/change_hub.h"

#include "ui/form.h"

#include <QMetaObject>

#include <algorithm>

namespace ui {

ChangeHub::ChangeHub(core::ModDefinitions& defs, QObject* parent) : QObject(parent), defs_(defs) {
  subscription_ =
      defs_.Subscribe([this](unsigned changes, const void* origin) { onChanged(changes, origin); });
}

ChangeHub::~ChangeHub() {
  defs_.Unsubscribe(subscription_);
}

void ChangeHub::watch(Form* form) {
  if (!form) return;
  for (const Watched& w : forms_)
    if (w.form == form) return;
  forms_.push_back(Watched{form, 0});
}

void ChangeHub::unwatch(Form* form) {
  std::erase_if(forms_, [form](const Watched& w) { return w.form.isNull() || w.form == form; });
}

// Each form gathers only the changes made by others, so a change by A followed by one by B
// before the event loop runs still repaints A (for B's change) and B (for A's).
void ChangeHub::onChanged(unsigned changes, const void* origin) {
  bool any = false;
  for (Watched& w : forms_) {
    if (w.form.isNull()) continue;
    if (static_cast<const void*>(w.form.data()) == origin) continue;
    const unsigned shown = changes & w.form->watchedChanges();
    if (shown == 0) continue;
    w.pending |= shown;
    any = true;
  }
  if (any && !scheduled_) {
    scheduled_ = true;
    QMetaObject::invokeMethod(this, &ChangeHub::flush, Qt::QueuedConnection);
  }
}

void ChangeHub::flush() {
  scheduled_ = false;
  std::erase_if(forms_, [](const Watched& w) { return w.form.isNull(); });
  // Collect first: a paint may notify further changes (queued for the next round) or close
  // windows, which must not disturb this round.
  std::vector<QPointer<Form>> due;
  for (Watched& w : forms_) {
    if (w.pending == 0) continue;
    w.pending = 0;
    // A hidden window paints when it is shown again; a closed one never.
    if (w.form->isClosed() || !w.form->isVisible()) continue;
    due.push_back(w.form);
  }
  for (const QPointer<Form>& form : due)
    if (!form.isNull() && !form->isClosed()) form->refresh();
}

}  // namespace ui
