// Text in pictures through SDL2_ttf: a heavy sans for the logo and headings, the
// IPA Gothic face for Japanese.
#pragma once
#include <vector>

#include "tools/assetgen/image.h"

enum Face { FACE_BOLD, FACE_SANS, FACE_JP, FACE_COUNT };

// Finds and opens the fonts; on failure says which font is missing and how to get it.
bool InitFonts();
void CloseFonts();

struct Mask {
  int w = 0, h = 0;
  std::vector<float> a;  // coverage 0…1
  float At(int x, int y) const { return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : a[size_t(y) * w + x]; }
};

Mask TextMask(Face face, int pixelSize, const char* utf8);
int TextWidth(Face face, int pixelSize, const char* utf8);

enum Align { LEFT, CENTRE, RIGHT };

// Text over an opaque picture with a soft one-pixel dark edge for legibility.
// (x, y) is the top of the line at the alignment point.
void DrawText(Image& img, Face face, int pixelSize, int x, int y, const char* utf8, Rgb color,
              Align align = LEFT, Rgb edge = {12, 14, 30});
