// The player's ship and the enemy craft. Enemies fly down the screen, so their
// noses point down; every craft is drawn centred on its frame because the game's
// hit boxes and gun positions assume so.
#include <cmath>

#include "tools/assetgen/assets.h"
#include "tools/assetgen/painter.h"

// bank: 0 level, +1…+3 rolling left, −1…−3 rolling right.
Image MakeShipFrame(int bank) {
  Painter p(60, 70);
  p.centreX = 30;
  int k = bank < 0 ? -bank : bank;
  // The wing on the side of the roll dips away and looks shorter.
  float nearSide = 1 - 0.15f * k, farSide = 1 - 0.04f * k;
  p.bankLeft = bank > 0 ? nearSide : farSide;
  p.bankRight = bank > 0 ? farSide : nearSide;
  p.tilt = -0.2f * bank;

  // engines first, the hull over them
  p.PairEllipse(36.5f, 52, 3.2f, 8, M_STEEL, 0.5f, 2.2f);
  p.Pair({{35, 58}, {38, 58}, {37.5f, 61}, {35.5f, 61}}, M_GUN, 0.5f, 0.5f, 0.6f);
  // main wings, swept back
  p.Pair({{33, 29}, {46, 40}, {53, 48}, {53, 52}, {46, 51}, {34, 50}}, M_PLAYER, 0.6f, 2.2f, 1.4f);
  p.Pair({{47, 45}, {53, 48}, {53, 52}, {48, 51.5f}}, M_SKY, 1.0f, 0.8f, 0.8f);
  // canards
  p.Pair({{33.5f, 21}, {39, 26}, {39, 28.5f}, {33.5f, 27}}, M_PLAYER, 0.6f, 1.0f, 0.8f);
  // fuselage
  p.Sym({{30, 6}, {32, 12}, {34, 22}, {35.5f, 34}, {35.5f, 46}, {34, 56}, {32, 60}, {30, 60}}, M_PLAYER, 1, 4, 3,
        true);
  p.Sym({{30, 6}, {31.2f, 9.5f}, {30, 10}}, M_SKY, 3.5f, 1, 0.5f);
  // blue flashes along the wings' leading edges and down the spine
  p.Paint({{35, 31.5f}, {47, 41.5f}, {46, 43.5f}, {35, 34.5f}}, M_SKY);
  p.Paint({{25, 31.5f}, {13, 41.5f}, {14, 43.5f}, {25, 34.5f}}, M_SKY);
  p.Paint({{29.2f, 42}, {30.8f, 42}, {30.8f, 56}, {29.2f, 56}}, M_SKY);
  // cockpit where the hit box is
  p.Ellipse(30, 33, 2.6f, 6, M_CANOPY, 3.5f, 1.6f);
  p.Groove({30, 41}, {30, 55}, 0.6f);
  p.PairGroove({33.6f, 38}, {46, 48.5f}, 0.5f);
  // engine flames
  p.PairEllipse(36.5f, 63.5f, 1.8f, 3.6f, M_ENGINE, 0, 1.5f);
  p.Ellipse(30, 63, 1.6f, 3.2f, M_ENGINE, 0, 1.5f);
  return p.Render();
}

Image MakeMY() {
  Image sheet(420, 70);
  // Columns: 0–2 roll right (0 the most), 3 level, 4–6 roll left.
  for (int c = 0; c < 7; ++c) sheet.Paste(MakeShipFrame(c - 3), c * 60, 0);
  return sheet;
}

Image MakeZAK2() {
  Painter p(60, 60);
  p.centreX = 30;
  p.Pair({{30, 30}, {44, 16}, {47, 19}, {33, 33}}, M_GUN, 0.5f, 1.2f, 1.0f);
  p.Pair({{30, 30}, {47, 41}, {44, 44}, {30, 34}}, M_GUN, 0.5f, 1.2f, 1.0f);
  p.PairEllipse(45.5f, 17.5f, 5, 5, M_GREEN, 1, 2.5f);
  p.PairEllipse(45.5f, 42.5f, 5, 5, M_GREEN, 1, 2.5f);
  p.PairEllipse(45.5f, 17.5f, 2, 2, M_GLOW_GREEN, 3.5f, 0.8f);
  p.PairEllipse(45.5f, 42.5f, 2, 2, M_GLOW_GREEN, 3.5f, 0.8f);
  p.Ellipse(30, 30, 13, 13, M_GREEN, 1, 5);
  p.Sym({{30, 38}, {34, 40}, {33, 50}, {30, 53}}, M_STEEL, 3, 1.5f, 1.2f);
  p.Ellipse(30, 29, 5.5f, 5.5f, M_GLOW_GREEN, 6, 1.5f);
  p.PairGroove({21, 24}, {25.5f, 27}, 0.6f);
  p.PairGroove({21, 36}, {25.5f, 33}, 0.6f);
  return p.Render();
}

