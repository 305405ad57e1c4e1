// Game folders: the start dialog of an editor started with none, new game folders copied from
// the demo data, the recent folders kept on disk, and the main window going on in another
// folder; About names the version.
#include "app/editor_session.h"
#include "app/folder_lock.h"
#include "app/game_folder_choice.h"
#include "app/start_dialog.h"
#include "core/version.h"
#include "maps/main_window_fixture.h"
#include "support/test_registry.h"

#include <QListWidget>
#include <QPushButton>

#include <filesystem>

namespace fs = std::filesystem;
using namespace test_support;

namespace {

QString pathOf(const fs::path& path) {
  return QString::fromStdString(path.string());
}

// Every file below `root` by its relative path, with its bytes.
std::map<std::string, std::vector<std::uint8_t>> filesBelow(const fs::path& root) {
  std::map<std::string, std::vector<std::uint8_t>> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), root).generic_string()] = readBytes(entry.path());
  return files;
}

void click(QWidget* window, const char* button) {
  auto* control = window->findChild<QPushButton*>(button);
  QVERIFY2(control && control->isEnabled(), button);
  QTest::mouseClick(control, Qt::LeftButton);
}

}  // namespace

class GameFoldersTest : public QObject {
  Q_OBJECT

  QTemporaryDir scratch_;
  QString settingsFile() const { return scratch_.filePath("folders.ini"); }
  // A game folder below the scratch folder, with the game files of the main window tests.
  std::unique_ptr<TestDataDir> game() {
    auto dir = makeDataDir();
    main_window_test::writeGameFiles(*dir);
    return dir;
  }

 private slots:
  void init() { QFile::remove(settingsFile()); }

  // The copy has the demo's files byte for byte (not the build's marker), in the folder chosen;
  // a folder that holds game files already is refused and left as it was.
  void aNewGameFolderIsACopyOfTheDemo() {
    const auto demo = game();
    writeBytes(demo->dat() / ".demo-data-written", {});
    const auto demoFiles = filesBelow(demo->root());
    const auto taken = game();
    const auto takenFiles = filesBelow(taken->root());
    const QString fresh = scratch_.filePath("New Game");
    QVERIFY(QDir().mkpath(fresh));

    ui::ScriptedDialogs dialogs;
    GameFolderChoice folders(settingsFile(), pathOf(demo->root()), dialogs);
    StartDialog start(folders);
    start.show();
    QVERIFY(!start.findChild<QListWidget*>("lstRecent")->isVisible());  // nothing recent yet
    dialogs.answerDirectory(pathOf(taken->root()));
    click(&start, "cmdNew");
    QVERIFY(start.isVisible());
    QVERIFY(dialogs.messages().back().contains("already holds game files"));
    QVERIFY(filesBelow(taken->root()) == takenFiles);

    dialogs.answerDirectory(fresh);
    click(&start, "cmdNew");
    QCOMPARE(start.result(), int(QDialog::Accepted));
    QCOMPARE(start.chosen(), fresh);
    auto copied = filesBelow(fresh.toStdString());
    auto expected = demoFiles;
    expected.erase("Dat/.demo-data-written");
    QVERIFY(copied == expected);
    QVERIFY(filesBelow(demo->root()) == demoFiles);  // the demo itself is never touched

    // Installed, the demo lies in share/ beside bin/; in a build, in the program's own folder.
    const QString prefix = scratch_.filePath("usr");
    QVERIFY(QDir().mkpath(prefix + "/bin") &&
            QDir().mkpath(prefix + "/share/dungeon-editor/demo/Dat"));
    QCOMPARE(FindDemoData(prefix + "/bin"), prefix + "/share/dungeon-editor/demo");
    QCOMPARE(FindDemoData(pathOf(demo->root())), pathOf(demo->root()));
    QCOMPARE(FindDemoData(fresh + "/Data"), QString());

    GameFolderChoice noDemo(settingsFile(), {}, dialogs);
    StartDialog without(noDemo);
    QVERIFY(!without.findChild<QPushButton*>("cmdNew")->isEnabled());
  }

