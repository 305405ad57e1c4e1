// Renders the main window, loaded and painted on a game folder, to a PNG file:
//   editor_screenshot <game folder> <picture.png>
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include "core/definitions.h"
#include "maps/frm_map_ed.h"
#include "ui/change_hub.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include <cstdio>
#include <memory>

namespace {

// No one is there to answer: messages go to the terminal and questions are cancelled.
class UnattendedDialogs final : public ui::Dialogs {
 public:
  QString inputBox(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  void messageBox(QWidget*, const QString& text, const QString&) override {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
  SaveChoice askSaveDiscardCancel(QWidget*, const QString&, const QString&) override {
    return SaveChoice::Cancel;
  }
  QString chooseDirectory(QWidget*, const QString&) override { return {}; }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() != 3) {
    std::fprintf(stderr, "usage: editor_screenshot <game folder> <picture.png>\n");
    return 2;
  }
  const QString dataDir = QFileInfo(arguments.at(1)).absoluteFilePath();
  const QString output = QFileInfo(arguments.at(2)).absoluteFilePath();

  UnattendedDialogs dialogs;
  core::ModDefinitions defs(dataDir.toStdString());
  ui::ChangeHub hub(defs);
  ui::FormsRegistry registry(&hub);
  registry.add("frmMapEd", [&defs, &dialogs, &registry] {
    return std::make_unique<maps::frmMapEd>(defs, dialogs, registry);
  });
  ui::Form* window = registry.show("frmMapEd");
  if (!window) return 1;
  window->adjustSize();
  QApplication::processEvents();

  QDir().mkpath(QFileInfo(output).absolutePath());
  if (!window->grab().save(output, "PNG")) {
    std::fprintf(stderr, "Cannot write the picture %s\n", qPrintable(output));
    return 1;
  }
  std::printf("%s\n", qPrintable(output));
  return 0;
}
