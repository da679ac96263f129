// The SDL side of input: key codes, held physical keys, joysticks 0/1 and game
// controllers.
#include <SDL.h>

#include <cstdint>

#include "lib/input/inputInternal.h"
#include "lib/input/inputPlatform.h"
#include "lib/sdl/zuInputSdl.h"

namespace {

constexpr int JOYSTICKS = 2;
SDL_Joystick* joystick[JOYSTICKS];
// Set when the device is in SDL's controller database: its buttons and axes are
// read by their standard names instead of their raw numbers.
SDL_GameController* controller[JOYSTICKS];
int centreX[JOYSTICKS];
int centreY[JOYSTICKS];
// The game controller subsystem was started here (and is stopped here).
bool controllersStarted = false;

// The virtual key each physical key went down as, 0 while it is up: a virtual
// key shared by two keys (the two Shifts, an arrow and its keypad twin) stays
// down until both are up.
uint8_t heldAs[SDL_NUM_SCANCODES];

// Axes shifted from -32768..32767 to 0..65535, so the centre arithmetic holds.
int Shifted(Sint16 value) { return static_cast<int>(value) + 32768; }

void StickPosition(int slot, int* x, int* y) {
  if (controller[slot] != nullptr) {
    *x = Shifted(SDL_GameControllerGetAxis(controller[slot], SDL_CONTROLLER_AXIS_LEFTX));
    *y = Shifted(SDL_GameControllerGetAxis(controller[slot], SDL_CONTROLLER_AXIS_LEFTY));
  } else {
    *x = Shifted(SDL_JoystickGetAxis(joystick[slot], 0));
    *y = Shifted(SDL_JoystickGetAxis(joystick[slot], 1));
  }
}

// The D-pad of a controller, else the first hat of a joystick, as SDL_HAT_* bits.
Uint8 PadDirection(int slot) {
  if (controller[slot] != nullptr) {
    SDL_GameController* pad = controller[slot];
    Uint8 bits = SDL_HAT_CENTERED;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP)) bits |= SDL_HAT_UP;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) bits |= SDL_HAT_DOWN;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) bits |= SDL_HAT_LEFT;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) bits |= SDL_HAT_RIGHT;
    return bits;
  }
  if (SDL_JoystickNumHats(joystick[slot]) < 1) return SDL_HAT_CENTERED;
  return SDL_JoystickGetHat(joystick[slot], 0);
}

void OpenSlot(int slot, int deviceIndex) {
  SDL_GameController* pad = nullptr;
  SDL_Joystick* stick = nullptr;
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0 && SDL_IsGameController(deviceIndex)) {
    pad = SDL_GameControllerOpen(deviceIndex);
    if (pad != nullptr) stick = SDL_GameControllerGetJoystick(pad);
  }
  if (stick == nullptr) stick = SDL_JoystickOpen(deviceIndex);
  if (stick == nullptr) return;
  joystick[slot] = stick;
  controller[slot] = pad;
  // Take the centre when the stick is first opened, also when plugged in late;
  // a centre of 0 would read as pushed right and down for ever.
  StickPosition(slot, &centreX[slot], &centreY[slot]);
}

void CloseSlot(int slot) {
  if (controller[slot] != nullptr) {
    SDL_GameControllerClose(controller[slot]);  // closes its joystick too
  } else if (joystick[slot] != nullptr) {
    SDL_JoystickClose(joystick[slot]);
  }
  controller[slot] = nullptr;
  joystick[slot] = nullptr;
  centreX[slot] = 0;
  centreY[slot] = 0;
}

