// Shots, blasts and debris. Glows fade towards their own colour and are cut where
// they would grow dim, never faded to black: over a bright background a dark fringe
// shows as a dirty halo.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/assets.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/painter.h"

namespace {

constexpr float kPi = 3.14159265f;

struct Stop {
  float at;
  Rgb c;
};

Rgb Gradient(const Stop* stops, int n, float v) {
  if (v <= stops[0].at) return stops[0].c;
  for (int i = 1; i < n; ++i)
    if (v <= stops[i].at) return Mix(stops[i - 1].c, stops[i].c, (v - stops[i - 1].at) / (stops[i].at - stops[i - 1].at));
  return stops[n - 1].c;
}

const Stop kFire[] = {{0.0f, {120, 30, 20}},   {0.18f, {190, 50, 22}},  {0.38f, {245, 110, 30}},
                      {0.58f, {255, 180, 50}}, {0.78f, {255, 236, 130}}, {1.0f, {255, 255, 240}}};
const Stop kPlasma[] = {{0.0f, {40, 70, 170}},   {0.3f, {60, 130, 230}}, {0.55f, {110, 200, 255}},
                        {0.8f, {200, 240, 255}}, {1.0f, {255, 255, 255}}};

// Sub-sampled coverage for small round things: how much of pixel (x, y) a function
// that is positive inside covers.
template <class F>
float Cover(int x, int y, F inside) {
  int n = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx) n += inside(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4) ? 1 : 0;
  return n / 16.0f;
}

// An enemy bullet: white core, saturated rim, a darker hairline edge so it reads on
// bright ground as well as dark. shape 0 round, 1 diamond, 2 round with a white
// cross glinting through it.
Image Bullet(int size, Rgb rim, Rgb edge, int shape, float coreSize = 0.42f) {
  Image img(size, size);
  float c = size / 2.0f, r = size / 2.0f - 0.6f;
  auto dist = [&](float x, float y) {
    float dx = std::fabs(x - c) / r, dy = std::fabs(y - c) / r;
    if (shape == 1) return std::max((dx + dy) * 0.8f, std::max(dx, dy));  // a fat diamond
    return std::hypot(dx, dy);
  };
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      float cov = Cover(x, y, [&](float px, float py) { return dist(px, py) < 1; });
      if (cov < 0.5f) continue;
      float d = dist(x + 0.5f, y + 0.5f);
      Rgb col;
      float ax = std::fabs(x + 0.5f - c) / r, ay = std::fabs(y + 0.5f - c) / r;
      if (shape == 2 && d < 0.8f && (ax < 0.13f || ay < 0.13f))
        col = Mix({255, 255, 255}, rim, Smooth(0.2f, 0.8f, d) * 0.6f);
      else if (d < coreSize)
        col = Mix({255, 255, 255}, Mix(rim, {255, 255, 255}, 0.55f), Smooth(0, coreSize, d));
      else if (d < 0.82f)
        col = Mix(Mix(rim, {255, 255, 255}, 0.35f), rim, Smooth(coreSize, 0.75f, d));
      else
        col = Mix(rim, edge, Smooth(0.82f, 1.0f, d));
      img.Set(x, y, Opaque(col));
    }
  return img;
}

// A slim bolt along a direction, centred on (cx, cy).
void Bolt(Image& img, float cx, float cy, float dx, float dy, float len, float width, Rgb core, Rgb rim) {
  float l = std::hypot(dx, dy);
  dx /= l, dy /= l;
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) {
      float px = x + 0.5f - cx, py = y + 0.5f - cy;
      float along = px * dx + py * dy;     // + towards the head
      float across = std::fabs(-px * dy + py * dx);
      float u = along / (len / 2);         // −1 tail … +1 head
      if (u < -1 || u > 1) continue;
      // pointed head, tapering tail
      float half = width / 2 * (u > 0.6f ? (1 - u) / 0.4f : 0.35f + 0.65f * (u + 1) / 1.6f);
      if (across > half + 0.25f) continue;
      float v = 1 - across / (half + 0.25f);
      float heat = v * (0.55f + 0.45f * (u + 1) / 2);
      if (heat < 0.12f) continue;
      img.Set(x, y, Opaque(Mix(rim, core, Smooth(0.25f, 0.75f, heat))));
    }
}

