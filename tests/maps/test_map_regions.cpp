// Regions of squares in the main window through the real keys: copy, cut, paste and clear, the
// clipboard's two forms, refusals, and the map in Maps.dat after Save.
#include "core/map_region.h"
#include "core/packing.h"
#include "main_window_fixture.h"
#include "support/test_registry.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using main_window_test::MainWindow;
using main_window_test::settle;
using test_support::putSpecial;

namespace {

const core::SquareRect SixByFour{2, 3, 7, 6};
const QString OwnType = QString::fromLatin1(core::RegionMimeType.data());

void press(const MainWindow& w, Qt::Key key,
           Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
  QTest::keyClick(w.control<QWidget>("picMap"), key, modifiers);
}

// Walls with bits 12..15 in the corners of the six by four, entry 5 on its last square with
// every field set, entry 6 just beside it; the history starts on this map.
void buildRegion(MainWindow& w) {
  test_support::editMap(*w.defs, [](core::MapRecord& map) {
    map.SetSquare(2, 3, static_cast<std::int16_t>(0xA123));
    map.SetSquare(7, 6, 0x0F0F);
    map.PutSpecial(5, {4, 1, 7, 6, 9, 3, 5, 6, 12, 3, -40});
    putSpecial(map, 6, 6, 8, 6, 77);
  });
  test_support::startHistory(*w.defs);
  w.activate();
}

// Puts bytes or a text on the clipboard, as another program would.
void offer(const QByteArray& ownForm, const QString& text) {
  auto* data = new QMimeData;
  if (!ownForm.isNull()) data->setData(OwnType, ownForm);
  if (!text.isNull()) data->setText(text);
  QGuiApplication::clipboard()->setMimeData(data);
}

QByteArray ownBytes(const core::MapRegion& region) {
  const std::vector<std::uint8_t> bytes = core::RegionBytes(region);
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

std::int16_t squareOnDisk(const std::vector<std::uint8_t>& slot, int x, int y) {
  return core::IntegerAt(slot, static_cast<std::size_t>(122 + 2 * (33 * y + x)));
}

std::int16_t specialOnDisk(const std::vector<std::uint8_t>& slot, int entry, int field) {
  return core::IntegerAt(slot, static_cast<std::size_t>(2300 + 202 * field + 2 * entry));
}

}  // namespace

class MapRegionsTest : public QObject {
  Q_OBJECT

 private slots:
  // Ctrl+C puts both forms on the clipboard; Ctrl+V puts the squares with their top-left on
  // the selected square and the specials in the lowest free entries; Save writes exactly that.
  // The text form alone, as another program gives it back, pastes the same into another map.
  void copyAndPasteReachMapsDat() {
    MainWindow w;
    buildRegion(w);
    const core::MapRecord& map = w.defs->Document().Map();
    QVERIFY(!w.action("mnuCopy")->isEnabled());
    w.defs->Document().SetRegion(SixByFour);
    press(w, Qt::Key_C);
    const core::MapRegion copied = core::CopyRegion(map, SixByFour);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(data->data(OwnType), ownBytes(copied));
    QString text = data->text();
    QCOMPARE(text, QString::fromStdString(core::RegionText(copied)));

    w.clickSquare(20, 10);
    press(w, Qt::Key_V);
    QCOMPARE(map.Square(20, 10), static_cast<std::int16_t>(0xA123));
    QVERIFY((map.GetSpecial(0) == core::MapSpecial{4, 1, 25, 13, 9, 3, 5, 6, 12, 3, -40}));
    QCOMPARE(map.SpecialsOnSquare(7, 6), std::vector<int>{5});
    QCOMPARE(w.action("mnuUndo")->text(), QString("&Undo Paste 6 x 4 Squares"));
    press(w, Qt::Key_S);
    std::vector<std::uint8_t> slot = test_support::mapSlotBytes(w.mapsFile(), 1);
    QCOMPARE(squareOnDisk(slot, 25, 13), 0x0F0F);
    QCOMPARE(specialOnDisk(slot, 0, 2) * 100 + specialOnDisk(slot, 0, 3), 2513);
    const auto packed = core::Packed(map);
    QVERIFY(std::equal(packed.begin(), packed.end(), slot.begin()));

    offer({}, "\r\n" + text.replace("\n", "  \r\n"));
    w.dialogs.answerInput(" 2");
    press(w, Qt::Key_O);
    w.clickSquare(27, 29);
    press(w, Qt::Key_V);
    press(w, Qt::Key_S);
    QVERIFY(core::CopyRegion(map, {27, 29, 32, 32}) == copied);
    slot = test_support::mapSlotBytes(w.mapsFile(), 2);
    QCOMPARE(squareOnDisk(slot, 27, 29), static_cast<std::int16_t>(0xA123));
    QCOMPARE(specialOnDisk(slot, 0, 2) * 100 + specialOnDisk(slot, 0, 3), 3232);
  }

