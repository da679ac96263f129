// Text blocks with SDL2_ttf; the two standard faces are found through fontconfig.
#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstring>

#include "lib/draw/zuDraw.h"
#include "lib/sdl/zuDrawSdl.h"

namespace {

// What each standard face asks fontconfig for, best first.
constexpr const char* kFacePattern[2] = {
    "IPAMincho,IPAexMincho,Noto Serif CJK JP,serif:lang=ja",    // 標準明朝
    "IPAGothic,IPAexGothic,Noto Sans CJK JP,sans-serif:lang=ja",  // 標準ゴシック
};

char fontFile[2][1024];
int fontIndex[2];
bool fontResolved[2];
bool ttfUp = false;
bool fcUp = false;

struct FontSlot {
  TTF_Font* font;
  int face, height, style;
};
constexpr int FONT_SLOTS = 8;
FontSlot fontSlots[FONT_SLOTS];
int nextFontSlot = 0;

// Rendered lines, kept so that drawing the same text again allocates nothing.
struct TextSlot {
  SDL_Surface* surface;
  const TTF_Font* font;
  zuDraw::TextColors colors;
  char text[512];
};
constexpr int TEXT_SLOTS = 32;
TextSlot textSlots[TEXT_SLOTS];
int nextTextSlot = 0;

// The font description: face survives blocks that name no standard face.
int currentFace = 1;

struct Block : zuDraw::TextColors {
  bool open = false;
  TTF_Font* font = nullptr;
} block;

void Resolve(int face) {
  if (fontResolved[face]) return;
  fontResolved[face] = true;
  fontFile[face][0] = '\0';
  if (!FcInit()) return;
  fcUp = true;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kFacePattern[face]));
  if (pattern == nullptr) return;
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcChar8* file = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    std::snprintf(fontFile[face], sizeof fontFile[face], "%s", reinterpret_cast<char*>(file));
    int index = 0;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) fontIndex[face] = index;
  }
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
}

TTF_Font* OpenFont(int face, int height, int style) {
  for (const FontSlot& slot : fontSlots) {
    if (slot.font != nullptr && slot.face == face && slot.height == height && slot.style == style) {
      return slot.font;
    }
  }
  if (!ttfUp) {
    if (TTF_Init() != 0) return nullptr;
    ttfUp = true;
  }
  Resolve(face);
  if (fontFile[face][0] == '\0' || height <= 0) return nullptr;
  TTF_Font* font = TTF_OpenFontIndex(fontFile[face], height, fontIndex[face]);
  if (font == nullptr) return nullptr;
  // The height asked for is the character cell (ascent + descent), not the em.
  const int cell = TTF_FontHeight(font);
  if (cell > 0 && cell != height) {
    const int size = (height * height + cell / 2) / cell;
    TTF_SetFontSize(font, size > 0 ? size : 1);
  }
  TTF_SetFontStyle(font, style);
  FontSlot& slot = fontSlots[nextFontSlot];
  nextFontSlot = (nextFontSlot + 1) % FONT_SLOTS;
  if (slot.font != nullptr) {
    // Rendered text of an evicted font goes with it.
    for (TextSlot& t : textSlots) {
      if (t.font == slot.font) {
        SDL_FreeSurface(t.surface);
        t = TextSlot{};
      }
    }
    TTF_CloseFont(slot.font);
  }
  slot = FontSlot{font, face, height, style};
  return font;
}

SDL_Color FromColorRef(uint32_t c) {
  return SDL_Color{static_cast<Uint8>(c & 0xFF), static_cast<Uint8>((c >> 8) & 0xFF),
                   static_cast<Uint8>((c >> 16) & 0xFF), 255};
}

SDL_Surface* Rendered(const char* text) {
  for (const TextSlot& t : textSlots) {
    if (t.surface != nullptr && t.font == block.font && t.colors == block &&
        std::strcmp(t.text, text) == 0) {
      return t.surface;
    }
  }
  SDL_Surface* s;
  if (block.transparent) {
    s = TTF_RenderUTF8_Blended(block.font, text, FromColorRef(block.fg));
  } else {
    // Opaque background mode: the text sits on boxes of the background colour.
    SDL_Surface* shaded =
        TTF_RenderUTF8_Shaded(block.font, text, FromColorRef(block.fg), FromColorRef(block.bg));
    s = nullptr;
    if (shaded != nullptr) {
      s = SDL_ConvertSurfaceFormat(shaded, SDL_PIXELFORMAT_RGB565, 0);
      SDL_FreeSurface(shaded);
      if (s != nullptr) SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
    }
  }
  if (s == nullptr) return nullptr;
  if (std::strlen(text) >= sizeof textSlots[0].text) return s;  // too long to keep: caller frees
  TextSlot& slot = textSlots[nextTextSlot];
  nextTextSlot = (nextTextSlot + 1) % TEXT_SLOTS;
  if (slot.surface != nullptr) SDL_FreeSurface(slot.surface);
  slot.surface = s;
  slot.font = block.font;
  slot.colors = block;
  std::snprintf(slot.text, sizeof slot.text, "%s", text);
  return s;
}

bool Cached(const SDL_Surface* s) {
  for (const TextSlot& t : textSlots) {
    if (t.surface == s) return true;
  }
  return false;
}

}  // namespace

namespace zuDraw {

const char* FontFile(int face) {
  if (face < 0 || face > 1) return "";
  Resolve(face);
  return fontFile[face];
}

void PlatformBeginText(int face, int height, int, int bold, int italic, int underline) {
  if (face == 0 || face == 1) currentFace = face;
  int style = TTF_STYLE_NORMAL;
  if (bold == 1) style |= TTF_STYLE_BOLD;
  if ((italic & 0xFF) != 0) style |= TTF_STYLE_ITALIC;
  if ((underline & 0xFF) != 0) style |= TTF_STYLE_UNDERLINE;
  // Text is always upright here: the game never asks for an angle.
  block.open = true;
  block.font = OpenFont(currentFace, height, style);
  static_cast<TextColors&>(block) = TextColors{};
}

void PlatformSetTextColors(uint32_t textColor, uint32_t backColor, int transparent) {
  block.Set(textColor, backColor, transparent);
}

void PlatformTextOut(int x, int y, const char* text) {
  SDL_Surface* back = BackSurface();
  if (!block.open || block.font == nullptr || back == nullptr || text == nullptr ||
      text[0] == '\0') {
    return;
  }
  SDL_Surface* s = Rendered(text);
  if (s == nullptr) return;
  // Text is not held to the clip rectangle, only to the screen.
  SDL_Rect d = {x, y, s->w, s->h};
  SDL_BlitSurface(s, nullptr, back, &d);
  if (!Cached(s)) SDL_FreeSurface(s);
}

void PlatformEndText() { block = Block{}; }

void PlatformReleaseText() {
  for (TextSlot& t : textSlots) {
    if (t.surface != nullptr) SDL_FreeSurface(t.surface);
    t = TextSlot{};
  }
  for (FontSlot& f : fontSlots) {
    if (f.font != nullptr) TTF_CloseFont(f.font);
    f = FontSlot{};
  }
  nextTextSlot = 0;
  nextFontSlot = 0;
  block = Block{};
  currentFace = 1;
  if (ttfUp) TTF_Quit();
  ttfUp = false;
  if (fcUp) FcFini();
  fcUp = false;
  fontResolved[0] = fontResolved[1] = false;
}

}  // namespace zuDraw
