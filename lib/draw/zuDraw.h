// Screen, sprite object table, clipped colour-keyed drawing, present and text.
#pragma once
#include <cstdint>

struct ClipRect {
  int left, top, right, bottom;  // right and bottom exclusive
};
extern ClipRect clipRect;
extern int screenWidth;
extern int screenHeight;
extern int stretchCapable;

namespace zuDraw {

constexpr int OBJECT_MAX = 1024;

int Screen(int width, int height, int memoryMode);
void CloseScreen();

int LoadObject(const char* name, int memory);
int SwapObject(const char* name, int id, int memory);
void RestoreAll();
void SetKeyColor(uint32_t colorref);

void SetClip(int left, int top, int right, int bottom);
void Clear();
int PutObject(int x, int y, int id, int left, int top, int right, int bottom);
int PutObjectStretched(int x, int y, int id, int left, int top, int right, int bottom,
                       int width, int height);
void Flip();
// Whether Flip waits for the display's refresh (the frame is paced by it).
bool PresentWaitsForDisplay();

// Text blocks. Face 0 is the serif ("標準明朝"), face 1 the gothic ("標準ゴシック").
void BeginText(int face, int height, int angle, int bold, int italic, int underline);
void SetTextColors(uint32_t textColor, uint32_t backColor, int transparent);
void TextOut(int x, int y, const char* text);
void EndText();
void DrawCaption(int x, int y, const char* text);

}  // namespace zuDraw