Image MakeZAK4() {
  Painter p(80, 60);
  p.centreX = 40;
  // tail fins at the back (top)
  p.Pair({{43, 9}, {53, 2}, {56, 4}, {47, 16}}, M_RED, 0.5f, 1, 1);
  // forward-swept wings
  p.Pair({{43, 18}, {66, 26}, {74, 31}, {74, 36}, {64, 37}, {43, 35}}, M_RED, 0.5f, 2.5f, 1.5f);
  p.Pair({{66, 26}, {74, 31}, {74, 36}, {69, 36.5f}}, M_STEEL, 1, 1, 0.8f);
  p.Pair({{52, 34}, {56, 34}, {56, 44}, {53, 46}, {52, 44}}, M_GUN, 1, 1, 1);
  p.Sym({{40, 6}, {43, 8}, {46, 18}, {46, 36}, {44, 48}, {41.5f, 55}, {40, 56}}, M_RED, 1, 4, 3, true);
  p.Ellipse(40, 40, 2.4f, 5.5f, M_CANOPY, 3.5f, 1.5f);
  p.Pair({{44, 10}, {46, 10}, {46, 15}, {44, 15}}, M_GLOW_ORANGE, 3, 0.5f, 0.5f);
  p.Bar({40, 48}, {40, 58}, 2.2f, M_GUN, 3);
  p.PairGroove({46, 22}, {64, 28}, 0.5f);
  p.Groove({40, 12}, {40, 32}, 0.5f);
  return p.Render();
}

Image MakeZAK6() {
  Painter p(60, 70);
  p.centreX = 30;
  // membrane wings
  p.Pair({{33, 24}, {50, 10}, {57, 14}, {54, 30}, {38, 40}}, M_VIOLET, 0.3f, 1.5f, 0.8f);
  p.PairGroove({35, 28}, {52, 14}, 0.5f);
  p.PairGroove({36, 33}, {54, 24}, 0.5f);
  // mandibles
  p.Pair({{32, 54}, {37, 60}, {35, 68}, {33, 62}, {30.5f, 58}}, M_STEEL, 1, 1, 1);
  p.Ellipse(30, 20, 8.5f, 13, M_VIOLET, 1, 4);
  p.Groove({22, 16}, {38, 16}, 0.6f);
  p.Groove({22.5f, 24}, {37.5f, 24}, 0.6f);
  p.Ellipse(30, 40, 8, 8, M_VIOLET, 1.5f, 4);
  p.Ellipse(30, 52, 6, 6, M_VIOLET, 2, 3);
  p.PairEllipse(33, 53, 1.8f, 1.8f, M_GLOW_RED, 4.5f, 0.5f);
  p.Ellipse(30, 40, 3, 3, M_GLOW_VIOLET, 5, 1);
  return p.Render();
}

Image MakeZAK8() {
  Painter p(60, 70);
  p.centreX = 30;
  // nacelles on struts
  p.Pair({{30, 30}, {46, 28}, {46, 34}, {30, 38}}, M_GUN, 0.5f, 1.2f, 1);
  p.Pair({{42, 14}, {48, 12}, {53, 20}, {53, 50}, {49, 58}, {44, 56}, {42, 48}}, M_TEAL, 1, 3, 2.5f, true);
  p.PairEllipse(47.5f, 14.5f, 2.5f, 2, M_GLOW_CYAN, 3, 0.5f);
  p.Pair({{46, 56}, {49, 56}, {49, 64}, {46, 64}}, M_GUN, 1, 0.8f, 0.8f);
  // hexagonal body
  p.Sym({{30, 10}, {40, 16}, {40, 46}, {34, 56}, {30, 58}}, M_TEAL, 1.5f, 4, 3, true);
  p.Sym({{30, 18}, {35, 21}, {35, 39}, {30, 42}}, M_STEEL, 3.5f, 1.5f, 1);
  p.Ellipse(30, 30, 3.5f, 5, M_GLOW_CYAN, 5, 1);
  p.PairGroove({31, 48}, {38, 44}, 0.5f);
  p.Groove({24, 13.5f}, {36, 13.5f}, 0.5f);
  return p.Render();
}

