#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Where the game's files are: the folder that holds the Dat folder (letter case ignored).
//
// The first command-line argument names it; otherwise the program's own folder if it holds Dat;
// otherwise the current folder if it does; otherwise the designer is asked. A folder without Dat
// is refused with a message naming it, and the designer is asked again. An empty result means
// the designer cancelled: the program ends with nothing written.
struct DataDirQuestions {
  // Asks for the game directory; empty when cancelled.
  std::function<QString()> chooseDirectory;
  std::function<void(const QString& message)> showMessage;
};

bool HoldsDatFolder(const QString& dir);
// Says what is wrong with the Dat of a folder that is refused.
QString GameFolderRefusal(const QString& dir);

QString ChooseDataDir(const QStringList& arguments, const QString& programDir,
                      const QString& currentDir, const DataDirQuestions& questions);
