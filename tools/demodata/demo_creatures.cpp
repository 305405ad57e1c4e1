// The creatures of the fens, the Sunken Reliquary and the Glimmerdeep.

#include "core/text.h"
#include "demodata/demo_catalogues.h"
#include "demodata/demo_ids.h"
#include "demodata/demo_pictures.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <vector>

namespace demodata {

namespace {

enum CreatureType : std::int16_t { Animal = 0, MindlessUndead, Undead, WaterElement };
enum Sex : std::int16_t { NoSex = 0, Male, Female };
enum Scaling : std::int16_t { NoScaling = 0, AddDif, MultDif };
enum SpecialEffect : std::int16_t { CauseDisease = 1, CastSpell = 2 };
constexpr std::int16_t Always = -1;

struct Dice {
  std::int16_t count = 0, sides = 0, bonus = 0;
};

struct Special {
  std::int16_t chance;  // -1 always, 10..90 percent
  std::int16_t effect;
  std::int16_t power;  // disease power 0..9, or a spell's list position
};

Special Disease(std::int16_t chance, std::int16_t powerIndex) {
  return {chance, CauseDisease, powerIndex};
}
Special Casts(std::int16_t chance, SpellId spell) {
  return {chance, CastSpell, SpellListPosition(spell)};
}

struct CreatureSpec {
  CreatureId id;
  const char* name;
  const char* plural;
  CreatureType type;
  Sex sex;
  Dice hits;
  std::int16_t level;
  Scaling scaling;
  std::int16_t magicPoints;
  Dice damage;
  std::int16_t speed, attack, defence, karma, intelligence;
  std::array<std::int16_t, core::SaveCategoryCount> saves;
  std::vector<Special> specials;
  Dice gold;
  std::int16_t experience, experiencePerHit;
};

core::CreatureRecord MakeCreature(const CreatureSpec& row) {
  assert(std::strlen(row.name) <= core::CreatureNameWidth);
  assert(std::strlen(row.plural) <= core::CreatureNameWidth);
  core::CreatureRecord c;
  c.CreatureNo = row.id;
  c.CreatureName = core::FixedText(row.name, core::CreatureNameWidth);
  c.PluralName = core::FixedText(row.plural, core::CreatureNameWidth);
  c.CreatureType = row.type;
  c.Sex = row.sex;
  c.Bitmap = CreaturePictureNumber(row.id);
  c.HitDice = row.hits.count;
  c.HitSides = row.hits.sides;
  c.HitBonus = row.hits.bonus;
  c.Level = row.level;
  c.HitPointScaling = row.scaling;
  c.MagicPoints = row.magicPoints;
  c.DamageDice = row.damage.count;
  c.DamageSides = row.damage.sides;
  c.DamageBonus = row.damage.bonus;
  c.Speed = row.speed;
  c.Attack = row.attack;
  c.Defence = row.defence;
  c.Karma = row.karma;
  c.Intelligence = row.intelligence;
  c.Saves = row.saves;
  int slot = 0;
  for (const Special& special : row.specials) {
    c.SetCreatureSpecial(slot, core::SpecialSlotField::Chance, special.chance);
    c.SetCreatureSpecial(slot, core::SpecialSlotField::Effect, special.effect);
    c.SetCreatureSpecial(slot, core::SpecialSlotField::Power, special.power);
    ++slot;
  }
  c.GoldDice = row.gold.count;
  c.GoldSides = row.gold.sides;
  c.GoldBonus = row.gold.bonus;
  c.Experience = row.experience;
  c.ExperiencePerHit = row.experiencePerHit;
  return c;
}

}  // namespace

std::vector<core::CreatureRecord> DemoCreatures() {
  // Saves: none, paralysis/poison/death, rod/staff/wand, petrification, breath, spell.
  // clang-format off
  const CreatureSpec rows[] = {
      {MarshHound, "Marsh Hound", "Marsh Hounds", Animal, Male, {2, 8, 0}, 1, AddDif, 0,
       {1, 6, 0}, 12, 3, 2, 0, 2, {0, 14, 16, 15, 17, 17},
       {Disease(30, 1)}, {0, 0, 0}, 10, 2},
      {BogLurker, "Bog Lurker", "Bog Lurkers", WaterElement, NoSex, {4, 8, 4}, 3, AddDif, 12,
       {2, 4, 0}, 6, 4, 5, 0, 4, {0, 12, 14, 13, 15, 14},
       {Casts(Always, FrostGale)}, {1, 10, 0}, 45, 3},
      {HollowSentinel, "Hollow Sentinel", "Hollow Sentinels", MindlessUndead, NoSex, {5, 6, 5}, 4,
       MultDif, 0, {1, 10, 2}, 5, 6, 7, -2, 0, {0, 10, 13, 9, 16, 15},
       {}, {2, 6, 0}, 60, 4},
      {DrownedPriest, "Drowned Priest", "Drowned Priests", Undead, Male, {6, 6, 0}, 6, AddDif, 30,
       {1, 8, 1}, 8, 5, 4, -5, 13, {0, 9, 11, 10, 13, 8},
       {Casts(50, GraveRot), Disease(20, 5), Casts(10, MendFlesh)}, {3, 10, 5}, 150, 6},
      {ReedWitch, "Reed Witch", "Reed Witches", Undead, Female, {5, 4, 2}, 5, AddDif, 40,
       {1, 4, 0}, 11, 3, 3, -4, 16, {0, 11, 9, 12, 14, 7},
       {Casts(40, MistOfFolly), Casts(60, EmberDart), Casts(30, Quickstep)}, {2, 12, 10}, 130, 5},
      {GlassEel, "Glass Eel", "Glass Eels", WaterElement, NoSex, {3, 5, 2}, 2, NoScaling, 0,
       {1, 4, 1}, 14, 4, 3, 0, 1, {0, 13, 15, 14, 16, 16},
       {Disease(10, 9)}, {0, 0, 0}, 20, 2},
      {CarrionHeron, "Carrion Heron", "Carrion Herons", Animal, Female, {2, 6, 1}, 1, NoScaling, 0,
       {1, 3, 0}, 15, 2, 3, 0, 2, {0, 15, 16, 16, 17, 17},
       {Disease(50, 3)}, {0, 0, 0}, 8, 1},
      {BoneRattler, "Bone Rattler", "Bone Rattlers", MindlessUndead, NoSex, {3, 8, 0}, 2, AddDif, 0,
       {1, 6, 1}, 7, 3, 4, 0, 0, {0, 12, 15, 12, 16, 16},
       {Disease(90, 0)}, {1, 6, 0}, 25, 3},
      {TideWraith, "Tide Wraith", "Tide Wraiths", Undead, NoSex, {8, 8, 8}, 9, MultDif, 60,
       {2, 6, 2}, 13, 8, 8, -9, 12, {0, 6, 8, 7, 10, 5},
       {Casts(Always, StoneGaze), Casts(70, WandEcho), Disease(80, 8)}, {5, 10, 20}, 600, 10},
      {MireToad, "Mire Toad", "Mire Toads", Animal, Male, {1, 6, 0}, 1, NoScaling, 0,
       {1, 2, 0}, 9, 1, 1, 0, 1, {0, 16, 17, 17, 18, 18},
       {}, {0, 0, 0}, 3, 1},
      {LampreySwarm, "Lamprey Swarm", "Lamprey Swarms", WaterElement, NoSex, {6, 4, 0}, 3, AddDif,
       0, {3, 2, 0}, 16, 5, 2, 0, 1, {0, 13, 16, 15, 12, 16},
       {Disease(40, 2)}, {0, 0, 0}, 40, 2},
      {SiltGolem, "Silt Golem", "Silt Golems", MindlessUndead, NoSex, {10, 8, 10}, 8, MultDif, 0,
       {3, 6, 3}, 3, 7, 9, 0, 0, {0, 8, 10, 6, 12, 11},
       {Casts(20, CallMarshHound), Disease(60, 4), Casts(90, FrostGale)}, {4, 12, 0}, 450, 8},
  };
  // clang-format on
  std::vector<core::CreatureRecord> creatures;
  for (const CreatureSpec& row : rows) creatures.push_back(MakeCreature(row));
  return creatures;
}

}  // namespace demodata
