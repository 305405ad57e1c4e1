#pragma once

#include <QMetaObject>
#include <QString>

#include <memory>

class FolderLock;
namespace core {
class ModDefinitions;
}
namespace maps {
class frmMapEd;
}
namespace ui {
class ChangeHub;
class Dialogs;
class FormsRegistry;
class GameFolders;
class WindowPlaces;
}  // namespace ui

// One game folder open in the editor: its lock, its data and its windows, from start-up until
// its main window closes (then the program ends, or goes on in the next folder chosen).
class EditorSession {
 public:
  EditorSession(QString dataDir, ui::Dialogs& dialogs, ui::GameFolders* folders,
                const ui::WindowPlaces* places);
  ~EditorSession();
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  // Takes the folder's lock and shows the main window; false when the designer chose to quit
  // or the window could not be made. Closing the main window ends the event loop.
  bool open();

  maps::frmMapEd* mainWindow() const;
  ui::FormsRegistry& registry() const { return *registry_; }

 private:
  QString dataDir_;
  ui::Dialogs& dialogs_;
  ui::GameFolders* folders_;
  const ui::WindowPlaces* places_;
  std::unique_ptr<FolderLock> lock_;
  std::unique_ptr<core::ModDefinitions> defs_;
  std::unique_ptr<ui::ChangeHub> hub_;
  std::unique_ptr<ui::FormsRegistry> registry_;
  QMetaObject::Connection endsLoop_;
};
