#include "demodata/demo_pictures.h"

#include "demodata/canvas.h"

#include <cmath>
#include <cstdlib>

namespace demodata {

namespace {

constexpr int W = PictureWidth;
constexpr int H = PictureHeight;
constexpr int CreaturePictureBase = 10;  // creature k is shown with picture 10 + k

// --- Map scenes ---------------------------------------------------------------------------

void PaintTownGate(Canvas& c) {
  c.VerticalGradient(0, H - 1, Rgb(40, 50, 110), Rgb(230, 150, 90));  // dusk
  c.FillEllipse(160, 30, 8, 8, Rgb(250, 245, 220));                   // rising moon
  c.FillBelowWave(118, 2, 0.05, 0, Rgb(70, 90, 50));                  // fen meadow
  c.FillRect(20, 60, 180, 120, Rgb(120, 110, 100));                   // town wall
  for (int x = 20; x <= 180; x += 12) c.FillRect(x, 54, x + 6, 60, Rgb(120, 110, 100));
  for (int tower : {20, 150}) {
    c.FillRect(tower, 40, tower + 30, 120, Rgb(105, 95, 90));
    c.FillTriangle(tower - 4, 40, tower + 34, 40, tower + 15, 14, Rgb(130, 50, 40));
    c.FillRect(tower + 12, 62, tower + 18, 72, Rgb(250, 210, 90));  // lit window
  }
  c.FillEllipse(100, 88, 20, 22, Rgb(30, 25, 25));  // gate arch
  c.FillRect(80, 88, 120, 120, Rgb(30, 25, 25));
  for (int x : {86, 114}) {
    c.Line(x, 70, x, 78, 2, Rgb(60, 40, 20));
    c.FillEllipse(x, 68, 3, 3, Rgb(255, 220, 100));  // the lanterns of Lanternfall
  }
  c.Line(100, 121, 100, 149, 14, Rgb(150, 130, 100));  // road
}

void PaintReliquaryDoor(Canvas& c) {
  c.VerticalGradient(0, H - 1, Rgb(25, 30, 40), Rgb(70, 75, 85));
  for (int row = 0; row < H; row += 15) {  // masonry courses
    c.FillRect(0, row, W - 1, row, Rgb(20, 22, 30));
    for (int x = (row / 15) % 2 * 20; x < W; x += 40)
      c.FillRect(x, row, x, row + 14, Rgb(20, 22, 30));
  }
  c.FillEllipse(100, 60, 40, 40, Rgb(90, 55, 30));
  c.FillRect(60, 60, 140, 140, Rgb(90, 55, 30));
  for (int y : {75, 105, 130}) c.FillRect(60, y, 140, y + 4, Rgb(45, 45, 50));  // iron bands
  c.Line(100, 22, 100, 140, 2, Rgb(50, 30, 15));
  c.FillEllipse(92, 95, 4, 4, Rgb(200, 180, 60));  // ring pull
  for (int x : {35, 165}) {
    c.Line(x, 70, x, 95, 4, Rgb(60, 40, 20));
    c.FillEllipse(x, 62, 6, 10, Rgb(255, 150, 40));
    c.FillEllipse(x, 65, 3, 5, Rgb(255, 240, 150));
  }
  c.FillRect(0, 141, W - 1, H - 1, Rgb(40, 45, 40));
}

void PaintCrystalCave(Canvas& c) {
  c.VerticalGradient(0, H - 1, Rgb(20, 10, 40), Rgb(60, 30, 80));
  c.FillBelowWave(120, 6, 0.08, 1.0, Rgb(35, 25, 45));
  const int tips[][3] = {{20, 120, 40},  {45, 125, 70},  {70, 118, 30}, {120, 124, 80},
                         {150, 120, 45}, {178, 126, 65}, {100, 130, 50}};
  int i = 0;
  for (const auto& t : tips) {
    const std::uint32_t glass = Mix(Rgb(80, 220, 230), Rgb(190, 120, 255), (i++ % 3) / 2.0);
    c.FillTriangle(t[0] - 9, t[1], t[0] + 9, t[1], t[0], t[1] - t[2], glass);
    c.FillTriangle(t[0] - 2, t[1], t[0] + 3, t[1], t[0], t[1] - t[2] + 6, Rgb(235, 250, 255));
  }
  for (int x = 10; x < W; x += 37)
    c.FillTriangle(x, 0, x + 14, 0, x + 7, 25 + x % 20, Rgb(45, 30, 60));
}

void PaintFenSunset(Canvas& c) {
  c.VerticalGradient(0, 90, Rgb(80, 40, 110), Rgb(250, 160, 70));
  c.FillEllipse(100, 88, 24, 24, Rgb(255, 210, 120));
  c.FillBelowWave(82, 5, 0.04, 2.0, Rgb(60, 50, 70));                 // far hills
  c.VerticalGradient(95, H - 1, Rgb(200, 120, 80), Rgb(40, 40, 70));  // still water
  for (int y = 100; y < 140; y += 6)
    c.Line(100 - (140 - y) / 3.0, y, 100 + (140 - y) / 3.0, y, 2, Rgb(255, 200, 120));
  for (int x = 4; x < W; x += 9) {  // reeds
    const double lean = ((x * 7) % 5 - 2) * 1.5;
    c.Line(x, H - 1, x + lean, 108 + (x * 13) % 20, 2, Rgb(30, 35, 20));
  }
}

void PaintDrownedAltar(Canvas& c) {
  c.VerticalGradient(0, H - 1, Rgb(20, 90, 110), Rgb(5, 25, 40));
  for (int i = 0; i < 5; ++i) {  // light falling through water
    const double x = 30 + i * 35;
    c.FillTriangle(x - 4, 0, x + 4, 0, x + 25, H - 1,
                   Mix(Rgb(20, 90, 110), Rgb(150, 220, 220), 0.35));
  }
  c.FillBelowWave(125, 3, 0.1, 0.5, Rgb(60, 70, 50));
  c.FillRect(65, 85, 135, 125, Rgb(140, 140, 130));  // altar
  c.FillRect(58, 78, 142, 86, Rgb(160, 160, 150));
  c.FillEllipse(100, 70, 10, 10, Rgb(240, 220, 120));  // relic
  for (int b = 0; b < 6; ++b)
    c.FillEllipse(40 + b * 25, 40 - (b % 3) * 10, 2 + b % 2, 2 + b % 2, Rgb(200, 240, 250));
}

void PaintWaterfall(Canvas& c) {
  c.VerticalGradient(0, H - 1, Rgb(120, 170, 220), Rgb(200, 225, 240));
  c.FillRect(0, 20, 75, H - 1, Rgb(90, 80, 70));  // cliffs
  c.FillRect(125, 20, W - 1, H - 1, Rgb(100, 90, 75));
  c.FillRect(0, 15, 75, 22, Rgb(60, 110, 50));
  c.FillRect(125, 15, W - 1, 22, Rgb(60, 110, 50));
  c.VerticalGradient(115, H - 1, Rgb(60, 120, 170), Rgb(30, 60, 110));  // pool
  c.FillRect(76, 20, 124, 118, Rgb(220, 240, 250));                     // the fall
  for (int x = 80; x < 124; x += 7) c.Line(x, 22, x, 116, 2, Rgb(170, 210, 235));
  c.FillEllipse(100, 118, 34, 7, Rgb(245, 250, 255));  // spray
}

// --- Creature portraits -------------------------------------------------------------------

enum class Shape { Hound, Bird, Robed, Skeleton, Serpent, Lump };

struct Portrait {
  Shape shape;
  std::uint32_t body, accent, backTop, backBottom;
};

void PaintHound(Canvas& c, const Portrait& p) {
  c.FillEllipse(100, 90, 50, 20, p.body);
  for (int x : {65, 80, 120, 135}) c.Line(x, 100, x + 2, 135, 6, p.body);
  c.FillEllipse(150, 72, 18, 14, p.body);
  c.FillTriangle(142, 62, 150, 62, 144, 48, p.body);  // ear
  c.Line(52, 84, 30, 70, 5, p.body);                  // tail
  c.FillEllipse(156, 69, 3, 3, p.accent);             // eye
}

void PaintBird(Canvas& c, const Portrait& p) {
  c.FillEllipse(95, 75, 30, 18, p.body);
  c.Line(115, 65, 130, 35, 6, p.body);  // neck
  c.FillEllipse(133, 32, 9, 7, p.body);
  c.FillTriangle(140, 29, 140, 35, 168, 34, p.accent);  // beak
  c.Line(90, 90, 85, 135, 3, p.accent);
  c.Line(100, 90, 106, 135, 3, p.accent);
  c.FillTriangle(70, 70, 95, 65, 40, 90, p.body);  // wing tail
}

void PaintRobed(Canvas& c, const Portrait& p) {
  c.FillTriangle(100, 40, 55, 140, 145, 140, p.body);  // robe
  c.FillEllipse(100, 42, 16, 18, p.body);              // hood
  c.FillEllipse(100, 46, 9, 11, Rgb(15, 15, 20));      // face in shadow
  c.FillEllipse(96, 44, 2, 2, p.accent);
  c.FillEllipse(104, 44, 2, 2, p.accent);
  c.Line(78, 80, 52, 105, 6, p.body);  // arms
  c.Line(122, 80, 150, 100, 6, p.body);
  c.Line(152, 60, 152, 140, 3, Rgb(90, 70, 40));  // staff
  c.FillEllipse(152, 58, 5, 5, p.accent);
}

void PaintSkeleton(Canvas& c, const Portrait& p) {
  c.FillEllipse(100, 35, 14, 16, p.body);  // skull
  c.FillEllipse(94, 34, 3, 4, p.accent);
  c.FillEllipse(106, 34, 3, 4, p.accent);
  c.Line(100, 50, 100, 100, 4, p.body);                                // spine
  for (int y = 58; y <= 84; y += 8) c.Line(84, y, 116, y, 3, p.body);  // ribs
  c.Line(100, 56, 72, 90, 3, p.body);
  c.Line(100, 56, 128, 90, 3, p.body);
  c.Line(100, 100, 84, 140, 4, p.body);
  c.Line(100, 100, 116, 140, 4, p.body);
}

void PaintSerpent(Canvas& c, const Portrait& p) {
  for (int i = 0; i <= 40; ++i) {  // a body that winds across the picture
    const double x = 20 + i * 3.6;
    const double y = 85 + 28 * std::sin(i * 0.3);
    c.FillEllipse(x, y, 9 - i * 0.08, 9 - i * 0.08, Mix(p.body, p.accent, i / 80.0));
  }
  c.FillEllipse(20, 85, 12, 10, p.body);  // head
  c.FillEllipse(15, 82, 2, 2, p.accent);
  c.FillEllipse(10, 88, 4, 3, Rgb(20, 10, 10));  // mouth
}

void PaintLump(Canvas& c, const Portrait& p) {
  c.FillEllipse(100, 100, 60, 38, p.body);
  c.FillEllipse(100, 70, 38, 28, p.body);
  c.FillEllipse(86, 62, 6, 6, p.accent);
  c.FillEllipse(114, 62, 6, 6, p.accent);
  c.Line(80, 88, 120, 88, 3, Mix(p.body, Rgb(0, 0, 0), 0.5));  // wide mouth
  c.Line(50, 120, 40, 140, 8, p.body);
  c.Line(150, 120, 160, 140, 8, p.body);
}

Portrait PortraitOf(int number) {
  switch (number - CreaturePictureBase) {
    case MarshHound:
      return {Shape::Hound, Rgb(110, 110, 100), Rgb(240, 200, 60), Rgb(150, 170, 140),
              Rgb(70, 90, 60)};
    case BogLurker:
      return {Shape::Lump, Rgb(60, 90, 60), Rgb(230, 230, 80), Rgb(70, 100, 90), Rgb(30, 50, 40)};
    case HollowSentinel:
      return {Shape::Skeleton, Rgb(150, 150, 160), Rgb(80, 200, 255), Rgb(40, 40, 60),
              Rgb(10, 10, 20)};
    case DrownedPriest:
      return {Shape::Robed, Rgb(40, 80, 90), Rgb(120, 255, 220), Rgb(20, 60, 80), Rgb(5, 20, 30)};
    case ReedWitch:
      return {Shape::Robed, Rgb(70, 90, 40), Rgb(255, 120, 60), Rgb(190, 170, 110),
              Rgb(90, 80, 50)};
    case GlassEel:
      return {Shape::Serpent, Rgb(170, 230, 240), Rgb(60, 120, 200), Rgb(20, 60, 110),
              Rgb(5, 20, 50)};
    case CarrionHeron:
      return {Shape::Bird, Rgb(90, 90, 100), Rgb(220, 180, 60), Rgb(210, 200, 190),
              Rgb(130, 120, 110)};
    case BoneRattler:
      return {Shape::Skeleton, Rgb(230, 225, 200), Rgb(200, 30, 30), Rgb(70, 50, 40),
              Rgb(20, 15, 10)};
    case TideWraith:
      return {Shape::Robed, Rgb(180, 200, 220), Rgb(20, 60, 255), Rgb(30, 40, 90), Rgb(0, 0, 20)};
    case MireToad:
      return {Shape::Lump, Rgb(120, 110, 50), Rgb(250, 150, 0), Rgb(110, 140, 90), Rgb(50, 70, 40)};
    case LampreySwarm:
      return {Shape::Serpent, Rgb(100, 70, 90), Rgb(230, 80, 80), Rgb(40, 70, 80), Rgb(10, 30, 30)};
    case SiltGolem:
      return {Shape::Lump, Rgb(140, 120, 90), Rgb(90, 255, 120), Rgb(90, 80, 70), Rgb(40, 35, 30)};
    default: {
      // Pictures the demo creatures do not use: a shape and tint picked from the number.
      const int n = std::abs(number);
      const Shape shape = static_cast<Shape>(n % 6);
      const std::uint32_t tint = Rgb(60 + n * 37 % 160, 60 + n * 59 % 160, 60 + n * 83 % 160);
      return {shape, tint, Rgb(250, 250, 250), Rgb(120, 120, 140), Rgb(30, 30, 40)};
    }
  }
}

}  // namespace

std::int16_t CreaturePictureNumber(CreatureId creature) {
  return static_cast<std::int16_t>(CreaturePictureBase + creature);
}

core::Bitmap DrawMapPicture(int number) {
  core::Bitmap bitmap(W, H);
  Canvas c(bitmap);
  switch (number) {
    case TownGate:
      PaintTownGate(c);
      break;
    case ReliquaryDoor:
      PaintReliquaryDoor(c);
      break;
    case CrystalCave:
      PaintCrystalCave(c);
      break;
    case FenSunset:
      PaintFenSunset(c);
      break;
    case DrownedAltar:
      PaintDrownedAltar(c);
      break;
    case Waterfall:
      PaintWaterfall(c);
      break;
    default: {
      // Another number still gives a scene: a sunset in a shifted light.
      PaintFenSunset(c);
      const double shade = (std::abs(number) % 7) / 10.0;
      for (auto& px : bitmap.pixels) px = Mix(px, Rgb(30, 60, 120), shade);
      break;
    }
  }
  return bitmap;
}

core::Bitmap DrawCreaturePicture(int number) {
  core::Bitmap bitmap(W, H);
  Canvas c(bitmap);
  const Portrait p = PortraitOf(number);
  c.VerticalGradient(0, H - 1, p.backTop, p.backBottom);
  c.FillEllipse(100, 140, 80, 10, Mix(p.backBottom, Rgb(0, 0, 0), 0.4));  // shadow
  switch (p.shape) {
    case Shape::Hound:
      PaintHound(c, p);
      break;
    case Shape::Bird:
      PaintBird(c, p);
      break;
    case Shape::Robed:
      PaintRobed(c, p);
      break;
    case Shape::Skeleton:
      PaintSkeleton(c, p);
      break;
    case Shape::Serpent:
      PaintSerpent(c, p);
      break;
    case Shape::Lump:
      PaintLump(c, p);
      break;
  }
  return bitmap;
}

}  // namespace demodata
