// The spells of the demo world and the levels at which each class learns them.

#include "core/text.h"
#include "demodata/demo_catalogues.h"
#include "demodata/demo_classes.h"
#include "demodata/demo_ids.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <vector>

namespace demodata {

namespace {

enum SpellType : std::int16_t {
  Heal = 0,
  Harm,
  Summon,
  ArmourSpell,
  ToHitSpell,
  Light,
  CombatSpeed,
  StrengthSpell,
  ConfuseSpell,
};
enum Target : std::int16_t { Self = 0, One, Group, CombatSelf, CombatOne, CombatGroup, CombatAll };
enum SaveVs : std::int16_t { NoSave = 0, ParaPoisonDeath, RodStaffWand, PetriPoly, Breath, Spell };
enum SaveEffect : std::int16_t { HalfDamage = 0, QuarterDamage, ThreeQuarterDamage, Negates };

struct Dice {
  std::int16_t count = 0, sides = 0, bonus = 0;
};

struct SpellSpec {
  SpellId id;
  const char* name;
  std::int16_t castLevel;  // 0 = an inherent power
  std::int16_t speed;
  SpellType type;
  Target target;
  std::array<std::int16_t, core::UsableByCount> usableBy;
  std::int16_t cost, chance, chancePerLevel;
  Dice damage, levelDamage, duration, levelDuration;
  SaveVs saveVs;
  SaveEffect saveEffect;
  const char* damageDesc;
  const char* description;  // may use the game's \n escape pairs
};

core::SpellRecord MakeSpell(const SpellSpec& row) {
  assert(std::strlen(row.name) <= core::SpellNameWidth);
  assert(std::strlen(row.damageDesc) <= core::DamageDescWidth);
  assert(std::strlen(row.description) <= core::DescriptionWidth);
  core::SpellRecord s;
  s.SpellNo = row.id;
  s.SpellName = core::FixedText(row.name, core::SpellNameWidth);
  s.CastLevel = row.castLevel;
  s.Speed = row.speed;
  s.SpellType = row.type;
  s.Target = row.target;
  s.UsableBy = row.usableBy;
  s.CastCost = row.cost;
  s.CastChance = row.chance;
  s.ChancePerLevel = row.chancePerLevel;
  s.DamageDice = row.damage.count;
  s.DamageSides = row.damage.sides;
  s.DamageBonus = row.damage.bonus;
  s.LevelDamageDice = row.levelDamage.count;
  s.LevelDamageSides = row.levelDamage.sides;
  s.LevelDamageBonus = row.levelDamage.bonus;
  s.DurationDice = row.duration.count;
  s.DurationSides = row.duration.sides;
  s.DurationBonus = row.duration.bonus;
  s.LevelDurationDice = row.levelDuration.count;
  s.LevelDurationSides = row.levelDuration.sides;
  s.LevelDurationBonus = row.levelDuration.bonus;
  s.SaveVs = row.saveVs;
  s.SaveEffect = row.saveEffect;
  s.DamageDesc = core::FixedText(row.damageDesc, core::DamageDescWidth);
  s.Description = core::FixedText(row.description, core::DescriptionWidth);
  return s;
}

}  // namespace

std::vector<core::SpellRecord> DemoSpells() {
  const auto priests = UsableBy({Cleric, Paladin});
  const auto wizards = UsableBy({Mage, Ranger});
  // Name, cast level, speed, type, target, usable by, cost, chance + per level, damage,
  // damage per level, duration, duration per level, save, save effect, damage text, text.
  // clang-format off
  const SpellSpec rows[] = {
      {MendFlesh, "Mend Flesh", 1, 3, Heal, One, priests, 2, 70, 3,
       {1, 8, 0}, {0, 0, 1}, {}, {}, NoSave, HalfDamage, "heals 1D8 wounds",
       "The cleric lays a hand on a companion\\nand the wound closes like water."},
      {EmberDart, "Ember Dart", 1, 2, Harm, CombatOne, wizards, 2, 75, 2,
       {1, 6, 1}, {1, 4, 0}, {}, {}, Spell, HalfDamage, "burns for 1D6+1",
       "A mote of fire leaps from the fingertip.\\nWet fen-folk hate it above all things."},
      {CallMarshHound, "Call Marsh Hound", 3, 6, Summon, CombatSelf, UsableBy({Ranger, Mage}),
       6, 55, 3, {}, {}, {2, 4, 0}, {1, 2, 0}, NoSave, HalfDamage, "",
       "A grey hound pads out of the reeds and\\nfights beside the caster for a while."},
      {BarkSkin, "Bark Skin", 2, 3, ArmourSpell, Self, UsableBy({Cleric, Ranger, Mage}), 3, 70, 2,
       {}, {}, {3, 6, 0}, {1, 6, 0}, NoSave, HalfDamage, "",
       "The caster's skin turns rough as old\\nwillow bark."},
      {KeenEye, "Keen Eye", 2, 3, ToHitSpell, Group, UsableBy({Ranger, Cleric, Merchant}),
       4, 65, 2, {}, {}, {2, 4, 2}, {0, 0, 1}, NoSave, HalfDamage, "",
       "Every companion sees the gap in the\\nfoe's guard a heartbeat sooner."},
      {LanternGlow, "Lantern Glow", 1, 4, Light, Self, UsableByAll(), 1, 90, 1,
       {}, {}, {10, 10, 20}, {2, 10, 0}, NoSave, HalfDamage, "",
       "A pale blue light hangs above the party.\\NIt burns without oil."},
      {Quickstep, "Quickstep", 4, 2, CombatSpeed, CombatGroup, UsableBy({Mage, Thief}), 6, 60, 3,
       {}, {}, {1, 4, 1}, {}, NoSave, HalfDamage, "",
       "Boots feel light; blades come sooner."},
      {OxMight, "Ox Might", 3, 3, StrengthSpell, One,
       UsableBy({Fighter, Cleric, Paladin, Berserker}), 5, 65, 2,
       {}, {}, {2, 6, 0}, {1, 6, 0}, NoSave, HalfDamage, "",
       "One companion lifts as two."},
      {MistOfFolly, "Mist of Folly", 5, 4, ConfuseSpell, CombatGroup,
       UsableBy({Mage, Ranger, Cleric}), 8, 55, 3,
       {}, {}, {1, 4, 0}, {0, 0, 1}, ParaPoisonDeath, Negates, "",
       "A yellow mist rolls over the foes; they\\nforget friend from enemy."},
      {FrostGale, "Frost Gale", 7, 5, Harm, CombatAll, UsableBy({Mage, Cleric}), 14, 45, 3,
       {4, 6, 0}, {1, 6, 0}, {}, {}, Breath, QuarterDamage, "freezes all for 4D6",
       "Winter breath from the drowned north.\\nIt spares no one, friend or foe."},
      {GraveRot, "Grave Rot", 6, 4, Harm, CombatOne, UsableBy({Cleric, Mage}), 10, 50, 3,
       {3, 8, 0}, {1, 8, 0}, {}, {}, ParaPoisonDeath, HalfDamage, "rots flesh for 3D8",
       "Taught only to the priests of the\\nReliquary, and seldom to them."},
      {StoneGaze, "Stone Gaze", 9, 6, Harm, CombatOne, UsableBy({Mage}), 20, 35, 4,
       {10, 10, 0}, {}, {}, {}, PetriPoly, Negates, "turns one foe to stone",
       "\\CThe eyes of the caster go grey as\\nslate. Whoever meets them stands\\nstill for ever."},
      {WandEcho, "Wand Echo", 8, 5, Harm, CombatGroup, wizards, 16, 40, 3,
       {5, 4, 0}, {1, 4, 0}, {}, {}, RodStaffWand, ThreeQuarterDamage, "echoes for 5D4",
       "A wand's last charge, called back and\\nspread over a whole group."},
      {GreaterMending, "Greater Mending", 7, 5, Heal, Group, priests, 15, 55, 3,
       {3, 8, 3}, {1, 8, 0}, {}, {}, NoSave, HalfDamage, "heals 3D8+3 each",
       "The whole party is mended at once."},
      {BattleCry, "Battle Cry", 0, 1, ToHitSpell, CombatGroup,
       UsableBy({Fighter, Berserker, Paladin}), 0, 100, 0,
       {}, {}, {1, 3, 0}, {}, NoSave, HalfDamage, "",
       "A roar that steadies every arm."},
      {ShadowVeil, "Shadow Veil", 0, 1, ArmourSpell, CombatSelf, UsableBy({Thief}), 0, 100, 0,
       {}, {}, {1, 4, 0}, {0, 0, 1}, NoSave, HalfDamage, "",
       "The thief slips half out of sight."},
      {Tidecall, "Tidecall", 10, 7, Summon, CombatAll, UsableBy({Mage, Cleric}), 25, 30, 4,
       {}, {}, {1, 6, 2}, {}, Spell, Negates, "",
       "The sea comes up through the floor and\\nsomething comes with it."},
      {CoinSense, "Coin Sense", 0, 2, Light, Self, UsableBy({Merchant, Thief}), 0, 100, 0,
       {}, {}, {5, 10, 0}, {}, NoSave, HalfDamage, "",
       "Gold glints through mud and stone."},
  };
  // clang-format on
  std::vector<core::SpellRecord> spells;
  for (const SpellSpec& row : rows) spells.push_back(MakeSpell(row));
  return spells;
}

std::vector<core::SpellProgRecord> DemoSpellProgression() {
  struct Step {
    ClassNo cls;
    std::int16_t level;
    SpellId spell;
    std::int16_t replaces;  // a spell number, 0 = none
  };
  const Step steps[] = {
      {Fighter, 4, BattleCry, 0},
      {Fighter, 12, OxMight, 0},
      {Thief, 1, ShadowVeil, 0},
      {Thief, 6, CoinSense, 0},
      {Thief, 14, Quickstep, 0},
      {Cleric, 1, MendFlesh, 0},
      {Cleric, 3, BarkSkin, 0},
      {Cleric, 5, KeenEye, 0},
      {Cleric, 7, OxMight, 0},
      {Cleric, 9, LanternGlow, 0},
      {Cleric, 11, GraveRot, 0},
      {Cleric, 13, GreaterMending, MendFlesh},
      {Cleric, 15, Tidecall, 0},
      {Cleric, 17, MistOfFolly, 0},
      {Cleric, 19, FrostGale, 0},
      {Mage, 1, EmberDart, 0},
      {Mage, 2, LanternGlow, 0},
      {Mage, 4, BarkSkin, 0},
      {Mage, 6, CallMarshHound, 0},
      {Mage, 8, Quickstep, 0},
      {Mage, 10, MistOfFolly, 0},
      {Mage, 12, FrostGale, EmberDart},
      {Mage, 14, WandEcho, 0},
      {Mage, 16, StoneGaze, 0},
      {Mage, 18, Tidecall, CallMarshHound},
      {Mage, 20, GraveRot, 0},
      {Berserker, 2, BattleCry, 0},
      {Berserker, 10, OxMight, 0},
      {Ranger, 3, KeenEye, 0},
      {Ranger, 5, EmberDart, 0},
      {Ranger, 9, CallMarshHound, 0},
      {Ranger, 15, MistOfFolly, 0},
      {Paladin, 5, MendFlesh, 0},
      {Paladin, 8, BattleCry, 0},
      {Paladin, 16, GreaterMending, MendFlesh},
      {Merchant, 1, CoinSense, 0},
      {Merchant, 7, LanternGlow, 0},
      {Merchant, 20, KeenEye, 0},
  };
  std::vector<core::SpellProgRecord> progression;
  std::int16_t number = 0;
  for (const Step& step : steps) {
    core::SpellProgRecord entry;
    entry.ProgNo = ++number;
    entry.ProgClass = static_cast<std::int16_t>(step.cls - 1);  // stored 0-based
    entry.ProgLevel = step.level;
    entry.ProgSpell = step.spell;
    entry.ProgReplaces = step.replaces;
    progression.push_back(entry);
  }
  return progression;
}

}  // namespace demodata
