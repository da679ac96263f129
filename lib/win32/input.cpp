// Keys from the window's key messages, and joysticks 0 and 1 through the
// multimedia joystick API; positions run 0..65535, so the centre arithmetic is
// the shared one.

#include <cstdint>

#include "lib/input/inputInternal.h"
#include "lib/input/inputPlatform.h"
#include "lib/win32/inputWin32.h"
#include "lib/win32/win32.h"

// In the multimedia library, though not in every set of its headers.
extern "C" MMRESULT WINAPI joyConfigChanged(DWORD flags);

namespace {

constexpr int JOYSTICKS = 2;
int centreX[JOYSTICKS];
int centreY[JOYSTICKS];
bool centreTaken[JOYSTICKS];
bool hasHat[JOYSTICKS];

// The virtual key each physical key (scan code, extended bit) went down as, 0
// while it is up: a virtual key shared by two keys (the two Shifts, the two
// Ctrls) stays down until both are up.
uint8_t heldAs[512];

// The physical key of a key message, -1 when it names none (a posted message).
int PhysicalKey(LPARAM lParam) {
  const int scan = static_cast<int>((lParam >> 16) & 0xFF);
  if (scan == 0) return -1;
  return scan | static_cast<int>(((lParam >> 24) & 1) << 8);
}

void UpdateKey(int vk) {
  bool held = false;
  for (uint8_t as : heldAs) held = held || as == vk;
  zuSystem::SetKeyDown(vk, held);
}

bool Query(int number, DWORD flags, JOYINFOEX* info) {
  *info = JOYINFOEX{};
  info->dwSize = sizeof *info;
  info->dwFlags = flags;
  return joyGetPosEx(static_cast<UINT>(number), info) == JOYERR_NOERROR;
}

// A stick that did not answer at start-up takes its centre when it first
// does, instead of reading as pushed for ever.
void TakeCentre(int number, const JOYINFOEX& info) {
  centreX[number] = static_cast<int>(info.dwXpos);
  centreY[number] = static_cast<int>(info.dwYpos);
  centreTaken[number] = true;
}

}  // namespace

namespace zuSystem {

int VirtualKeyFromMessage(WPARAM wParam) {
  // The keypad's 8 4 6 2 steer whatever the NumLock state: with it off they
  // are the arrows already.
  switch (wParam) {
    case VK_NUMPAD8: return VK_UP;
    case VK_NUMPAD2: return VK_DOWN;
    case VK_NUMPAD4: return VK_LEFT;
    case VK_NUMPAD6: return VK_RIGHT;
    default: return static_cast<int>(wParam & 0xFF);
  }
}

int OnKeyMessage(WPARAM wParam, LPARAM lParam, bool down) {
  const int physical = PhysicalKey(lParam);
  // A key goes up as what it went down as.
  const int vk = (physical >= 0 && !down && heldAs[physical] != 0) ? heldAs[physical]
                                                                   : VirtualKeyFromMessage(wParam);
  if (vk == 0) return 0;
  if (physical < 0) {
    SetKeyDown(vk, down);
    return vk;
  }
  heldAs[physical] = down ? static_cast<uint8_t>(vk) : 0;
  UpdateKey(vk);
  return vk;
}

void ReleaseAllKeys() {
  for (uint8_t& as : heldAs) as = 0;
  ClearKeyTable();
}

void DirectionFromHat(DWORD pov, int* dx, int* dy) {
  *dx = 0;
  *dy = 0;
  // Hundredths of a degree clockwise from up; eight sectors of 45 degrees.
  if (pov > 35999) return;  // centred
  if (pov >= 2250 && pov < 15750) *dx = 1;
  if (pov >= 20250 && pov < 33750) *dx = -1;
  if (pov >= 29250 || pov < 6750) *dy = -1;
  if (pov >= 11250 && pov < 24750) *dy = 1;
}

void PlatformInitJoystick() {
  joyConfigChanged(0);
  CaptureJoystickCentre();
}

void PlatformCaptureJoystickCentre() {
  for (int n = 0; n < JOYSTICKS; ++n) {
    centreX[n] = centreY[n] = 0;
    centreTaken[n] = false;
    JOYCAPSW caps = {};
    hasHat[n] = joyGetDevCapsW(static_cast<UINT_PTR>(n), &caps, sizeof caps) == JOYERR_NOERROR &&
                (caps.wCaps & JOYCAPS_HASPOV) != 0;
    JOYINFOEX info;
    if (Query(n, JOY_RETURNALL | JOY_USEDEADZONE, &info)) TakeCentre(n, info);
  }
}

void PlatformCloseJoysticks() {
  for (int n = 0; n < JOYSTICKS; ++n) {
    centreX[n] = centreY[n] = 0;
    centreTaken[n] = false;
    hasHat[n] = false;
  }
}

void PlatformJoyDirection(int number, int* dx, int* dy) {
  *dx = 0;
  *dy = 0;
  JOYINFOEX info;
  if (number < 0 || number >= JOYSTICKS) return;
  const DWORD hat = hasHat[number] ? JOY_RETURNPOVCTS : 0;
  if (!Query(number, JOY_RETURNX | JOY_RETURNY | JOY_USEDEADZONE | hat, &info)) return;
  if (!centreTaken[number]) TakeCentre(number, info);
  DirectionFromPosition(static_cast<int>(info.dwXpos), static_cast<int>(info.dwYpos),
                        centreX[number], centreY[number], dx, dy);
  if (!hasHat[number]) return;
  // The hat (a pad's D-pad) steers like the stick; pressed, it has the last
  // word on its axis.
  int hx = 0, hy = 0;
  DirectionFromHat(info.dwPOV, &hx, &hy);
  if (hx != 0) *dx = hx;
  if (hy != 0) *dy = hy;
}

int PlatformJoyButton(int number, int button) {
  JOYINFOEX info;
  if (number < 0 || number >= JOYSTICKS || button < 1 || button > 32 ||
      !Query(number, JOY_RETURNBUTTONS, &info)) {
    return 0;
  }
  return (info.dwButtons >> (button - 1)) & 1 ? 1 : 0;
}

}  // namespace zuSystem
