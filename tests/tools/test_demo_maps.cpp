#include "demo_files.h"
#include "support/test_registry.h"

#include <QTest>

#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace fs = std::filesystem;
using namespace demo_test;

namespace {

bool Blank(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

QByteArray Where(int map, int entry) {
  return QByteArray("map ") + QByteArray::number(map) + " special " + QByteArray::number(entry);
}

}  // namespace

class DemoMapsTest : public QObject {
  Q_OBJECT

 private:
  const fs::path dat_ = DemoFolder() / "Dat";
  std::size_t mapsFileSize_ = 0;
  const std::vector<core::MapRecord> maps_ = ReadMaps(dat_ / "Maps.dat", &mapsFileSize_);
  const int items_ = ReadCatalogue<core::ItemRecord>(dat_ / "Item.dat").headerCount;
  const int creatures_ = ReadCatalogue<core::CreatureRecord>(dat_ / "Mon.dat").headerCount;
  const int shops_ = ReadCatalogue<core::ShopRecord>(dat_ / "Shop.dat").headerCount;

  // Every special in use on every map, with its map number and entry index.
  struct Placed {
    int map;
    int entry;
    core::MapSpecial special;
  };
  std::vector<Placed> specials() const {
    std::vector<Placed> all;
    for (const auto& map : maps_) {
      for (int i = 0; i < core::SpecialCount; ++i) {
        const core::MapSpecial s = map.GetSpecial(i);
        if (s.Kind != 0) all.push_back({map.MapNo, i, s});
      }
    }
    return all;
  }

 private slots:
  void mapsFillTheFirstSlotsWithTheirOwnNumbers() {
    QVERIFY(maps_.size() >= 3);
    QCOMPARE(mapsFileSize_, maps_.size() * core::MapRecord::SlotLength);
    for (std::size_t slot = 1; slot <= maps_.size(); ++slot) {
      QCOMPARE(static_cast<std::size_t>(maps_[slot - 1].MapNo), slot);
    }
  }

  void everyWallCodeStandsOnEverySide() {
    std::set<std::pair<int, int>> seen;  // (code, side)
    for (const auto& map : maps_) {
      for (int y = 0; y < core::MapSize; ++y) {
        for (int x = 0; x < core::MapSize; ++x) {
          QCOMPARE(map.Square(x, y) & 0xF000, 0);
          for (int side = 0; side < core::SideCount; ++side) {
            seen.insert({map.WallCode(x, y, side), side});
          }
        }
      }
    }
    for (int code = 1; code <= 7; ++code) {
      for (int side = 0; side < core::SideCount; ++side) {
        QVERIFY2(seen.count({code, side}),
                 qPrintable(QString("code %1 side %2").arg(code).arg(side)));
      }
    }
  }

  // The demo records each wall on both squares it separates, so walking either way agrees.
  void neighbouringSidesAgree() {
    for (const auto& map : maps_) {
      for (int y = 0; y < core::MapSize; ++y) {
        for (int x = 0; x < core::MapSize; ++x) {
          if (x + 1 < core::MapSize) {
            QCOMPARE(map.WallCode(x, y, core::East), map.WallCode(x + 1, y, core::West));
          }
          if (y + 1 < core::MapSize) {
            QCOMPARE(map.WallCode(x, y, core::South), map.WallCode(x, y + 1, core::North));
          }
        }
      }
    }
  }

