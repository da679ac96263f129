#include "tools/assetgen/text.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

struct FaceInfo {
  const char* path;     // the usual place on Debian
  const char* pattern;  // fontconfig pattern when it is elsewhere
  const char* package;  // where it comes from
};
const FaceInfo kFaces[FACE_COUNT] = {
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "DejaVu Sans:bold", "fonts-dejavu-core"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "DejaVu Sans", "fonts-dejavu-core"},
    {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf", "IPAGothic:lang=ja", "fonts-ipafont-gothic"},
};

std::string facePath[FACE_COUNT];

constexpr int kCacheSize = 48;
struct Cached {
  int face, size;
  TTF_Font* font;
};
Cached cache[kCacheSize];
int cached = 0;

bool Exists(const std::string& p) {
  struct stat st;
  return !p.empty() && stat(p.c_str(), &st) == 0;
}

std::string FindWithFontconfig(const char* pattern) {
  std::string found;
  FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
  if (!pat) return found;
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pat, &result);
  if (match) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) found = reinterpret_cast<char*>(file);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pat);
  return found;
}

TTF_Font* Font(Face face, int size) {
  for (int i = 0; i < cached; ++i)
    if (cache[i].face == face && cache[i].size == size) return cache[i].font;
  TTF_Font* f = TTF_OpenFont(facePath[face].c_str(), size);
  if (!f) {
    std::fprintf(stderr, "skyward-assetgen: cannot open %s: %s\n", facePath[face].c_str(), TTF_GetError());
    return nullptr;
  }
  TTF_SetFontHinting(f, TTF_HINTING_LIGHT);
  if (cached < kCacheSize) cache[cached++] = {face, size, f};
  return f;
}

}  // namespace

bool InitFonts() {
  if (TTF_Init() != 0) {
    std::fprintf(stderr, "skyward-assetgen: SDL_ttf: %s\n", TTF_GetError());
    return false;
  }
  bool ok = true;
  for (int f = 0; f < FACE_COUNT; ++f) {
    facePath[f] = kFaces[f].path;
    if (Exists(facePath[f])) continue;
    facePath[f] = FindWithFontconfig(kFaces[f].pattern);
    if (Exists(facePath[f])) {
      std::fprintf(stderr, "skyward-assetgen: note: using %s for \"%s\"\n", facePath[f].c_str(), kFaces[f].pattern);
      continue;
    }
    std::fprintf(stderr, "skyward-assetgen: font \"%s\" not found (install the Debian package %s)\n",
                 kFaces[f].pattern, kFaces[f].package);
    ok = false;
  }
  return ok;
}

void CloseFonts() {
  for (int i = 0; i < cached; ++i) TTF_CloseFont(cache[i].font);
  cached = 0;
  TTF_Quit();
}

Mask TextMask(Face face, int pixelSize, const char* utf8) {
  Mask m;
  TTF_Font* f = Font(face, pixelSize);
  if (!f || !*utf8) return m;
  SDL_Surface* s = TTF_RenderUTF8_Blended(f, utf8, SDL_Color{255, 255, 255, 255});
  if (!s) return m;
  SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!c) return m;
  m.w = c->w, m.h = c->h;
  m.a.resize(size_t(m.w) * m.h);
  for (int y = 0; y < m.h; ++y) {
    auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(c->pixels) + y * c->pitch);
    for (int x = 0; x < m.w; ++x) m.a[size_t(y) * m.w + x] = (row[x] >> 24) / 255.0f;
  }
  SDL_FreeSurface(c);
  return m;
}

int TextWidth(Face face, int pixelSize, const char* utf8) {
  TTF_Font* f = Font(face, pixelSize);
  int w = 0, h = 0;
  if (f) TTF_SizeUTF8(f, utf8, &w, &h);
  return w;
}

void DrawText(Image& img, Face face, int pixelSize, int x, int y, const char* utf8, Rgb color, Align align,
              Rgb edge) {
  Mask m = TextMask(face, pixelSize, utf8);
  if (align == CENTRE) x -= m.w / 2;
  if (align == RIGHT) x -= m.w;
  // edge first: the coverage grown by one pixel
  for (int yy = -1; yy <= m.h; ++yy)
    for (int xx = -1; xx <= m.w; ++xx) {
      float a = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) a = std::max(a, m.At(xx + dx, yy + dy));
      img.Blend(x + xx, y + yy, edge, a * 0.8f);
    }
  for (int yy = 0; yy < m.h; ++yy)
    for (int xx = 0; xx < m.w; ++xx) img.Blend(x + xx, y + yy, color, m.At(xx, yy));
}
