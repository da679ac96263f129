// Pictures with words: the logo, the attract pictures, the setup and continue
// screens, and the sheet of score digits and labels.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "tools/assetgen/assets.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/text.h"

namespace {

// ---------------------------------------------------------------- bitmap glyphs

// 5 × 8 glyphs for the score digits and the game-over label.
struct Glyph {
  char ch;
  const char* rows[8];
};
const Glyph kGlyphs5[] = {
    {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", "#   #", " ### "}},
    {'1', {"  #  ", " ##  ", "# #  ", "  #  ", "  #  ", "  #  ", "  #  ", "#####"}},
    {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"}},
    {'3', {" ### ", "#   #", "    #", "  ## ", "    #", "    #", "#   #", " ### "}},
    {'4', {"   # ", "  ## ", " # # ", "#  # ", "#  # ", "#####", "   # ", "   # "}},
    {'5', {"#####", "#    ", "#### ", "    #", "    #", "    #", "#   #", " ### "}},
    {'6', {" ### ", "#    ", "#    ", "#### ", "#   #", "#   #", "#   #", " ### "}},
    {'7', {"#####", "    #", "   # ", "   # ", "  #  ", "  #  ", " #   ", " #   "}},
    {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", "#   #", " ### "}},
    {'9', {" ### ", "#   #", "#   #", "#   #", " ####", "    #", "    #", " ### "}},
    {'G', {" ### ", "#   #", "#    ", "#    ", "# ###", "#   #", "#   #", " ####"}},
    {'A', {" ### ", "#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #", "#   #"}},
    {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    ", "#####"}},
    {'O', {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", " # # ", "  #  "}},
    {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #", "#   #"}},
};

// 4 × 7 glyphs for the small labels.
struct SmallGlyph {
  char ch;
  const char* rows[7];
};
const SmallGlyph kGlyphs4[] = {
    {'B', {"### ", "#  #", "#  #", "### ", "#  #", "#  #", "### "}},
    {'O', {" ## ", "#  #", "#  #", "#  #", "#  #", "#  #", " ## "}},
    {'M', {"#  #", "####", "####", "#  #", "#  #", "#  #", "#  #"}},
    {'E', {"####", "#   ", "#   ", "### ", "#   ", "#   ", "####"}},
    {'N', {"#  #", "## #", "## #", "# ##", "# ##", "#  #", "#  #"}},
    {'*', {"  ##", " ## ", "##  ", "####", "  ##", " ## ", "##  "}},  // lightning bolt
};

template <class G>
const G* Find(const G* table, int n, char ch) {
  for (int i = 0; i < n; ++i)
    if (table[i].ch == ch) return &table[i];
  return nullptr;
}

// Draws glyph rows with a vertical gradient; returns the advance.
template <size_t N>
int PutRows(Image& img, int x, int y, const char* const (&rows)[N], Rgb top, Rgb bottom) {
  int w = int(std::strlen(rows[0]));
  for (size_t r = 0; r < N; ++r)
    for (int c = 0; c < w; ++c)
      if (rows[r][c] == '#') img.Set(x + c, y + int(r), Opaque(Mix(top, bottom, float(r) / (N - 1))));
  return w;
}

int PutText5(Image& img, int x, int y, const char* s, Rgb top, Rgb bottom) {
  for (; *s; ++s) {
    if (*s == ' ') {
      x += 3;
      continue;
    }
    const Glyph* g = Find(kGlyphs5, int(sizeof kGlyphs5 / sizeof kGlyphs5[0]), *s);
    if (g) x += PutRows(img, x, y, g->rows, top, bottom) + 1;
  }
  return x;
}

int PutText4(Image& img, int x, int y, const char* s, Rgb top, Rgb bottom) {
  for (; *s; ++s) {
    const SmallGlyph* g = Find(kGlyphs4, int(sizeof kGlyphs4 / sizeof kGlyphs4[0]), *s);
    if (g) x += PutRows(img, x, y, g->rows, top, bottom) + 1;
  }
  return x;
}

// A one-pixel outline around what is drawn inside a cell, staying inside it.
void OutlineCell(Image& img, int x0, int y0, int x1, int y1, Rgb edge) {
  Image src = img;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      if (src.At(x, y)) continue;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          int nx = x + dx, ny = y + dy;
          if (nx >= x0 && ny >= y0 && nx < x1 && ny < y1 && src.At(nx, ny)) near = true;
        }
      if (near) img.Set(x, y, Opaque(edge));
    }
}

// ---------------------------------------------------------------- the logo

// Heavy text with an outline, a vertical gradient, a bevel and a drop shadow.
// The glyphs are rendered at 4x and cut at half coverage.
void Logo(Image& img, const char* text, int size, int cx, int y, Rgb top, Rgb mid, Rgb bottom) {
  Mask big = TextMask(FACE_BOLD, size * 4, text);
  int w = big.w / 4, h = big.h / 4;
  std::vector<unsigned char> m(size_t(w) * h, 0);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) {
      float a = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) a += big.At(xx * 4 + sx, yy * 4 + sy);
      m[size_t(yy) * w + xx] = a >= 8 ? 1 : 0;
    }
  auto In = [&](int xx, int yy) { return xx >= 0 && yy >= 0 && xx < w && yy < h && m[size_t(yy) * w + xx]; };
  int x0 = cx - w / 2;
  // rows that hold ink, for the gradient
  int top0 = h, bot0 = 0;
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx)
      if (In(xx, yy)) top0 = std::min(top0, yy), bot0 = std::max(bot0, yy);
  const int shadow = std::max(3, size / 16), line = std::max(2, size / 24);
  auto Near = [&](int xx, int yy, int r) {
    for (int dy = -r; dy <= r; ++dy)
      for (int dx = -r; dx <= r; ++dx)
        if (dx * dx + dy * dy <= r * r + 1 && In(xx + dx, yy + dy)) return true;
    return false;
  };
  // shadow, then outline, then the face
  for (int yy = -line; yy < h + shadow + line; ++yy)
    for (int xx = -line; xx < w + shadow + line; ++xx)
      if (Near(xx - shadow, yy - shadow, line)) img.Set(x0 + xx, y + yy, Opaque({14, 16, 40}));
  for (int yy = -line; yy < h + line; ++yy)
    for (int xx = -line; xx < w + line; ++xx)
      if (Near(xx, yy, line)) img.Set(x0 + xx, y + yy, Opaque({24, 30, 70}));
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) {
      if (!In(xx, yy)) continue;
      float t = float(yy - top0) / std::max(1, bot0 - top0);
      Rgb c = t < 0.5f ? Mix(top, mid, t * 2) : Mix(mid, bottom, (t - 0.5f) * 2);
      if (std::fabs(t - 0.47f) < 0.03f) c = Mix(c, {255, 255, 255}, 0.45f);  // a glint line
      if (!In(xx - 1, yy - 1) || !In(xx, yy - 1)) c = Mix(c, {255, 255, 255}, 0.55f);
      else if (!In(xx + 1, yy + 1) || !In(xx, yy + 1)) c = Scale(c, 0.68f);
      img.Set(x0 + xx, y + yy, Opaque(c));
    }
}

// ---------------------------------------------------------------- panels and keys

void FillRect(Image& img, int x, int y, int w, int h, Rgb c, float a = 1) {
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx) {
      if (a >= 1)
        img.Set(xx, yy, Opaque(c));
      else
        img.Blend(xx, yy, c, a);
    }
}

void Frame(Image& img, int x, int y, int w, int h, Rgb c) {
  FillRect(img, x, y, w, 1, c);
  FillRect(img, x, y + h - 1, w, 1, c);
  FillRect(img, x, y, 1, h, c);
  FillRect(img, x + w - 1, y, 1, h, c);
}

// A key cap with its label; returns its width.
int KeyCap(Image& img, int x, int y, const char* label) {
  int tw = TextWidth(FACE_BOLD, 12, label);
  int w = std::max(20, tw + 10), h = 20;
  FillRect(img, x + 1, y + 1, w - 2, h - 2, {206, 212, 226});
  FillRect(img, x + 1, y + h - 4, w - 2, 3, {150, 158, 178});
  FillRect(img, x + 2, y + 1, w - 4, 1, {246, 248, 255});
  Frame(img, x, y, w, h, {30, 36, 60});
  DrawText(img, FACE_BOLD, 12, x + w / 2, y + 2, label, {24, 28, 48}, CENTRE, {206, 212, 226});
  return w;
}

// A caption band: translucent dark strip with a thin light rule.
void Band(Image& img, int y, int h) {
  FillRect(img, 0, y, img.w, h, {10, 14, 34}, 0.72f);
  FillRect(img, 0, y, img.w, 1, {120, 160, 230}, 0.8f);
  FillRect(img, 0, y + h - 1, img.w, 1, {120, 160, 230}, 0.8f);
}

Image Doubled(const Image& src) { return Resample(src, src.w * 2, src.h * 2); }

Image StarSky(int w, int h, uint32_t seed) {
  Image img(w, h);
  FillAll(img, [&](int x, int y) {
    float t = float(y) / h;
    Rgb c = Mix({10, 14, 40}, {30, 18, 50}, t);
    float n = Fbm(float(x), float(y), 80, 4, 0, seed);
    c = Mix(c, {40, 30, 80}, Smooth(0.55f, 0.8f, n) * 0.6f);
    float s = Hash01(uint32_t(x), uint32_t(y), seed);
    if (s > 0.996f) c = Mix({120, 130, 170}, {230, 235, 255}, Hash01(x, y, seed + 1));
    return c;
  });
  return img;
}

}  // namespace