// One frame of a fiery blast, t from 0 (flash) to 1 (the last wisps), in a square
// cell of side s at (ox, oy).
void Blast(Image& img, int ox, int oy, int s, float t, uint32_t seed, const Stop* ramp = kFire, int rampN = 6) {
  float R = s / 2.0f - 1;
  float cx = ox + s / 2.0f, cy = oy + s / 2.0f;
  float fireR = R * (0.36f + 0.56f * Smooth(0, 0.45f, t));
  float heat = 1.25f - 1.35f * t;
  float smokeR = R * (0.45f + 0.55f * Smooth(0.1f, 0.8f, t));
  float smokeAmount = Smooth(0.2f, 0.55f, t) * (1 - Smooth(0.75f, 1.0f, t) * 0.75f);
  float cell = s / 5.0f;
  for (int y = oy; y < oy + s; ++y)
    for (int x = ox; x < ox + s; ++x) {
      float px = x + 0.5f - cx, py = y + 0.5f - cy;
      float d = std::hypot(px, py);
      float n = Fbm(px + s, py + s + t * s * 0.3f, cell, 3, 0, seed);
      float n2 = Fbm(px + 3 * s, py + 3 * s - t * s * 0.4f, cell * 0.8f, 3, 0, seed + 17);
      float dd = d / (fireR * (0.7f + 0.6f * n));
      float temp = (1 - dd) * heat + (n - 0.5f) * 0.5f;
      if (t < 0.18f) temp += (1 - t / 0.18f) * (1 - d / (R * 0.7f)) * 1.2f;
      // the fireball breaks up: holes open as it cools
      temp -= Smooth(0.45f, 1.0f, t) * Smooth(0.45f, 0.7f, n2) * 0.8f;
      if (temp > 0.16f) {
        img.Set(x, y, Opaque(Gradient(ramp, rampN, Clamp01(temp))));
        continue;
      }
      // the shock ring racing out ahead of the fire in the first frames
      if (t < 0.3f) {
        float ringR = R * (0.45f + 1.6f * t), ring = 1 - std::fabs(d - ringR) / 1.6f;
        if (ring > 0.2f && ringR < R) {
          img.Set(x, y, Opaque(Gradient(ramp, rampN, 0.55f + 0.4f * ring * (1 - t / 0.3f))));
          continue;
        }
      }
      float puff = (1 - d / (smokeR * (0.75f + 0.5f * n2))) * 1.4f + (n2 - 0.5f) * 1.2f;
      if (smokeAmount > 0 && puff * smokeAmount > 0.32f) {
        // grey smoke, lighter towards the top left and in the thick of a puff
        float thick = Clamp01((puff * smokeAmount - 0.32f) * 2.5f);
        // the puff's own relief: brighter where it rises towards the top left
        float ox = px - 2, oy = py - 2, od = std::hypot(ox, oy);
        float n2o = Fbm(ox + 3 * s, oy + 3 * s - t * s * 0.4f, cell * 0.8f, 3, 0, seed + 17);
        float puffO = (1 - od / (smokeR * (0.75f + 0.5f * n2o))) * 1.4f + (n2o - 0.5f) * 1.2f;
        float relief = Clamp01(0.5f + (puff - puffO) * 2.2f);
        float v = 58 + 40 * thick + 60 * relief + 22 * Clamp01(0.5f - (px + py) / (2 * R)) + 20 * (1 - t);
        Rgb smoke{v, v * 0.96f, v * 0.99f};
        if (temp > 0.02f) smoke = Mix(smoke, {190, 80, 40}, 0.4f);
        img.Set(x, y, Opaque(smoke));
      }
    }
  // sparks flying out and thinning
  if (t > 0.08f) {
    for (int i = 0; i < 14; ++i) {
      if (Hash01(seed, i, 9) < t * 0.9f) continue;
      float a = Hash01(seed, i, 1) * 2 * kPi;
      float sp = 0.45f + 0.5f * Hash01(seed, i, 2);
      float r = R * (0.2f + sp * Smooth(0, 1, t) * 1.1f);
      if (r > R - 1) continue;
      int sx = int(cx + std::cos(a) * r), sy = int(cy + std::sin(a) * r);
      img.Set(sx, sy, Opaque({255, 240, 170}));
      if (t < 0.5f) img.Set(sx + (std::cos(a) > 0 ? -1 : 1), sy, Opaque({255, 190, 80}));
    }
  }
}

}  // namespace

