// Joysticks 0 and 1 through the multimedia joystick API; positions run
// 0..65535, so the centre arithmetic is the shared one.

#include "lib/input/inputInternal.h"
#include "lib/input/inputPlatform.h"
#include "lib/win32/win32.h"

// In the multimedia library, though not in every set of its headers.
extern "C" MMRESULT WINAPI joyConfigChanged(DWORD flags);

namespace {

constexpr int JOYSTICKS = 2;
int centreX[JOYSTICKS];
int centreY[JOYSTICKS];
bool centreTaken[JOYSTICKS];

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

void PlatformInitJoystick() {
  joyConfigChanged(0);
  CaptureJoystickCentre();
}

void PlatformCaptureJoystickCentre() {
  for (int n = 0; n < JOYSTICKS; ++n) {
    centreX[n] = centreY[n] = 0;
    centreTaken[n] = false;
    JOYINFOEX info;
    if (Query(n, JOY_RETURNALL | JOY_USEDEADZONE, &info)) TakeCentre(n, info);
  }
}

void PlatformCloseJoysticks() {
  for (int n = 0; n < JOYSTICKS; ++n) {
    centreX[n] = centreY[n] = 0;
    centreTaken[n] = false;
  }
}

void PlatformJoyDirection(int number, int* dx, int* dy) {
  *dx = 0;
  *dy = 0;
  JOYINFOEX info;
  if (number < 0 || number >= JOYSTICKS ||
      !Query(number, JOY_RETURNX | JOY_RETURNY | JOY_USEDEADZONE, &info)) {
    return;
  }
  if (!centreTaken[number]) TakeCentre(number, info);
  DirectionFromPosition(static_cast<int>(info.dwXpos), static_cast<int>(info.dwYpos),
                        centreX[number], centreY[number], dx, dy);
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
