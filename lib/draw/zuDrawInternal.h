// Library-internal side of the screen that both platform layers share: the
// object table, the bitmap header checks and the trimming of a draw, and what
// each platform layer provides for them. Not for game code.
#pragma once
#include <cstddef>
#include <cstdint>

#include "lib/draw/zuDraw.h"

// The platform's picture: an SDL surface, or a DirectDraw surface on Windows.
#if defined(_WIN32)
struct IDirectDrawSurface7;
using PictureSurface = IDirectDrawSurface7;
#else
struct SDL_Surface;
using PictureSurface = SDL_Surface;
#endif

// The same value as the system's GDI macro of that name, where there is one.
#undef CLR_INVALID
constexpr uint32_t CLR_INVALID = 0xFFFFFFFFu;

struct ObjectEntry {
  PictureSurface* surface;  // null when free or after a failed read
  char name[32];            // empty = free; "*" = made without a file
  uint32_t key;             // colour the transparent value was taken from, or CLR_INVALID
};
extern ObjectEntry objectTable[zuDraw::OBJECT_MAX];
extern uint32_t keyColor;
extern int keyFromCorner;
// 1 between a successful Screen and CloseScreen (set by the platform layer).
extern int screenReady;

namespace zuDraw {

// Trims a draw at (x, y) of the source rectangle to the clip rectangle.
// False when nothing is left to draw.
bool TrimToClip(int* x, int* y, int* left, int* top, int* right, int* bottom);
bool SourceInside(int width, int height, int left, int top, int right, int bottom);
bool DestInside(int width, int height, int64_t x, int64_t y, int64_t w, int64_t h);

int ScreenReady();
// The end of a successful screen set-up: entries 2 and up cleared, then
// sound, music, waits and joysticks started.
void FinishScreen();
// Frees entry id's picture and forgets its name and key.
void ClearObject(int id);

// --- provided by the platform layer ---
// Reads a BMP file into a new picture in the screen's format, or null.
PictureSurface* ReadPicture(const char* path);
// Frees the picture of entry id (and anything made from it); surface becomes null.
void FreePicture(int id);
// Sets the source colour key of entry id's picture: the pixel value of the
// COLORREF, or the picture's own top-left pixel for CLR_INVALID.
void KeyPicture(int id, uint32_t color);
// Draws an already trimmed, non-empty rectangle of entry id at (x, y); refuses
// (returns 0) a rectangle that leaves the picture or the back surface.
int DrawPicture(int x, int y, int id, int left, int top, int right, int bottom);
// Text: drop the fonts (and whatever the platform keeps of rendered text).
void ReleaseText();

}  // namespace zuDraw
