// Start-up and end of the program over SDL; the loop itself is shared.
#include <SDL.h>

#include <ctime>

#include "app/game_main.h"
#include "app/platform_main.h"
#include "app/sdl/window_proc.h"
#include "game/flow/catalogue.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sdl/zuSystemSdl.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

namespace {

// What showing the window means on a desktop: it becomes the active one.
void MakeActive() { PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED); }

void EndSdl() {
  zuDraw::DestroyWindow();
  SDL_Quit();
}

}  // namespace

bool DispatchNextEvent() {
  SDL_Event event;
  if (!SDL_PollEvent(&event)) return false;
  DispatchEvent(event);
  return true;
}

void WaitAndDispatchEvent() {
  SDL_Event event;
  if (SDL_WaitEvent(&event)) DispatchEvent(event);
}

int GameMain(const GameMainOptions& options) {
  ResetWindowState();
  zuDraw::SetScreenSettings(options.screen);
  char caption[32] = "Skyward Run";
  if (!zuDraw::OpenWindow(caption, options.headless ? 1 : 0)) {
    SDL_Quit();
    return 1;
  }
  zuDraw::ShowWindow();
  if (options.headless) MakeActive();
  zuSystem::SeedRandom(options.fixedSeed ? options.seed
                                         : static_cast<uint32_t>(std::time(nullptr)));
  SDL_StopTextInput();
  SDL_DisableScreenSaver();
  LoadAssets();
  if (!zuDraw::ScreenReady()) {
    // The screen failure was reported; end without using what is missing.
    zuDraw::CloseScreen();
    zuSound::Release();
    EndSdl();
    return 1;
  }
  zuSystem::ResetFrameTime();

  RunMainLoop(options);
  EndSdl();
  return 0;
}
