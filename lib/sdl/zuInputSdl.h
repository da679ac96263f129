// Library-internal: the SDL side of input, for the event dispatch, tools and tests.
#pragma once
#include <SDL.h>

namespace zuSystem {

// The virtual-key code for an SDL key, 0 for keys the game has no code for.
int VirtualKeyFromSdl(SDL_Keycode key);
// The SDL key that produces a virtual-key code (for scripted input), SDLK_UNKNOWN if none.
SDL_Keycode SdlKeyFromVirtual(int virtualKey);

// Joystick hot-plug, from the event dispatch.
void OnJoystickAdded(int deviceIndex);
void OnJoystickRemoved(SDL_JoystickID instance);
// Centre of a joystick as taken when it was opened (0, 0 when none).
void JoystickCentre(int joystick, int* cx, int* cy);
// Closes the opened joysticks (shutdown).
void CloseJoysticks();

}  // namespace zuSystem
