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

namespace {

QString refusal(const QString& dir) {
  return QStringLiteral("The folder \"%1\" holds no Dat folder, so it is not a game directory.")
      .arg(QDir::toNativeSeparators(dir));
}

}  // namespace

QString ChooseDataDir(const QStringList& arguments, const QString& programDir,
                      const QString& currentDir, const DataDirQuestions& questions) {
  // arguments[0] is the program itself.
  if (arguments.size() > 1) {
    const QString given = QFileInfo(arguments.at(1)).absoluteFilePath();
    if (HoldsDatFolder(given)) return given;
    questions.showMessage(refusal(given));
  } else if (HoldsDatFolder(programDir)) {
    return programDir;
  } else if (HoldsDatFolder(currentDir)) {
    return currentDir;
  }
  for (;;) {
    const QString chosen = questions.chooseDirectory();
    if (chosen.isEmpty()) return {};
    if (HoldsDatFolder(chosen)) return QFileInfo(chosen).absoluteFilePath();
    questions.showMessage(refusal(chosen));
  }
}
