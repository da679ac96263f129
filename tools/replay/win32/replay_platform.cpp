#include "tools/replay/replay_platform.h"

#include <cstdio>

#include "app/platform_main.h"
#include "app/window_state.h"
#include "lib/win32/drawWin32.h"
#include "lib/win32/win32.h"
#include "tools/replay/screenshot.h"

namespace {

uint16_t screen[640 * 480];

}  // namespace

bool ReplayKnowsKey(int vk) { return vk > 0 && vk < 256; }

void ReplayPushKey(int vk, bool down, bool repeat) {
  if (mainWindow == nullptr) return;
  // Repeat count 1; bit 30: the key was down before; bit 31: it is being released.
  LPARAM flags = 1;
  if (repeat || !down) flags |= static_cast<LPARAM>(1) << 30;
  if (!down) flags |= static_cast<LPARAM>(1) << 31;
  PostMessageW(mainWindow, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(vk), flags);
}

void ReplayPushQuit() { PostCloseRequest(); }

bool ReplayReadScreen(uint16_t* pixels) { return zuDraw::ReadBackPixels(pixels, 640, 480); }

bool ReplaySaveScreen(const std::string& path, std::string* why) {
  if (!zuDraw::ReadBackPixels(screen, 640, 480)) {
    *why = "no back surface";
    return false;
  }
  return WriteScreenBmp(path, screen, why);
}

bool ReplaySetUp(const char* audioPath, std::string* why) {
  if (audioPath != nullptr) {
    *why = "--audio: recording the sound is not available on Windows";
    return false;
  }
  return true;
}
