// Library-internal SDL side of the screen: the window, the renderer and the
// hooks used by the event dispatch, the headless runner and the tests.
// Not for game code (it includes SDL).
#pragma once
#include <SDL.h>

#include <cstdint>

#include "lib/draw/zuDraw.h"
#include "lib/draw/zuDrawInternal.h"

namespace zuDraw {

// Brings up SDL video and the window (hidden). Refuses SDL's invisible
// "offscreen" fallback unless driverChosen (the runner or a test picked the
// driver on purpose). Returns 1, or 0 after the failure was reported.
int OpenWindow(const char* caption, int driverChosen);
// Shows the window and takes the input focus (there may be no window manager).
void ShowWindow();
void DestroyWindow();
// The name of the running video driver, "" before video is up.
const char* VideoDriver();

SDL_Surface* BackSurface();
SDL_Renderer* Renderer();

// Presents the last uploaded frame again (window exposed while nothing is presented).
void Represent();
// Window size changed: keep the integer scale only when it fits.
void UpdateScaling();
// The renderer lost its textures: recreate them and reload every picture.
void OnRenderReset();
// Fault seam: the next Flip reports a device reset instead of presenting.
void InjectDeviceReset();
// Counts presents that reached the renderer (for tests and the runner).
long PresentCount();

// Text: drop the fonts and the rendered-text cache.
void ReleaseText();
// Path of the font file that a face (0 serif, 1 gothic) resolves to, "" if none.
const char* FontFile(int face);

}  // namespace zuDraw
