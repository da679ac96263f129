// The two bosses and the carrier that passes before the first one. Their guns sit
// exactly where the game launches their shots from (the shot's top-left corner plus
// half its size), and the armoured core is where the player's shots take effect.
#include <cmath>
#include <vector>

#include "tools/assetgen/assets.h"
#include "tools/assetgen/painter.h"

namespace {

// A gun port: a dark ring with a glowing eye.
void Port(Painter& p, float x, float y, float r, Mat glow, float z) {
  p.Ellipse(x, y, r + 2, r + 2, M_GUN, z, 1.5f);
  p.Ellipse(x, y, r, r, glow, z + 1.5f, 1);
}

void PanelRows(Painter& p, float x0, float x1, float y0, float y1, float step) {
  for (float y = y0; y <= y1; y += step) p.Groove({x0, y}, {x1, y}, 0.7f);
}

}  // namespace

// First boss: a flying fortress, nose down.
// Volleys leave at x + 30, 70, 130, 190, 250, 310, 350 (centres) between y + 40 and
// y + 210; streams at (190, 208); lasers from x + 100, 168, 212, 280 at y + 220.
static Image DrawBOS11() {
  Painter p(380, 380);
  p.centreX = 190;
  p.shadowDepth = 0.55f;
  p.exposure = 0.86f;
  p.weathering = 0.18f;
  // engines at the back
  p.Pair({{204, 2}, {228, 2}, {232, 30}, {204, 30}}, M_ARMOR_DARK, 1, 3, 2);
  p.Pair({{208, 2}, {224, 2}, {224, 6}, {208, 6}}, M_GLOW_ORANGE, 3.5f, 1, 0.6f);
  // wings
  p.Pair({{236, 40}, {300, 48}, {344, 60}, {372, 84}, {376, 130}, {364, 160}, {320, 176}, {272, 182}, {240, 178}},
         M_ARMOR, 1, 6, 3.5f);
  p.Pair({{300, 150}, {364, 160}, {320, 176}, {272, 182}}, M_ARMOR_DARK, 4.2f, 1, 0.6f);
  for (int i = 0; i < 6; ++i) p.PairGroove({250.0f + i * 18, 48.0f + i * 3}, {250.0f + i * 18, 176 - i * 1.0f}, 0.8f);
  PanelRows(p, 250, 330, 90, 150, 30);
  // red wing stripes
  p.Paint({{340, 62}, {348, 68}, {300, 62}, {296, 56}}, M_RED);
  p.Paint({{40, 62}, {32, 68}, {80, 62}, {84, 56}}, M_RED);
  // wing-tip gun pods (V6 at x + 30, V7 at x + 350, y + 40…130)
  p.PairEllipse(350, 90, 15, 56, M_ARMOR_DARK, 4, 6);
  for (int i = 0; i < 5; ++i) Port(p, 350, 46.0f + i * 21, 3, M_GLOW_RED, 10);
  // wing turrets (V5 at x + 310 / V4 at x + 70, y + 100…130)
  p.PairEllipse(310, 112, 17, 17, M_ARMOR_DARK, 4, 5);
  p.Pair({{306, 112}, {314, 112}, {314, 134}, {306, 134}}, M_GUN, 8, 2, 2);
  Port(p, 310, 110, 5, M_GLOW_RED, 10);
  // laser pylons under the wings (x + 280 / x + 100)
  p.Pair({{272, 150}, {288, 150}, {288, 212}, {280, 220}, {272, 212}}, M_ARMOR_DARK, 5, 3, 2, true);
  p.PairEllipse(280, 210, 4, 6, M_GLOW_CYAN, 8, 1.5f);
  // hull
  p.Sym({{190, 4}, {212, 8}, {236, 24}, {250, 60}, {254, 168}, {246, 236}, {228, 270}, {206, 290}, {190, 296}}, M_ARMOR,
        2, 10, 6, true);
  // red flanks and a dark spine
  p.Paint({{236, 62}, {249, 60}, {253, 168}, {240, 168}}, M_RED);
  p.Paint({{144, 62}, {131, 60}, {127, 168}, {140, 168}}, M_RED);
  p.Paint({{176, 230}, {204, 230}, {214, 262}, {166, 262}}, M_ARMOR_DARK);
  p.Sym({{190, 56}, {206, 60}, {214, 90}, {190, 94}}, M_ARMOR_DARK, 7.5f, 2, 1.5f);
  PanelRows(p, 140, 240, 100, 250, 25);
  p.Groove({190, 96}, {190, 124}, 0.8f);
  p.PairGroove({206, 240}, {190, 280}, 0.8f);
  for (int i = 0; i < 8; ++i) p.PairEllipse(238 - (i > 5 ? 6 : 0), 70.0f + i * 22, 1.2f, 1.2f, M_ARMOR, 8.5f, 0.8f);
  // bridge
  p.Ellipse(190, 38, 16, 22, M_ARMOR_DARK, 7, 4);
  p.Ellipse(190, 34, 6, 11, M_CANOPY, 11, 2);
  // shoulder turrets (V3 at x + 250 / V2 at x + 130, y + 100…130)
  p.PairEllipse(250, 114, 16, 16, M_ARMOR_DARK, 8, 5);
  p.Pair({{246, 114}, {254, 114}, {254, 134}, {246, 134}}, M_GUN, 12, 2, 2);
  Port(p, 250, 112, 5, M_GLOW_RED, 14);
  // the core (V1 at x + 190, y + 180…210; streams from (190, 208))
  p.Ellipse(190, 168, 34, 40, M_ARMOR_DARK, 8, 6);
  p.Ellipse(190, 160, 20, 22, M_GLOW_RED, 13, 4);
  p.Ellipse(190, 156, 8, 9, M_GLOW_YELLOW, 17, 2);
  p.Sym({{190, 190}, {202, 192}, {204, 216}, {190, 220}}, M_GUN, 10, 3, 2, true);
  Port(p, 190, 206, 5, M_GLOW_ORANGE, 13);
  // inner laser emitters on the hull (x + 168, x + 212)
  p.Pair({{205, 196}, {219, 196}, {218, 220}, {212, 224}, {206, 220}}, M_ARMOR_DARK, 9, 2, 2, true);
  p.PairEllipse(212, 216, 3.5f, 5, M_GLOW_CYAN, 12, 1.2f);
  // nose
  p.Sym({{190, 250}, {200, 254}, {198, 282}, {190, 290}}, M_RED, 8, 3, 2, true);
  for (int i = 0; i < 6; ++i) p.PairEllipse(226, 130.0f + i * 10, 1.4f, 1.4f, M_LAMP, 11, 0.5f);
  return p.Render();
}

