// Keys by their place on the keyboard (KeyboardEvent.code), so the layout does
// not matter, and game pads through the Gamepad API's standard mapping.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "lib/input/inputInternal.h"
#include "lib/input/inputPlatform.h"
#include "lib/input/zuInput.h"
#include "lib/web/web.h"

namespace {

struct CodeKey {
  const char* code;
  int vk;
};

// Every key the game or its window rules can see. The keypad's 8 4 6 2 steer
// whatever the NumLock state, as on the desktop.
constexpr CodeKey kKeys[] = {
    {"ArrowLeft", VK_LEFT}, {"ArrowUp", VK_UP}, {"ArrowRight", VK_RIGHT}, {"ArrowDown", VK_DOWN},
    {"Numpad4", VK_LEFT}, {"Numpad8", VK_UP}, {"Numpad6", VK_RIGHT}, {"Numpad2", VK_DOWN},
    {"Space", VK_SPACE}, {"Enter", VK_RETURN}, {"NumpadEnter", VK_RETURN},
    {"Escape", VK_ESCAPE}, {"Tab", VK_TAB}, {"Backspace", VK_BACK}, {"Pause", VK_PAUSE},
    {"ShiftLeft", VK_SHIFT}, {"ShiftRight", VK_SHIFT},
    {"ControlLeft", VK_CONTROL}, {"ControlRight", VK_CONTROL},
    {"AltLeft", VK_MENU}, {"AltRight", VK_MENU},
    {"Numpad0", 0x60}, {"Numpad1", 0x61}, {"Numpad3", 0x63}, {"Numpad5", 0x65},
    {"Numpad7", 0x67}, {"Numpad9", 0x69},
    {"Insert", 0x2D}, {"Delete", 0x2E}, {"Home", 0x24}, {"End", 0x23},
    {"PageUp", 0x21}, {"PageDown", 0x22},
};
constexpr int KEY_ROWS = sizeof kKeys / sizeof kKeys[0];
// Letters, digits and F1..F12 are named in order: "KeyA".."KeyZ", "Digit0".., "F1"..
constexpr int LETTER_ROW = KEY_ROWS, DIGIT_ROW = LETTER_ROW + 26, F_ROW = DIGIT_ROW + 10;
constexpr int PHYSICAL_KEYS = F_ROW + 12;

// The virtual key each physical key went down as, 0 while it is up.
uint8_t heldAs[PHYSICAL_KEYS];

// The row of a code in the physical keys, -1 when unknown.
int KeyRow(const char* code) {
  if (code == nullptr) return -1;
  if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0') {
    return LETTER_ROW + (code[3] - 'A');
  }
  if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && code[6] == '\0') {
    return DIGIT_ROW + (code[5] - '0');
  }
  if (code[0] == 'F' && code[1] >= '1' && code[1] <= '9') {
    int n = code[1] - '0';
    if (code[2] >= '0' && code[2] <= '9' && code[3] == '\0') {
      n = n * 10 + (code[2] - '0');
    } else if (code[2] != '\0') {
      return -1;
    }
    return n <= 12 ? F_ROW + n - 1 : -1;
  }
  for (int i = 0; i < KEY_ROWS; ++i) {
    if (std::strcmp(kKeys[i].code, code) == 0) return i;
  }
  return -1;
}

int RowKey(int row) {
  if (row < LETTER_ROW) return kKeys[row].vk;
  if (row < DIGIT_ROW) return 'A' + row - LETTER_ROW;
  if (row < F_ROW) return '0' + row - DIGIT_ROW;
  return VK_F1 + row - F_ROW;
}

constexpr int PADS = 2;
// Standard-mapped sticks rest at 0, here the middle of 0..65535.
constexpr int CENTRE = 32768;
int centreX[PADS], centreY[PADS];

int Position(float v) {
  const float clamped = v < -1.0f ? -1.0f : (v > 1.0f ? 1.0f : v);
  return static_cast<int>(clamped * 32767.0f) + CENTRE;
}

}  // namespace

namespace zuSystem {

int VirtualKeyFromCode(const char* code) {
  const int row = KeyRow(code);
  return row < 0 ? 0 : RowKey(row);
}

int OnWebKey(const char* code, bool down) {
  const int row = KeyRow(code);
  if (row < 0) return 0;
  // A key goes up as what it went down as.
  const int vk = (!down && heldAs[row] != 0) ? heldAs[row] : RowKey(row);
  heldAs[row] = down ? static_cast<uint8_t>(vk) : 0;
  bool held = false;
  for (uint8_t as : heldAs) held = held || as == vk;
  SetKeyDown(vk, held);
  return vk;
}

const char* CodeFromVirtualKey(int vk) {
  static char named[8];
  if (vk >= 'A' && vk <= 'Z') {
    std::snprintf(named, sizeof named, "Key%c", vk);
    return named;
  }
  if (vk >= '0' && vk <= '9') {
    std::snprintf(named, sizeof named, "Digit%c", vk);
    return named;
  }
  if (vk >= VK_F1 && vk < VK_F1 + 12) {
    std::snprintf(named, sizeof named, "F%d", vk - VK_F1 + 1);
    return named;
  }
  for (const CodeKey& k : kKeys) {
    if (k.vk == vk) return k.code;
  }
  return nullptr;
}

void ReleaseAllKeys(void (*released)(int vk)) {
  for (uint8_t& as : heldAs) {
    const int vk = as;
    if (vk == 0) continue;
    as = 0;
    SetKeyDown(vk, false);
    if (released != nullptr) released(vk);
  }
  ClearKeyTable();
}

void PlatformInitJoystick() {}

void PlatformCaptureJoystickCentre() {
  // Browsers show a pad only after one of its buttons was pressed, long after
  // the start; its stick's rest is 0 by the standard mapping.
  for (int i = 0; i < PADS; ++i) {
    centreX[i] = CENTRE;
    centreY[i] = CENTRE;
  }
}

void PlatformJoyDirection(int joystick, int* dx, int* dy) {
  *dx = 0;
  *dy = 0;
  float x = 0, y = 0;
  int buttons = 0;
  if (joystick < 0 || joystick >= PADS || !skyward_pad_read(joystick, &x, &y, &buttons)) return;
  DirectionFromPosition(Position(x), Position(y), centreX[joystick], centreY[joystick], dx, dy);
}

int PlatformJoyButton(int joystick, int button) {
  float x = 0, y = 0;
  int buttons = 0;
  if (joystick < 0 || joystick >= PADS || button < 1 || button > 16) return 0;
  if (!skyward_pad_read(joystick, &x, &y, &buttons)) return 0;
  return (buttons >> (button - 1)) & 1;
}

void PlatformCloseJoysticks() {}

}  // namespace zuSystem
