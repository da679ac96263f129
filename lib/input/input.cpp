// Key states over our own key-down table, and the joystick's direction
// arithmetic: the same on every platform.
#include "lib/input/inputInternal.h"

#include "lib/input/inputPlatform.h"

namespace {

// Our own key-down table: the state as of the key events dispatched so far,
// which is what the game expects of a key-state query.
bool keyDown[256];

}  // namespace

namespace zuSystem {

void SetKeyDown(int virtualKey, bool down) {
  if (virtualKey > 0 && virtualKey < 256) keyDown[virtualKey] = down;
}

bool IsKeyDown(int virtualKey) {
  return virtualKey > 0 && virtualKey < 256 && keyDown[virtualKey];
}

void ClearKeyTable() {
  for (bool& k : keyDown) k = false;
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
void JoyDirection(int joystick, int* dx, int* dy) { PlatformJoyDirection(joystick, dx, dy); }
int JoyButton(int joystick, int button) { return PlatformJoyButton(joystick, button); }

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
