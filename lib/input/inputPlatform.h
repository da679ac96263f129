// What each platform layer provides to the shared input code: the joysticks.
// Keys reach the shared key-down table through SetKeyDown from the layer's
// event dispatch.
#pragma once

namespace zuSystem {

// Finds and opens the joysticks there are (none is no failure).
void PlatformInitJoystick();
// Takes the present position of each stick as its centre.
void PlatformCaptureJoystickCentre();
// Direction of joystick 0 or 1: -1, 0 or 1 on each axis (0, 0 when absent).
void PlatformJoyDirection(int joystick, int* dx, int* dy);
// 1 while button (numbered from 1) of joystick 0 or 1 is held, else 0.
int PlatformJoyButton(int joystick, int button);
// Closes the opened joysticks (shutdown).
void PlatformCloseJoysticks();

}  // namespace zuSystem
