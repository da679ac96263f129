// Library-internal Win32 side of the screen, for the text code, the entry
// point and the headless runner. Not for game code.
#pragma once
#include "lib/win32/win32.h"

#include <ddraw.h>

#include <cstdint>

#include "lib/draw/drawPlatform.h"
#include "lib/draw/zuDrawInternal.h"

// The Win32 side of a picture of the object table.
struct PictureSurface {
  IDirectDrawSurface7* surface;
};

namespace zuDraw {

// The surface all drawing targets; null before the screen is set up.
IDirectDrawSurface7* BackSurface();
// The surface of entry id's picture, null when there is none.
IDirectDrawSurface7* ObjectSurface(int id);
// Exclusive full screen with a flipping chain (0: the picture is presented
// into the window, or not at all when headless).
int ExclusiveMode();
// The window's client area changed size: the windowed present follows it.
void OnWindowSized();
// Copies the back surface as 16-bit RGB565 rows into pixels (width x height).
bool ReadBackPixels(uint16_t* pixels, int width, int height);

}  // namespace zuDraw
