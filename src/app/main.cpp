// The editor: find the game's folder, open its data and show the main window.
#include "app/data_dir.h"
#include "app/editor_forms.h"
#include "app/folder_lock.h"
#include "core/definitions.h"
#include "ui/change_hub.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"
#include "ui/window_ids.h"
#include "ui/window_places.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <memory>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Map Editor");
  ui::QtDialogs dialogs;

  const QString dataDir = ChooseDataDir(
      QApplication::arguments(), QApplication::applicationDirPath(), QDir::currentPath(),
      {[&dialogs] { return dialogs.chooseDirectory(nullptr, "Choose the game directory"); },
       [&dialogs](const QString& message) { dialogs.messageBox(nullptr, message, "Map Editor"); }});
  if (dataDir.isEmpty()) return 0;  // the designer cancelled: nothing is opened or written

  // Held until the program ends, so a second editor on this folder is warned.
  FolderLock lock(DatFolderOf(dataDir));
  if (!LockGameFolder(lock, dialogs)) return 0;

  core::ModDefinitions defs(dataDir.toStdString());
  ui::ChangeHub hub(defs);
  ui::FormsRegistry registry(&hub);
  // Windows open where the designer left them last time.
  const ui::WindowPlaces places(
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/windows.ini");
  registry.setPlaces(&places);
  AddEditorForms(registry, defs, dialogs);

  ui::Form* mainWindow = registry.show(ui::window::MainWindow);
  if (!mainWindow) return 1;
  // The program ends with its main window, whatever other windows are still about.
  QObject::connect(mainWindow, &QObject::destroyed, &app, [] { QCoreApplication::exit(0); });
  return QApplication::exec();
}
