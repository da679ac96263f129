// Key states over our own key-down table, and joystick 0/1.
#pragma once
#include <cstdint>

// Virtual-key codes the game and the event dispatch use (the system's own
// header gives the same values on Windows).
#ifndef VK_ESCAPE
enum : int {
  VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
  VK_MENU = 0x12, VK_PAUSE = 0x13, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
  VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
  VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F10 = 0x79,
};
#endif

namespace zuSystem {

// Key state values: 0 up, 1 just pressed, 3 held, 2 just released.
void ReadKey(int virtualKey, int* keyState);

// Direction of joystick 0 or 1 from its centre: -1, 0 or 1 on each axis.
void JoyDirection(int joystick, int* dx, int* dy);
// 1 while button (numbered from 1) of joystick 0 or 1 is held.
int JoyButton(int joystick, int button);

}  // namespace zuSystem
