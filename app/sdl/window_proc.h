// The SDL event dispatch ("window procedure").
#pragma once
#include <SDL.h>

#include "app/window_state.h"

void DispatchEvent(const SDL_Event& event);
