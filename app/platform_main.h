// What each platform's entry side provides to the shared start-up, main loop
// and window rules. A layer supplies these and its own event dispatch, which
// turns the platform's events into the rules of window_state.h.
#pragma once
#include "app/game_main.h"

// Creates the program's one window (not yet shown) for the options, with the
// input method editor kept out of it. True, or false after one line on
// standard error (whatever the platform had started is released again).
bool PlatformOpenWindow(const GameMainOptions& options);
// Shows the window and hands it the activation; a headless run's window stays
// hidden and is made active at once (no one else would).
void PlatformShowWindow(bool headless);
// The desktop's own helpers stay out of the game: text input, screen saver.
void PlatformQuietDesktop();
// Destroys the window, if it is still there.
void PlatformDestroyWindow();
// The end of the program: the window (if still there) and the platform go.
void PlatformEnd();
// Shows or hides the pointer over the game's window.
void PlatformShowCursor(bool shown);

// Dispatches one waiting event; false when the queue is empty.
bool DispatchNextEvent();
// Waits for an event (the program is inactive) and dispatches it.
void WaitAndDispatchEvent();
// Asks the window to close, as the system does for a close request.
void PostCloseRequest();
