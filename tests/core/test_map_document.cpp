#include "core_fixture.h"

using namespace core;
using namespace test_support;

class MapDocumentTest : public QObject {
  Q_OBJECT

 private slots:
  // Each change names its step and tells exactly what it touched, with who made it.
  void changesAreNamedStepsThatSayWhatTheyTouched() {
    Document d;
    d.doc.Replace(sampleMap(1), 1);
    const MapRecord loaded = d.doc.Map();
    d.told.clear();
    int window = 0;
    QVERIFY(!d.doc.Apply(
        "Nothing", [](MapRecord&) {}, &window));  // no change, no step
    QVERIFY(d.told.empty() && !d.doc.History().CanUndo() && !d.doc.IsModified());

    QVERIFY(d.doc.Apply(
        "Room 5 x 4",
        [](MapRecord& map) {
          map.SetWallCode(3, 4, North, 1);
          map.SetWallCode(7, 2, West, 6);
          map.SetSpecial(12, SpecialField::Kind, 3);
          map.SetLongText(2, "The gate is shut");
        },
        &window));
    QCOMPARE(d.told.size(), std::size_t{1});
    const MapChange& change = d.told.back();
    QCOMPARE(change.parts, unsigned{MapChange::Squares | MapChange::Specials | MapChange::Texts});
    QVERIFY(change.squares == SquareRect::Spanning(7, 2, 3, 4));
    QCOMPARE(change.specials, std::vector<int>{12});
    QVERIFY(change.texts.empty());
    QCOMPARE(change.longTexts, std::vector<int>{2});
    QCOMPARE(change.origin, static_cast<const void*>(&window));
    QCOMPARE(d.doc.History().UndoLabel(), std::string("Room 5 x 4"));
    QVERIFY(d.doc.IsModified());

    // The map number goes with its step, and an undo tells every window (no origin).
    QVERIFY(d.doc.Renumber(4, &window));
    QCOMPARE(d.number, std::int16_t{4});
    QCOMPARE(d.doc.Map().MapNo, std::int16_t{4});
    QCOMPARE(d.told.back().parts, unsigned{MapChange::Properties});
    QVERIFY(d.doc.Undo());
    QCOMPARE(d.number, std::int16_t{1});
    QVERIFY(d.told.back().origin == nullptr);
    QVERIFY(d.doc.Undo());
    QVERIFY(d.doc.Map() == loaded && !d.doc.IsModified());
    QVERIFY(d.told.back().squares == SquareRect::Spanning(3, 2, 7, 4));
    QVERIFY(!d.doc.Undo());
    QVERIFY(d.doc.Redo());
    QCOMPARE(d.doc.Map().WallCode(7, 2, West), 6);

    // Saving makes the map the saved state; a new map starts a new history.
    d.doc.MarkSaved();
    QVERIFY(!d.doc.IsModified());
    d.doc.Replace(MapRecord(), 0);
    QVERIFY(!d.doc.History().CanUndo() && !d.doc.History().CanRedo());
    QCOMPARE(d.number, std::int16_t{0});
    QVERIFY(d.told.back().parts & MapChange::Replaced);
  }

  // A drag is many changes shown as they come and one step to take back.
  void aGestureIsOneStep() {
    Document d;
    d.doc.BeginStep("Draw Walls");
    for (int x = 0; x < 5; ++x)
      d.doc.Apply("ignored", [x](MapRecord& map) { map.SetWallCode(x, 0, North, 1); });
    QCOMPARE(d.told.size(), std::size_t{5});
    QVERIFY(d.told.back().squares == SquareRect::Spanning(4, 0, 4, 0));
    QVERIFY(!d.doc.History().CanUndo());  // still being drawn
    d.doc.EndStep();
    QCOMPARE(d.doc.History().StepCount(), std::size_t{1});
    QCOMPARE(d.doc.History().UndoLabel(), std::string("Draw Walls"));
    // An undo in the middle of a gesture closes it first.
    d.doc.BeginStep("Draw Walls");
    d.doc.Apply("", [](MapRecord& map) { map.SetWallCode(9, 9, South, 2); });
    QVERIFY(d.doc.Undo());
    QCOMPARE(d.doc.Map().WallCode(9, 9, South), 0);
    QCOMPARE(d.doc.Map().WallCode(4, 0, North), 1);
    QVERIFY(d.doc.Undo());
    QVERIFY(d.doc.Map() == MapRecord());
  }

  // The hand-over Integers follow the selection, and windows hear of map and selection changes
  // through the store's notices.
  void theStoreCarriesTheDocument() {
    FilledGame game;
    ModDefinitions& defs = game.defs;
    QVERIFY(game.started.ok());
    std::vector<std::pair<unsigned, const void*>> heard;
    defs.Subscribe(
        [&](unsigned changes, const void* origin) { heard.emplace_back(changes, origin); });
    int window = 0;
    defs.Document().Select(5, 6, &window);
    QCOMPARE(defs.SelectedX, std::int16_t{5});
    QCOMPARE(defs.SelectedY, std::int16_t{6});
    defs.Document().Apply(
        "Graphic Set", [](MapRecord& map) { map.GraphicSet = 5; }, &window);
    QVERIFY(defs.LoadMap(2).ok());
    QCOMPARE(defs.CurrentMap, std::int16_t{2});
    QVERIFY(!defs.Document().History().CanUndo());
    using Heard = std::vector<std::pair<unsigned, const void*>>;
    QCOMPARE(heard, (Heard{{SelectionChanged, &window},
                           {MapChanged, &window},
                           {MapChanged | SelectionChanged, nullptr}}));
    defs.Document().Apply("Hit Refresh", [](MapRecord& map) { map.HitRefresh = 9; });
    QVERIFY(defs.Document().IsModified());
    QVERIFY(defs.SaveMap(2).ok());
    QVERIFY(!defs.Document().IsModified());
    QCOMPARE(MapRecord::unpack(mapSlotBytes(game.file("Maps.dat"), 2)).HitRefresh, std::int16_t{9});
  }
};

REGISTER_TEST(MapDocumentTest);
#include "test_map_document.moc"
