#pragma once

#include <QDialog>
#include <QString>

class QListWidget;
class QPushButton;

namespace ui {
class GameFolders;
}

// Shown when the editor starts with no game folder: opens a recent game folder, another one, or
// a new one made from a copy of the demo data; Quit ends the program.
class StartDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit StartDialog(ui::GameFolders& folders, QWidget* parent = nullptr);

  // The folder chosen; empty after Quit.
  QString chosen() const { return chosen_; }

 private:
  void lstRecent_Open();
  void cmdOpen_Click();
  void cmdNew_Click();
  void take(const QString& folder);

  ui::GameFolders& folders_;
  QListWidget* lstRecent_ = nullptr;
  QPushButton* cmdRecent_ = nullptr;
  QString chosen_;
};

// Runs the start dialog; the chosen folder, empty after Quit.
QString AskForGameFolder(ui::GameFolders& folders);
