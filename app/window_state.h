// State of the window as the event dispatch ("window procedure") keeps it,
// and the rules it follows on every platform. A layer's dispatch turns the
// platform's events into these calls and keeps only its own calls into the
// platform.
#pragma once

// 1 while the program is the active one; frames run only then.
extern int appActive;
// 0 running; 1 a close request is being handled; 2 the libraries are released.
extern int shutdownState;
// 1 while the pointer is shown; kept balanced with the platform's own count.
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

// The program became the active one (focus gained, restored) or stopped being
// it (focus lost, minimised). Frames run only while active.
void OnActivate(bool active);
// The pointer entered or moved over the game: it is hidden there.
void HideCursorOverGame();
// A key went down (auto-repeat included), after the system keys were taken
// out: [ESC] quits, [S] pauses or resumes.
void OnKeyDown(int virtualKey);
// A key went up.
void OnKeyUp(int virtualKey);
// The screen switch key (Alt+Enter) went down (repeat: the keyboard's
// auto-repeat), or its Enter went up. True when the screen is to switch
// between window and full screen: once per press, however long it is held.
bool OnSwitchScreenKey(bool down, bool repeat);
// The window is asked to close (the close button, the desktop, or [ESC]):
// the libraries are released once, the window goes, the loop ends.
void OnCloseRequest();
// The platform said the music piece ended.
void OnMusicEnded();

namespace zuSystem {
// Releases screen and sound; posts the close request when reached from [ESC].
int Shutdown();
}  // namespace zuSystem
