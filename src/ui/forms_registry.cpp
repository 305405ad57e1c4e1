#include "ui/forms_registry.h"

#include "ui/change_hub.h"
#include "ui/window_menu.h"
#include "ui/window_places.h"

#include <QMenu>

#include <algorithm>

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

void FormsRegistry::add(const QString& name, Factory factory, Preparation prepare) {
  entries_[name].factory = std::move(factory);
  entries_[name].prepare = std::move(prepare);
}

core::Status FormsRegistry::open(const QString& name) {
  if (Form* form = find(name)) {
    form->showForm();
    return core::Status::Ok();
  }
  const auto it = entries_.find(name);
  if (it != entries_.end() && it->second.prepare) {
    const core::Status prepared = it->second.prepare();
    if (!prepared.ok()) return prepared;
  }
  show(name);
  return core::Status::Ok();
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
    // An owned window is kept above its owner by the window manager, which sees it as the
    // owner's dialog: Qt marks a window transient for its parent (WM_TRANSIENT_FOR) only for
    // dialogs. (Not a tool window, which would share the owner's shortcuts and make Ctrl+Z
    // ambiguous.)
    if (Form* owner = entry.owner.isEmpty() ? nullptr : find(entry.owner)) {
      const Qt::WindowFlags kept = form->windowFlags() & ~Qt::WindowType_Mask;
      form->setParent(owner,
                      kept | Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    }
    entry.form = form.release();  // deleted on close, or by this registry at the end
    if (hub_) hub_->watch(entry.form.data());
    opening(entry.form.data(), name, entry.owner);
  }
  Form* form = entry.form.data();
  form->showForm();
  return find(name);
}

void FormsRegistry::opening(Form* form, const QString& name, const QString& owner) {
  opened_.erase(std::remove(opened_.begin(), opened_.end(), nullptr), opened_.end());
  opened_.emplace_back(form);
  AddWindowKeys(form, *this);
  // A window with menus of its own has the Window menu among them.
  if (QWidget* bar = form->menuWidget();
      bar && !bar->findChild<QMenu*>(QStringLiteral("mnuWindow"), Qt::FindDirectChildrenOnly))
    AddWindowMenu(form, *this);
  // Without a place store, windows still open fully on their screen.
  static const WindowPlaces onScreenOnly;
  const WindowPlaces* places = places_ ? places_ : &onScreenOnly;
  QObject::connect(form, &Form::aboutToOpen, form, [this, places, form, name, owner] {
    Form* ownerForm = owner.isEmpty() ? nullptr : find(owner);
    places->place(form, name, ownerForm);
  });
  QObject::connect(form, &Form::closing, form,
                   [places, form, name] { places->remember(form, name); });
}

Form* FormsRegistry::showOrRefresh(const QString& name) {
  Form* open = find(name);
  Form* shown = show(name);
  if (shown && shown == open) shown->refresh();
  return shown;
}

std::vector<Form*> FormsRegistry::openForms(bool shownOnly) const {
  std::vector<Form*> open;
  for (const QPointer<Form>& form : opened_) {
    if (form && !form->isClosed() && (form->isVisible() || !shownOnly)) open.push_back(form.data());
  }
  return open;
}

void FormsRegistry::cycle(const Form* from, int step) {
  const std::vector<Form*> open = openForms(true);
  if (open.empty()) return;
  const auto at = std::find(open.begin(), open.end(), from);
  const long n = static_cast<long>(open.size());
  const long here = at == open.end() ? 0 : at - open.begin();
  open[static_cast<std::size_t>(((here + step) % n + n) % n)]->showForm();
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
