// Key states over our own key-down table, and the joystick's direction
// arithmetic: the same on every platform.
#include "lib/input/inputInternal.h"

#include "lib/input/inputPlatform.h"

namespace {

// Our own key-down table: the state as of the key events dispatched so far,
// which is what the game expects of a key-state query.
bool keyDown[256];
// The player's keys while a playback drives the game's table.
bool playerKeyDown[256];
bool diverted = false;
zuSystem::KeyTableTap keyTap = nullptr;

bool joystickOverride = false;
zuSystem::JoyState joystickState[2];

}  // namespace

namespace zuSystem {

void SetKeyDown(int virtualKey, bool down) {
  if (virtualKey <= 0 || virtualKey >= 256) return;
  if (diverted) {
    playerKeyDown[virtualKey] = down;
    return;
  }
  if (keyTap != nullptr && keyDown[virtualKey] != down) keyTap(virtualKey, down);
  keyDown[virtualKey] = down;
}

void SetKeyTableTap(KeyTableTap tap) { keyTap = tap; }

void DivertKeyTable(bool divert) {
  diverted = divert;
  for (bool& k : playerKeyDown) k = false;
}

bool IsPlayerKeyDown(int virtualKey) {
  return virtualKey > 0 && virtualKey < 256 && playerKeyDown[virtualKey];
}

void SetGameKeyDown(int virtualKey, bool down) {
  if (virtualKey > 0 && virtualKey < 256) keyDown[virtualKey] = down;
}

bool IsKeyDown(int virtualKey) {
  return virtualKey > 0 && virtualKey < 256 && keyDown[virtualKey];
}

void ClearKeyTable() {
  for (int vk = 1; vk < 256; ++vk) SetKeyDown(vk, false);
}

void ReadKey(int virtualKey, int* keyState) {
  if (IsKeyDown(virtualKey)) {
    *keyState = (*keyState == 0) ? 1 : 3;
  } else {
    *keyState = (*keyState == 1 || *keyState == 3) ? 2 : 0;
  }
}

void InitJoystick() { PlatformInitJoystick(); }
void CaptureJoystickCentre() { PlatformCaptureJoystickCentre(); }
void CloseJoysticks() { PlatformCloseJoysticks(); }
void JoyDirection(int joystick, int* dx, int* dy) {
  if (!joystickOverride) {
    PlatformJoyDirection(joystick, dx, dy);
    return;
  }
  const bool known = joystick == 0 || joystick == 1;
  *dx = known ? joystickState[joystick].dx : 0;
  *dy = known ? joystickState[joystick].dy : 0;
}

int JoyButton(int joystick, int button) {
  if (!joystickOverride) return PlatformJoyButton(joystick, button);
  if (joystick != 0 && joystick != 1) return 0;
  if (button == 1) return joystickState[joystick].button1;
  if (button == 2) return joystickState[joystick].button2;
  return 0;
}

void ReadJoystickDevice(int joystick, JoyState* state) {
  PlatformJoyDirection(joystick, &state->dx, &state->dy);
  state->button1 = PlatformJoyButton(joystick, 1);
  state->button2 = PlatformJoyButton(joystick, 2);
}

void SetJoystickOverride(bool on) {
  joystickOverride = on;
  joystickState[0] = JoyState{};
  joystickState[1] = JoyState{};
}

void SetJoystickState(int joystick, const JoyState& state) {
  if (joystick == 0 || joystick == 1) joystickState[joystick] = state;
}

void DirectionFromPosition(int x, int y, int cx, int cy, int* dx, int* dy) {
  *dx = 0;
  *dy = 0;
  if (x <= cx / 2) {
    *dx = -1;
  } else if (x >= cx + cx / 2) {
    *dx = 1;
  }
  if (y <= cy / 2) {
    *dy = -1;
  } else if (y >= cy + cy / 2) {
    *dy = 1;
  }
}

}  // namespace zuSystem
