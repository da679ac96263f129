// Library-internal Win32 side shared by the modules of the Windows layer and
// its entry point. Not for game code (it includes windows.h).
#pragma once
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h: the multimedia API (timer, MCI, joystick).
#include <mmsystem.h>

// The library's own TextOut, not the system's A/W switch.
#undef TextOut

#include <cstddef>

// The one window of the program; owner of the error box and the devices.
extern HWND mainWindow;
extern HINSTANCE appInstance;

namespace zuSystem {

// UTF-8 to UTF-16 into out (count wide characters); "" when it does not fit.
void Widen(const char* text, wchar_t* out, int count);
// UTF-16 to UTF-8 into out (size bytes); "" when it does not fit.
void Narrow(const wchar_t* text, char* out, int size);
// Shows the surface GDI draws on, so that a box is seen over the full screen.
void FlipToGdi();
// Set by the headless runner: no display is taken, nothing is shown.
extern int headlessRun;

}  // namespace zuSystem
