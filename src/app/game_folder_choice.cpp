#include "app/game_folder_choice.h"

#include "app/data_dir.h"
#include "core/record_file.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <filesystem>
#include <utility>

namespace {

const QString RecentKey = QStringLiteral("recentGameFolders");
const QString Caption = QStringLiteral("Map Editor");

// Dat or Data already there, in any letter case.
bool HoldsGameFiles(const QString& dir) {
  std::error_code error;
  for (const char* name : {"Dat", "Data"})
    if (std::filesystem::exists(core::ResolveIgnoringCase(dir.toStdString(), name), error))
      return true;
  return false;
}

}  // namespace

GameFolderChoice::GameFolderChoice(QString settingsFile, QString demoFolder, ui::Dialogs& dialogs)
    : settingsFile_(std::move(settingsFile)),
      demoFolder_(std::move(demoFolder)),
      dialogs_(dialogs) {}

QStringList GameFolderChoice::recent() const {
  const QSettings settings(settingsFile_, QSettings::IniFormat);
  QStringList folders = settings.value(RecentKey).toStringList();
  folders.removeIf([](const QString& folder) { return !HoldsDatFolder(folder); });
  return folders;
}

void GameFolderChoice::remember(const QString& folder) {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  QStringList folders = settings.value(RecentKey).toStringList();
  const QString absolute = QFileInfo(folder).absoluteFilePath();
  folders.removeAll(absolute);
  folders.prepend(absolute);
  while (folders.size() > MaxRecent) folders.removeLast();
  settings.setValue(RecentKey, folders);
}

QString GameFolderChoice::takeNext() {
  return std::exchange(next_, QString());
}

QString GameFolderChoice::chooseFolder(QWidget* parent) {
  return dialogs_.chooseDirectory(parent, QStringLiteral("Open Game Folder"));
}

bool GameFolderChoice::accepts(QWidget* parent, const QString& folder) {
  if (HoldsDatFolder(folder)) return true;
  dialogs_.messageBox(parent, GameFolderRefusal(folder), Caption);
  return false;
}

QString GameFolderChoice::createFromDemo(QWidget* parent) {
  if (!hasDemo()) return {};
  const QString target =
      dialogs_.chooseDirectory(parent, QStringLiteral("Choose a Folder for the New Game"));
  if (target.isEmpty()) return {};
  // A game of the designer's own is never written over.
  if (HoldsGameFiles(target)) {
    dialogs_.messageBox(parent,
                        QStringLiteral("The folder \"%1\" already holds game files (Dat or Data). "
                                       "Choose an empty folder for the new game.")
                            .arg(QDir::toNativeSeparators(target)),
                        Caption);
    return {};
  }
  const QString failure = CopyDemoData(demoFolder_, target);
  if (!failure.isEmpty()) {
    dialogs_.messageBox(parent, failure, Caption);
    return {};
  }
  return QFileInfo(target).absoluteFilePath();
}

QString FindDemoData(const QString& programDir) {
  const QString installed =
      QDir::cleanPath(programDir + QStringLiteral("/../share/dungeon-editor/demo"));
  if (HoldsDatFolder(installed)) return installed;
  return HoldsDatFolder(programDir) ? programDir : QString();
}

QString CopyDemoData(const QString& demo, const QString& target) {
  for (const QString& sub : {QStringLiteral("Dat"), QStringLiteral("Data")}) {
    const QString from = QString::fromStdString(
        core::ResolveIgnoringCase(demo.toStdString(), sub.toStdString()).string());
    if (!QFileInfo(from).isDir()) continue;
    // The build's own marker files (".demo-data-written") and the lock stay behind.
    QDirIterator files(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (files.hasNext()) {
      const QString file = files.next();
      const QString relative = QDir(from).relativeFilePath(file);
      if (QFileInfo(file).fileName() == QStringLiteral("editor.lock")) continue;
      const QString to = target + "/" + sub + "/" + relative;
      if (!QDir().mkpath(QFileInfo(to).absolutePath()))
        return QStringLiteral("The folder \"%1\" cannot be made.")
            .arg(QDir::toNativeSeparators(QFileInfo(to).absolutePath()));
      QFile source(file);
      if (!source.copy(to))
        return QStringLiteral("\"%1\" cannot be copied to \"%2\": %3")
            .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(to),
                 source.errorString());
      QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner | QFile::ReadOwner);
    }
  }
  return {};
}