// Second boss: a crab-shaped station. Rings leave from (190, 190); volleys at
// x + 130, 190, 250 between y + 60 and 210; streams at (190, 208), (140, 158) and
// (240, 158); lasers along the claw arc from x + 55 to 325, y + 120 to 220 and from
// x + 140, 175, 205, 240 at y + 220.
Image MakeBOS21() {
  Painter p(380, 380);
  p.centreX = 190;
  p.shadowDepth = 0.55f;
  p.exposure = 0.86f;
  p.weathering = 0.18f;
  // the claw arc with its eight laser emitters
  static const Pt arc[] = {{28, 70}, {55, 118}, {95, 168}, {135, 198}, {175, 218}};
  for (int i = 0; i + 1 < 5; ++i) {
    p.Bar(arc[i], arc[i + 1], 26, M_ARMOR, 2);
    p.Bar({380 - arc[i].x, arc[i].y}, {380 - arc[i + 1].x, arc[i + 1].y}, 26, M_ARMOR, 2);
  }
  p.Bar({175, 218}, {205, 218}, 26, M_ARMOR, 2);
  p.PairEllipse(30, 66, 22, 30, M_VIOLET, 3, 7);
  p.PairEllipse(30, 60, 8, 10, M_GLOW_VIOLET, 9, 2);
  static const float lx[4] = {55, 95, 135, 175}, ly[4] = {120, 170, 200, 220};
  for (int i = 0; i < 4; ++i) {
    p.PairEllipse(lx[i], ly[i] - 6, 8, 8, M_ARMOR_DARK, 8, 3);
    p.PairEllipse(lx[i], ly[i] - 4, 4, 5, M_GLOW_CYAN, 11, 1.5f);
  }
  // arms from the body out to the claws
  p.Pair({{230, 80}, {300, 60}, {340, 66}, {336, 86}, {240, 130}}, M_ARMOR_DARK, 1.5f, 4, 3);
  // body disc
  p.Ellipse(190, 130, 96, 98, M_ARMOR, 4, 12);
  for (int i = 0; i < 12; ++i) {
    float a = i * 3.14159265f / 6;
    p.Groove({190 + std::cos(a) * 50, 130 + std::sin(a) * 50}, {190 + std::cos(a) * 92, 130 + std::sin(a) * 94}, 0.8f);
  }
  // violet panels round the rim, every other segment
  for (int i = 0; i < 12; i += 2) {
    float a0 = i * 3.14159265f / 6, a1 = (i + 1) * 3.14159265f / 6;
    std::vector<Pt> wedge;
    for (int k = 0; k <= 6; ++k) {
      float a = a0 + (a1 - a0) * k / 6;
      wedge.push_back({190 + std::cos(a) * 98, 130 + std::sin(a) * 100});
    }
    for (int k = 6; k >= 0; --k) {
      float a = a0 + (a1 - a0) * k / 6;
      wedge.push_back({190 + std::cos(a) * 74, 130 + std::sin(a) * 75});
    }
    p.Paint(wedge, M_VIOLET);
  }
  p.Ellipse(190, 130, 52, 52, M_ARMOR_DARK, 14, 3);
  // tower at the back
  p.Sym({{190, 6}, {206, 10}, {212, 44}, {190, 48}}, M_ARMOR_DARK, 12, 3, 2);
  p.Ellipse(190, 22, 5, 9, M_CANOPY, 15, 1.5f);
  // volley guns (x + 130, 190, 250; y + 60…210) as three rails with ports
  for (int g = 0; g < 3; ++g) {
    float x = 130.0f + g * 60;
    p.Bar({x, 62}, {x, 104}, 10, M_GUN, 16);
    p.Ellipse(x, 62, 4, 4, M_GLOW_VIOLET, 19, 1);
    p.Ellipse(x, 100, 4, 4, M_GLOW_VIOLET, 19, 1);
  }
  // side stream guns at (140, 158) and (240, 158)
  p.PairEllipse(240, 156, 12, 12, M_ARMOR_DARK, 16, 3);
  p.PairEllipse(240, 158, 5, 5, M_GLOW_ORANGE, 19, 1.5f);
  // the ring launcher at (190, 190) with the stream gun under it (190, 208)
  p.Ellipse(190, 190, 30, 30, M_ARMOR_DARK, 15, 4);
  p.Ellipse(190, 190, 20, 20, M_GLOW_VIOLET, 18, 3);
  p.Ellipse(190, 190, 10, 10, M_ARMOR_DARK, 20, 2);
  p.Ellipse(190, 190, 5, 5, M_LAMP, 22, 1);
  p.Sym({{190, 210}, {198, 211}, {197, 222}, {190, 224}}, M_GUN, 17, 2, 1);
  p.Ellipse(190, 214, 3, 3, M_GLOW_ORANGE, 20, 0.8f);
  // inner lasers at x + 140, 175, 205, 240 (y + 220)
  p.PairEllipse(240, 222, 6, 6, M_ARMOR_DARK, 6, 2);
  p.PairEllipse(240, 222, 3, 3, M_GLOW_CYAN, 9, 1);
  p.PairEllipse(205, 226, 5, 5, M_ARMOR_DARK, 6, 2);
  p.PairEllipse(205, 226, 2.5f, 2.5f, M_GLOW_CYAN, 9, 1);
  for (int i = 0; i < 10; ++i) {
    float a = 0.3f + i * 0.28f;
    p.Rivet(190 + std::cos(a) * 84, 130 - std::sin(a) * 86);
    p.Rivet(190 - std::cos(a) * 84, 130 - std::sin(a) * 86);
  }
  return p.Render();
}

