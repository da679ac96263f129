// Library-internal: the SDL objects shared between the system, draw and app code.
// Not for game code (it includes SDL).
#pragma once
#include <SDL.h>

// The one window of the program; owner of the error box. Null until created.
extern SDL_Window* mainWindow;
