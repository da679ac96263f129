// What the platform's entry side provides to the shared main loop.
#pragma once
#include "app/game_main.h"
#include "lib/system/zuSystem.h"

// Dispatches one waiting event; false when the queue is empty.
bool DispatchNextEvent();
// Waits for an event (the program is inactive) and dispatches it.
void WaitAndDispatchEvent();
// The main loop: events first, then one frame at a time while active, until
// the window is gone.
void RunMainLoop(const GameMainOptions& options);
