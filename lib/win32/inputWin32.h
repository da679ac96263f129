// Library-internal Win32 side of input, for the window procedure and tests.
#pragma once
#include "lib/win32/win32.h"

namespace zuSystem {

// The game's virtual key for a key message's key (the keypad's 8 4 6 2 are
// the arrows whatever the NumLock state).
int VirtualKeyFromMessage(WPARAM wParam);
// Updates the key-down table from a key message (down: WM_KEYDOWN or
// WM_SYSKEYDOWN) and returns the virtual key it stands for, 0 for none. Keys
// are told apart by their scan codes: a virtual key stays down while any key
// that went down as it is still held.
int OnKeyMessage(WPARAM wParam, LPARAM lParam, bool down);
// Every key reads as up, as the system's key state does once the keys
// were released while another program had the foreground.
void ReleaseAllKeys();
// A hat's position (hundredths of a degree clockwise from up; anything
// above 35999 is centred) as -1, 0 or 1 on each axis.
void DirectionFromHat(DWORD pov, int* dx, int* dy);

}  // namespace zuSystem