// The carrier that rises across the screen before the first boss: a long hull with
// a flight deck, turrets and running lights, pointing up.
Image MakeBOS111() {
  Painter p(480, 480);
  p.centreX = 240;
  p.shadowDepth = 0.55f;
  p.exposure = 0.86f;
  p.weathering = 0.18f;
  // outriggers
  p.Pair({{330, 150}, {400, 170}, {420, 220}, {416, 330}, {396, 360}, {330, 350}}, M_ARMOR_DARK, 1, 6, 4);
  p.PairEllipse(404, 260, 12, 80, M_ARMOR, 4, 6);
  for (int i = 0; i < 6; ++i) p.PairEllipse(404, 200.0f + i * 24, 2, 2, M_LAMP, 10, 0.6f);
  // hull
  p.Sym({{240, 2}, {262, 10}, {300, 60}, {336, 140}, {344, 300}, {336, 420}, {310, 470}, {240, 478}}, M_ARMOR, 2,
        12, 8, true);
  // flight deck
  p.Sym({{240, 40}, {268, 70}, {290, 140}, {292, 440}, {240, 444}}, M_ARMOR_DARK, 10, 2, 1);
  for (int i = 0; i < 14; ++i) {
    float y = 90.0f + i * 25;
    p.Ellipse(240, y, 2.5f, 5, M_GLOW_YELLOW, 11.5f, 0.5f);
  }
  PanelRows(p, 196, 284, 150, 430, 40);
  p.PairGroove({262, 120}, {262, 440}, 0.8f);
  // island superstructure
  p.Pair({{300, 200}, {326, 196}, {330, 300}, {302, 306}}, M_ARMOR, 10, 4, 5);
  p.PairEllipse(314, 230, 6, 10, M_CANOPY, 16, 1.5f);
  for (int i = 0; i < 4; ++i) p.PairEllipse(314, 260.0f + i * 10, 2, 2, M_LAMP, 16, 0.5f);
  // turrets along the sides
  for (int i = 0; i < 4; ++i) {
    float y = 110.0f + i * 90;
    float x = 318 + (i == 1 || i == 2 ? 6 : 0);
    p.PairEllipse(x, y, 12, 12, M_ARMOR_DARK, 12, 4);
    p.Pair({{x - 3, y}, {x + 3, y}, {x + 3, y - 24}, {x - 3, y - 24}}, M_GUN, 16, 1.5f, 1.5f);
  }
  // engines at the stern
  for (int i = 0; i < 2; ++i) {
    p.PairEllipse(258.0f + i * 34, 462, 12, 13, M_GUN, 6, 3);
    p.PairEllipse(258.0f + i * 34, 465, 7, 8, M_GLOW_ORANGE, 9, 2);
  }
  // deck markings: a red band at the bow end of the runway
  p.Paint({{218, 96}, {262, 96}, {262, 102}, {218, 102}}, M_RED);
  for (int i = 0; i < 12; ++i) p.PairEllipse(338 - (i < 2 ? 12 : 0), 150.0f + i * 24, 1.5f, 1.5f, M_GLOW_RED, 14, 0.5f);
  return p.Render();
}

