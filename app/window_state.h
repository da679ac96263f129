// State of the window as the event dispatch ("window procedure") keeps it,
// and what the dispatch does on every platform.
#pragma once

// 1 while the program is the active one; frames run only then.
extern int appActive;
// 0 running; 1 a close request is being handled; 2 the libraries are released.
extern int shutdownState;
// 1 while the cursor is shown by us; kept balanced.
extern int cursorShown;
// Position of the window on the desktop.
extern int windowX;
extern int windowY;
// Set when the window is gone: the loop ends once the queue is empty.
extern int quitPosted;
// How many times the libraries were released (exactly once per run).
extern int libraryReleases;

// Back to the state before the window exists (start of a run).
void ResetWindowState();
// A key went down (auto-repeat included), after the system keys were taken out.
void OnKeyDown(int virtualKey);

// Asks the window to close, as the system does for a close request
// (provided by the platform's event dispatch).
void PostCloseRequest();

namespace zuSystem {
// Releases screen and sound; posts the close request when reached from [ESC].
int Shutdown();
}  // namespace zuSystem
