#include "core/map_region.h"
#include "core_fixture.h"

using namespace core;
using namespace test_support;

namespace {

MapSpecial special(int kind, int x, int y, int seed) {
  const auto v = [seed](int k) { return static_cast<std::int16_t>(seed * 100 + k); };
  return {static_cast<std::int16_t>(kind),
          v(1),
          static_cast<std::int16_t>(x),
          static_cast<std::int16_t>(y),
          v(4),
          v(5),
          v(6),
          v(7),
          v(8),
          v(9),
          v(10)};
}

// Squares 2..7 x 3..6 carry words with bits 12..15 set; entries 3 and 40 sit in it, 7 beside
// it; entry 9 is free and 12 negative, both with coordinates in it.
MapRecord sourceMap() {
  MapRecord map;
  for (int y = 0; y < MapSize; ++y) {
    for (int x = 0; x < MapSize; ++x)
      map.SetSquare(x, y, static_cast<std::int16_t>(0xF000 | (y * MapSize + x)));
  }
  map.PutSpecial(3, special(4, 7, 6, 3));
  map.PutSpecial(7, special(1, 8, 3, 7));
  map.PutSpecial(9, special(0, 3, 3, 9));
  map.PutSpecial(12, special(-2, 2, 3, 12));
  map.PutSpecial(40, special(5, 2, 3, 40));
  return map;
}

const SquareRect SixByFour{2, 3, 7, 6};

}  // namespace

class MapRegionTest : public QObject {
  Q_OBJECT

 private slots:
  // The whole words and the specials in use on the squares, every field, counted from the
  // region's corner (a rectangle past the map is cut to it); both forms give the region back.
  void copyAndBothFormsGiveTheRegionBack() {
    const MapRecord map = sourceMap();
    MapRegion region = CopyRegion(map, SixByFour);
    QCOMPARE(region.width * 10 + region.height, 64);
    QCOMPARE(region.Square(5, 3), map.Square(7, 6));
    QVERIFY(
        (region.specials == std::vector<MapSpecial>{special(4, 5, 3, 3), special(5, 0, 0, 40)}));
    QCOMPARE(CopyRegion(map, {30, 31, 40, 45}).Square(2, 1), map.Square(32, 32));

    const std::vector<std::uint8_t> bytes = RegionBytes(region);
    QVERIFY((std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 10) ==
             std::vector<std::uint8_t>{'M', 'S', 'Q', 'R', 1, 6, 4, 2, 101, 0xF0}));
    QVERIFY(bytes.size() == 100 && *RegionFromBytes(bytes) == region);
    const std::string text = RegionText(region);
    QVERIFY(text.starts_with("Map Editor squares 6 x 4\nF065 F066 F067 F068 F069 F06A\n"));
    QVERIFY(text.find("\nSpecials 2\nSpecial Kind 4 Spare 301 SquareX 5 SquareY 3 Param1 304 "
                      "Param2 305 Param3 306 Param4 307 CondFlag 308 CondTest 309 "
                      "CondValue 310\n") != std::string::npos);
    std::string windows = "\n  ";  // as a mail or a Windows editor gives it back
    for (char c : text) windows += c == '\n' ? std::string(" \r\n\r\n") : std::string(1, c);
    QVERIFY(*RegionFromText(text) == region && *RegionFromText(windows) == region);