// Player shots: cool blue-white needles in the middle of a 60 × 60 picture, the side
// shots leaning outwards along their drift.
Image MakeFLH(int side) {
  Image img(60, 60);
  const Rgb core{250, 253, 255}, rim{90, 170, 255};
  if (side == 0) {
    Bolt(img, 25.5f, 29, 0, -1, 26, 4.2f, core, rim);
    Bolt(img, 34.5f, 29, 0, -1, 26, 4.2f, core, rim);
  } else {
    float dir = side == 1 ? -3.0f : 3.0f;
    Bolt(img, 30, 29, dir, -20, 24, 3.8f, core, {120, 150, 255});
  }
  return img;
}

// Bomb fragment: a crackling plasma orb.
Image MakeFBOM1() {
  Image img(80, 80);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x) {
      float px = x + 0.5f - 40, py = y + 0.5f - 40, d = std::hypot(px, py);
      float n = Fbm(px + 100, py + 100, 10, 3, 0, 77);
      float core = 1 - d / 17;
      float ring = 1 - std::fabs(d - 21 - (n - 0.5f) * 6) / 3.5f;
      float arcs = (1 - d / 30) * Smooth(0.62f, 0.7f, n) * 1.2f;
      float v = std::max({core * 1.1f, ring * 0.85f, arcs});
      if (v < 0.2f) continue;
      img.Set(x, y, Opaque(Gradient(kPlasma, 5, v)));
    }
  return img;
}

Image MakeVAL(int kind) {
  switch (kind) {
    case 11: return Bullet(16, {255, 60, 200}, {150, 20, 110}, 0);   // magenta ring
    case 12: return Bullet(16, {255, 140, 30}, {170, 60, 10}, 1);    // orange diamond
    case 13: return Bullet(16, {40, 220, 255}, {20, 100, 170}, 2);   // cyan star
    case 20: return Bullet(20, {255, 70, 90}, {160, 20, 40}, 0, 0.38f);  // boss volleys
    case 30: return Bullet(30, {255, 200, 40}, {160, 100, 10}, 0);
    case 60: return Bullet(60, {180, 90, 255}, {90, 40, 160}, 2, 0.3f);
    case 401: return Bullet(40, {255, 120, 40}, {160, 50, 10}, 1);
    case 402: return Bullet(40, {120, 255, 120}, {30, 130, 40}, 0);
    default: return Bullet(24, {255, 255, 120}, {150, 140, 20}, 2);  // VALK1
  }
}

// Fan volleys: five 40 × 40 frames, each a teardrop leaning the way its slot drifts.
Image MakeZVAL(int variant) {
  Image img(200, 40);
  static const float vx[5] = {-100, -50, 0, 50, 100};
  Rgb rim = variant ? Rgb{200, 90, 255} : Rgb{255, 110, 30};
  Rgb mid = variant ? Rgb{235, 190, 255} : Rgb{255, 220, 90};
  for (int k = 0; k < 5; ++k) {
    float dx = vx[k], dy = 190, l = std::hypot(dx, dy);
    dx /= l, dy /= l;
    float cx = k * 40 + 20.0f, cy = 20;
    for (int y = 0; y < 40; ++y)
      for (int x = k * 40; x < k * 40 + 40; ++x) {
        float px = x + 0.5f - cx, py = y + 0.5f - cy;
        float along = px * dx + py * dy, across = -px * dy + py * dx;
        // round head of radius 9 ahead, tail tapering behind
        float headC = 3;
        float dHead = std::hypot(along - headC, across) / 9;
        float tail = along < headC ? std::fabs(across) / (9 * Clamp01(1 + (along - headC) / 16)) + 0.001f : 2;
        float d = std::min(dHead, along > -13 ? tail : 2.0f);
        if (d >= 1) continue;
        float coreD = std::hypot(along - headC - 1, across) / 9;
        Rgb col = coreD < 0.4f ? Mix({255, 255, 255}, mid, coreD / 0.4f)
                               : (d < 0.85f ? Mix(mid, rim, Smooth(0.3f, 0.85f, std::max(d, coreD * 0.8f))) : Mix(rim, Scale(rim, 0.6f), (d - 0.85f) / 0.15f));
        img.Set(x, y, Opaque(col));
      }
  }
  return img;
}

