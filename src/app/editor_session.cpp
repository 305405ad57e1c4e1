#include "app/editor_session.h"

#include "app/editor_forms.h"
#include "app/folder_lock.h"
#include "core/definitions.h"
#include "maps/frm_map_ed.h"
#include "ui/change_hub.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"
#include "ui/window_ids.h"

#include <QCoreApplication>
#include <QEvent>

#include <utility>

EditorSession::EditorSession(QString dataDir, ui::Dialogs& dialogs, ui::GameFolders* folders,
                             const ui::WindowPlaces* places)
    : dataDir_(std::move(dataDir)), dialogs_(dialogs), folders_(folders), places_(places) {}

EditorSession::~EditorSession() {
  // The windows go before the data they show; windows already closed are deleted first, so
  // none outlives this folder's data into the next one.
  QObject::disconnect(endsLoop_);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  registry_.reset();
  hub_.reset();
  defs_.reset();
}

bool EditorSession::open() {
  // Held until the session ends, so a second editor on this folder is warned.
  lock_ = std::make_unique<FolderLock>(DatFolderOf(dataDir_));
  if (!LockGameFolder(*lock_, dialogs_)) return false;
  defs_ = std::make_unique<core::ModDefinitions>(dataDir_.toStdString());
  hub_ = std::make_unique<ui::ChangeHub>(*defs_);
  registry_ = std::make_unique<ui::FormsRegistry>(hub_.get());
  registry_->setPlaces(places_);
  AddEditorForms(*registry_, *defs_, dialogs_);
  auto* main = registry_->show<maps::frmMapEd>(ui::window::MainWindow);
  if (!main) return false;
  main->setGameFolders(folders_);
  // The session ends with its main window, whatever other windows are still about.
  endsLoop_ = QObject::connect(main, &QObject::destroyed, QCoreApplication::instance(),
                               [] { QCoreApplication::exit(0); });
  return true;
}

maps::frmMapEd* EditorSession::mainWindow() const {
  return registry_ ? registry_->find<maps::frmMapEd>(ui::window::MainWindow) : nullptr;
}
