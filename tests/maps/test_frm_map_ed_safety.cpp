// The main window against a second editor, bad pictures, a missing Dat folder and long answers.
#include "main_window_fixture.h"
#include "support/test_registry.h"

#include <sys/stat.h>

#include <filesystem>

using main_window_test::MainWindow;
using main_window_test::Unopened;

namespace {

core::MapRecord mapOnDisk(const MainWindow& w, long slot) {
  return core::MapRecord::unpack(test_support::mapSlotBytes(w.mapsFile(), slot));
}

}  // namespace

class FrmMapEdSafetyTest : public QObject {
  Q_OBJECT

 private slots:
  void saveAsksBeforeOverwritingAnotherEditorsMap() {
    MainWindow w;
    core::ModDefinitions other(w.dir->root());
    QVERIFY(other.Startup().ok());
    other.Map.GraphicSet = 5;
    QVERIFY(other.SaveMap(1).ok());

    w.dialogs.answerInput("50");
    w.click("Label6");  // Encounter %
    w.dialogs.answerOverwrite(false);
    w.trigger("mnuSave");
    const ui::ScriptedDialogs::Shown* asked = w.dialogs.last();
    QVERIFY(asked && asked->kind == ui::ScriptedDialogs::Kind::OverwriteQuestion);
    QCOMPARE(asked->prompt,
             QString("Map 1 was changed on disk since it was opened. Overwrite it?"));
    QCOMPARE(mapOnDisk(w, 1).GraphicSet, std::int16_t{5});
    QCOMPARE(mapOnDisk(w, 1).EncounterChance, std::int16_t{5});

    w.dialogs.answerOverwrite(true);
    w.trigger("mnuSave");
    QCOMPARE(mapOnDisk(w, 1).EncounterChance, std::int16_t{50});
    QCOMPARE(mapOnDisk(w, 1).GraphicSet, std::int16_t{2});
    QCOMPARE(w.dialogs.pendingAnswers(), 0);
    QVERIFY(w.messages().empty());
  }

  void badPicturesAreNamedAndReplaced_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("fault");
    QTest::newRow("small Back.bmp") << "Back.bmp"
                                    << "small";
    QTest::newRow("cut Back.bmp") << "Back.bmp"
                                  << "cut";
    QTest::newRow("small Tiles.bmp") << "Tiles.bmp"
                                     << "small";
    QTest::newRow("Back.bmp a FIFO") << "Back.bmp"
                                     << "fifo";
  }
  void badPicturesAreNamedAndReplaced() {
    QFETCH(QString, file);
    QFETCH(QString, fault);
    MainWindow w{Unopened{}};
    const auto path = w.dir->data() / file.toStdString();
    if (fault == "small") {
      core::WriteBmp(path, core::Bitmap(100, 30, main_window_test::BackColour));
    } else if (fault == "cut") {
      auto bytes = test_support::readBytes(path);
      bytes.resize(bytes.size() / 2);
      test_support::writeBytes(path, bytes);
    } else {
      std::filesystem::remove(path);
      QCOMPARE(::mkfifo(path.c_str(), 0644), 0);
    }
    w.open();  // would hang on the FIFO
    QCOMPARE(w.messages().size(), std::size_t{1});
    QVERIFY2(w.messages().front().contains(QString::fromStdString(path.string())),
             qPrintable(w.messages().front()));
    const QImage shown =
        w.control<ui::PictureBox>(file == "Back.bmp" ? "picMap" : "picTiles")->image();
    QVERIFY(shown.width() >= 169 && shown.height() >= 40);
    QVERIFY((shown.pixel(20, 20) & 0xFFFFFF) != main_window_test::BackColour);
  }

  void missingDatFolderIsSaidOnce() {
    MainWindow w{Unopened{}};
    std::filesystem::remove_all(w.dir->dat());
    w.open();
    QCOMPARE(w.messages().size(), std::size_t{1});
    QCOMPARE(w.messages().front().count("Cannot find the Dat folder"), 1);
  }

  void refusalQuotesTheStartOfALongAnswer() {
    MainWindow w;
    w.dialogs.answerInput(QString(5000, '9'));
    w.click("Label4");
    QCOMPARE(w.messages().size(), std::size_t{1});
    const QString message = w.messages().front();
    QVERIFY2(message.contains("\"" + QString(20, '9') + QChar(0x2026) + "\""), qPrintable(message));
    QVERIFY(message.size() < 200);
    QCOMPARE(w.defs->Map.GraphicSet, std::int16_t{2});
  }
};

REGISTER_TEST(FrmMapEdSafetyTest);
#include "test_frm_map_ed_safety.moc"
