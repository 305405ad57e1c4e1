#pragma once

#include "core/definitions.h"

#include <QObject>
#include <QPointer>

#include <vector>

namespace ui {

class Form;

// Repaints the open windows that show shared state another window has changed. It listens to
// ModDefinitions' change notices and, after the current handler has returned (queued to the
// event loop), refreshes once every visible watched form whose watchedChanges() meet the changes
// gathered since, except the form that made them. Many notices before the event loop runs give
// one repaint per form.
class ChangeHub : public QObject {
  Q_OBJECT

 public:
  explicit ChangeHub(core::ModDefinitions& defs, QObject* parent = nullptr);
  ~ChangeHub() override;
  ChangeHub(const ChangeHub&) = delete;
  ChangeHub& operator=(const ChangeHub&) = delete;

  void watch(Form* form);
  void unwatch(Form* form);
  // Runs the pending repaints now (the queued call does the same).
  void flush();
  bool hasPending() const { return scheduled_; }

 private:
  struct Watched {
    QPointer<Form> form;
    unsigned pending = 0;
  };

  void onChanged(unsigned changes, const void* origin);

  core::ModDefinitions& defs_;
  int subscription_ = 0;
  std::vector<Watched> forms_;
  bool scheduled_ = false;
};

}  // namespace ui
