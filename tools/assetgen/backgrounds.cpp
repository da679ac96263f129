// Stage backgrounds. They scroll in a strip of identical tiles, so everything here
// repeats every 480 pixels in y: noise lattices wrap and grids divide 480. They are
// kept dark and low in contrast so that what moves over them stands out.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/assets.h"
#include "tools/assetgen/noise.h"

namespace {

constexpr int kPeriod = 480;

int Wrap(int y) { return ((y % kPeriod) + kPeriod) % kPeriod; }

// Stage 1: a dark sea with islands and drifting cloud banks seen from high above.
Rgb SeaAt(int x, int y) {
  const float fx = float(x), fy = float(y);
  float e = Fbm(fx, fy, 120, 5, kPeriod, 11);
  // islands stand out a little more than the raw noise
  float eL = Fbm(fx - 1.5f, fy - 1.5f, 120, 5, kPeriod, 11);
  float slope = (e - eL) * 40;  // lit from the top left
  float ripple = Fbm(fx * 1.0f, fy, 15, 2, kPeriod, 12);
  Rgb c;
  if (e < 0.6f) {
    float depth = Smooth(0.2f, 0.6f, e);
    c = Mix({12, 28, 58}, {22, 58, 92}, depth);
    c = Mix(c, {30, 62, 100}, Clamp01((ripple - 0.6f) * 3) * 0.5f);
  } else if (e < 0.64f) {
    c = Mix({26, 74, 98}, {46, 104, 112}, Smooth(0.6f, 0.64f, e));
  } else if (e < 0.652f) {
    c = {128, 116, 86};  // beach
  } else {
    float forest = Fbm(fx + 500, fy, 30, 3, kPeriod, 13);
    c = Mix({40, 78, 44}, {28, 58, 36}, Smooth(0.4f, 0.65f, forest));
    c = Mix(c, {86, 92, 62}, Smooth(0.75f, 0.85f, e));  // bare hill tops
    c = Scale(c, std::clamp(1.0f + slope * 0.9f, 0.7f, 1.3f));
  }
  // cloud banks and their shadows on the sea
  float cloud = Fbm(fx + 2000, fy, 96, 5, kPeriod, 14);
  float shadow = Fbm(fx + 2000 + 14, fy + 20, 96, 5, kPeriod, 14);
  c = Scale(c, 1 - 0.35f * Smooth(0.56f, 0.7f, shadow));
  float a = Smooth(0.57f, 0.72f, cloud);
  if (a > 0) {
    float lit = Fbm(fx + 2000 - 3, fy - 3, 96, 5, kPeriod, 14) - cloud;
    Rgb cc = Mix({96, 106, 126}, {142, 150, 166}, Clamp01(0.5f + lit * 25));
    c = Mix(c, cc, a * 0.75f);
  }
  return c;
}

// Stage 2: the hull of a space station at dusk: plating, a trench with lights, pipes.
Rgb HullAt(int x, int y) {
  const int yw = Wrap(y);
  const int plate = 40;
  int row = yw / plate, col = (x + (row % 2) * 20) / plate;
  int px = (x + (row % 2) * 20) % plate, py = yw % plate;
  float tone = Hash01(uint32_t(col), uint32_t(row), 21);
  float grime = Fbm(float(x), float(y), 60, 4, kPeriod, 22);
  Rgb c = Mix({40, 40, 60}, {60, 58, 82}, tone * 0.6f + grime * 0.4f);
  // plate seams: a dark line with a lit edge under it
  if (px == 0 || py == 0) c = {24, 24, 38};
  else if (px == 1 || py == 1) c = Mix(c, {84, 82, 108}, 0.5f);
  // a few rivets in the plate corners
  if ((px == 4 || px == plate - 4) && (py == 4 || py == plate - 4)) c = Mix(c, {96, 94, 120}, 0.6f);
  // raised modules, one in some 120 × 120 blocks
  int bx = x / 120, by = yw / 120;
  if (Hash01(uint32_t(bx), uint32_t(by), 23) > 0.45f) {
    int mx0 = bx * 120 + 14 + int(Hash01(bx, by, 24) * 30), my0 = by * 120 + 16;
    int mw = 50 + int(Hash01(bx, by, 25) * 30), mh = 70;
    int lx = x - mx0, ly = yw - my0;
    if (lx >= 0 && ly >= 0 && lx < mw && ly < mh) {
      c = Mix({56, 54, 80}, {66, 64, 92}, Hash01(bx, by, 26));
      if (lx < 2 || ly < 2) c = {98, 96, 124};
      if (lx >= mw - 2 || ly >= mh - 2) c = {30, 28, 46};
      if (ly > 10 && ly < mh - 10 && (lx - 8) % 10 < 5 && lx > 6 && lx < mw - 6) c = Scale(c, 0.75f);  // vents
    } else if (lx >= 2 && ly >= 2 && lx < mw + 6 && ly < mh + 6 && (lx >= mw || ly >= mh)) {
      c = Scale(c, 0.65f);  // its shadow, down and to the right
    }
  }
  // the central trench
  int tx = x - 168;
  if (tx >= 0 && tx < 44) {
    c = Mix({22, 22, 36}, {34, 32, 52}, Fbm(float(x), float(y), 30, 2, kPeriod, 27));
    if (tx < 3) c = {16, 16, 28};
    if (tx > 40) c = {70, 68, 92};
    if ((yw % 60) < 3 && (tx == 8 || tx == 35)) c = {170, 120, 70};  // guide lights
  }
  // pipes along both sides
  for (int pipe : {52, 318}) {
    int d = x - pipe;
    if (d >= 0 && d < 8) {
      float lit = 1 - std::fabs(d - 2.5f) / 5;
      c = Mix({34, 40, 58}, {92, 104, 128}, Clamp01(lit));
      if (yw % 80 < 4) c = Scale(c, 0.7f);  // couplings
    }
  }
  // dusk light falling across the hull
  float glow = 0.85f + 0.15f * Fbm(float(x), float(y), 240, 2, kPeriod, 28);
  return Scale(c, glow);
}

}  // namespace

Image MakeBACK1() {
  Image img(380, 480);
  FillAll(img, SeaAt);
  return img;
}

Image MakeBACK2() {
  Image img(380, 480);
  FillAll(img, HullAt);
  return img;
}

// Cloud puffs and islets that no stage draws.
Image MakeBKM(int variant) {
  Image img(120, 80);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x) {
      float px = (x - 60) / 56.0f, py = (y - 40) / 36.0f;
      float n = Fbm(float(x), float(y), 24, 4, 0, 40 + variant);
      float v = 1 - std::hypot(px, py) + (n - 0.5f) * 0.8f;
      if (v < 0.15f) continue;
      Rgb c = variant < 3 ? Mix({110, 118, 136}, {200, 206, 218}, Clamp01(v * 1.5f))
                          : Mix({40, 80, 44}, {110, 120, 80}, Clamp01(v * 1.5f));
      img.Set(x, y, Opaque(c));
    }
  return img;
}
