// Library-internal side of the screen that every platform layer shares: the
// object table and the trimming of a draw. What a layer provides is in
// drawPlatform.h. Not for game code.
#pragma once
#include <cstddef>
#include <cstdint>

#include "lib/draw/zuDraw.h"

// A picture as the platform layer keeps it; each layer defines it.
struct PictureSurface;

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

}  // namespace zuDraw