// The slot of an attached joystick, -1 when there is none.
int AttachedSlot(int number) {
  if (number < 0 || number >= JOYSTICKS) return -1;
  SDL_Joystick* stick = joystick[number];
  if (stick == nullptr || !SDL_JoystickGetAttached(stick)) return -1;
  return number;
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

int VirtualKeyFromEvent(const SDL_Keysym& key) {
  // The keypad's 8 4 6 2 steer whatever the NumLock state: they go by the
  // physical key, as the keypad arrows did where the NumLock was off.
  switch (key.scancode) {
    case SDL_SCANCODE_KP_8: return VK_UP;
    case SDL_SCANCODE_KP_2: return VK_DOWN;
    case SDL_SCANCODE_KP_4: return VK_LEFT;
    case SDL_SCANCODE_KP_6: return VK_RIGHT;
    default: return VirtualKeyFromSdl(key.sym);
  }
}

int OnKeyEvent(const SDL_KeyboardEvent& event) {
  const bool down = event.type == SDL_KEYDOWN;
  const SDL_Scancode scancode = event.keysym.scancode;
  const bool physical = scancode > SDL_SCANCODE_UNKNOWN && scancode < SDL_NUM_SCANCODES;
  // A key goes up as what it went down as.
  const int vk = (physical && !down && heldAs[scancode] != 0) ? heldAs[scancode]
                                                              : VirtualKeyFromEvent(event.keysym);
  if (vk == 0) return 0;
  if (!physical) {
    SetKeyDown(vk, down);
    return vk;
  }
  heldAs[scancode] = down ? static_cast<uint8_t>(vk) : 0;
  bool held = false;
  for (uint8_t as : heldAs) held = held || as == vk;
  SetKeyDown(vk, held);
  return vk;
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

void PlatformInitJoystick() {
  // The controller subsystem brings the joysticks up with it, and SDL's
  // database of known pads.
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) {
    controllersStarted = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  }
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) SDL_InitSubSystem(SDL_INIT_JOYSTICK);
  CaptureJoystickCentre();
}

void PlatformCaptureJoystickCentre() {
  for (int slot = 0; slot < JOYSTICKS; ++slot) CloseSlot(slot);
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
      CloseSlot(slot);
    }
  }
}

void JoystickCentre(int number, int* cx, int* cy) {
  const bool valid = number >= 0 && number < JOYSTICKS;
  *cx = valid ? centreX[number] : 0;
  *cy = valid ? centreY[number] : 0;
}

bool IsController(int number) { return AttachedSlot(number) >= 0 && controller[number] != nullptr; }

void PlatformCloseJoysticks() {
  for (int slot = 0; slot < JOYSTICKS; ++slot) CloseSlot(slot);
  if (controllersStarted) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  controllersStarted = false;
}

void PlatformJoyDirection(int number, int* dx, int* dy) {
  *dx = 0;
  *dy = 0;
  const int slot = AttachedSlot(number);
  if (slot < 0) return;
  int x = 0, y = 0;
  StickPosition(slot, &x, &y);
  DirectionFromPosition(x, y, centreX[slot], centreY[slot], dx, dy);
  // A hat or D-pad steers like the stick; pressed, it has the last word on its axis.
  const Uint8 pad = PadDirection(slot);
  if (pad & SDL_HAT_LEFT) *dx = -1;
  if (pad & SDL_HAT_RIGHT) *dx = 1;
  if (pad & SDL_HAT_UP) *dy = -1;
  if (pad & SDL_HAT_DOWN) *dy = 1;
}

int PlatformJoyButton(int number, int button) {
  const int slot = AttachedSlot(number);
  if (slot < 0 || button < 1 || button > 32) return 0;
  if (controller[slot] != nullptr && button <= 4) {
    // Fire on the south button, bomb on the east one, wherever the pad has them.
    static constexpr SDL_GameControllerButton kNamed[4] = {
        SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X,
        SDL_CONTROLLER_BUTTON_Y};
    return SDL_GameControllerGetButton(controller[slot], kNamed[button - 1]) != 0 ? 1 : 0;
  }
  return SDL_JoystickGetButton(joystick[slot], button - 1) != 0 ? 1 : 0;
}

}  // namespace zuSystem
