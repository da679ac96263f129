#include "tools/replay/replay_platform.h"

#include <cstring>

#include "app/web/events.h"
#include "app/platform_main.h"
#include "lib/web/web.h"
#include "tools/replay/screenshot.h"

bool ReplayKnowsKey(int vk) { return zuSystem::CodeFromVirtualKey(vk) != nullptr; }

// Into the page's queue, as its key listener would put it.
void ReplayPushKey(int vk, bool down, bool) {
  const char* code = zuSystem::CodeFromVirtualKey(vk);
  if (code != nullptr) QueueKey(code, down, false);
}

void ReplayPushQuit() { PostCloseRequest(); }

bool ReplayReadScreen(uint16_t* pixels) {
  const uint16_t* back = zuDraw::WebBackSurface();
  if (back == nullptr) return false;
  std::memcpy(pixels, back, 640 * 480 * 2);
  return true;
}

bool ReplaySaveScreen(const std::string& path, std::string* why) {
  const uint16_t* back = zuDraw::WebBackSurface();
  if (back == nullptr) {
    *why = "no back surface";
    return false;
  }
  return WriteScreenBmp(path, back, why);
}

bool ReplaySetUp(const char* audioPath, std::string* why) {
  if (audioPath != nullptr) {
    *why = "--audio: recording the sound is not available in the browser build";
    return false;
  }
  return true;
}