Image MakeZAK10() {
  Painter p(80, 60);
  p.centreX = 40;
  // a wide flying wing with a notched trailing edge at the top
  p.Sym({{40, 8}, {48, 6}, {62, 12}, {77, 26}, {76, 33}, {66, 31}, {58, 38}, {50, 37}, {44, 46}, {40, 50}},
        M_ORANGE, 0.5f, 3.5f, 2.2f, true);
  p.PairGroove({44, 12}, {70, 25}, 0.5f);
  p.PairGroove({48, 30}, {60, 22}, 0.5f);
  p.Pair({{62, 13}, {66, 15}, {66, 20}, {62, 18}}, M_GLOW_YELLOW, 2.5f, 0.6f, 0.5f);
  p.Sym({{40, 12}, {45, 16}, {46, 32}, {43, 44}, {40, 47}}, M_STEEL, 2.5f, 2.5f, 2, true);
  p.Ellipse(40, 36, 2.5f, 4.5f, M_CANOPY, 4.5f, 1.2f);
  p.Ellipse(40, 22, 3.5f, 3.5f, M_GLOW_ORANGE, 4.5f, 1);
  p.Bar({40, 46}, {40, 56}, 2.2f, M_GUN, 3);
  return p.Render();
}

Image MakeZAK18() {
  Painter p(80, 100);
  p.centreX = 40;
  // tailplane at the top
  p.Pair({{42, 8}, {58, 10}, {60, 16}, {42, 18}}, M_YELLOW, 0.5f, 1.5f, 1);
  // straight heavy wings
  p.Pair({{43, 38}, {74, 42}, {77, 46}, {77, 54}, {43, 58}}, M_YELLOW, 0.5f, 3, 1.8f);
  p.Pair({{70, 41.3f}, {74, 42}, {77, 46}, {77, 54}, {70, 54.8f}}, M_STEEL, 1, 1, 0.8f);
  // four engines hanging under the wings
  p.PairEllipse(52, 48, 3.5f, 11, M_STEEL, 1.5f, 2.5f);
  p.PairEllipse(64, 47, 3.2f, 10, M_STEEL, 1.5f, 2.5f);
  p.PairEllipse(52, 37.5f, 2.2f, 1.5f, M_GLOW_ORANGE, 4, 0.4f);
  p.PairEllipse(64, 37.5f, 2.0f, 1.5f, M_GLOW_ORANGE, 4, 0.4f);
  // fuselage
  p.Sym({{40, 3}, {43, 5}, {45, 16}, {46, 60}, {45, 84}, {42, 94}, {40, 96}}, M_YELLOW, 1, 4, 3.2f, true);
  p.Sym({{40, 52}, {43, 53}, {43, 66}, {40, 67}}, M_GUN, 3, 0.8f, 0.4f);  // bomb bay
  p.Ellipse(40, 59, 2.5f, 2.5f, M_GLOW_RED, 4.5f, 0.6f);
  p.Ellipse(40, 86, 3, 6, M_CANOPY, 4.5f, 1.2f);
  for (int i = 0; i < 4; ++i) p.Groove({36, 22.0f + i * 8}, {44, 22.0f + i * 8}, 0.5f);
  p.Groove({40, 68}, {40, 78}, 0.5f);
  return p.Render();
}

// Mid-size cruiser of stage 1: spray turrets at (50, 108) and (150, 108), the fan
// cannon in the middle around (100, 90).
static Image DrawZAK50() {
  Painter p(200, 160);
  p.centreX = 100;
  p.exposure = 0.9f;
  p.weathering = 0.15f;
  // engine block at the back
  p.Pair({{108, 4}, {124, 4}, {126, 22}, {108, 22}}, M_ARMOR_DARK, 0.5f, 2, 1.5f);
  p.Pair({{111, 2}, {121, 2}, {121, 5}, {111, 5}}, M_GLOW_ORANGE, 2.5f, 0.8f, 0.5f);
  // outer wings carrying the spray turrets
  p.Pair({{120, 30}, {176, 44}, {194, 70}, {192, 100}, {172, 118}, {130, 112}}, M_ARMOR, 0.5f, 4, 2.5f);
  p.Pair({{178, 48}, {194, 70}, {192, 100}, {184, 106}}, M_RED, 1.2f, 2, 1);
  // hull
  p.Sym({{100, 10}, {116, 12}, {130, 28}, {134, 70}, {130, 110}, {118, 140}, {106, 154}, {100, 156}}, M_ARMOR, 1.5f,
        6, 4, true);
  p.Sym({{100, 30}, {112, 34}, {116, 60}, {112, 72}, {100, 74}}, M_ARMOR_DARK, 5, 2, 1.5f);
  for (int i = 0; i < 4; ++i) p.PairGroove({134.0f + i * 14, 40.0f + i * 4}, {128.0f + i * 14, 110}, 0.7f);
  p.PairGroove({118, 118}, {104, 150}, 0.6f);
  p.Groove({100, 78}, {100, 150}, 0.6f);
  for (int i = 0; i < 6; ++i) {
    p.Rivet(140 + i * 9, 52 + i * 2.5f);
    p.Rivet(60 - i * 9, 52 + i * 2.5f);
  }
  // spray turrets
  p.PairEllipse(150, 104, 13, 13, M_ARMOR_DARK, 3, 4);
  p.Pair({{147, 106}, {153, 106}, {153, 122}, {147, 122}}, M_GUN, 6, 1.5f, 1.5f);
  p.PairEllipse(150, 101, 4, 4, M_GLOW_RED, 7.5f, 1);
  // the fan cannon's core
  p.Ellipse(100, 94, 20, 20, M_ARMOR_DARK, 5, 4);
  p.Ellipse(100, 94, 12, 12, M_GLOW_RED, 9, 3);
  p.Ellipse(100, 94, 5, 5, M_GLOW_YELLOW, 12, 1);
  p.PairEllipse(108, 48, 3, 6, M_CANOPY, 6, 1.2f);
  return p.Render();
}

