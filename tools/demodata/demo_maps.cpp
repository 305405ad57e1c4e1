// The three demo maps: the fen town of Lanternfall, the Sunken Reliquary beneath it and the
// crystal caves of the Glimmerdeep.

#include "demodata/demo_maps.h"

#include "demodata/demo_pictures.h"
#include "demodata/map_builder.h"

namespace demodata {

namespace {

using core::East;
using core::North;
using core::South;
using core::West;

// Wall codes as the editor names them.
enum Code : int { Wall1 = 1, Wall2, Wall3, Wall4, Wall5, Door1, Door2 };

// Flags the three maps share: the story of the drowned priest.
enum Flag : std::int16_t {
  FlagPurseFound = 4,
  FlagBlessed = 5,
  FlagPriestSlain = 10,
  FlagLeversPulled = 11,
  FlagCrystalsTaken = 20,
  FlagFerryPaid = 30,  // never set: one of the demo's deliberate slips
};

core::MapRecord Lanternfall() {
  MapBuilder b(LanternfallMap);
  core::MapRecord& m = b.map();
  m.HitRefresh = 20;
  m.ManaRefresh = 30;
  m.EncounterChance = 2;
  m.EncounterLevel = 1;
  m.GraphicSet = 0;

  b.Room(0, 0, 32, 32, Wall3);  // the town wall
  b.Wall(32, 16, East, Door2);  // east gate to the fens

  b.Room(2, 2, 8, 7, Wall1);  // guildhall
  b.Wall(5, 7, South, Door1);
  b.Room(11, 2, 15, 6, Wall1);  // armoury
  b.Wall(13, 6, South, Door1);
  b.Room(18, 2, 21, 6, Wall2);  // the Drowned Quill
  b.Wall(19, 6, South, Door2);
  b.Room(24, 2, 30, 9, Wall2);  // temple of the three lamps
  b.Wall(24, 5, West, Door1);
  b.Room(2, 24, 7, 29, Wall1);  // review board
  b.Wall(7, 26, East, Door2);
  b.Room(11, 24, 15, 28, Wall3);  // Heron and Hook
  b.Wall(13, 24, North, Door1);
  b.Room(18, 24, 22, 28, Wall2);  // smithy
  b.Wall(20, 24, North, Door2);
  b.Room(14, 13, 18, 17, Wall5);  // hedged lantern garden
  b.Wall(14, 15, West, Door1);
  b.Wall(18, 15, East, Door2);
  b.Room(24, 24, 29, 29, Wall4);  // the sunken stair
  b.Wall(26, 24, North, Door1);

  b.Text(0, "Welcome to Lanternfall. Mind the water.");
  b.Text(1, "The Adventurers' Guildhall. Members only.");
  b.Text(2, "LANTERNFALL ARMOURY - blades, bows, bucklers");
  b.Text(3, "The Drowned Quill: scrolls bought and sold.");
  b.Text(4, "A painted heron holds a brass hook over the door.");
  b.Text(5, "Sparks fly from the smithy on Gravel Street.");
  b.Text(6, "The Review Board sits at the tenth bell.");
  b.Text(7, "Steps lead down into black water.");
  b.Text(8, "A lantern burns here that no one ever fills.");
  b.Text(9, "Something glints between the cobbles.");
  b.Text(10, "The gate guard nods. \"Back before dark.\"");
  b.Text(11, "Three lamps burn: white, gold and black.");
  b.Text(12, "The ferryman pushes off into the fog.");
  b.LongText(0,
             "Lanternfall stands on stilts above the fen.\\nWhen the old kingdom drowned, its "
             "priests kept\\none lamp burning in every street, and the\\nlamps have not gone "
             "out since.\\NNo one in the\\ntown will say who tends them.");
  b.LongText(1,
             "\\CThe guildmaster looks up from a ledger.\\n\"New faces. Good. The Reliquary "
             "took three\\nof ours this winter. Bring back the priest's\\nlamp and the guild "
             "will remember you.\"");
  b.LongText(2,
             "A notice is nailed to the garden gate:\\n\\nTHE RELIQUARY STAIR IS CLOSED BY "
             "ORDER\\nOF THE REVIEW BOARD.\\N(Someone has scratched out CLOSED.)");

  b.ExitToBuilding(5, 6, Guildhall);
  b.ShowLongText(5, 6, 1, FaceN);
  b.ExitToBuilding(13, 5, ShopBuilding, LanternfallArmoury);
  b.ExitToBuilding(19, 5, ShopBuilding, DrownedQuill);
  b.ExitToBuilding(13, 25, ShopBuilding, HeronAndHook);
  b.ExitToBuilding(20, 25, ShopBuilding, GravelStreetSmithy);
  b.ExitToBuilding(6, 26, ReviewBoard);
  b.ExitToBuilding(26, 4, Temple, TempleLight);
  b.ExitToBuilding(27, 6, Temple, TempleLuck);
  b.ExitToBuilding(29, 8, Temple, TempleDark, {FlagPriestSlain, WhenTrue});
  b.SetFlag(27, 6, FlagBlessed, Now, 1);
  b.ShowText(25, 5, 11, FaceE);

  b.ShowText(5, 8, 1, FaceN);
  b.ShowText(13, 7, 2, FaceN);
  b.ShowText(19, 7, 3, FaceN | FaceE | FaceW);
  b.ShowText(13, 23, 4, FaceS);
  b.ShowText(20, 23, 5, FaceS | FaceW);
  b.ShowText(8, 26, 6, FaceW);
  b.ShowText(16, 20, 0, AnyFacing);
  b.ShowText(16, 15, 8, AnyFacing);
  b.ShowText(31, 16, 10, FaceE);
  b.DrawPicture(31, 16, TownGate, FaceW);
  b.ShowLongText(13, 15, 2, FaceE);

  b.ShowText(26, 23, 7, FaceS);
  b.ExitToMap(26, 26, ReliquaryMap, 16, 1, ArriveSouth);
  b.ExitToMap(32, 16, GlimmerdeepMap, 1, 16, ArriveEast);

  // A lost purse: found once.
  b.ShowText(9, 18, 9, AnyFacing, {FlagPurseFound, WhenFalse});
  b.Reward(9, 18, Gold, 25, Total, {FlagPurseFound, WhenFalse});
  b.SetFlag(9, 18, FlagPurseFound, Now, 1);
  b.ShowLongText(16, 30, 0, FaceN | FaceS);

  // Three slips left on purpose, so the game data check has something to show (the README
  // lists them): a chandlery that Shop.dat does not hold yet, a ferryman who waits for a flag
  // that no map sets, and a fence walled on one side only.
  b.ExitToBuilding(9, 12, ShopBuilding, ShopIdEnd);
  b.ShowText(16, 31, 12, FaceS, {FlagFerryPaid, WhenTrue});
  m.SetWallCode(4, 14, core::East, Wall1);

  b.Encounter(0, {MarshHound, 1, 2, 0, 10});
  b.Encounter(1, {MireToad, 2, 4, 0, 25});
  b.Encounter(2, {CarrionHeron, 1, 3, 1, 5});
  b.Encounter(3, {GlassEel, 1, 2, 0, 0});
  return m;
}

core::MapRecord SunkenReliquary() {
  MapBuilder b(ReliquaryMap);
  core::MapRecord& m = b.map();
  m.HitRefresh = 60;
  m.ManaRefresh = 80;
  m.EncounterChance = 12;
  m.EncounterLevel = 4;
  m.GraphicSet = 1;

  b.Room(0, 0, 32, 32, Wall4);
  b.Room(14, 0, 18, 3, Wall2);  // landing under the stair
  b.Wall(16, 3, South, Door2);
  b.Room(10, 5, 22, 15, Wall5);  // the nave
  b.Wall(16, 5, North, Door2);
  b.Wall(16, 15, South, Door1);
  b.Wall(10, 9, West, Door1);
  b.Wall(22, 9, East, Door2);
  b.Room(2, 5, 7, 10, Wall5);  // west chapel
  b.Wall(7, 9, East, Door1);
  b.Room(25, 5, 30, 10, Wall5);  // east chapel
  b.Wall(25, 9, West, Door2);
  for (int x = 8; x <= 9; ++x) {  // passages to the chapels
    b.Wall(x, 9, North, Wall1);
    b.Wall(x, 9, South, Wall1);
  }
  for (int x = 23; x <= 24; ++x) {
    b.Wall(x, 9, North, Wall2);
    b.Wall(x, 9, South, Wall2);
  }
  b.Room(4, 20, 12, 28, Wall1);  // crypt
  b.Wall(8, 20, North, Door1);
  b.Room(18, 20, 28, 28, Wall3);  // altar chamber
  b.Wall(23, 20, North, Door2);
  b.Wall(18, 24, West, Door1);
  for (int y = 16; y <= 19; ++y) {  // the flooded way south
    b.Wall(15, y, West, Wall2);
    b.Wall(17, y, East, Wall2);
  }
  b.Room(1, 29, 5, 31, Wall1);  // the pedlar's niche
  b.Wall(5, 30, East, Door2);

  b.Text(0, "Water laps at the bottom step.");
  b.Text(1, "Carvings of fish-headed saints line the walls.");
  b.Text(2, "A lever, green with age, juts from the wall.");
  b.Text(3, "The lever will not move again.");
  b.Text(4, "The altar is bare. The lamp is gone.");
  b.Text(5, "Bones, neatly stacked, fill every niche.");
  b.Text(6, "A hunched pedlar grins: \"Buying? Selling?\"");
  b.Text(7, "The doors to the south stand open now.");
  b.Text(8, "You hear chanting under the water.");
  b.Text(9, "The chanting has stopped.");
  b.LongText(0,
             "The stair ends in a hall half full of water.\\nCold light moves on the ceiling. "
             "Somewhere\\nahead, a bell rings once, very slowly.");
  b.LongText(1,
             "\\CThe drowned priest rises from the altar\\npool, lamp in hand. \"The tide keeps "
             "what\\nit takes,\" it says, and the water rises\\nwith it.");
  b.LongText(2,
             "Scratched into the crypt wall:\\n\\NPULL BOTH LEVERS. THE WAY OPENS.\\NTHEN "
             "RUN.");
  b.LongText(3, "The priest sinks back into the pool.\\nIts lamp floats, still burning.");

  b.ExitToMap(16, 1, LanternfallMap, 26, 25, ArriveNorth);
  b.ShowLongText(16, 2, 0, FaceS);
  b.DrawPicture(16, 4, ReliquaryDoor, FaceS);
  b.ShowText(16, 2, 0, FaceN);
  b.ShowText(12, 7, 1, FaceW | FaceE);
  b.ShowText(16, 10, 8, AnyFacing, {FlagPriestSlain, WhenFalse});
  b.ShowText(16, 10, 9, AnyFacing, {FlagPriestSlain, WhenTrue});

  // Two levers, one in each chapel; both together open the way south.
  b.ShowText(3, 7, 2, FaceW, {FlagLeversPulled, WhenLessThan, 2});
  b.SetFlag(3, 7, FlagLeversPulled, Now, 1, {FlagLeversPulled, WhenEqual, 0});
  b.ShowText(29, 7, 2, FaceE, {FlagLeversPulled, WhenLessThan, 2});
  b.SetFlag(29, 7, FlagLeversPulled, Now, 2, {FlagLeversPulled, WhenEqual, 1});
  b.ShowText(29, 7, 3, FaceE, {FlagLeversPulled, WhenGreaterThan, 1});
  b.ShowText(16, 16, 7, FaceS, {FlagLeversPulled, WhenGreaterThan, 1});

  b.ShowText(6, 24, 5, AnyFacing);
  b.ShowLongText(5, 21, 2, FaceN | FaceW);
  b.FixedEncounter(8, 25, BoneRattler, 4, ShortSword, 15);
  b.FixedEncounter(10, 26, HollowSentinel, 2, TinBuckler, 0);

  b.DrawPicture(23, 22, DrownedAltar, FaceS);
  b.ShowLongText(23, 24, 1, AnyFacing, {FlagPriestSlain, WhenFalse});
  b.FixedEncounter(23, 24, DrownedPriest, 1, AmuletOfKarma, 200, {FlagPriestSlain, WhenFalse});
  b.SetFlag(23, 24, FlagPriestSlain, WinCombat, 1);
  b.ShowLongText(23, 24, 3, AnyFacing, {FlagPriestSlain, WhenTrue});
  b.ShowText(23, 25, 4, FaceN, {FlagPriestSlain, WhenTrue});
  b.Reward(23, 25, Experience, 500, Each, {FlagPriestSlain, WhenTrue});
  b.SetFlag(20, 24, 12, Never, 0);  // kept for the guild's later quest

  b.ShowText(3, 30, 6, FaceW);
  b.ExitToBuilding(2, 30, ShopBuilding, ReliquaryPedlar);
  b.ExitToMap(30, 30, GlimmerdeepMap, 30, 29, ArriveWest);

  b.Encounter(0, {BoneRattler, 2, 4, 0, 20});
  b.Encounter(1, {HollowSentinel, 1, 3, 0, 10});
  b.Encounter(2, {GlassEel, 1, 6, 0, 15});
  b.Encounter(3, {ReedWitch, 1, 1, 0, 5});
  b.Encounter(4, {DrownedPriest, 1, 1, 0, 0});
  b.Encounter(5, {LampreySwarm, 1, 2, 0, 30});
  b.Encounter(6, {BogLurker, 1, 2, 1, 10});
  b.Encounter(7, {MarshHound, 2, 3, 0, 40});
  b.Encounter(8, {TideWraith, 1, 1, 0, 0});
  b.Encounter(9, {MireToad, 3, 4, 2, 50});
  b.Encounter(10, {SiltGolem, 1, 1, 0, 0});
  return m;
}

core::MapRecord Glimmerdeep() {
  MapBuilder b(GlimmerdeepMap);
  core::MapRecord& m = b.map();
  m.HitRefresh = 40;
  m.ManaRefresh = 25;
  m.EncounterChance = 8;
  m.EncounterLevel = 3;
  m.GraphicSet = 2;

  b.Room(0, 0, 32, 32, Wall2);
  b.Room(3, 3, 9, 9, Wall3);  // caverns of rough rock
  b.Wall(6, 9, South, Door2);
  b.Room(12, 4, 20, 12, Wall5);  // crystal hall, veins of glass
  b.Wall(12, 8, West, Door1);
  b.Wall(16, 12, South, Door2);
  b.Room(23, 3, 29, 10, Wall3);
  b.Wall(23, 6, West, Door2);
  b.Room(4, 14, 10, 22, Wall4);  // the old mine, walls of dressed stone
  b.Wall(7, 14, North, Door1);
  b.Wall(10, 18, East, Door1);
  b.Room(14, 18, 22, 26, Wall2);  // lake cavern
  b.Wall(22, 22, East, Door2);
  b.Room(25, 14, 30, 20, Wall1);  // miners' cabin
  b.Wall(27, 20, South, Door1);
  for (int y = 24; y <= 30; ++y) b.Wall(8, y, East, Wall5);  // a crystal seam

  b.Text(0, "Tunnels wind east under the fen.");
  b.Text(1, "The walls here grow glass like frost.");
  b.Text(2, "A crystal hums when you touch it.");
  b.Text(3, "Water pours from a crack high above.");
  b.Text(4, "An old miner's pick lies rusting here.");
  b.Text(5, "Chalk marks: 3 SOLD, 2 TO GO.");
  b.Text(6, "Every crystal within reach has been taken.");
  b.Text(7, "A draught smells of incense from the west.");
  b.LongText(0,
             "\\CThe Glimmerdeep was a mine before it was\\na lair. The miners left in a "
             "hurry:\\ncarts still stand on their rails, and the\\ncrystals they dug glow "
             "in the dark.");
  b.LongText(1,
             "The miners' log, last page:\\n\\N\"Day 40. The eels came up the lake again."
             "\\nWe are leaving the rest of the glass.\\NLet the Guild have it.\"");

  b.ExitToMap(1, 16, LanternfallMap, 31, 16, ArriveWest);
  b.ShowText(2, 16, 0, FaceE);
  b.ShowLongText(2, 16, 0, FaceE);
  b.DrawPicture(16, 8, CrystalCave, FaceN | FaceE | FaceS | FaceW);
  b.ShowText(14, 6, 1, FaceW | FaceS);
  b.ShowText(16, 8, 2, FaceN | FaceS);
  b.Reward(18, 6, ItemReward, 2, GlassBead, {FlagCrystalsTaken, WhenLessThan, 3});
  b.SetFlag(18, 6, FlagCrystalsTaken, Now, 3, {FlagCrystalsTaken, WhenLessThan, 3});
  b.ShowText(18, 6, 6, AnyFacing, {FlagCrystalsTaken, WhenGreaterThan, 2});
  b.ShowText(19, 10, 5, FaceE, {FlagCrystalsTaken, WhenEqual, 3});

  b.DrawPicture(18, 20, Waterfall, FaceN);
  b.ShowText(18, 19, 3, FaceN);
  b.FixedEncounter(18, 23, GlassEel, 3, 0, 30);
  b.FixedEncounter(20, 24, LampreySwarm, 1, HealingDraught, 0, {FlagPriestSlain, WhenTrue});

  b.ShowText(6, 17, 4, AnyFacing);
  b.FixedEncounter(7, 19, SiltGolem, 1, WardensMace, 120);
  b.Reward(7, 20, Experience, 300, Total);
  b.ShowLongText(27, 16, 1, FaceN | FaceE);
  b.Reward(28, 17, ItemReward, 1, ScrollOfTidecall, {FlagPriestSlain, WhenTrue});
  b.Reward(28, 18, Gold, 12, Each);

  b.DrawPicture(26, 6, FenSunset, FaceE);
  b.ShowText(25, 6, 7, FaceW);
  b.ExitToMap(30, 29, ReliquaryMap, 29, 30, NoChange);
  b.FixedEncounter(27, 29, TideWraith, 1, ScrollOfEmbers, 500, {FlagLeversPulled, WhenEqual, 2});

  b.Encounter(0, {GlassEel, 2, 3, 0, 20});
  b.Encounter(1, {LampreySwarm, 1, 2, 0, 25});
  b.Encounter(2, {SiltGolem, 1, 1, 0, 0});
  b.Encounter(3, {BogLurker, 1, 3, 0, 15});
  b.Encounter(4, {MarshHound, 2, 4, 1, 30});
  b.Encounter(5, {CarrionHeron, 1, 4, 0, 10});
  b.Encounter(6, {BoneRattler, 1, 4, 0, 20});
  b.Encounter(7, {MireToad, 2, 6, 0, 35});
  b.Encounter(8, {ReedWitch, 1, 1, 0, 5});
  b.Encounter(9, {HollowSentinel, 1, 2, 0, 10});
  b.Encounter(10, {TideWraith, 1, 1, 0, 0});
  return m;
}

}  // namespace

std::vector<core::MapRecord> DemoMaps() {
  return {Lanternfall(), SunkenReliquary(), Glimmerdeep()};
}

}  // namespace demodata
