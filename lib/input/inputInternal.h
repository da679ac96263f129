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

// Replays. A recording hears each change the event dispatch makes to the game's
// key-down table. While a playback drives the game, the dispatch writes to a
// table of the player's own, read only by the playback's controls, and the
// playback writes the game's table itself.
using KeyTableTap = void (*)(int virtualKey, bool down);
void SetKeyTableTap(KeyTableTap tap);
void DivertKeyTable(bool divert);
bool IsPlayerKeyDown(int virtualKey);
void SetGameKeyDown(int virtualKey, bool down);

// A joystick as the game reads it: direction -1, 0 or 1 per axis, buttons 1 and 2.
struct JoyState {
  int dx, dy;
  int button1, button2;
};
// The device's own state now (what the game would read from it).
void ReadJoystickDevice(int joystick, JoyState* state);
// While set, JoyDirection and JoyButton of joysticks 0 and 1 answer from the
// states given here (sampled by a recording, or read from a file), not the devices.
void SetJoystickOverride(bool on);
void SetJoystickState(int joystick, const JoyState& state);

// Opens the joysticks; takes each stick's present position as its centre.
void InitJoystick();
void CaptureJoystickCentre();
// Closes the opened joysticks (shutdown).
void CloseJoysticks();

// Direction of a stick at (x, y), both 0..65535, from its centre (cx, cy): a
// half of the centre's distance from 0 either way counts as pushed.
void DirectionFromPosition(int x, int y, int cx, int cy, int* dx, int* dy);

}  // namespace zuSystem
