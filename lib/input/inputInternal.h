// Library-internal input code: the key-down table that the event dispatch
// keeps, and the joystick arithmetic the platform layers share. What a layer
// provides is in inputPlatform.h.
#pragma once

#include "lib/input/zuInput.h"

namespace zuSystem {

// The key-down table that ReadKey consults (the event dispatch keeps it).
void SetKeyDown(int virtualKey, bool down);
bool IsKeyDown(int virtualKey);
void ClearKeyTable();

// Opens the joysticks; takes each stick's present position as its centre.
void InitJoystick();
void CaptureJoystickCentre();
// Closes the opened joysticks (shutdown).
void CloseJoysticks();

// Direction of a stick at (x, y), both 0..65535, from its centre (cx, cy): a
// half of the centre's distance from 0 either way counts as pushed.
void DirectionFromPosition(int x, int y, int cx, int cy, int* dx, int* dy);

}  // namespace zuSystem
