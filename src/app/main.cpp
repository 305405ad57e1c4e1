// The editor: find the game's folder, open its data and show the main window; File, Open Game
// Folder and the recent folders start it afresh on another folder.
#include "app/data_dir.h"
#include "app/editor_session.h"
#include "app/game_folder_choice.h"
#include "app/start_dialog.h"
#include "core/version.h"
#include "maps/frm_map_ed.h"
#include "ui/dialogs.h"
#include "ui/window_places.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

constexpr const char* Usage =
    "Usage: dungeon-editor [GAME_FOLDER]\n"
    "       dungeon-editor --screenshot FILE GAME_FOLDER\n"
    "       dungeon-editor --version | --help\n"
    "Opens the editor on GAME_FOLDER (the folder that holds Dat and Data). Without one it uses\n"
    "its own folder or the current folder when either holds Dat, and otherwise offers to open\n"
    "a game folder or to make a new one from the demo data.\n"
    "--screenshot writes a picture of the main window to FILE once it is drawn, then quits.\n";

// What the command line asks before any window: the version, the usage.
std::optional<int> AnswerAtOnce(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("%s %s\n", core::ProductName, core::EditorVersion);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(Usage, stdout);
      return 0;
    }
  }
  return std::nullopt;
}

// Once the main window has been drawn: its picture to `file`, its title on the terminal, and
// the program ends (a check that the editor starts and shows a map, where no one looks).
void ScreenshotAndQuit(maps::frmMapEd* window, const QString& file) {
  QObject::connect(
      window, &ui::Form::painted, window,
      [window, file] {
        QTimer::singleShot(0, window, [window, file] {
          const QPixmap picture = window->grab();
          const bool saved = picture.save(file, "PNG");
          std::printf("%s: %d x %d %s %s\n", qPrintable(window->shownTitle()), picture.width(),
                      picture.height(), saved ? "written to" : "could not be written to",
                      qPrintable(file));
          std::fflush(stdout);
          window->closeForm();
          if (!saved) QCoreApplication::exit(1);
        });
      },
      Qt::SingleShotConnection);
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> done = AnswerAtOnce(argc, argv)) return *done;
  QApplication app(argc, argv);
  QApplication::setApplicationName("Map Editor");
  QApplication::setApplicationVersion(core::EditorVersion);
  QApplication::setDesktopFileName("net.dungeoneditor.DungeonEditor");
  // The installed icon, from the icon theme; a build run from its folder has none.
  QApplication::setWindowIcon(QIcon::fromTheme("net.dungeoneditor.DungeonEditor"));
  ui::QtDialogs dialogs;

  QStringList arguments = QApplication::arguments();
  QString screenshot;
  if (const qsizetype at = arguments.indexOf("--screenshot"); at > 0) {
    if (at + 1 >= arguments.size()) {
      std::fputs(Usage, stderr);
      return 2;
    }
    screenshot = arguments.at(at + 1);
    arguments.remove(at, 2);
  }

  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  GameFolderChoice folders(config + "/folders.ini",
                           FindDemoData(QApplication::applicationDirPath()), dialogs);
  // Windows open where the designer left them last time.
  const ui::WindowPlaces places(config + "/windows.ini");

  QString dataDir = ChooseDataDir(
      arguments, QApplication::applicationDirPath(), QDir::currentPath(),
      {[&folders] { return AskForGameFolder(folders); },
       [&dialogs](const QString& message) { dialogs.messageBox(nullptr, message, "Map Editor"); }});
  // Each pass is one game folder, until the designer closes the main window without asking
  // for another one. An empty folder means the designer cancelled: nothing is opened or written.
  int status = 0;
  while (!dataDir.isEmpty()) {
    folders.remember(dataDir);
    EditorSession session(dataDir, dialogs, &folders, &places);
    if (!session.open()) return 0;  // the designer chose Quit at the lock question
    if (!screenshot.isEmpty()) ScreenshotAndQuit(session.mainWindow(), screenshot);
    status = QApplication::exec();
    dataDir = status == 0 ? folders.takeNext() : QString();
  }
  return status;
}
