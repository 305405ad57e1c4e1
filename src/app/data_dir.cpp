#include "app/data_dir.h"

#include "core/record_file.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>

bool HoldsDatFolder(const QString& dir) {
  if (dir.isEmpty()) return false;
  const std::filesystem::path folder = dir.toStdString();
  std::error_code error;
  return std::filesystem::is_directory(core::ResolveIgnoringCase(folder, "Dat"), error);
}

QString GameFolderRefusal(const QString& dir) {
  const QString shown = QDir::toNativeSeparators(dir);
  const std::filesystem::path dat = core::ResolveIgnoringCase(dir.toStdString(), "Dat");
  std::error_code error;
  const auto own = std::filesystem::symlink_status(dat, error);
  if (std::filesystem::is_symlink(own) && !std::filesystem::exists(dat, error)) {
    return QStringLiteral(
               "In the folder \"%1\", Dat is a link to something that does not exist, so it is "
               "not a game directory.")
        .arg(shown);
  }
  if (std::filesystem::exists(own)) {
    return QStringLiteral(
               "In the folder \"%1\", Dat is a file, not a folder, so it is not a game "
               "directory.")
        .arg(shown);
  }
  return QStringLiteral("The folder \"%1\" holds no Dat folder, so it is not a game directory.")
      .arg(shown);
}

QString ChooseDataDir(const QStringList& arguments, const QString& programDir,
                      const QString& currentDir, const DataDirQuestions& questions) {
  // arguments[0] is the program itself.
  if (arguments.size() > 1) {
    const QString given = QFileInfo(arguments.at(1)).absoluteFilePath();
    if (HoldsDatFolder(given)) return given;
    questions.showMessage(GameFolderRefusal(given));
  } else if (HoldsDatFolder(programDir)) {
    return programDir;
  } else if (HoldsDatFolder(currentDir)) {
    return currentDir;
  }
  for (;;) {
    const QString chosen = questions.chooseDirectory();
    if (chosen.isEmpty()) return {};
    if (HoldsDatFolder(chosen)) return QFileInfo(chosen).absoluteFilePath();
    questions.showMessage(GameFolderRefusal(chosen));
  }
}
