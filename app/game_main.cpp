#include "app/game_main.h"

#include <SDL.h>

#include <ctime>

#include "app/window_proc.h"
#include "game/flow/catalogue.h"
#include "game/flow/scene.h"
#include "lib/draw/zuDrawInternal.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"
#include "lib/system/zuSystemSdl.h"

void RunFrame(void (*dispatch)(int)) {
  zuSystem::MeasureFrame();
  // The very first frame of the run.
  if (previousScene == 0 && scene != 0) {
    sceneEntered = 1;
    previousScene = scene;
  }
  dispatch(scene);
  // A changed scene, or previousScene = 0 written by the scene, makes a first frame.
  sceneEntered = (previousScene != scene) ? 1 : 0;
  previousScene = scene;
}

namespace {

void MakeActive() {
  // What showing the window means on a desktop: it becomes the active one.
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  focus.window.windowID = mainWindow != nullptr ? SDL_GetWindowID(mainWindow) : 0;
  SDL_PushEvent(&focus);
}

void EndSdl() {
  zuDraw::DestroyWindow();
  SDL_Quit();
}

}  // namespace

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

  long frame = 0;
  long prepared = -1;
  SDL_Event event;
  for (;;) {
    if (SDL_PollEvent(&event)) {
      DispatchEvent(event);
      continue;
    }
    if (quitPosted) break;
    if (!appActive) {
      if (SDL_WaitEvent(&event)) DispatchEvent(event);
      continue;
    }
    if (options.beforeFrame != nullptr && prepared != frame) {
      prepared = frame;
      options.beforeFrame(frame);
      continue;  // what it pushed is dispatched before the frame
    }
    RunFrame(RunScene);
    if (options.afterFrame != nullptr) options.afterFrame(frame);
    ++frame;
  }
  EndSdl();
  return 0;
}