// ---------------------------------------------------------------- MYMY

Image MakeMYMY() {
  Image img(225, 80);
  // spare pieces above the strip: the ship and a bomb for a lives / bombs display
  img.Paste(MakeShipFrame(0), 0, 0);
  // score digits 0–9: (8 + 7d, 70), 7 × 10 each
  for (int d = 0; d < 10; ++d) {
    const char s[2] = {char('0' + d), 0};
    PutText5(img, 9 + 7 * d, 71, s, {255, 255, 255}, {140, 200, 255});
    OutlineCell(img, 8 + 7 * d, 70, 15 + 7 * d, 80, {16, 28, 72});
  }
  // game-over label: (81, 70)–(136, 80)
  PutText5(img, 83, 71, "GAME OVER", {255, 236, 140}, {255, 70, 40});
  OutlineCell(img, 81, 70, 136, 80, {70, 12, 16});
  // starfield streaks: (139 + 3k, 70), 3 × 10, seven colours, brightest at the head
  static const Rgb kStreak[7] = {{220, 230, 255}, {90, 220, 255}, {255, 230, 90}, {255, 150, 60},
                                 {255, 110, 200}, {120, 255, 140}, {180, 140, 255}};
  for (int k = 0; k < 7; ++k)
    for (int y = 0; y < 10; ++y) {
      float head = (y + 1) / 10.0f;
      Rgb c = Mix(Scale(kStreak[k], 0.45f), kStreak[k], head);
      img.Set(140 + 3 * k, 70 + y, Opaque(y >= 7 ? Mix(c, {255, 255, 255}, 0.5f) : c));
      if (y >= 3) {
        img.Set(139 + 3 * k, 70 + y, Opaque(Scale(c, 0.6f)));
        img.Set(141 + 3 * k, 70 + y, Opaque(Scale(c, 0.6f)));
      }
    }
  // bomb label (170, 70)–(194, 80) and energy label (200, 70)–(224, 80)
  PutText4(img, 172, 71, "BOMB", {255, 240, 150}, {255, 170, 60});
  OutlineCell(img, 170, 70, 194, 80, {60, 30, 10});
  int x = PutText4(img, 203, 71, "*", {255, 255, 170}, {255, 200, 60});
  PutText4(img, x + 2, 71, "EN", {170, 255, 200}, {80, 220, 140});
  OutlineCell(img, 200, 70, 224, 80, {14, 50, 30});
  return img;
}

