#include "tools/replay/replay_platform.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "app/platform_main.h"
#include "app/window_state.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sdl/zuInputSdl.h"
#include "lib/sdl/zuSystemSdl.h"

bool ReplayKnowsKey(int vk) { return zuSystem::SdlKeyFromVirtual(vk) != SDLK_UNKNOWN; }

void ReplayPushKey(int vk, bool down, bool repeat) {
  const SDL_Keycode sym = zuSystem::SdlKeyFromVirtual(vk);
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.windowID = mainWindow != nullptr ? SDL_GetWindowID(mainWindow) : 0;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat ? 1 : 0;
  e.key.keysym.sym = sym;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
  e.key.keysym.mod = KMOD_NONE;
  SDL_PushEvent(&e);
}

void ReplayPushQuit() {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

bool ReplayReadScreen(uint16_t* pixels) {
  SDL_Surface* back = zuDraw::BackSurface();
  if (back == nullptr || back->format->BytesPerPixel != 2 || back->w != 640 || back->h != 480) {
    return false;
  }
  for (int y = 0; y < 480; ++y) {
    std::memcpy(pixels + y * 640, static_cast<const uint8_t*>(back->pixels) + y * back->pitch,
                640 * 2);
  }
  return true;
}

bool ReplaySaveScreen(const std::string& path, std::string* why) {
  SDL_Surface* back = zuDraw::BackSurface();
  if (back == nullptr) {
    *why = "no back surface";
    return false;
  }
  if (SDL_SaveBMP(back, path.c_str()) != 0) {
    *why = SDL_GetError();
    return false;
  }
  return true;
}

bool ReplaySetUp(const char* audioPath, std::string*) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  if (audioPath != nullptr) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", audioPath, 1);
  } else {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  return true;
}
