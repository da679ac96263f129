// Text on the back surface, rendered by the page with the game's own faces
// (cut down to the characters it shows) and kept where it does not change.
#include <cstdio>
#include <cstring>
#include <vector>

#include "lib/draw/drawPlatform.h"
#include "lib/web/web.h"

namespace {

// A line is at most the back surface's width and a cell of 64 rows.
constexpr int MAX_W = 640, MAX_H = 64;

struct Font {
  int face, height, bold, italic, underline;
  bool operator==(const Font& o) const {
    return face == o.face && height == o.height && bold == o.bold && italic == o.italic &&
           underline == o.underline;
  }
};

// Rendered lines, kept so that drawing the same text again allocates nothing.
struct TextSlot {
  bool used;
  Font font;
  zuDraw::TextColors colors;
  char text[512];
  int w, h;
  std::vector<uint8_t> rgba;
};
constexpr int TEXT_SLOTS = 32;
TextSlot textSlots[TEXT_SLOTS];
int nextTextSlot = 0;
std::vector<uint8_t> scratch;

// The face survives blocks that name no standard face.
int currentFace = 1;

struct Block : zuDraw::TextColors {
  bool open = false;
  Font font{};
} block;

const TextSlot* Rendered(const char* text) {
  for (const TextSlot& t : textSlots) {
    if (t.used && t.font == block.font && t.colors == block &&
        std::strcmp(t.text, text) == 0) {
      return &t;
    }
  }
  if (std::strlen(text) >= sizeof textSlots[0].text) return nullptr;
  if (scratch.empty()) scratch.resize(static_cast<size_t>(MAX_W) * MAX_H * 4);
  int w = 0, h = 0;
  if (!skyward_text_render(block.font.face, block.font.height, block.font.bold, block.font.italic,
                           block.font.underline, block.fg, block.bg, block.transparent, text,
                           scratch.data(), MAX_W, MAX_H, &w, &h)) {
    return nullptr;
  }
  TextSlot& slot = textSlots[nextTextSlot];
  nextTextSlot = (nextTextSlot + 1) % TEXT_SLOTS;
  slot.used = true;
  slot.font = block.font;
  slot.colors = block;
  std::snprintf(slot.text, sizeof slot.text, "%s", text);
  slot.w = w;
  slot.h = h;
  slot.rgba.assign(scratch.begin(), scratch.begin() + static_cast<size_t>(w) * h * 4);
  return &slot;
}

uint16_t To565(unsigned r, unsigned g, unsigned b) {
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

}  // namespace

namespace zuDraw {

void PlatformBeginText(int face, int height, int, int bold, int italic, int underline) {
  if (face == 0 || face == 1) currentFace = face;
  // Text is always upright here: the game never asks for an angle.
  block.open = true;
  block.font = Font{currentFace, height, bold == 1 ? 1 : 0, (italic & 0xFF) != 0 ? 1 : 0,
                    (underline & 0xFF) != 0 ? 1 : 0};
  static_cast<TextColors&>(block) = TextColors{};
}

void PlatformSetTextColors(uint32_t textColor, uint32_t backColor, int transparent) {
  block.Set(textColor, backColor, transparent);
}

void PlatformTextOut(int x, int y, const char* text) {
  uint16_t* back = const_cast<uint16_t*>(WebBackSurface());
  if (!block.open || back == nullptr || text == nullptr || text[0] == '\0' || block.font.height <= 0) {
    return;
  }
  const TextSlot* t = Rendered(text);
  if (t == nullptr) return;
  // Text is not held to the clip rectangle, only to the screen.
  for (int row = 0; row < t->h; ++row) {
    const int dy = y + row;
    if (dy < 0 || dy >= screenHeight) continue;
    for (int col = 0; col < t->w; ++col) {
      const int dx = x + col;
      if (dx < 0 || dx >= screenWidth) continue;
      const uint8_t* s = t->rgba.data() + (static_cast<size_t>(row) * t->w + col) * 4;
      uint16_t& d = back[static_cast<size_t>(dy) * screenWidth + dx];
      const unsigned a = s[3];
      if (a == 255) {
        d = To565(s[0], s[1], s[2]);
      } else if (a != 0) {
        // Over what is there: the back surface's colour widened to 8 bits.
        const unsigned r0 = ((d >> 11) & 0x1F) * 255 / 31, g0 = ((d >> 5) & 0x3F) * 255 / 63,
                       b0 = (d & 0x1F) * 255 / 31;
        d = To565((s[0] * a + r0 * (255 - a)) / 255, (s[1] * a + g0 * (255 - a)) / 255,
                  (s[2] * a + b0 * (255 - a)) / 255);
      }
    }
  }
}

void PlatformEndText() { block = Block{}; }

void PlatformReleaseText() {
  for (TextSlot& t : textSlots) {
    t.used = false;
    std::vector<uint8_t>().swap(t.rgba);
  }
  nextTextSlot = 0;
  block = Block{};
  currentFace = 1;
}

}  // namespace zuDraw
