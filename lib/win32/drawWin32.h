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
// The window's style and place on the screen, full screen or in a window.
void WindowPlacement(bool windowed, DWORD* style, RECT* place);
// Alt+Enter: full screen to a window and back; the game goes on as it was,
// its pictures read again into the new surfaces.
void ToggleFullScreen();
// The program became the active one again: a display still lost is tried
// at once.
void OnActivated();

// Test seam: every surface there is now reads as lost, and none can be
// restored before `flips` more flips (-1: never).
void InjectSurfaceLoss(int flips);
// How many times entry id's picture was read again after a loss or a switch,
// and how many picture files were read in all.
int PictureReadsAgain(int id);
int PictureFileReads();

}  // namespace zuDraw
