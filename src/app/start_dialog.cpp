#include "app/start_dialog.h"

#include "ui/game_folders.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
  auto* made = new QPushButton(text, parent);
  made->setObjectName(name);
  made->setAutoDefault(false);
  return made;
}

}  // namespace

StartDialog::StartDialog(ui::GameFolders& folders, QWidget* parent)
    : QDialog(parent), folders_(folders) {
  setObjectName("frmStart");
  setWindowTitle("Map Editor");
  auto* intro = new QLabel(
      "No game folder is open. Open the folder of a game (the one that holds its Dat folder), "
      "or start a new game from a copy of the demo data.",
      this);
  intro->setObjectName("lblIntro");
  intro->setWordWrap(true);
  intro->setTextFormat(Qt::PlainText);

  auto* recentHeading = new QLabel("Recent game folders:", this);
  recentHeading->setObjectName("lblRecent");
  lstRecent_ = new QListWidget(this);
  lstRecent_->setObjectName("lstRecent");
  for (const QString& folder : folders_.recent()) {
    auto* row = new QListWidgetItem(QDir::toNativeSeparators(folder), lstRecent_);
    row->setData(Qt::UserRole, folder);
  }
  lstRecent_->setCurrentRow(0);
  connect(lstRecent_, &QListWidget::itemActivated, this, &StartDialog::lstRecent_Open);
  cmdRecent_ = button(this, "cmdRecent", "Open &Recent");
  connect(cmdRecent_, &QPushButton::clicked, this, &StartDialog::lstRecent_Open);
  const bool anyRecent = lstRecent_->count() > 0;
  recentHeading->setVisible(anyRecent);
  lstRecent_->setVisible(anyRecent);
  cmdRecent_->setVisible(anyRecent);
  cmdRecent_->setDefault(anyRecent);

  auto* cmdOpen = button(this, "cmdOpen", "&Open Game Folder...");
  connect(cmdOpen, &QPushButton::clicked, this, &StartDialog::cmdOpen_Click);
  auto* cmdNew = button(this, "cmdNew", "&New Game Folder from Demo...");
  cmdNew->setEnabled(folders_.hasDemo());
  if (!folders_.hasDemo()) cmdNew->setToolTip("This installation holds no demo data.");
  connect(cmdNew, &QPushButton::clicked, this, &StartDialog::cmdNew_Click);
  auto* cmdQuit = button(this, "cmdQuit", "&Quit");
  connect(cmdQuit, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdRecent_);
  buttons->addStretch(1);
  buttons->addWidget(cmdOpen);
  buttons->addWidget(cmdNew);
  buttons->addWidget(cmdQuit);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(recentHeading);
  layout->addWidget(lstRecent_, 1);
  layout->addLayout(buttons);
  setMinimumWidth(560);
  resize(560, anyRecent ? 300 : sizeHint().height());
}

void StartDialog::lstRecent_Open() {
  if (const QListWidgetItem* row = lstRecent_->currentItem())
    take(row->data(Qt::UserRole).toString());
}

void StartDialog::cmdOpen_Click() {
  take(folders_.chooseFolder(this));
}

void StartDialog::cmdNew_Click() {
  take(folders_.createFromDemo(this));
}

// A folder that holds no game is refused and the dialog stays.
void StartDialog::take(const QString& folder) {
  if (folder.isEmpty() || !folders_.accepts(this, folder)) return;
  chosen_ = folder;
  accept();
}

QString AskForGameFolder(ui::GameFolders& folders) {
  StartDialog dialog(folders);
  dialog.exec();
  return dialog.chosen();
}
