// Library-internal: the SDL side of input, for the event dispatch, tools and tests.
#pragma once
#include <SDL.h>

#include "lib/input/inputInternal.h"

namespace zuSystem {

// The virtual-key code for an SDL key, 0 for keys the game has no code for.
int VirtualKeyFromSdl(SDL_Keycode key);
// The virtual-key code a key event stands for: by its key, except the keypad's
// 8 4 6 2, which are the arrows whatever the NumLock state.
int VirtualKeyFromEvent(const SDL_Keysym& key);
// Updates the key-down table from a key event and returns its virtual-key code
// (0 when the game has none). A virtual key stays down while any physical key
// that went down as it is still held.
int OnKeyEvent(const SDL_KeyboardEvent& event);
// The SDL key that produces a virtual-key code (for scripted input), SDLK_UNKNOWN if none.
SDL_Keycode SdlKeyFromVirtual(int virtualKey);

// Joystick hot-plug, from the event dispatch.
void OnJoystickAdded(int deviceIndex);
void OnJoystickRemoved(SDL_JoystickID instance);
// Centre of a joystick as taken when it was opened (0, 0 when none).
void JoystickCentre(int joystick, int* cx, int* cy);
// 1 when joystick `number` is a pad from SDL's controller database.
bool IsController(int joystick);

}  // namespace zuSystem
