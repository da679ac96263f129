#include "lib/input/zuInput.h"

// Placeholder bodies until the input module lands.
namespace zuSystem {
void ReadKey(int, int* keyState) { *keyState = 0; }
void SetKeyDown(int, bool) {}
bool IsKeyDown(int) { return false; }
void ClearKeyTable() {}
void InitJoystick() {}
void CaptureJoystickCentre() {}
void JoyDirection(int, int* dx, int* dy) { *dx = 0; *dy = 0; }
int JoyButton(int, int) { return 0; }
}  // namespace zuSystem
