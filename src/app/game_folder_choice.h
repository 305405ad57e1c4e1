#pragma once

#include "ui/game_folders.h"

#include <QString>
#include <QStringList>

namespace ui {
class Dialogs;
}

// The game folders of the installed editor: the recent ones kept in a settings file, the folder
// chooser, and new game folders copied from the demo data (never used in place).
class GameFolderChoice final : public ui::GameFolders {
 public:
  static constexpr int MaxRecent = 8;

  // `demoFolder` holds the demo data's Dat and Data; empty when this installation has none.
  GameFolderChoice(QString settingsFile, QString demoFolder, ui::Dialogs& dialogs);

  QStringList recent() const override;
  QString chooseFolder(QWidget* parent) override;
  QString createFromDemo(QWidget* parent) override;
  bool hasDemo() const override { return !demoFolder_.isEmpty(); }
  bool accepts(QWidget* parent, const QString& folder) override;
  void setNext(const QString& folder) override { next_ = folder; }

  // Puts `folder` first among the recent ones.
  void remember(const QString& folder);
  // The folder to go on in, once; empty when the designer is done.
  QString takeNext();

 private:
  QString settingsFile_;
  QString demoFolder_;
  ui::Dialogs& dialogs_;
  QString next_;
};

// The demo data of this installation: share/dungeon-editor/demo beside the program's bin folder
// when installed, the program's own folder in a build; empty when neither holds Dat.
QString FindDemoData(const QString& programDir);

// Copies the Dat and Data folders of `demo` into `target`, each file writable by its owner.
// Empty on success, else what went wrong, naming the file.
QString CopyDemoData(const QString& demo, const QString& target);
