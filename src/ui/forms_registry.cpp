#include "ui/forms_registry.h"

#include "ui/change_hub.h"

#include <vector>

namespace ui {

FormsRegistry::FormsRegistry(ChangeHub* hub) : hub_(hub) {}

FormsRegistry::~FormsRegistry() {
  for (auto& [name, entry] : entries_) {
    if (entry.form.isNull()) continue;
    if (hub_) hub_->unwatch(entry.form.data());
    delete entry.form.data();
  }
}

void FormsRegistry::add(const QString& name, Factory factory) {
  entries_[name].factory = std::move(factory);
}

void FormsRegistry::setOwner(const QString& name, const QString& owner) {
  entries_[name].owner = owner;
}

Form* FormsRegistry::show(const QString& name) {
  auto it = entries_.find(name);
  if (it == entries_.end() || !it->second.factory) return nullptr;
  Entry& entry = it->second;
  if (entry.form.isNull() || entry.form->isClosed()) {
    std::unique_ptr<Form> form = entry.factory();
    if (!form) return nullptr;
    if (form->objectName().isEmpty()) form->setObjectName(name);
    // An owned window (not a tool window, which would share the owner's shortcuts and make
    // Ctrl+Z ambiguous) is kept above its owner by the window system.
    if (Form* owner = entry.owner.isEmpty() ? nullptr : find(entry.owner))
      form->setParent(owner, form->windowFlags());
    entry.form = form.release();  // deleted on close, or by this registry at the end
    if (hub_) hub_->watch(entry.form.data());
  }
  Form* form = entry.form.data();
  form->showForm();
  return find(name);
}

Form* FormsRegistry::find(const QString& name) const {
  auto it = entries_.find(name);
  if (it == entries_.end()) return nullptr;
  Form* form = it->second.form.data();
  return form && !form->isClosed() ? form : nullptr;
}

bool FormsRegistry::close(const QString& name) {
  Form* form = find(name);
  return form ? form->closeForm() : true;
}

bool FormsRegistry::closeAll() {
  std::vector<QString> names;
  for (const auto& [name, entry] : entries_) names.push_back(name);
  bool all = true;
  for (const QString& name : names)
    if (!close(name)) all = false;
  return all;
}

void FormsRegistry::addPlaceHandler(core::GameFile file, PlaceHandler handler) {
  placeHandlers_[file] = std::move(handler);
}

bool FormsRegistry::goTo(const core::Place& place) {
  const auto it = placeHandlers_.find(place.file);
  return it != placeHandlers_.end() && it->second && it->second(place);
}

}  // namespace ui