    // The whole map with the extremes of every field.
    MapRecord full;
    for (int i = 0; i < SpecialCount; ++i)
      full.PutSpecial(i, {1, -32768, 32, 32, 32767, -1, 0, 1, -32768, 2, 3});
    full.SetSquare(0, 0, -1);
    region = CopyRegion(full, SquareRect::WholeMap());
    QCOMPARE(region.specials.size(), std::size_t{101});
    QVERIFY(*RegionFromBytes(RegionBytes(region)) == region);
    QVERIFY(*RegionFromText(RegionText(region)) == region);
  }

  // Input from another program is checked all through: each flaw is refused with its reason.
  void malformedInputIsRefused_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("text");
    QTest::addColumn<QString>("reason");
    const MapRegion region = CopyRegion(sourceMap(), SixByFour);
    const std::vector<std::uint8_t> good = RegionBytes(region);
    const auto bytes = [&good](std::size_t at, std::uint8_t value, int grow = 0) {
      std::vector<std::uint8_t> b = good;
      if (at < b.size()) b[at] = value;
      b.resize(static_cast<std::size_t>(static_cast<int>(b.size()) + grow));
      return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
    };
    QTest::newRow("empty") << QByteArray() << false << "not in this editor's form";
    QTest::newRow("later form") << bytes(4, 2) << false << "form 2";
    QTest::newRow("too high") << bytes(6, 34) << false << "6 x 34 squares";
    QTest::newRow("102 specials") << bytes(7, 102) << false << "102 specials are more";
    QTest::newRow("one byte short") << bytes(99, 0, -1) << false << "99 bytes where 100";
    QTest::newRow("special free") << bytes(56, 0) << false << "not in use (Kind 0)";
    QTest::newRow("special off") << bytes(60, 6) << false << "outside the squares (6X, 3Y)";

    const std::string text = RegionText(region);
    const auto edited = [&text](std::string_view from, std::string_view to) {
      std::string t = text;
      t.replace(t.find(from), from.size(), to);
      return QByteArray::fromStdString(t);
    };
    QTest::newRow("too long") << "Map Editor squares 1 x 1\n0\nSpecials 0\n" +
                                     QByteArray(1 << 20, ' ')
                              << true << "too long";
    QTest::newRow("no text") << QByteArray("  \n") << true << "does not start with";
    QTest::newRow("34 wide") << edited("6 x", "34 x") << true << "does not start with";
    QTest::newRow("row short") << edited(" F06A\n", "\n") << true << "line 2 holds 5 words, not 6";
    QTest::newRow("not hex") << edited("F065", "G065") << true << "\"G065\" is not a square";
    QTest::newRow("sign") << edited("F065", "-1") << true << "\"-1\" is not a square";
    QTest::newRow("no count") << QByteArray("Map Editor squares 1 x 1\n0\n") << true
                              << "line 3 is not \"Specials\"";
    QTest::newRow("special missing")
        << edited("Specials 2", "Specials 3") << true << "special 3 is missing";
    QTest::newRow("field order") << edited("Param3 306 Param4", "Param4 306 Param3") << true
                                 << "line 7: Param3 and a number";
    QTest::newRow("out of range") << edited("CondValue 310", "CondValue 32768") << true
                                  << "line 7: CondValue";
    QTest::newRow("off the squares")
        << edited("SquareX 5", "SquareX 6") << true << "line 7: a special lies outside";
    QTest::newRow("more after") << QByteArray::fromStdString(text) + "Special\n"
                                << true << "line 9 follows the last special";
  }
  void malformedInputIsRefused() {
    QFETCH(QByteArray, input);
    QFETCH(bool, text);
    QFETCH(QString, reason);
    const Result<MapRegion> read =
        text ? RegionFromText(input.toStdString())
             : RegionFromBytes(std::span(reinterpret_cast<const std::uint8_t*>(input.constData()),
                                         static_cast<std::size_t>(input.size())));
    QVERIFY(!read.ok());
    QVERIFY2(read.status().message().starts_with("The map squares cannot be read: ") &&
                 QString::fromStdString(read.status().message()).contains(reason),
             read.status().message().c_str());
  }

  // A paste replaces the squares under it and puts the specials into the lowest free entries
  // (a negative entry is not free), as one step that undo and redo take whole.
  void pasteFillsTheLowestFreeEntries() {
    Document d;
    MapRecord target;
    target.PutSpecial(0, special(2, 0, 0, 50));
    target.PutSpecial(2, special(-1, 10, 10, 51));
    target.PutSpecial(3, special(6, 11, 20, 52));  // on a pasted square: it stays
    d.doc.Replace(target, 1);
    d.doc.Select(10, 20);
    const MapRegion region = CopyRegion(sourceMap(), SixByFour);
    QVERIFY(PasteRegion(d.doc, region).ok());
    const MapRecord& map = d.doc.Map();
    QCOMPARE(map.Square(10, 20), region.Square(0, 0));
    QCOMPARE(map.Square(15, 23), region.Square(5, 3));
    QCOMPARE(map.Square(16, 23), 0);
    QVERIFY(map.GetSpecial(1) == special(4, 15, 23, 3));
    QVERIFY(map.GetSpecial(4) == special(5, 10, 20, 40));
    QVERIFY(map.GetSpecial(2) == special(-1, 10, 10, 51));
    QVERIFY(map.GetSpecial(3) == special(6, 11, 20, 52));
    QCOMPARE(map.SpecialsInUse(), 4);
    QCOMPARE(d.doc.History().UndoLabel(), std::string("Paste 6 x 4 Squares"));
    QVERIFY((d.doc.Region() == SquareRect{10, 20, 15, 23}));
    const MapRecord pasted = map;
    QVERIFY(d.doc.Undo() && map == target);
    QVERIFY(d.doc.Redo() && map == pasted);
  }

  // A paste that does not fit is refused with its reason and changes nothing.
  void refusedPastesChangeNothing_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("taken");  // entries in use before the paste
    QTest::addColumn<QString>("message");
    QTest::newRow("east") << QPoint(30, 2) << 0
                          << "Cannot paste 6 x 4 squares with their top-left on 30X, 2Y: they "
                             "would run 3 squares past the east edge of the map.";
    QTest::newRow("both") << QPoint(28, 32) << 0
                          << "Cannot paste 6 x 4 squares with their top-left on 28X, 32Y: they "
                             "would run 1 square past the east edge and 3 past the south edge "
                             "of the map.";
    QTest::newRow("off the map") << QPoint(-1, 0) << 0
                                 << "Cannot paste 6 x 4 squares: the selected square -1X, 0Y is "
                                    "not on the map.";
    QTest::newRow("entries") << QPoint(0, 0) << 100
                             << "Cannot paste 6 x 4 squares: they carry 2 specials and the map "
                                "has only 1 free special entry.";
    QTest::newRow("last square") << QPoint(27, 29) << 99 << "";
  }
  void refusedPastesChangeNothing() {
    QFETCH(QPoint, at);
    QFETCH(int, taken);
    QFETCH(QString, message);
    Document d;
    MapRecord target;
    for (int i = 0; i < taken; ++i) target.PutSpecial(i, special(i % 2 ? 3 : -3, 1, 1, i));
    d.doc.Replace(target, 1);
    d.doc.Select(at.x(), at.y());
    const Status status = PasteRegion(d.doc, CopyRegion(sourceMap(), SixByFour));
    QCOMPARE(QString::fromStdString(status.message()), message);
    QCOMPARE(status.ok(), message.isEmpty());
    QCOMPARE(d.doc.History().CanUndo(), status.ok());
    QCOMPARE(d.doc.Map() == target, !status.ok());
    QCOMPARE(d.doc.Region().empty(), !status.ok());
  }

  // Clear sets the words to 0 and the entries in use on the squares to the empty entry; Cut
  // gives what it cleared. Each is one named step; nothing selected is no step.
  void cutAndClearEmptyTheSquares() {
    for (const char* verb : {"Cut", "Clear"}) {
      Document d;
      const MapRecord source = sourceMap();
      d.doc.Replace(source, 1);
      QVERIFY(!ClearRegion(d.doc) && CutRegion(d.doc).width == 0 && !d.doc.History().CanUndo());
      d.doc.SetRegion(SixByFour);
      if (std::string(verb) == "Cut") {
        QVERIFY(CutRegion(d.doc) == CopyRegion(source, SixByFour));
      } else {
        QVERIFY(ClearRegion(d.doc));
      }
      const MapRecord& map = d.doc.Map();
      QCOMPARE(d.doc.History().UndoLabel(), RegionStepName(verb, 6, 4));
      QCOMPARE(RegionStepName(verb, 6, 4), std::string(verb) + " 6 x 4 Squares");
      for (int y = 0; y < MapSize; ++y) {
        for (int x = 0; x < MapSize; ++x)
          QCOMPARE(map.Square(x, y), SixByFour.contains(x, y) ? 0 : source.Square(x, y));
      }
      QVERIFY(map.GetSpecial(3) == MapSpecial{} && map.GetSpecial(40) == MapSpecial{});
      for (int i : {7, 9, 12}) QVERIFY(map.GetSpecial(i) == source.GetSpecial(i));
      QVERIFY(d.doc.Undo() && map == source);
    }
  }
};

REGISTER_TEST(MapRegionTest);
#include "test_map_region.moc"