  // Ctrl+X copies and clears, Delete clears: words 0 and the specials on the squares set to the
  // empty entry; Ctrl+Z and Ctrl+Y take the step back and do it again.
  void cutAndDeleteClearTheSquares_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("step");
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << "Cut 6 x 4 Squares";
    QTest::newRow("Delete") << int(Qt::Key_Delete) << "Clear 6 x 4 Squares";
  }
  void cutAndDeleteClearTheSquares() {
    QFETCH(int, key);
    QFETCH(QString, step);
    MainWindow w;
    buildRegion(w);
    const core::MapRecord& map = w.defs->Document().Map();
    const core::MapRecord before = map;
    offer({}, "before");
    w.defs->Document().SetRegion(SixByFour);
    press(w, Qt::Key(key), key == Qt::Key_X ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(w.action("mnuUndo")->text(), "&Undo " + step);
    const QString clipboard = QGuiApplication::clipboard()->text();
    QCOMPARE(clipboard == "before", key != Qt::Key_X);
    if (key == Qt::Key_X)
      QCOMPARE(clipboard,
               QString::fromStdString(core::RegionText(core::CopyRegion(before, SixByFour))));
    press(w, Qt::Key_Z);
    QVERIFY(map == before);
    QCOMPARE(w.action("mnuRedo")->text(), "&Redo " + step);
    press(w, Qt::Key_Y);
    press(w, Qt::Key_S);
    const std::vector<std::uint8_t> slot = test_support::mapSlotBytes(w.mapsFile(), 1);
    for (int field = 0; field < core::SpecialFieldCount; ++field)
      QCOMPARE(specialOnDisk(slot, 5, field), 0);
    QCOMPARE(specialOnDisk(slot, 6, 0), 6);
    QCOMPARE(squareOnDisk(slot, 2, 3), 0);
  }

  // A paste that cannot be done, or a clipboard that holds no squares (or damaged ones from
  // another program), says why and changes nothing.
  void refusedPastesSayWhy_data() {
    QTest::addColumn<QByteArray>("ownForm");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("message");
    const QByteArray good = ownBytes(core::CopyRegion(core::MapRecord(), {0, 0, 5, 3}));
    QTest::newRow("past the edge") << good << QString() << QPoint(30, 2)
                                   << "Cannot paste 6 x 4 squares with their top-left on 30X, 2Y: "
                                      "they would run 3 squares past the east edge of the map.";
    QTest::newRow("cut short") << good.left(good.size() - 1) << QString() << QPoint(0, 0)
                               << "The map squares cannot be read: 55 bytes where 56 belong.";
    QTest::newRow("huge size") << QByteArray("MSQR\x01\xff\xff\x00", 8) << QString() << QPoint(0, 0)
                               << "The map squares cannot be read: a size of 255 x 255 squares "
                                  "does not fit a map.";
    QTest::newRow("damaged text") << QByteArray() << "Map Editor squares 2 x 1\n0111 zz\n"
                                  << QPoint(0, 0)
                                  << "The map squares cannot be read: line 2: \"zz\" is not a "
                                     "square word (four hexadecimal digits).";
    const QString none =
        "The clipboard holds no map squares. Select squares and copy them (Ctrl+C) first.";
    QTest::newRow("other text") << QByteArray() << "0111 0000" << QPoint(0, 0) << none;
    QTest::newRow("empty") << QByteArray() << QString() << QPoint(0, 0) << none;
  }
  void refusedPastesSayWhy() {
    QFETCH(QByteArray, ownForm);
    QFETCH(QString, text);
    QFETCH(QPoint, at);
    QFETCH(QString, message);
    MainWindow w;
    w.activate();
    w.clickSquare(at.x(), at.y());
    const core::MapRecord before = w.defs->Document().Map();
    offer(ownForm, text);
    w.dialogs.clearShown();
    press(w, Qt::Key_V);
    QCOMPARE(w.messages(), std::vector<QString>{message});
    QVERIFY(w.defs->Document().Map() == before && !w.defs->Document().History().CanUndo());
  }

  // With no region the region keys do nothing and the right click still copies one square; in
  // a text box of another window Ctrl+X and Delete stay the box's own.
  void otherKeysKeepTheirMeaning() {
    MainWindow w;
    w.addEditors();
    buildRegion(w);
    const core::MapRecord& map = w.defs->Document().Map();
    offer({}, "before");
    for (const char* entry : {"mnuCut", "mnuCopy", "mnuClear"})
      QVERIFY(!w.action(entry)->isEnabled());
    press(w, Qt::Key_X);
    press(w, Qt::Key_C);
    press(w, Qt::Key_Delete, Qt::NoModifier);
    QVERIFY(!w.defs->Document().History().CanUndo());
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
    w.clickSquare(2, 3);
    w.clickSquare(9, 9, Qt::RightButton);
    QCOMPARE(map.Square(9, 9), static_cast<std::int16_t>(0xA123));
    QCOMPARE(w.action("mnuUndo")->text(), QString("&Undo Copy Square"));

    w.defs->Document().SetRegion(SixByFour);
    const core::MapRecord before = map;
    w.trigger("mnuMapTxt");
    w.clickIn("frmTextEd", "Label2_3");
    auto* box = w.formControl<ui::TextBox>("frmTextEnter", "Text1");
    w.activate(w.form("frmTextEnter"));
    box->setText("Gate key");
    box->setFocus();
    box->setSelection(0, 5);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), QString("ey"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("Gate "));
    settle();
    QVERIFY(map == before);
  }

  // A rectangle dragged with the Select tool at 3x is what Ctrl+C copies and Ctrl+X clears.
  void aDraggedRectangleIsCopiedAndPasted() {
    MainWindow w;
    buildRegion(w);
    w.window->setZoom(3);
    w.drag({{13 * 2 + 6, 13 * 3 + 6}, {13 * 5 + 2, 13 * 5 + 2}, {13 * 7 + 6, 13 * 6 + 6}});
    QVERIFY(w.defs->Document().Region() == SixByFour);
    const core::MapRecord& map = w.defs->Document().Map();
    const core::MapRegion copied = core::CopyRegion(map, SixByFour);
    press(w, Qt::Key_X);
    QCOMPARE(map.Square(2, 3) + map.Square(7, 6), 0);
    w.clickSquare(20, 10);
    press(w, Qt::Key_V);
    QVERIFY(core::CopyRegion(map, {20, 10, 25, 13}) == copied);
    QVERIFY((w.defs->Document().Region() == core::SquareRect{20, 10, 25, 13}));
  }
};

REGISTER_TEST(MapRegionsTest);
#include "test_map_regions.moc"