// ---------------------------------------------------------------- title logo

Image MakeTITLE() {
  Image img(500, 300);
  // Only x 60…440 is ever seen: everything sits inside that band.
  // Stars, and the rim of a planet rising under the lettering.
  for (int y = 0; y < 300; ++y)
    for (int x = 62; x < 438; ++x) {
      float dx = x - 250.0f, dy = y - 792.0f, d = std::sqrt(dx * dx + dy * dy);
      if (d < 520) {
        float depth = Clamp01((520 - d) / 60);
        float cloud = Fbm(float(x), float(y) * 2.5f, 40, 4, 0, 81);
        Rgb sea = Mix({18, 40, 96}, {30, 70, 140}, depth * 0.5f);
        Rgb c = Mix(sea, {150, 170, 210}, Smooth(0.55f, 0.75f, cloud) * 0.8f);
        if (d > 512) c = Mix({120, 190, 255}, {200, 235, 255}, (d - 512) / 8);  // the lit air
        img.Set(x, y, Opaque(c));
      } else if (d < 532) {
        // the atmosphere's glow, cut where it grows faint
        float a = 1 - (d - 520) / 12;
        if (a > 0.25f) img.Set(x, y, Opaque(Mix({40, 90, 200}, {110, 180, 255}, a)));
      } else if (Hash01(uint32_t(x), uint32_t(y), 82) > 0.994f) {
        img.Set(x, y, Opaque(Mix({110, 120, 160}, {235, 240, 255}, Hash01(x, y, 83))));
      }
    }
  // A contrail climbing from the bottom left to the ship beside "RUN".
  for (int i = 0; i < 2; ++i) {
    float x0 = 362 + i * 24, y0 = 250;
    for (int s = 0; s < 200; ++s) {
      float x = x0 - s, y = y0 + s * 0.2f;
      float wdt = 0.6f + s / 120.0f;
      Rgb c = Mix({190, 230, 255}, {40, 90, 170}, s / 200.0f);
      for (int dy = -int(wdt); dy <= int(wdt); ++dy) img.Set(int(x), int(y) + dy, Opaque(c));
    }
  }
  Image ship = Doubled(MakeShipFrame(-2));
  img.Paste(ship, 314, 118);
  Logo(img, "SKYWARD", 60, 250, 22, {255, 255, 255}, {150, 215, 255}, {40, 110, 230});
  Logo(img, "RUN", 92, 212, 104, {255, 250, 210}, {255, 200, 70}, {235, 90, 30});
  DrawText(img, FACE_JP, 16, 212, 228, "スカイワード・ラン", {210, 226, 255}, CENTRE);
  return img;
}