  // Newest first, each once, at most MaxRecent, kept for the next run; a folder that no longer
  // holds a game is left out. The start dialog offers them, the newest chosen.
  void recentFoldersAreKeptNewestFirst() {
    const auto a = game(), b = game();
    std::vector<std::unique_ptr<TestDataDir>> more;
    ui::ScriptedDialogs dialogs;
    {
      GameFolderChoice folders(settingsFile(), {}, dialogs);
      for (int i = 0; i < GameFolderChoice::MaxRecent; ++i) {
        more.push_back(game());
        folders.remember(pathOf(more.back()->root()));
      }
      folders.remember(pathOf(b->root()));
      folders.remember(pathOf(a->root()));
      folders.remember(pathOf(b->root()));
    }
    GameFolderChoice folders(settingsFile(), {}, dialogs);
    QStringList recent = folders.recent();
    QCOMPARE(recent.size(), GameFolderChoice::MaxRecent);
    QCOMPARE(recent.mid(0, 3),
             QStringList({pathOf(b->root()), pathOf(a->root()), pathOf(more.back()->root())}));
    fs::remove_all(more.back()->dat());
    QVERIFY(!folders.recent().contains(pathOf(more.back()->root())));

    StartDialog start(folders);
    start.show();
    QCOMPARE(start.findChild<QListWidget*>("lstRecent")->count(), GameFolderChoice::MaxRecent - 1);
    click(&start, "cmdRecent");
    QCOMPARE(start.chosen(), pathOf(b->root()));
  }

  // File, Recent Game Folders: the open folder is shown but not offered; another one asks about
  // the unsaved map first (Cancel stays), then the editor goes on there with this folder's
  // lock let go.
  void theMainWindowGoesOnInARecentFolder() {
    main_window_test::useTestSettings();
    const auto a = game(), b = game();
    ui::ScriptedDialogs dialogs;
    GameFolderChoice folders(settingsFile(), {}, dialogs);
    folders.remember(pathOf(b->root()));
    folders.remember(pathOf(a->root()));
    auto session = std::make_unique<EditorSession>(pathOf(a->root()), dialogs, &folders, nullptr);
    QVERIFY(session->open());
    QPointer<maps::frmMapEd> main = session->mainWindow();
    QVERIFY(!main->findChild<QAction*>("mnuNewFolder")->isEnabled());  // no demo data here

    auto* recentMenu = main->findChild<QMenu*>("mnuRecentFolders");
    emit recentMenu->aboutToShow();
    auto* here = main->findChild<QAction*>("mnuRecentFolder1");
    auto* there = main->findChild<QAction*>("mnuRecentFolder2");
    QVERIFY(here && there && !main->findChild<QAction*>("mnuRecentFolder3"));
    QCOMPARE(here->text(), "&1 " + QDir::toNativeSeparators(pathOf(a->root())));
    QVERIFY(!here->isEnabled() && there->isEnabled());

    QTest::mouseClick(main->findChild<ui::Label*>("Label16_0"), Qt::LeftButton);  // a wall
    dialogs.answerSave(ui::Dialogs::SaveChoice::Cancel);
    there->trigger();
    QVERIFY(main && !main->isClosed());
    QCOMPARE(folders.takeNext(), QString());

    dialogs.answerSave(ui::Dialogs::SaveChoice::Discard);
    there->trigger();
    QVERIFY(!main || main->isClosed());
    QCOMPARE(folders.takeNext(), pathOf(b->root()));
    session.reset();
    FolderLock lockOfA(DatFolderOf(pathOf(a->root())));
    QCOMPARE(lockOfA.take(), FolderLock::Outcome::Taken);

    EditorSession next(pathOf(b->root()), dialogs, &folders, nullptr);
    QVERIFY(next.open());
    QVERIFY(next.mainWindow()->windowTitle().contains(
        QString::fromStdString(b->root().filename().string())));
    QCOMPARE(dialogs.unanswered(), 0);

    // Help, About names the program and this build's version.
    next.mainWindow()->findChild<QAction*>("mnuAbout")->trigger();
    QVERIFY(dialogs.messages().back().startsWith(QStringLiteral("Dungeon Map Editor ") +
                                                 core::EditorVersion + "\n"));
  }
};

REGISTER_TEST(GameFoldersTest);
#include "test_game_folders.moc"
