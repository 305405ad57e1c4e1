#pragma once

#include "core/map_record.h"
#include "demodata/demo_ids.h"

#include <cstdint>
#include <string_view>

// Helps lay out a demo map: walls recorded on both squares they separate, rooms, texts,
// encounter slots and specials of every kind placed at the lowest free entry.
namespace demodata {

// Facing masks of the picture and text specials.
enum Facing : std::int16_t { AnyFacing = 0, FaceN = 1, FaceE = 2, FaceS = 4, FaceW = 8 };

// Arrival facing of an Exit to Map.
enum Arrival : std::int16_t { NoChange = 0, ArriveNorth, ArriveEast, ArriveSouth, ArriveWest };

enum Building : std::int16_t { Guildhall = 0, ShopBuilding, Temple, ReviewBoard };
enum TempleOf : std::int16_t { TempleLight = 0, TempleLuck, TempleDark };
enum FlagWhen : std::int16_t { Never = 0, WinCombat, Now };
enum RewardWhat : std::int16_t { Experience = 0, Gold, ItemReward };
enum RewardWho : std::int16_t { Total = 0, Each };

enum CondTest : std::int16_t {
  NoTest = 0,
  WhenTrue,
  WhenFalse,
  WhenEqual,
  WhenLessThan,
  WhenGreaterThan,
};

// The flag condition a special can carry; flag 0 means none.
struct Condition {
  std::int16_t flag = 0;
  CondTest test = NoTest;
  std::int16_t value = 0;
};

struct EncounterSlot {
  CreatureId creature;
  std::int16_t diceCount, diceSides, diceBonus;
  std::int16_t othersChance;
};

class MapBuilder {
 public:
  explicit MapBuilder(std::int16_t mapNo);

  core::MapRecord& map() { return map_; }
  const core::MapRecord& map() const { return map_; }

  // Side `side` of (x, y) and the facing side of its neighbour, when it has one.
  void Wall(int x, int y, int side, int code);
  // The outline of the squares x0..x1, y0..y1.
  void Room(int x0, int y0, int x1, int y1, int code);

  void Text(int index, std::string_view text);      // must fit in 50 characters
  void LongText(int index, std::string_view text);  // must fit in 1000 characters
  void Encounter(int slot, const EncounterSlot& encounter);

  // Each returns the special entry it used.
  int ExitToMap(int x, int y, std::int16_t map, int toX, int toY, Arrival facing,
                Condition cond = {});
  int ExitToBuilding(int x, int y, Building building, std::int16_t shopOrTemple = 0,
                     Condition cond = {});
  int DrawPicture(int x, int y, std::int16_t picture, std::int16_t facing, Condition cond = {});
  int ShowText(int x, int y, int text, std::int16_t facing, Condition cond = {});
  int FixedEncounter(int x, int y, CreatureId creature, std::int16_t count,
                     std::int16_t treasureItem, std::int16_t gold, Condition cond = {});
  int SetFlag(int x, int y, std::int16_t flag, FlagWhen when, std::int16_t value,
              Condition cond = {});
  int ShowLongText(int x, int y, int longText, std::int16_t facing, Condition cond = {});
  int Reward(int x, int y, RewardWhat what, std::int16_t amount, std::int16_t whoOrItem,
             Condition cond = {});

 private:
  int Add(std::int16_t kind, int x, int y, std::int16_t p1, std::int16_t p2, std::int16_t p3,
          std::int16_t p4, Condition cond);

  core::MapRecord map_;
};

}  // namespace demodata
