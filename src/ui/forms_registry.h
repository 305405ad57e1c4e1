#pragma once

#include "core/references.h"
#include "ui/form.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <memory>

namespace ui {

class ChangeHub;

// Creates each window on its first show and returns the live one after that; once a window is
// closed, the next show creates and loads it afresh. Windows reach each other only through here.
class FormsRegistry {
 public:
  using Factory = std::function<std::unique_ptr<Form>()>;

  // New windows are handed to `hub` (when given) so they repaint on other windows' changes.
  explicit FormsRegistry(ChangeHub* hub = nullptr);
  // Deletes the windows still alive, without asking them.
  ~FormsRegistry();
  FormsRegistry(const FormsRegistry&) = delete;
  FormsRegistry& operator=(const FormsRegistry&) = delete;

  void add(const QString& name, Factory factory);
  // The window `name` belongs to the window `owner`: made while the owner is open, it is owned
  // by it, stays above it and goes with it.
  void setOwner(const QString& name, const QString& owner);
  // True when a factory was added under `name` (the window exists in this build).
  bool has(const QString& name) const {
    const auto it = entries_.find(name);
    return it != entries_.end() && static_cast<bool>(it->second.factory);
  }

  // Shows the window `name` without blocking, creating it first when none is open. Null when no
  // factory was added under that name.
  Form* show(const QString& name);
  template <class T>
  T* show(const QString& name) {
    return qobject_cast<T*>(show(name));
  }

  // The open window `name`, or null.
  Form* find(const QString& name) const;
  template <class T>
  T* find(const QString& name) const {
    return qobject_cast<T*>(find(name));
  }

  // Closes one window; false when it refused (or true when it was not open).
  bool close(const QString& name);
  // Closes every open window (Exit); false when one of them refused.
  bool closeAll();

  // How the places of one file are shown (the map on a square, an entry in its editor): each
  // window folder says it for its own files, so a list of places reaches them by name only.
  using PlaceHandler = std::function<bool(const core::Place& place)>;
  void addPlaceHandler(core::GameFile file, PlaceHandler handler);
  // Shows `place` in its window, asking about unsaved changes there first. False when no window
  // shows that file, or the designer cancelled, or it could not be read.
  bool goTo(const core::Place& place);

 private:
  struct Entry {
    Factory factory;
    QString owner;
    QPointer<Form> form;
  };
  ChangeHub* hub_;
  std::map<QString, Entry> entries_;
  std::map<core::GameFile, PlaceHandler> placeHandlers_;
};

}  // namespace ui
