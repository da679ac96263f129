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
    c = Mix({52, 74, 48}, {36, 56, 40}, Smooth(0.4f, 0.65f, forest));
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
  // seen through a lot of air: hazier and darker than anything flying over it
  return Mix(Scale(c, 0.8f), {34, 46, 70}, 0.2f);
}

// Stage 2: a desert at dusk: long dunes with steep lee sides, mesas and a dry
// river bed, lit low from the top left.
float Dune(float phase) {
  float f = phase - std::floor(phase);
  return f < 0.75f ? Smooth(0, 0.75f, f) : Smooth(1, 0.75f, f);
}

float DuneHeight(float x, float y) {
  float warp = Fbm(x, y, 120, 3, kPeriod, 31) * 150;
  // whole numbers of crests per tile in y keep the pattern periodic
  float a = Dune(x / 80.0f + (y + warp) / 40.0f);
  float b = Dune(-x / 130.0f + (y - warp * 0.6f) / 60.0f);
  float mix = Smooth(0.35f, 0.65f, Fbm(x + 700, y, 160, 2, kPeriod, 38));
  return (a * (1 - mix) + b * mix * 0.8f) * (0.5f + 0.6f * Fbm(x + 300, y, 60, 2, kPeriod, 32)) * 7;
}

Rgb DesertAt(int x, int y) {
  const float fx = float(x), fy = float(y);
  float h = DuneHeight(fx, fy);
  float lit = (DuneHeight(fx - 1, fy - 1) - h);  // > 0: facing away from the light
  Rgb sun{150, 96, 70}, shade{52, 36, 70};
  Rgb c = Mix(sun, shade, Clamp01(0.42f + lit * 0.8f));
  float grain = Fbm(fx, fy, 4, 2, kPeriod, 33);
  c = Scale(c, 0.92f + grain * 0.12f);
  // mesas: flat tops, dark cliffs on the side away from the light
  float m = Fbm(fx + 900, fy, 96, 4, kPeriod, 34);
  float mL = Fbm(fx + 900 - 3, fy - 3, 96, 4, kPeriod, 34);
  if (m > 0.66f) {
    c = Mix({112, 74, 62}, {132, 90, 72}, Fbm(fx, fy, 12, 2, kPeriod, 35));
    if (mL < 0.66f) c = {168, 116, 88};  // sunlit rim
    c = Scale(c, 0.85f + 0.15f * Smooth(0.66f, 0.8f, m));
  } else if (m > 0.6f && mL > m) {
    c = Mix(c, {36, 26, 52}, 0.7f);  // cliff shadow below and right of a mesa
  }
  // a dry river bed winding down the tile
  float river = std::fabs(fx - 190 - 90 * (Fbm(0, fy, 160, 3, kPeriod, 36) - 0.5f) * 2.4f);
  if (river < 7) c = Mix(c, {96, 70, 74}, Smooth(7, 2, river) * 0.5f);
  // scrub
  if (Hash01(uint32_t(x), uint32_t(Wrap(y)), 37) > 0.9975f) c = {58, 66, 46};
  // the dusk sky's glow lies over everything
  return Mix(c, {70, 40, 90}, 0.18f);
}

}  // namespace

static Image DrawBACK1() {
  Image img(380, 480);
  FillAll(img, SeaAt);
  return img;
}

static Image DrawBACK2() {
  Image img(380, 480);
  FillAll(img, DesertAt);
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

// Drawn once: the attract pictures show it too.
Image MakeBACK1() {
  static const Image once = DrawBACK1();
  return once;
}

// Drawn once: the attract pictures show it too.
Image MakeBACK2() {
  static const Image once = DrawBACK2();
  return once;
}