// Boss laser: a bright column, white in the middle, tapered at both ends.
Image MakeLZ(int length) {
  Image img(12, length);
  for (int y = 0; y < length; ++y)
    for (int x = 0; x < 12; ++x) {
      float u = (y + 0.5f) / length;
      float taper = std::min(1.0f, std::min(u, 1 - u) * length / 8);
      float half = 5.5f * std::sqrt(taper);
      float a = std::fabs(x + 0.5f - 6) / std::max(half, 0.01f);
      if (a >= 1) continue;
      float pulse = 0.9f + 0.1f * std::sin(y * 0.7f);
      Rgb col = a < 0.35f ? Rgb{255, 255, 255}
                          : Mix({200, 250, 255}, {120, 80, 255}, Smooth(0.35f, 1.0f, a) * pulse);
      img.Set(x, y, Opaque(col));
    }
  return img;
}

Image MakeZBAK1() {
  Image img(600, 60);
  for (int f = 0; f < 10; ++f) Blast(img, f * 60, 0, 60, f / 9.0f, 301);
  return img;
}

Image MakeZBAK2() {
  Image img(600, 60);
  for (int f = 0; f < 10; ++f) Blast(img, f * 60, 0, 60, f / 9.0f, 302, kPlasma, 5);
  return img;
}

// Small-enemy explosion: shown as row 0 columns 0–7 then row 1 columns 1–7.
static Image DrawZBAK3() {
  Image img(640, 160);
  for (int f = 0; f < 15; ++f) {
    int col = f < 8 ? f : f - 7, row = f < 8 ? 0 : 1;
    Blast(img, col * 80, row * 80, 80, f / 14.0f, 303);
  }
  Blast(img, 0, 80, 80, 7.5f / 14, 303);  // never shown; keeps the sheet whole
  return img;
}

Image MakeBBAK1() {
  Image img(640, 160);
  static const float t[4] = {0.06f, 0.24f, 0.42f, 0.6f};
  for (int f = 0; f < 4; ++f) Blast(img, f * 160, 0, 160, t[f], 304 + f);
  return img;
}

namespace {

// A spinning, burning piece of the ship for one frame of its 15-frame turn.
Image DebrisFrame(int f) {
  Painter p(60, 60);
  float a = f * 2 * kPi / 15;
  auto rot = [&](std::vector<Pt> pts) {
    for (Pt& q : pts) {
      float x = q.x - 30, y = q.y - 30;
      q = {30 + x * std::cos(a) - y * std::sin(a), 30 + x * std::sin(a) + y * std::cos(a)};
    }
    return pts;
  };
  p.Poly(rot({{22, 26}, {34, 21}, {40, 28}, {35, 36}, {27, 37}}), M_PLAYER, 1, 2.5f, 1.6f);
  p.Poly(rot({{34, 21}, {40, 28}, {37, 31}, {33, 25}}), M_SKY, 2, 1, 0.6f);
  p.Groove(rot({{26, 30}, {35, 27}})[0], rot({{26, 30}, {35, 27}})[1], 0.6f);
  Image piece = p.Render();
  Image img(60, 60);
  // flames licking around it, flickering with the frame
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      float px = x + 0.5f - 30, py = y + 0.5f - 30, d = std::hypot(px, py);
      float n = Fbm(px + 200 + f * 7.0f, py + 200 - f * 5.0f, 8, 3, 0, 55);
      float v = (1 - d / 17) * 1.1f + (n - 0.5f) * 0.9f;
      if (v > 0.22f) img.Set(x, y, Opaque(Gradient(kFire, 6, Clamp01(v))));
    }
  img.Paste(piece, 0, 0);
  return img;
}

}  // namespace

// The player's ship breaking up: 60 × 60 cells, shown row 0 columns 0–7 then row 1
// columns 1–7, over and over.
Image MakeGFBAK1() {
  Image img(480, 120);
  for (int f = 0; f < 15; ++f) {
    int col = f < 8 ? f : f - 7, row = f < 8 ? 0 : 1;
    img.Paste(DebrisFrame(f), col * 60, row * 60);
  }
  img.Paste(DebrisFrame(0), 0, 60);  // never shown
  return img;
}

Image MakeFBAK1() { return DebrisFrame(4); }

Image MakeZFIRE1() {
  Image img(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      float px = x + 0.5f - 20, py = y + 0.5f - 24;
      float n = Fbm(px + 50, py + 50, 7, 3, 0, 91);
      float shape = 1 - std::hypot(px / 9, (py < 0 ? py / 18 : py / 8));
      float v = shape * 1.2f + (n - 0.5f) * 0.6f;
      if (v > 0.18f) img.Set(x, y, Opaque(Gradient(kFire, 6, Clamp01(v))));
    }
  return img;
}

// Drawn once: the attract pictures show it too.
Image MakeZBAK3() {
  static const Image once = DrawZBAK3();
  return once;
}