// ---------------------------------------------------------------- setup screen

Image MakeSELECT1() {
  Image img = Dim(MakeBACK1(), 0.6f, {14, 18, 50}, 0.3f);
  Band(img, 14, 76);
  Logo(img, "SETUP", 40, 190, 20, {255, 255, 255}, {150, 215, 255}, {40, 110, 230});
  DrawText(img, FACE_JP, 16, 190, 68, "出撃準備", {230, 236, 255}, CENTRE);
  img.Paste(Doubled(MakeShipFrame(0)), 130, 100);
  struct Row {
    const char* keys[4];
    const char* what;
  };
  const Row rows[] = {
      {{"Enter", "F2"}, "ゲームスタート"},
      {{"F4"}, "背景を星空にする"},
      {{"←", "↑", "→", "↓"}, "自機の移動"},
      {{"Z", "Shift"}, "ショット"},
      {{"X", "Ctrl"}, "ボム（敵弾を消す）"},
      {{"S"}, "ポーズ"},
      {{"ESC"}, "終了"},
  };
  Band(img, 246, 196);
  int y = 256;
  for (const Row& r : rows) {
    int x = 18;
    for (const char* k : r.keys) {
      if (!k) break;
      x += KeyCap(img, x, y, k) + 3;
    }
    DrawText(img, FACE_JP, 15, 170, y + 1, r.what, {236, 240, 255});
    y += 26;
  }
  DrawText(img, FACE_JP, 15, 190, 452, "[Enter] か [F2] で出撃！", {255, 220, 110}, CENTRE);
  return img;
}

