#include "core/definitions.h"
#include "core/map_history.h"
#include "support/fixtures.h"
#include "support/test_registry.h"

#include <QTest>

using core::MapHistory;
using core::MapRecord;

class MapHistoryTest : public QObject {
  Q_OBJECT

 private slots:
  void stepsAreUndoneAndRedoneInOrder() {
    MapHistory history;
    MapRecord map = test_support::sampleMap(1);
    const MapRecord start = map;
    QVERIFY(!history.Record("Nothing", map, map));  // no change, no step
    QVERIFY(!history.CanUndo());

    MapRecord before = map;
    map.SetSquare(3, 4, 0x0F0F);
    map.SetSquare(30, 32, 0x0101);  // far apart: two runs in one step
    QVERIFY(history.Record("Copy Square", before, map));
    const MapRecord afterFirst = map;
    before = map;
    map.SetText(19, "A whisper from the well");
    map.EncounterChance = 50;
    QVERIFY(history.Record("Map Text 20", before, map));
    const MapRecord afterSecond = map;

    QCOMPARE(history.UndoLabel(), std::string("Map Text 20"));
    QVERIFY(history.Undo(map));
    QVERIFY(map == afterFirst);
    QCOMPARE(history.RedoLabel(), std::string("Map Text 20"));
    QVERIFY(history.Undo(map));
    QVERIFY(map == start);
    QVERIFY(!history.Undo(map));
    QVERIFY(history.Redo(map));
    QVERIFY(history.Redo(map));
    QVERIFY(map == afterSecond);
    QVERIFY(!history.Redo(map));

    // A new step drops the steps that could be redone.
    history.Undo(map);
    before = map;
    map.HitRefresh = 7;
    history.Record("Hit Refresh", before, map);
    QVERIFY(!history.CanRedo());
    QCOMPARE(history.StepCount(), std::size_t{2});
    history.Undo(map);
    QVERIFY(map == afterFirst);
    history.Clear();
    QVERIFY(!history.CanUndo() && !history.CanRedo());
  }

  // The store's side: steps are named by the window, every window hears an undo, and a new
  // map starts a new history.
  void theStoreRecordsAnnouncesAndRestarts() {
    auto dir = test_support::makeDataDir();
    test_support::writeMapSlot(dir->datFile("Maps.dat"), 1, test_support::sampleMap(1));
    core::ModDefinitions defs(dir->root());
    QVERIFY(defs.LoadMap(1).ok());
    defs.StartMapHistory();
    const MapRecord loaded = defs.Map;
    std::vector<const void*> origins;
    defs.Subscribe([&](unsigned changes, const void* origin) {
      QCOMPARE(changes, unsigned{core::MapChanged});
      origins.push_back(origin);
    });
    int window = 0;
    defs.Map.GraphicSet = 5;
    defs.CommitMapStep("Graphic Set", &window);
    defs.CurrentMap = 4;  // the map number goes with its step
    defs.CommitMapStep("Map Number", &window);
    QVERIFY(defs.UndoMap());
    QCOMPARE(defs.CurrentMap, std::int16_t(1));
    QCOMPARE(defs.History().UndoLabel(), std::string("Graphic Set"));
    QVERIFY(defs.UndoMap());
    QVERIFY(defs.Map == loaded);
    // An undo repaints every window, the one that made the step too.
    QCOMPARE(origins, (std::vector<const void*>{&window, &window, nullptr, nullptr}));
    QVERIFY(defs.RedoMap());
    QCOMPARE(defs.Map.GraphicSet, std::int16_t(5));
    defs.StartMapHistory();
    QVERIFY(!defs.History().CanUndo());
  }
};

REGISTER_TEST(MapHistoryTest);
#include "test_map_history.moc"