// Mid-size and boss craft that no stage sends: smaller fortresses in other colours.
Image MakeSpareBoss(int variant) {
  static const Mat glow[] = {M_GLOW_GREEN, M_GLOW_CYAN, M_GLOW_ORANGE, M_GLOW_VIOLET};
  static const Mat trim[] = {M_GREEN, M_TEAL, M_ORANGE, M_VIOLET};
  Painter p(200, 200);
  p.centreX = 100;
  float wing = 60.0f + variant * 8;
  p.Pair({{112, 50}, {100 + wing, 70}, {100 + wing + 6, 110}, {100 + wing - 20, 130}, {112, 120}}, M_ARMOR, 1, 4, 3);
  p.Pair({{100 + wing - 10, 72}, {100 + wing, 70}, {100 + wing + 6, 110}, {100 + wing - 10, 116}}, trim[variant], 3, 2,
         1);
  p.Sym({{100, 10}, {118, 18}, {128, 60}, {126, 150}, {112, 184}, {100, 190}}, M_ARMOR, 2, 8, 5, true);
  p.Ellipse(100, 100, 20, 24, M_ARMOR_DARK, 6, 4);
  p.Ellipse(100, 98, 11, 12, glow[variant], 9, 3);
  PanelRows(p, 80, 120, 130, 170, 14);
  p.Ellipse(100, 40, 5, 9, M_CANOPY, 8, 1.5f);
  return p.Render();
}

// Drawn once: the attract pictures show it too.
Image MakeBOS11() {
  static const Image once = DrawBOS11();
  return once;
}
