#include "lib/draw/zuDraw.h"

// Placeholder bodies until the draw module lands.
ClipRect clipRect = {0, 0, 640, 480};
int screenWidth = 640;
int screenHeight = 480;
int stretchCapable = 1;

namespace zuDraw {
int Screen(int, int, int) { return 0; }
void CloseScreen() {}
int LoadObject(const char*, int) { return 0; }
int SwapObject(const char*, int, int) { return 0; }
void RestoreAll() {}
void SetKeyColor(uint32_t) {}
void SetClip(int l, int t, int r, int b) { clipRect = {l, t, r, b}; }
void Clear() {}
int PutObject(int, int, int, int, int, int, int) { return 0; }
int PutObjectStretched(int, int, int, int, int, int, int, int, int) { return 0; }
void Flip() {}
void BeginText(int, int, int, int, int, int) {}
void SetTextColors(uint32_t, uint32_t, int) {}
void TextOut(int, int, const char*) {}
void EndText() {}
void DrawCaption(int, int, const char*) {}
}  // namespace zuDraw
