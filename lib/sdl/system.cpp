// The SDL side of the system module: ticks, sleep, the error box, the program folder.
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "lib/sdl/zuSystemSdl.h"
#include "lib/system/systemPlatform.h"
#include "lib/system/zuSystem.h"

SDL_Window* mainWindow = nullptr;

namespace {

bool RealDisplay() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr) return false;
  return std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0 &&
         std::strcmp(driver, "evdev") != 0;
}

}  // namespace

namespace zuSystem {

uint32_t PlatformTicks() { return SDL_GetTicks(); }

void PlatformSleep(uint32_t ms) { SDL_Delay(ms); }

// The desktop loop paces itself: the scenes sleep as they ask.
void PlatformFrameSleep(uint32_t ms) { PlatformSleep(ms); }

void ShowErrorBox(const char* text) {
  if (!RealDisplay()) return;
  messageBoxOpen = 1;
  const int shown = SDL_ShowCursor(SDL_QUERY);
  SDL_ShowCursor(SDL_ENABLE);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "エラー発生", text, mainWindow);
  SDL_ShowCursor(shown);
  messageBoxOpen = 0;
}

void ProgramFolder(char* out, size_t size) {
  char* base = SDL_GetBasePath();
  if (base == nullptr) {
    std::snprintf(out, size, "./");
    return;
  }
  std::snprintf(out, size, "%s", base);
  SDL_free(base);
  // Cut back to the last separator, so the folder always ends with one.
  size_t n = std::strlen(out);
  while (n > 0 && out[n - 1] != '/') out[--n] = '\0';
  if (n == 0) std::snprintf(out, size, "./");
}

FILE* OpenFile(const char* path, const char* mode) { return std::fopen(path, mode); }

}  // namespace zuSystem
