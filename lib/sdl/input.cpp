// The SDL side of input: key codes and joysticks 0/1.
#include <SDL.h>

#include "lib/input/inputInternal.h"
#include "lib/input/zuInput.h"
#include "lib/sdl/zuInputSdl.h"

namespace {

constexpr int JOYSTICKS = 2;
SDL_Joystick* joystick[JOYSTICKS];
int centreX[JOYSTICKS];
int centreY[JOYSTICKS];

// Axes shifted from -32768..32767 to 0..65535, so the centre arithmetic holds.
int AxisPosition(SDL_Joystick* stick, int axis) {
  return static_cast<int>(SDL_JoystickGetAxis(stick, axis)) + 32768;
}

void OpenSlot(int slot, int deviceIndex) {
  SDL_Joystick* stick = SDL_JoystickOpen(deviceIndex);
  if (stick == nullptr) return;
  joystick[slot] = stick;
  // Take the centre when the stick is first opened, also when plugged in late;
  // a centre of 0 would read as pushed right and down for ever.
  centreX[slot] = AxisPosition(stick, 0);
  centreY[slot] = AxisPosition(stick, 1);
}

SDL_Joystick* Stick(int number) {
  if (number < 0 || number >= JOYSTICKS) return nullptr;
  SDL_Joystick* stick = joystick[number];
  if (stick == nullptr || !SDL_JoystickGetAttached(stick)) return nullptr;
  return stick;
}

}  // namespace

namespace zuSystem {

int VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<int>(key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<int>(key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<int>(key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + static_cast<int>(key - SDLK_KP_1);
  switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN: case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_KP_0: return 0x60;
    case SDLK_INSERT: return 0x2D;
    case SDLK_DELETE: return 0x2E;
    case SDLK_HOME: return 0x24;
    case SDLK_END: return 0x23;
    case SDLK_PAGEUP: return 0x21;
    case SDLK_PAGEDOWN: return 0x22;
    default: return 0;
  }
}

SDL_Keycode SdlKeyFromVirtual(int vk) {
  if (vk >= 'A' && vk <= 'Z') return SDLK_a + (vk - 'A');
  if (vk >= '0' && vk <= '9') return SDLK_0 + (vk - '0');
  if (vk >= VK_F1 && vk <= VK_F1 + 11) return SDLK_F1 + (vk - VK_F1);
  if (vk >= 0x61 && vk <= 0x69) return SDLK_KP_1 + (vk - 0x61);
  switch (vk) {
    case VK_BACK: return SDLK_BACKSPACE;
    case VK_TAB: return SDLK_TAB;
    case VK_RETURN: return SDLK_RETURN;
    case VK_SHIFT: return SDLK_LSHIFT;
    case VK_CONTROL: return SDLK_LCTRL;
    case VK_MENU: return SDLK_LALT;
    case VK_PAUSE: return SDLK_PAUSE;
    case VK_ESCAPE: return SDLK_ESCAPE;
    case VK_SPACE: return SDLK_SPACE;
    case VK_LEFT: return SDLK_LEFT;
    case VK_UP: return SDLK_UP;
    case VK_RIGHT: return SDLK_RIGHT;
    case VK_DOWN: return SDLK_DOWN;
    case 0x60: return SDLK_KP_0;
    case 0x2D: return SDLK_INSERT;
    case 0x2E: return SDLK_DELETE;
    case 0x24: return SDLK_HOME;
    case 0x23: return SDLK_END;
    case 0x21: return SDLK_PAGEUP;
    case 0x22: return SDLK_PAGEDOWN;
    default: return SDLK_UNKNOWN;
  }
}

void InitJoystick() {
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) SDL_InitSubSystem(SDL_INIT_JOYSTICK);
  CaptureJoystickCentre();
}

void CaptureJoystickCentre() {
  for (int slot = 0; slot < JOYSTICKS; ++slot) {
    centreX[slot] = 0;
    centreY[slot] = 0;
    if (joystick[slot] != nullptr) {
      SDL_JoystickClose(joystick[slot]);
      joystick[slot] = nullptr;
    }
  }
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return;
  const int count = SDL_NumJoysticks();
  for (int slot = 0; slot < JOYSTICKS && slot < count; ++slot) OpenSlot(slot, slot);
}

void OnJoystickAdded(int deviceIndex) {
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  for (int slot = 0; slot < JOYSTICKS; ++slot) {
    if (joystick[slot] != nullptr && SDL_JoystickInstanceID(joystick[slot]) == id) return;
  }
  for (int slot = 0; slot < JOYSTICKS; ++slot) {
    if (joystick[slot] == nullptr) {
      OpenSlot(slot, deviceIndex);
      return;
    }
  }
}

void OnJoystickRemoved(SDL_JoystickID instance) {
  for (int slot = 0; slot < JOYSTICKS; ++slot) {
    if (joystick[slot] != nullptr && SDL_JoystickInstanceID(joystick[slot]) == instance) {
      SDL_JoystickClose(joystick[slot]);
      joystick[slot] = nullptr;
      centreX[slot] = 0;
      centreY[slot] = 0;
    }
  }
}

void JoystickCentre(int number, int* cx, int* cy) {
  const bool valid = number >= 0 && number < JOYSTICKS;
  *cx = valid ? centreX[number] : 0;
  *cy = valid ? centreY[number] : 0;
}

void CloseJoysticks() {
  for (int slot = 0; slot < JOYSTICKS; ++slot) {
    if (joystick[slot] != nullptr) SDL_JoystickClose(joystick[slot]);
    joystick[slot] = nullptr;
    centreX[slot] = 0;
    centreY[slot] = 0;
  }
}

void JoyDirection(int number, int* dx, int* dy) {
  *dx = 0;
  *dy = 0;
  SDL_Joystick* stick = Stick(number);
  if (stick == nullptr) return;
  const int cx = centreX[number];
  const int cy = centreY[number];
  DirectionFromPosition(AxisPosition(stick, 0), AxisPosition(stick, 1), cx, cy, dx, dy);
}

int JoyButton(int number, int button) {
  SDL_Joystick* stick = Stick(number);
  if (stick == nullptr || button < 1 || button > 32) return 0;
  return SDL_JoystickGetButton(stick, button - 1) != 0 ? 1 : 0;
}

}  // namespace zuSystem
