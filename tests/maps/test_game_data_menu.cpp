// "Export Game Data..." and "Import Game Data..." of the main window's File menu: what they
// write, the refusal while a window holds unsaved changes, and every window showing the data
// imported.

#include "cli/run_checker.h"
#include "demodata/demo_data.h"
#include "main_window_fixture.h"
#include "support/test_registry.h"

#include <QTemporaryDir>

#include <fstream>
#include <sstream>

using namespace main_window_test;
namespace fs = std::filesystem;

namespace {

// A window holding typing not stored yet.
class UnsavedForm : public StandInForm {
 public:
  using StandInForm::StandInForm;
  bool holdsUnsavedChanges() const override { return true; }
};

void replaceInFile(const fs::path& file, const std::string& from, const std::string& to) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string contents = text.str();
  const auto at = contents.find(from);
  QVERIFY2(at != std::string::npos, from.c_str());
  contents.replace(at, from.size(), to);
  std::ofstream(file, std::ios::binary | std::ios::trunc) << contents;
}

}  // namespace

class GameDataMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void exportThenImportShowsTheImportedDataEverywhere() {
    MainWindow w;
    w.addStandIn("frmTextEd");
    w.registry->show("frmTextEd");
    QTemporaryDir out;
    const fs::path folder = out.path().toStdString();
    w.dialogs.answerDirectory(out.path());
    w.trigger("mnuExportData");
    QVERIFY(fs::exists(folder / "Maps.json") && fs::exists(folder / "Item.json"));
    QVERIFY2(w.messages().back().startsWith("Exported the game data to"),
             qPrintable(w.messages().back()));

    replaceInFile(folder / "Maps.json", "\"HitRefresh\": 11,", "\"HitRefresh\": 77,");
    replaceInFile(folder / "Item.json", "\"Blade 1\"", "\"Sabre 1\"");
    const auto mapsBefore = test_support::readBytes(w.mapsFile());

    // Unsaved work anywhere stops the import before it asks for a folder.
    w.click("Label16_0");  // a wall code: the map now differs from the one saved
    const auto asked = w.dialogs.shown().size();
    w.trigger("mnuImportData");
    QCOMPARE(w.messages().back(),
             QString("Save or drop the changes in the map before importing game data."));
    QCOMPARE(w.dialogs.shown().size(), asked + 1);  // the message only, no folder asked
    w.trigger("mnuUndo");
    w.registry->add("frmMagicProg", [] { return std::make_unique<UnsavedForm>("frmMagicProg"); });
    w.registry->show("frmMagicProg")->setWindowTitle("Spell Progression");
    w.trigger("mnuImportData");
    QVERIFY2(w.messages().back().contains("changes in Spell Progression"),
             qPrintable(w.messages().back()));
    QCOMPARE(test_support::readBytes(w.mapsFile()), mapsBefore);
    QVERIFY(w.registry->close("frmMagicProg"));

    const int paints = w.standIn("frmTextEd")->paints;
    w.dialogs.answerDirectory(out.path());
    w.trigger("mnuImportData");
    QVERIFY2(w.messages().back().startsWith("Imported Maps.dat, Item.dat from"),
             qPrintable(w.messages().back()));
    QCOMPARE(w.mapOnDisk(1).HitRefresh, std::int16_t{77});
    QCOMPARE(w.text("Label18"), QString("77"));
    QCOMPARE(w.defs->Item.ItemName, test_support::padded("Sabre 1"));
    QVERIFY(w.standIn("frmTextEd")->paints > paints);
    QVERIFY(!w.defs->Document().IsModified());
  }

  // The picture of a demo map is the view's with each pixel a zoom x zoom block, and the
  // command line's is the editor's, pixel for pixel, at 1x and 2x.
  void commandLinePictureIsTheEditorsPicture() {
    MainWindow w(Unopened{});
    QVERIFY(demodata::WriteDemoData(w.dir->root()).ok());
    w.open();
    w.clickSquare(7, 12);
    QCOMPARE(w.selected(), QPoint(7, 12));
    QTemporaryDir out;
    const QString madeHere = out.filePath("command-line.png");
    const QImage shown =
        w.control<ui::PictureBox>("picMap")->image().convertToFormat(QImage::Format_RGB32);
    for (const int zoom : {1, 2}) {
      w.window->setZoom(zoom);
      w.dialogs.answerDirectory(out.path());
      w.trigger("mnuExportPicture");
      QCOMPARE(w.messages().back(),
               "Wrote the picture of map 1 to " + out.filePath("Map1.png") + ".");
      std::ostringstream said, errors;
      QCOMPARE(cli::RunChecker({"picture", "--zoom", std::to_string(zoom), "--square", "7,12",
                                w.dir->root().string(), "1", madeHere.toStdString()},
                               said, errors),
               0);
      QCOMPARE(QString::fromStdString(errors.str()), QString());
      const QImage editors = QImage(out.filePath("Map1.png")).convertToFormat(QImage::Format_RGB32);
      QCOMPARE(editors, shown.scaled(shown.size() * zoom));
      QCOMPARE(QImage(madeHere).convertToFormat(QImage::Format_RGB32), editors);
    }
  }

  void aRefusedImportChangesNothing() {
    MainWindow w;
    QTemporaryDir out;
    const fs::path folder = out.path().toStdString();
    w.dialogs.answerDirectory(out.path());
    w.trigger("mnuExportData");
    replaceInFile(folder / "Shop.json", "\"ShopType\": 0,", "\"ShopType\": 70000,");
    const auto before = test_support::readBytes(w.dir->datFile("Shop.dat"));
    w.dialogs.answerDirectory(out.path());
    w.trigger("mnuImportData");
    QVERIFY2(w.messages().back().contains("Shop.json, line 7: entry 1, member \"ShopType\": "
                                          "70000 is outside -32768..32767"),
             qPrintable(w.messages().back()));
    QCOMPARE(test_support::readBytes(w.dir->datFile("Shop.dat")), before);
  }
};

REGISTER_TEST(GameDataMenuTest);

#include "test_game_data_menu.moc"
