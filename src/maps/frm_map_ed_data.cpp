// The main window's File menu entries for the game data as text (export and import of every
// record file, as the command line does them) and for the map as a picture.

#include "maps/frm_map_ed.h"
#include "textform/game_data.h"

#include <QApplication>
#include <QDir>
#include <QProgressDialog>
#include <QStringList>

namespace maps {

namespace {

const QString DataCaption = QStringLiteral("Game Data");

// Runs `work` with a progress bar that appears only when it takes more than half a second.
template <class Work>
auto WithProgress(QWidget* parent, const QString& label, Work&& work) {
  QProgressDialog progress(label, QString(), 0, 1000, parent);
  progress.setWindowTitle(DataCaption);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  progress.setValue(0);
  auto result = work([&progress](double done) {
    progress.setValue(static_cast<int>(done * 1000));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
  });
  progress.setValue(1000);
  return result;
}

QString Listed(const std::vector<std::string>& names) {
  QStringList list;
  for (const std::string& name : names) list << QString::fromStdString(name);
  return list.join(QStringLiteral(", "));
}

}  // namespace

void frmMapEd::mnuExportData_Click() {
  const QString folder =
      dialogs_.chooseDirectory(this, QStringLiteral("Export Game Data to Folder"));
  if (folder.isEmpty()) return;
  auto summary = WithProgress(
      this, QStringLiteral("Exporting the game data..."), [&](const textform::Progress& progress) {
        return textform::ExportGameData(defs_.DataDir(), folder.toStdString(), {false, progress});
      });
  if (!summary.ok()) {
    showMessage(QString::fromStdString(summary.status().message()));
    return;
  }
  QString text = QStringLiteral("Exported the game data to %1: %2.")
                     .arg(QDir::toNativeSeparators(folder), Listed(summary->written));
  if (document().IsModified())
    text += QStringLiteral("\nMap %1 has changes not saved: the export holds it as saved.")
                .arg(defs_.CurrentMap);
  showMessage(text);
}

QString frmMapEd::windowWithUnsavedChanges() const {
  if (document().IsModified()) return QStringLiteral("the map");
  for (const ui::Form* form : registry_.openForms())
    if (form->holdsUnsavedChanges()) return form->windowTitle();
  return {};
}

void frmMapEd::mnuImportData_Click() {
  // An import replaces what every window shows: nobody's unsaved work may stand in its way.
  const QString unsaved = windowWithUnsavedChanges();
  if (!unsaved.isEmpty()) {
    showMessage(
        QStringLiteral("Save or drop the changes in %1 before importing game data.").arg(unsaved));
    return;
  }
  const QString folder =
      dialogs_.chooseDirectory(this, QStringLiteral("Import Game Data from Folder"));
  if (folder.isEmpty()) return;
  textform::ImportOptions options;
  options.takeLock = false;  // this editor holds the game folder's lock
  auto summary = WithProgress(
      this, QStringLiteral("Importing the game data..."), [&](const textform::Progress& progress) {
        options.progress = progress;
        return textform::ImportGameData(folder.toStdString(), defs_.DataDir(), options);
      });
  if (!summary.ok()) {
    showMessage(QString::fromStdString(summary.status().message()));
    return;
  }
  const core::Status reloaded = defs_.ReloadFiles();
  for (ui::Form* form : registry_.openForms()) form->refresh();
  QString text = summary->written.empty()
                     ? QStringLiteral("The game data already held what %1 holds.")
                           .arg(QDir::toNativeSeparators(folder))
                     : QStringLiteral("Imported %1 from %2.")
                           .arg(Listed(summary->written), QDir::toNativeSeparators(folder));
  if (!reloaded.ok()) text += "\n" + QString::fromStdString(reloaded.message());
  showMessage(text);
}

// The map as the view shows it, at the view's zoom (each pixel of the 1x picture a block), as
// MapN.png.
void frmMapEd::mnuExportPicture_Click() {
  const QString folder =
      dialogs_.chooseDirectory(this, QStringLiteral("Export Map Picture to Folder"));
  if (folder.isEmpty()) return;
  const QString file = QDir(folder).filePath(QStringLiteral("Map%1.png").arg(defs_.CurrentMap));
  const QImage picture = picMap_->image();
  if (!picture.scaled(picture.size() * zoom(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
           .save(file, "PNG")) {
    showMessage(QStringLiteral("Cannot write %1.").arg(QDir::toNativeSeparators(file)));
    return;
  }
  showMessage(QStringLiteral("Wrote the picture of map %1 to %2.")
                  .arg(defs_.CurrentMap)
                  .arg(QDir::toNativeSeparators(file)));
}

}  // namespace maps
