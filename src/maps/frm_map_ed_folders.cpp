// The main window's game folder entries (open, new from the demo data, the recent ones) and its
// Help menu.
#include "core/version.h"
#include "maps/frm_map_ed.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace maps {

void frmMapEd::buildFolderMenu(QMenu* file, QAction* before) {
  mnuOpenFolder_ = new QAction("Open Game &Folder...", file);
  mnuOpenFolder_->setObjectName("mnuOpenFolder");
  connect(mnuOpenFolder_, &QAction::triggered, this, &frmMapEd::mnuOpenFolder_Click);
  mnuNewFolder_ = new QAction("New Game Folder from &Demo...", file);
  mnuNewFolder_->setObjectName("mnuNewFolder");
  connect(mnuNewFolder_, &QAction::triggered, this, &frmMapEd::mnuNewFolder_Click);
  mnuRecentFolders_ = new QMenu("&Recent Game Folders", file);
  mnuRecentFolders_->setObjectName("mnuRecentFolders");
  connect(mnuRecentFolders_, &QMenu::aboutToShow, this, &frmMapEd::fillRecentFolders);
  file->insertAction(before, mnuOpenFolder_);
  file->insertAction(before, mnuNewFolder_);
  file->insertMenu(before, mnuRecentFolders_);
  file->insertSeparator(before);
  setGameFolders(nullptr);
}

void frmMapEd::buildHelpMenu() {
  QMenu* help = addMenu("mnuHelp", "&Help");
  connect(addMenuEntry(help, "mnuAbout", "&About"), &QAction::triggered, this,
          &frmMapEd::mnuAbout_Click);
}

void frmMapEd::setGameFolders(ui::GameFolders* folders) {
  gameFolders_ = folders;
  mnuOpenFolder_->setEnabled(folders);
  mnuNewFolder_->setEnabled(folders && folders->hasDemo());
  fillRecentFolders();
}

// "&1 /home/designer/games/Dungeon", newest first; the folder open now is shown, not offered.
void frmMapEd::fillRecentFolders() {
  mnuRecentFolders_->clear();
  const QStringList folders = gameFolders_ ? gameFolders_->recent() : QStringList();
  const QString current =
      QFileInfo(QString::fromStdString(defs_.DataDir().string())).absoluteFilePath();
  for (int i = 0; i < folders.size(); ++i) {
    const QString& folder = folders.at(i);
    QAction* entry = mnuRecentFolders_->addAction(
        QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(folder)));
    entry->setObjectName(QStringLiteral("mnuRecentFolder%1").arg(i + 1));
    entry->setData(folder);
    entry->setEnabled(QFileInfo(folder).absoluteFilePath() != current);
    connect(entry, &QAction::triggered, this, [this, folder] { goToFolder(folder); });
  }
  mnuRecentFolders_->setEnabled(!folders.isEmpty());
}

void frmMapEd::mnuOpenFolder_Click() {
  if (gameFolders_) goToFolder(gameFolders_->chooseFolder(this));
}

void frmMapEd::mnuNewFolder_Click() {
  if (gameFolders_) goToFolder(gameFolders_->createFromDemo(this));
}

void frmMapEd::goToFolder(const QString& folder) {
  if (!gameFolders_ || folder.isEmpty() || !gameFolders_->accepts(this, folder)) return;
  gameFolders_->setNext(folder);
  // Unsaved work is asked about as on Exit; Cancel keeps this folder open.
  if (!closeForm()) gameFolders_->setNext({});
}

void frmMapEd::mnuAbout_Click() {
  dialogs_.messageBox(
      this,
      QStringLiteral("%1 %2\n\nThe maps and catalogues of a grid-based fantasy role-playing "
                     "game, edited in place.\n\nGame folder: %3")
          .arg(QString::fromLatin1(core::ProductName), QString::fromLatin1(core::EditorVersion),
               QDir::toNativeSeparators(QString::fromStdString(defs_.DataDir().string()))),
      QStringLiteral("About Map Editor"));
}

}  // namespace maps
