// The SDL event dispatch ("window procedure").
#pragma once
#include <SDL.h>

#include "app/window_state.h"

void DispatchEvent(const SDL_Event& event);
// Queues a window event of the game's window, as the desktop would send it.
void PushWindowEvent(Uint8 event);
