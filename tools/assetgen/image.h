// Pictures as the generator builds them: 24-bit colour where 0 is "transparent"
// (the game keys every picture on black), plus the helpers every painter uses.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
  float r, g, b;
};

inline Rgb Mix(Rgb a, Rgb b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb Scale(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }

// The darkest colour an opaque pixel may have: anything darker turns into the
// colour key once the game converts the picture to 16-bit RGB565.
constexpr int MIN_R = 8, MIN_G = 4, MIN_B = 8;

// Packs a colour for an opaque pixel, lifted to the minimum so it never keys away.
uint32_t Opaque(Rgb c);

struct Image {
  int w = 0, h = 0;
  std::vector<uint32_t> px;  // 0xRRGGBB, 0 = transparent

  Image() = default;
  Image(int width, int height) : w(width), h(height), px(size_t(width) * height, 0) {}
  uint32_t At(int x, int y) const {
    return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : px[size_t(y) * w + x];
  }
  void Set(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < w && y < h) px[size_t(y) * w + x] = c;
  }
  // Alpha-blends a colour over an opaque pixel (or over nothing, giving the colour).
  void Blend(int x, int y, Rgb c, float a);
  // Copies the opaque pixels of src with its top-left corner at (x, y).
  void Paste(const Image& src, int x, int y);
  Image Crop(int x, int y, int cw, int ch) const;
  Image FlipX() const;
};

Rgb Unpack(uint32_t c);

// Resizes a keyed picture: each new pixel is opaque when at least half of its
// samples are, with their average colour.
Image Resample(const Image& src, int w, int h);
// Darkens and tints an opaque picture (backgrounds under text).
Image Dim(const Image& src, float k, Rgb tint = {0, 0, 0}, float tintAmount = 0);

// Writes a 24-bit BMP; returns false with a message on stderr on failure.
bool SaveBmp(const Image& img, const std::string& path);
// Every opaque pixel lifted to the minimum (a last guard before saving).
void EnforceKeySafety(Image& img);

// Fills the whole picture from a per-pixel function (opaque everywhere).
template <class F>
void FillAll(Image& img, F f) {
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) img.px[size_t(y) * img.w + x] = Opaque(f(x, y));
}
