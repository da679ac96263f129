#include "tools/assetgen/image.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

static int Channel(float v) { return std::clamp(int(v + 0.5f), 0, 255); }

uint32_t Opaque(Rgb c) {
  int r = std::max(Channel(c.r), MIN_R);
  int g = std::max(Channel(c.g), MIN_G);
  int b = std::max(Channel(c.b), MIN_B);
  return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

Rgb Unpack(uint32_t c) { return {float(c >> 16 & 255), float(c >> 8 & 255), float(c & 255)}; }

void Image::Blend(int x, int y, Rgb c, float a) {
  if (x < 0 || y < 0 || x >= w || y >= h || a <= 0) return;
  uint32_t& p = px[size_t(y) * w + x];
  if (p == 0) {
    // Over nothing there is no colour to blend with: keep it or cut it.
    if (a >= 0.5f) p = Opaque(c);
    return;
  }
  p = Opaque(Mix(Unpack(p), c, std::min(a, 1.0f)));
}

void Image::Paste(const Image& src, int x, int y) {
  for (int sy = 0; sy < src.h; ++sy)
    for (int sx = 0; sx < src.w; ++sx) {
      uint32_t c = src.px[size_t(sy) * src.w + sx];
      if (c) Set(x + sx, y + sy, c);
    }
}

Image Image::Crop(int x, int y, int cw, int ch) const {
  Image out(cw, ch);
  for (int yy = 0; yy < ch; ++yy)
    for (int xx = 0; xx < cw; ++xx) out.px[size_t(yy) * cw + xx] = At(x + xx, y + yy);
  return out;
}

Image Image::FlipX() const {
  Image out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.px[size_t(y) * w + x] = px[size_t(y) * w + (w - 1 - x)];
  return out;
}

Image Resample(const Image& src, int w, int h) {
  Image out(w, h);
  const int n = 4;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int count = 0;
      Rgb sum{0, 0, 0};
      for (int sy = 0; sy < n; ++sy)
        for (int sx = 0; sx < n; ++sx) {
          int px = int((x + (sx + 0.5f) / n) * src.w / w), py = int((y + (sy + 0.5f) / n) * src.h / h);
          uint32_t c = src.At(px, py);
          if (!c) continue;
          ++count;
          Rgb u = Unpack(c);
          sum.r += u.r, sum.g += u.g, sum.b += u.b;
        }
      if (count * 2 >= n * n) out.px[size_t(y) * w + x] = Opaque(Scale(sum, 1.0f / count));
    }
  return out;
}

Image Dim(const Image& src, float k, Rgb tint, float tintAmount) {
  Image out = src;
  for (uint32_t& p : out.px)
    if (p) p = Opaque(Mix(Scale(Unpack(p), k), tint, tintAmount));
  return out;
}

void EnforceKeySafety(Image& img) {
  for (uint32_t& p : img.px)
    if (p != 0) p = Opaque(Unpack(p));
}

bool SaveBmp(const Image& img, const std::string& path) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, img.w, img.h, 24, SDL_PIXELFORMAT_RGB24);
  if (!s) {
    std::fprintf(stderr, "skyward-assetgen: cannot make a surface: %s\n", SDL_GetError());
    return false;
  }
  auto* bytes = static_cast<uint8_t*>(s->pixels);
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) {
      uint32_t c = img.px[size_t(y) * img.w + x];
      uint8_t* p = bytes + y * s->pitch + x * 3;
      p[0] = uint8_t(c >> 16);
      p[1] = uint8_t(c >> 8);
      p[2] = uint8_t(c);
    }
  bool ok = SDL_SaveBMP(s, path.c_str()) == 0;
  if (!ok) std::fprintf(stderr, "skyward-assetgen: cannot write %s: %s\n", path.c_str(), SDL_GetError());
  SDL_FreeSurface(s);
  return ok;
}
