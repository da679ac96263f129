// Library-internal SDL side of the screen: the window, the renderer and the
// hooks used by the event dispatch, the headless runner and the tests.
// Not for game code (it includes SDL).
#pragma once
#include <SDL.h>

#include <cstdint>

#include "lib/draw/drawPlatform.h"
#include "lib/draw/present_scale.h"
#include "lib/draw/zuDraw.h"
#include "lib/draw/zuDrawInternal.h"

// The SDL side of a picture of the object table.
struct PictureSurface {
  SDL_Surface* plain;  // RGB565, colour-keyed: what is read and stretched
  // A run-length copy sharing plain's pixels, for keyed draws (null when none).
  SDL_Surface* runLength;
};

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
// The surface of entry id's picture, null when there is none.
SDL_Surface* ObjectSurface(int id);
SDL_Renderer* Renderer();

// Presents the last uploaded frame again (window exposed while nothing is presented).
void Represent();
// Window size changed: the picture's place is worked out again at the next present.
void UpdateScaling();
// Alt+Enter: full screen to a window and back; the game goes on as it was.
void ToggleFullScreen();
// The window's size when not full screen: the largest whole multiple of the
// picture that fits the desktop with its frame.
void WindowedSize(int* w, int* h);

// The present (present.cpp). The path is chosen from SKYWARD_PRESENT
// ("texture" or "window"), or by trying the renderer SDL would pick in a child
// process, started before this process opens the display.
void StartPresentProbe();
// 1 ready, 0 no renderer (or no window surface when forced), -1 no texture.
int OpenPresent();
void ClosePresent();
int RecreatePresentTextures();
// Shows the back surface (upload) or what was shown last; false when nothing can be shown.
bool Present(SDL_Surface* back, bool upload);
// "texture", "window", or "" before the screen is up.
const char* PresentPath();
// Where the picture went at the last present, in output pixels.
PictureLayout CurrentLayout();
// Tests: pace the window path's present as a display of this refresh rate (0: the display's).
void SetRefreshForTest(int hz);
// The renderer lost its textures: recreate them and reload every picture.
void OnRenderReset();
// Fault seam: the next Flip reports a device reset instead of presenting.
void InjectDeviceReset();
// Counts presents that reached the renderer (for tests and the runner).
long PresentCount();

// Path of the font file that a face (0 serif, 1 gothic) resolves to, "" if none.
const char* FontFile(int face);

}  // namespace zuDraw