  void specialsCoverEveryKindAndSitOnTheMap() {
    std::set<int> kinds;
    for (const auto& [map, entry, s] : specials()) {
      const QByteArray where = Where(map, entry);
      kinds.insert(s.Kind);
      QVERIFY2(s.Kind >= 1 && s.Kind <= 8, where);
      QVERIFY2(s.Spare == 0, where);
      QVERIFY2(s.SquareX >= 0 && s.SquareX < core::MapSize, where);
      QVERIFY2(s.SquareY >= 0 && s.SquareY < core::MapSize, where);
    }
    QCOMPARE(kinds, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  }

  void conditionsUseEveryTest() {
    std::set<int> tests;
    for (const auto& [map, entry, s] : specials()) {
      const QByteArray where = Where(map, entry);
      if (s.CondFlag <= 0) {
        QVERIFY2(s.CondTest == 0 && s.CondValue == 0, where);
        tests.insert(0);
      } else {
        QVERIFY2(s.CondTest >= 1 && s.CondTest <= 5, where);
        tests.insert(s.CondTest);
        if (s.CondTest <= 2) QVERIFY2(s.CondValue == 0, where);
      }
    }
    QCOMPARE(tests, (std::set<int>{0, 1, 2, 3, 4, 5}));
  }

  void parametersOfEachKindAreInRange() {
    std::set<int> buildings, temples, arrivals, facingBits, flagWhens, rewards;
    std::set<int> shopsEntered;
    bool anyFacing = false;
    for (const auto& [map, entry, s] : specials()) {
      const QByteArray where = Where(map, entry);
      switch (s.Kind) {
        case 1:  // exit to map
          QVERIFY2(s.Param1 >= 1 && s.Param1 <= static_cast<int>(maps_.size()), where);
          QVERIFY2(s.Param1 != map, where);
          QVERIFY2(s.Param2 >= 0 && s.Param2 < core::MapSize, where);
          QVERIFY2(s.Param3 >= 0 && s.Param3 < core::MapSize, where);
          QVERIFY2(s.Param4 >= 0 && s.Param4 <= 4, where);
          arrivals.insert(s.Param4);
          break;
        case 2:  // exit to building
          QVERIFY2(s.Param1 >= 0 && s.Param1 <= 3, where);
          buildings.insert(s.Param1);
          if (s.Param1 == 1) {
            QVERIFY2(s.Param2 >= 1 && s.Param2 <= shops_, where);
            shopsEntered.insert(s.Param2);
          } else if (s.Param1 == 2) {
            QVERIFY2(s.Param2 >= 0 && s.Param2 <= 2, where);
            temples.insert(s.Param2);
          } else {
            QVERIFY2(s.Param2 == 0, where);
          }
          break;
        case 3:
        case 4:
        case 7:
          QVERIFY2(s.Param2 >= 0 && s.Param2 <= 15, where);
          if (s.Param2 == 0) anyFacing = true;
          for (int bit = 0; bit < 4; ++bit) {
            if (s.Param2 & (1 << bit)) facingBits.insert(bit);
          }
          break;
        case 5:  // fixed encounter
          QVERIFY2(s.Param1 >= 1 && s.Param1 <= creatures_, where);
          QVERIFY2(s.Param2 >= 1, where);
          QVERIFY2(s.Param3 >= 0 && s.Param3 <= items_, where);
          QVERIFY2(s.Param4 >= 0, where);
          break;
        case 6:  // set flag
          QVERIFY2(s.Param1 >= 1, where);
          QVERIFY2(s.Param2 >= 0 && s.Param2 <= 2, where);
          flagWhens.insert(s.Param2);
          break;
        case 8:  // reward
          QVERIFY2(s.Param1 >= 0 && s.Param1 <= 2, where);
          QVERIFY2(s.Param2 >= 1, where);
          if (s.Param1 == 2) {
            QVERIFY2(s.Param3 >= 1 && s.Param3 <= items_, where);
          } else {
            QVERIFY2(s.Param3 == 0 || s.Param3 == 1, where);
          }
          rewards.insert(s.Param1);
          break;
      }
    }
    QCOMPARE(buildings, (std::set<int>{0, 1, 2, 3}));
    QCOMPARE(temples, (std::set<int>{0, 1, 2}));
    QCOMPARE(static_cast<int>(shopsEntered.size()), shops_);
    QCOMPARE(arrivals, (std::set<int>{0, 1, 2, 3, 4}));
    QVERIFY(anyFacing);
    QCOMPARE(facingBits, (std::set<int>{0, 1, 2, 3}));
    QCOMPARE(flagWhens, (std::set<int>{0, 1, 2}));
    QCOMPARE(rewards, (std::set<int>{0, 1, 2}));
  }

  void shownTextsAreWritten() {
    std::map<int, const core::MapRecord*> byNumber;
    for (const auto& map : maps_) byNumber[map.MapNo] = &map;
    int longTextsWithBreaks = 0;
    for (const auto& [map, entry, s] : specials()) {
      const QByteArray where = Where(map, entry);
      if (s.Kind == 4) {
        QVERIFY2(s.Param1 >= 0 && s.Param1 < core::MapTextCount, where);
        QVERIFY2(!Blank(byNumber[map]->Text(s.Param1)), where);
      } else if (s.Kind == 7) {
        QVERIFY2(s.Param1 >= 0 && s.Param1 < core::MapLongTextCount, where);
        const std::string& text = byNumber[map]->LongText(s.Param1);
        QVERIFY2(!Blank(text), where);
        if (text.find("\\n") != std::string::npos) ++longTextsWithBreaks;
      }
    }
    QVERIFY(longTextsWithBreaks > 0);
  }

  void encounterSlotsHoldDemoCreatures() {
    bool oneMapFull = false;
    for (const auto& map : maps_) {
      int filled = 0;
      for (int slot = 0; slot < core::EncounterSlotCount; ++slot) {
        const int creature = map.Encounter(slot, core::EncounterField::Creature);
        if (creature == 0) continue;
        ++filled;
        QVERIFY(creature >= 1 && creature <= creatures_);
        QVERIFY(map.Encounter(slot, core::EncounterField::DiceCount) >= 1);
        QVERIFY(map.Encounter(slot, core::EncounterField::DiceSides) >= 1);
        const int others = map.Encounter(slot, core::EncounterField::OthersChance);
        QVERIFY(others >= 0 && others <= 100);
      }
      QVERIFY(filled > 0);
      if (filled == core::EncounterSlotCount) oneMapFull = true;
      QVERIFY(map.EncounterChance >= 0 && map.EncounterChance <= 100);
    }
    QVERIFY(oneMapFull);
  }
};

REGISTER_TEST(DemoMapsTest);
#include "test_demo_maps.moc"