// ---------------------------------------------------------------- attract pictures
// The title's help line covers the bottom rows of the screen from y 460, so words
// stay above it.

// The ship over the first stage, shooting down drones.
Image MakeJCG1() {
  Image img = MakeBACK1();
  Image shot = MakeFLH(0), left = MakeFLH(1), right = MakeFLH(2);
  Image ship = MakeShipFrame(1);
  int sx = 170, sy = 330;
  for (int i = 0; i < 4; ++i) {
    img.Paste(shot, sx, sy + 15 - 60 - i * 60);
    img.Paste(left, sx - 15 - 9 * (i + 1), sy + 10 - 60 * (i + 1));
    img.Paste(right, sx + 15 + 9 * (i + 1), sy + 10 - 60 * (i + 1));
  }
  img.Paste(ship, sx, sy);
  Image drone = MakeZAK2(), fighter = MakeZAK4();
  img.Paste(drone, 60, 130);
  img.Paste(drone, 268, 100);
  img.Paste(fighter, 230, 200);
  Image blast = MakeZBAK3().Crop(4 * 80, 0, 80, 80);
  img.Paste(blast, 150, 110);
  Image b = MakeVAL(12);
  img.Paste(b, 262, 262);
  img.Paste(b, 250, 292);
  Band(img, 18, 74);
  Logo(img, "STAGE 1", 34, 190, 22, {255, 255, 255}, {150, 215, 255}, {40, 110, 230});
  DrawText(img, FACE_JP, 16, 190, 66, "海上空域を突破せよ", {230, 236, 255}, CENTRE);
  return img;
}

// The enemy line-up (400 wide: ten columns at each side are cut off in play).
Image MakeJCG2() {
  Image img = StarSky(400, 480, 61);
  Band(img, 14, 70);
  Logo(img, "ENEMIES", 34, 200, 18, {255, 240, 220}, {255, 150, 120}, {210, 40, 60});
  DrawText(img, FACE_JP, 15, 200, 62, "敵機データ", {236, 236, 255}, CENTRE);
  struct Entry {
    Image pic;
    const char* name;
  };
  Entry small[6] = {{MakeZAK2(), "ドローン"},   {MakeZAK4(), "ファイター"}, {MakeZAK6(), "インセクト"},
                    {MakeZAK8(), "ガンシップ"}, {MakeZAK10(), "ウイング"},  {MakeZAK18(), "ボマー"}};
  for (int i = 0; i < 6; ++i) {
    int cx = 80 + (i % 3) * 120, top = 88 + (i / 3) * 108;
    const Image& p = small[i].pic;
    img.Paste(p, cx - p.w / 2, top + (96 - p.h) / 2);
    DrawText(img, FACE_JP, 13, cx, top + 92, small[i].name, {220, 230, 255}, CENTRE);
  }
  Image mid50 = Resample(MakeZAK50(), 150, 120), mid51 = Resample(MakeZAK51(), 150, 120);
  img.Paste(mid50, 40, 310);
  img.Paste(mid51, 210, 310);
  DrawText(img, FACE_JP, 13, 200, 438, "中型戦艦　ガレオン ／ カタマラン", {255, 220, 150}, CENTRE);
  return img;
}

// A boss fight.
Image MakeJCG3() {
  Image img = Dim(MakeBACK2(), 0.85f);
  img.Paste(MakeBOS11(), 0, 40);
  Image v20 = MakeVAL(20), lz = MakeLZ(50), v12 = MakeVAL(12);
  static const int dx[5] = {-40, -20, 0, 20, 40};
  static const int dy[5] = {0, 14, 18, 14, 0};
  for (int i = 0; i < 5; ++i) {
    img.Paste(v20, 120 + dx[i] * 2, 300 + dy[i]);
    img.Paste(v20, 240 + dx[i] * 2, 300 + dy[i]);
  }
  img.Paste(lz, 94, 290);
  img.Paste(lz, 274, 290);
  img.Paste(v12, 182 - 20, 270);
  img.Paste(v12, 182 + 20, 270);
  img.Paste(MakeShipFrame(0), 160, 340);
  Band(img, 0, 40);
  FillRect(img, 0, 1, 380, 38, {150, 20, 30}, 0.45f);
  Logo(img, "WARNING", 26, 190, 4, {255, 255, 255}, {255, 170, 150}, {230, 40, 50});
  Band(img, 412, 40);
  DrawText(img, FACE_JP, 16, 190, 422, "巨大要塞、接近中！", {255, 230, 200}, CENTRE);
  return img;
}

