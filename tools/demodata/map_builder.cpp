#include "demodata/map_builder.h"

#include <cassert>

namespace demodata {

MapBuilder::MapBuilder(std::int16_t mapNo) {
  map_.MapNo = mapNo;
}

void MapBuilder::Wall(int x, int y, int side, int code) {
  static constexpr int dx[] = {0, 1, 0, -1};
  static constexpr int dy[] = {-1, 0, 1, 0};
  map_.SetWallCode(x, y, side, code);
  const int nx = x + dx[side];
  const int ny = y + dy[side];
  if (nx >= 0 && ny >= 0 && nx < core::MapSize && ny < core::MapSize) {
    map_.SetWallCode(nx, ny, (side + 2) % core::SideCount, code);
  }
}

void MapBuilder::Room(int x0, int y0, int x1, int y1, int code) {
  for (int x = x0; x <= x1; ++x) {
    Wall(x, y0, core::North, code);
    Wall(x, y1, core::South, code);
  }
  for (int y = y0; y <= y1; ++y) {
    Wall(x0, y, core::West, code);
    Wall(x1, y, core::East, code);
  }
}

void MapBuilder::Text(int index, std::string_view text) {
  assert(text.size() <= core::MapTextWidth);
  map_.SetText(index, text);
}

void MapBuilder::LongText(int index, std::string_view text) {
  assert(text.size() <= core::MapLongTextWidth);
  map_.SetLongText(index, text);
}

void MapBuilder::Encounter(int slot, const EncounterSlot& e) {
  using F = core::EncounterField;
  map_.SetEncounter(slot, F::Creature, e.creature);
  map_.SetEncounter(slot, F::DiceCount, e.diceCount);
  map_.SetEncounter(slot, F::DiceSides, e.diceSides);
  map_.SetEncounter(slot, F::DiceBonus, e.diceBonus);
  map_.SetEncounter(slot, F::OthersChance, e.othersChance);
}

int MapBuilder::Add(std::int16_t kind, int x, int y, std::int16_t p1, std::int16_t p2,
                    std::int16_t p3, std::int16_t p4, Condition cond) {
  const int index = map_.FirstFreeSpecial();
  assert(index >= 0);
  core::MapSpecial s;
  s.Kind = kind;
  s.SquareX = static_cast<std::int16_t>(x);
  s.SquareY = static_cast<std::int16_t>(y);
  s.Param1 = p1;
  s.Param2 = p2;
  s.Param3 = p3;
  s.Param4 = p4;
  s.CondFlag = cond.flag;
  s.CondTest = cond.flag > 0 ? cond.test : NoTest;
  s.CondValue = cond.flag > 0 ? cond.value : 0;
  map_.PutSpecial(index, s);
  return index;
}

int MapBuilder::ExitToMap(int x, int y, std::int16_t map, int toX, int toY, Arrival facing,
                          Condition cond) {
  return Add(1, x, y, map, static_cast<std::int16_t>(toX), static_cast<std::int16_t>(toY), facing,
             cond);
}

int MapBuilder::ExitToBuilding(int x, int y, Building building, std::int16_t shopOrTemple,
                               Condition cond) {
  return Add(2, x, y, building, shopOrTemple, 0, 0, cond);
}

int MapBuilder::DrawPicture(int x, int y, std::int16_t picture, std::int16_t facing,
                            Condition cond) {
  return Add(3, x, y, picture, facing, 0, 0, cond);
}

int MapBuilder::ShowText(int x, int y, int text, std::int16_t facing, Condition cond) {
  assert(text >= 0 && text < core::MapTextCount);
  return Add(4, x, y, static_cast<std::int16_t>(text), facing, 0, 0, cond);
}

int MapBuilder::FixedEncounter(int x, int y, CreatureId creature, std::int16_t count,
                               std::int16_t treasureItem, std::int16_t gold, Condition cond) {
  return Add(5, x, y, creature, count, treasureItem, gold, cond);
}

int MapBuilder::SetFlag(int x, int y, std::int16_t flag, FlagWhen when, std::int16_t value,
                        Condition cond) {
  return Add(6, x, y, flag, when, value, 0, cond);
}

int MapBuilder::ShowLongText(int x, int y, int longText, std::int16_t facing, Condition cond) {
  assert(longText >= 0 && longText < core::MapLongTextCount);
  return Add(7, x, y, static_cast<std::int16_t>(longText), facing, 0, 0, cond);
}

int MapBuilder::Reward(int x, int y, RewardWhat what, std::int16_t amount, std::int16_t whoOrItem,
                       Condition cond) {
  return Add(8, x, y, what, amount, whoOrItem, 0, cond);
}

}  // namespace demodata
