// What each platform layer provides to the shared screen code. The public
// zuDraw functions of the same names forward here; nothing else calls these.
#pragma once
#include <cstdint>

#include "lib/draw/zuDrawInternal.h"

namespace zuDraw {

// --- the screen ---
// Brings up the back surface and the work surfaces 0 and 1 at width x height
// and ends with FinishScreen. 1, or 0 after the failure was reported.
int PlatformScreen(int width, int height);
// Releases every picture, the text, the present and the joysticks; the window
// steps aside (minimised, or closed where the platform does that).
void PlatformCloseScreen();
// Fills the back surface with black.
void PlatformClear();
// Shows the back surface; a device that lost its surfaces is repaired instead.
void PlatformFlip();
// Whether the present waits for the display's refresh, so a frame needs no
// sleep of its own to keep its pace.
bool PlatformPresentWaits();

// --- pictures ---
// Reads a BMP file into a new picture in the screen's format, or null.
PictureSurface* PlatformReadPicture(const char* path);
// Frees the picture of entry id (and anything made from it); surface becomes null.
void PlatformFreePicture(int id);
// Sets the source colour key of entry id's picture: the pixel value of the
// COLORREF, or the picture's own top-left pixel for CLR_INVALID.
void PlatformKeyPicture(int id, uint32_t color);
// Draws an already trimmed, non-empty rectangle of entry id at (x, y); refuses
// (returns 0) a rectangle that leaves the picture or the back surface.
int PlatformDrawPicture(int x, int y, int id, int left, int top, int right, int bottom);
// The stretched keyed draw of PutObjectStretched, untrimmed; 1 when drawn.
int PlatformDrawStretched(int x, int y, int id, int left, int top, int right, int bottom,
                          int width, int height);

// --- text on the back surface ---
// A text block's colours, for a layer that draws the text itself: a fresh
// block draws black on white in opaque boxes; once asked for, transparent
// boxes stay until the block ends.
struct TextColors {
  uint32_t fg = 0, bg = 0xFFFFFF;
  int transparent = 0;
  void Set(uint32_t textColor, uint32_t backColor, int transparentBoxes) {
    fg = textColor & 0xFFFFFF;
    bg = backColor & 0xFFFFFF;
    if (transparentBoxes != 0) transparent = 1;
  }
  bool operator==(const TextColors& o) const {
    return fg == o.fg && bg == o.bg && transparent == o.transparent;
  }
};
void PlatformBeginText(int face, int height, int angle, int bold, int italic, int underline);
void PlatformSetTextColors(uint32_t textColor, uint32_t backColor, int transparent);
void PlatformTextOut(int x, int y, const char* text);
void PlatformEndText();
// Drops the fonts and whatever the platform keeps of rendered text.
void PlatformReleaseText();

}  // namespace zuDraw
