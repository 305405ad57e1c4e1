// Renders the editor's windows, loaded and painted on a game folder, to PNG files in a folder:
//   editor_screenshot <game folder> <pictures folder>
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include "app/editor_forms.h"
#include "core/definitions.h"
#include "ui/change_hub.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

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
  bool askOverwrite(QWidget*, const QString&, const QString&) override { return false; }
  QString chooseDirectory(QWidget*, const QString&) override { return {}; }
};

// One picture: the window to grab, after `prepare` has set up what it shows.
struct Shot {
  const char* file;  // in the pictures folder
  const char* form;
  std::function<void(core::ModDefinitions&, ui::FormsRegistry&)> prepare;
};

const std::vector<Shot>& Shots() {
  static const std::vector<Shot> shots = {
      {"main-window.png", "frmMapEd", {}},
      {"map-texts.png", "frmTextEd",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { defs.TextPage = 0; }},
      {"map-long-text-entry.png", "frmLTextEnter",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { defs.TextIndex = 0; }},
      {"map-encounter.png", "frmMapEnc",
       [](core::ModDefinitions& defs, ui::FormsRegistry&) { defs.EncounterSlot = 0; }},
  };
  return shots;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() != 3) {
    std::fprintf(stderr, "usage: editor_screenshot <game folder> <pictures folder>\n");
    return 2;
  }
  const QString dataDir = QFileInfo(arguments.at(1)).absoluteFilePath();
  const QDir output(QFileInfo(arguments.at(2)).absoluteFilePath());
  QDir().mkpath(output.absolutePath());

  UnattendedDialogs dialogs;
  core::ModDefinitions defs(dataDir.toStdString());
  ui::ChangeHub hub(defs);
  ui::FormsRegistry registry(&hub);
  AddEditorForms(registry, defs, dialogs);
  if (!registry.show("frmMapEd")) return 1;  // its load opens the data files

  int failures = 0;
  for (const Shot& shot : Shots()) {
    if (shot.prepare) shot.prepare(defs, registry);
    ui::Form* window = registry.show(shot.form);
    if (!window) {
      std::fprintf(stderr, "No window %s in this build\n", shot.form);
      ++failures;
      continue;
    }
    window->refresh();
    window->adjustSize();
    hub.flush();
    QApplication::processEvents();
    const QString file = output.filePath(shot.file);
    if (!window->grab().save(file, "PNG")) {
      std::fprintf(stderr, "Cannot write the picture %s\n", qPrintable(file));
      ++failures;
      continue;
    }
    std::printf("%s\n", qPrintable(file));
  }
  return failures == 0 ? 0 : 1;
}