// How to play.
Image MakeJCG4() {
  Image img = StarSky(380, 480, 71);
  Band(img, 14, 70);
  Logo(img, "HOW TO PLAY", 30, 190, 20, {255, 255, 255}, {150, 215, 255}, {40, 110, 230});
  DrawText(img, FACE_JP, 15, 190, 60, "操作方法", {236, 240, 255}, CENTRE);
  // the ship firing, and a bomb going off
  img.Paste(MakeShipFrame(0), 50, 170);
  for (int i = 0; i < 2; ++i) img.Paste(MakeFLH(0), 50, 110 - i * 50);
  Image orb = Resample(MakeFBOM1(), 30, 30);
  for (int i = 0; i < 8; ++i) {
    float a = i * 0.785f;
    img.Paste(orb, int(290 + std::cos(a) * 50) - 15, int(160 + std::sin(a) * 50) - 15);
  }
  img.Paste(MakeShipFrame(0), 260, 125);
  DrawText(img, FACE_JP, 13, 80, 246, "ショット", {220, 230, 255}, CENTRE);
  DrawText(img, FACE_JP, 13, 290, 246, "ボム：敵弾を消す", {220, 230, 255}, CENTRE);
  struct Row {
    const char* keys[4];
    const char* what;
  };
  const Row rows[] = {
      {{"←", "↑", "→", "↓"}, "移動"},
      {{"Z", "Shift"}, "ショット"},
      {{"X", "Ctrl"}, "ボム"},
      {{"S"}, "ポーズ"},
      {{"ESC"}, "終了"},
  };
  Band(img, 262, 140);
  int y = 271;
  for (const Row& r : rows) {
    int x = 30;
    for (const char* k : r.keys) {
      if (!k) break;
      x += KeyCap(img, x, y, k) + 3;
    }
    DrawText(img, FACE_JP, 15, 190, y + 1, r.what, {236, 240, 255});
    y += 27;
  }
  DrawText(img, FACE_JP, 13, 190, 408, "被弾するとエネルギー −16", {255, 220, 150}, CENTRE);
  DrawText(img, FACE_JP, 15, 190, 430, "[SPACE] でゲーム開始", {255, 255, 255}, CENTRE);
  return img;
}

// ---------------------------------------------------------------- continue

Image MakeCONTINU1() {
  Image img(200, 100);
  FillAll(img, [](int x, int y) { return Mix({16, 22, 60}, {34, 20, 64}, (x + y) / 300.0f); });
  Frame(img, 0, 0, 200, 100, {30, 40, 90});
  Frame(img, 1, 1, 198, 98, {140, 180, 250});
  Frame(img, 2, 2, 196, 96, {40, 56, 120});
  Logo(img, "CONTINUE?", 26, 100, 8, {255, 255, 230}, {255, 210, 80}, {240, 110, 40});
  DrawText(img, FACE_JP, 13, 100, 44, "コンティニューしますか？", {226, 232, 255}, CENTRE);
  int x = 22;
  x += KeyCap(img, x, 68, "Y") + 5;
  DrawText(img, FACE_JP, 14, x, 69, "はい", {255, 255, 255});
  x = 112;
  x += KeyCap(img, x, 68, "N") + 5;
  DrawText(img, FACE_JP, 14, x, 69, "いいえ", {255, 255, 255});
  return img;
}

// Labels that nothing shows.
Image MakeEndLabel(int variant) {
  static const char* kText[3] = {"MISSION END", "FINAL", "GOOD NIGHT"};
  Image img(200, 44);
  Logo(img, kText[variant], 24, 100, 6, {255, 255, 255}, {150, 215, 255}, {40, 110, 230});
  return img;
}
