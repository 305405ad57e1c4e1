// The Wall and Room tools, driven by mouse gestures on the map view at several zooms and checked
// in the map record, the Edit menu and the bytes of Maps.dat after Save.
#include "main_window_fixture.h"
#include "support/test_registry.h"

using namespace main_window_test;

namespace {

// Pixel (dx, dy) of square (x, y) of the 1x picture.
QPoint at(int x, int y, int dx, int dy) {
  return QPoint(13 * x + dx, 13 * y + dy);
}

void pressKey(const MainWindow& w, Qt::Key key) {
  w.activate();
  QTest::keyClick(w.control<QWidget>("picMap"), key);
}

}  // namespace

class MapToolsTest : public QObject {
  Q_OBJECT

 private slots:
  // A drag along a grid line sets both faces of every edge it passes and stays on its line; the
  // map's border has one face; the right button sets Nothing; each drag is one undo step.
  void wallToolDrawsAlongGridLines() {
    for (int zoom : {1, 3, 6}) {
      MainWindow w;
      w.window->setZoom(zoom);
      pressKey(w, Qt::Key_W);
      QCOMPARE(w.window->tool(), maps::frmMapEd::Tool::Wall);
      pressKey(w, Qt::Key_6);  // Door1
      const core::MapRecord original = w.defs->Document().Map();
      core::MapRecord expected = original;
      // Down the line between columns 3 and 4, from row 2 to row 6, wandering off the line.
      w.drag({at(4, 2, 1, 6), at(4, 3, 4, 2), at(3, 5, 10, 9), at(4, 6, 2, 5)});
      for (int y = 2; y <= 6; ++y) {
        expected.SetWallCode(3, y, core::East, 6);
        expected.SetWallCode(4, y, core::West, 6);
      }
      QVERIFY(w.defs->Document().Map() == expected);
      QCOMPARE(w.action("mnuUndo")->text(), QString("&Undo Draw Walls"));
      // Along the top border, skipping squares on a quick drag: only the squares inside.
      pressKey(w, Qt::Key_2);
      w.drag({at(10, 0, 6, 1), at(14, 0, 6, 2)});
      for (int x = 10; x <= 14; ++x) expected.SetWallCode(x, 0, core::North, 2);
      QVERIFY(w.defs->Document().Map() == expected);
      // The right button clears; one click is one edge.
      w.drag({at(4, 4, 1, 6)}, Qt::RightButton);
      expected.SetWallCode(3, 4, core::East, 0);
      expected.SetWallCode(4, 4, core::West, 0);
      QVERIFY(w.defs->Document().Map() == expected);
      QCOMPARE(w.selected(), QPoint(1, 0));  // the Wall tool selects nothing
      w.trigger("mnuSave");
      QCOMPARE(test_support::mapSlotBytes(w.mapsFile(), 1), test_support::packedBytes(expected));
      w.trigger("mnuUndo");
      w.trigger("mnuUndo");
      QCOMPARE(w.defs->Document().Map().WallCode(3, 5, core::East), 6);
      w.trigger("mnuUndo");
      QVERIFY(w.defs->Document().Map() == original);
    }
  }

  // A drag over squares puts the code on the room's outline, both faces, and leaves the inside
  // squares' other sides alone: one step named after its size.
  void roomToolOutlinesARoom() {
    for (int zoom : {2, 5}) {
      MainWindow w;
      test_support::editMap(*w.defs, [](core::MapRecord& map) { map.SetSquare(3, 4, 0x0F0F); });
      w.window->setZoom(zoom);
      w.trigger("mnuToolRoom");
      pressKey(w, Qt::Key_1);
      core::MapRecord expected = w.defs->Document().Map();
      w.drag({at(6, 6, 3, 3), at(4, 5, 3, 3), at(2, 3, 7, 7)});  // corner to corner, backwards
      for (int x = 2; x <= 6; ++x) {
        expected.SetWallCode(x, 3, core::North, 1);
        expected.SetWallCode(x, 2, core::South, 1);
        expected.SetWallCode(x, 6, core::South, 1);
        expected.SetWallCode(x, 7, core::North, 1);
      }
      for (int y = 3; y <= 6; ++y) {
        expected.SetWallCode(2, y, core::West, 1);
        expected.SetWallCode(1, y, core::East, 1);
        expected.SetWallCode(6, y, core::East, 1);
        expected.SetWallCode(7, y, core::West, 1);
      }
      QVERIFY(w.defs->Document().Map() == expected);
      QCOMPARE(w.defs->Document().Map().Square(3, 4), 0x0F0F);
      QCOMPARE(w.action("mnuUndo")->text(), QString("&Undo Room 5 x 4"));
      w.trigger("mnuSave");
      QCOMPARE(test_support::mapSlotBytes(w.mapsFile(), 1), test_support::packedBytes(expected));
      // Back to Select: clicks select again.
      pressKey(w, Qt::Key_S);
      w.clickSquare(9, 9);
      QCOMPARE(w.selected(), QPoint(9, 9));
    }
  }

  // A left-drag of the Select tool frames a region from the square it started on; Shift+arrows
  // move its far corner, Escape drops it and the picture is as before. The map never changes.
  void selectToolFramesARegion() {
    for (int zoom : {1, 4}) {
      MainWindow w;
      w.window->setZoom(zoom);
      w.clickSquare(3, 4);
      const QImage before = w.control<ui::PictureBox>("picMap")->image();
      w.drag({at(3, 4, 6, 6), at(5, 5, 2, 2), at(8, 6, 11, 11)});
      QCOMPARE(w.selected(), QPoint(3, 4));
      QCOMPARE(w.defs->Document().Region(), core::SquareRect::Spanning(3, 4, 8, 6));
      const QImage framed = w.control<ui::PictureBox>("picMap")->image();
      QCOMPARE(framed.pixel(13 * 3, 13 * 4), qRgb(0, 176, 0));  // the frame's first dash
      for (int x = 13 * 3; x <= 13 * 9; ++x) {                  // the bottom line, all dashes
        const QRgb dash = framed.pixel(x, 13 * 7);
        QVERIFY(dash == qRgb(0, 176, 0) || dash == qRgb(255, 255, 255));
      }
      QVERIFY(framed.copy(13 * 3 + 1, 13 * 4 + 1, 13 * 6 - 1, 13 * 3 - 1) ==
              before.copy(13 * 3 + 1, 13 * 4 + 1, 13 * 6 - 1, 13 * 3 - 1));  // inside untouched
      for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Up})
        QTest::keyClick(w.control<QWidget>("picMap"), key, Qt::ShiftModifier);
      QCOMPARE(w.defs->Document().Region(), core::SquareRect::Spanning(3, 4, 10, 5));
      pressKey(w, Qt::Key_Escape);
      QVERIFY(w.defs->Document().Region().empty());
      QCOMPARE(w.selected(), QPoint(3, 4));
      QCOMPARE(w.control<ui::PictureBox>("picMap")->image(), before);
      // Shift+arrows start a region from the selected square; a plain arrow drops it.
      QTest::keyClick(w.control<QWidget>("picMap"), Qt::Key_Left, Qt::ShiftModifier);
      QCOMPARE(w.defs->Document().Region(), core::SquareRect::Spanning(2, 4, 3, 4));
      QTest::keyClick(w.control<QWidget>("picMap"), Qt::Key_Down);
      QVERIFY(w.defs->Document().Region().empty());
      QCOMPARE(w.selected(), QPoint(3, 5));
      QVERIFY(!w.action("mnuUndo")->isEnabled());
    }
  }
};

REGISTER_TEST(MapToolsTest);
#include "test_map_tools.moc"