// Mid-size craft of stage 2: a twin hull with violet cores; sprays leave from the
// nose of each hull, the fan from the bay between them.
static Image DrawZAK51() {
  Painter p(200, 160);
  p.centreX = 100;
  p.exposure = 0.9f;
  p.weathering = 0.15f;
  // bridge wing between the hulls
  p.Sym({{100, 40}, {150, 44}, {150, 84}, {126, 96}, {100, 100}}, M_ARMOR_DARK, 1, 3, 2);
  // hulls
  p.Pair({{150, 6}, {166, 10}, {176, 40}, {172, 100}, {160, 124}, {150, 130}, {140, 124}, {128, 100}, {126, 40},
          {136, 10}},
         M_ARMOR, 2, 7, 5, true);
  p.Pair({{140, 118}, {160, 118}, {156, 126}, {144, 126}}, M_GUN, 5, 1.5f, 1);
  p.PairEllipse(150, 108, 6, 6, M_GLOW_VIOLET, 8, 2);
  p.PairEllipse(150, 40, 7, 12, M_VIOLET, 6, 3);
  p.PairEllipse(150, 14, 5, 3, M_GLOW_CYAN, 4, 1);
  for (int i = 0; i < 5; ++i) p.PairGroove({130, 56.0f + i * 10}, {170, 56.0f + i * 10}, 0.6f);
  p.PairGroove({150, 58}, {150, 96}, 0.6f);
  // outer fins
  p.Pair({{174, 60}, {196, 78}, {196, 92}, {172, 90}}, M_VIOLET, 1, 2, 1.2f);
  // central bay and fan emitter
  p.Sym({{100, 56}, {114, 60}, {120, 90}, {112, 116}, {100, 122}}, M_ARMOR, 3, 4, 3, true);
  p.Ellipse(100, 90, 14, 14, M_ARMOR_DARK, 5, 3);
  p.Ellipse(100, 90, 9, 9, M_GLOW_VIOLET, 8, 2);
  p.Ellipse(100, 90, 4, 4, M_LAMP, 10, 1);
  for (int i = 0; i < 5; ++i) p.Rivet(92 + i * 4, 66);
  return p.Render();
}

// Craft that exist in the catalogue but never fly: small drones in the family
// colours, so the sheet still looks like it belongs to this game.
Image MakeSpareZak(int variant) {
  static const Mat hull[] = {M_RED, M_VIOLET, M_TEAL, M_ORANGE, M_GREEN, M_YELLOW, M_STEEL, M_ARMOR};
  static const Mat glow[] = {M_GLOW_RED, M_GLOW_VIOLET, M_GLOW_CYAN, M_GLOW_ORANGE, M_GLOW_GREEN, M_GLOW_YELLOW,
                             M_GLOW_CYAN, M_GLOW_RED};
  Mat m = hull[variant % 8], g = glow[variant % 8];
  Painter p(60, 60);
  p.centreX = 30;
  float span = 14 + (variant * 5 % 9), sweep = float(variant * 7 % 11);
  p.Pair({{32, 26}, {30 + span + 8, 22 + sweep}, {30 + span + 10, 30 + sweep}, {32, 38}}, m, 0.5f, 2, 1.2f);
  if (variant % 2) p.PairEllipse(30 + span + 8, 26 + sweep, 3, 7, M_STEEL, 1, 2);
  p.Sym({{30, 8}, {35, 14}, {37, 34}, {34, 48}, {30, 54}}, m, 1, 4, 3, true);
  p.Ellipse(30, 32, 4, 4, g, 4, 1);
  p.Groove({30, 12}, {30, 26}, 0.5f);
  return p.Render();
}

// Drawn once: the attract pictures show it too.
Image MakeZAK50() {
  static const Image once = DrawZAK50();
  return once;
}

// Drawn once: the attract pictures show it too.
Image MakeZAK51() {
  static const Image once = DrawZAK51();
  return once;
}
