#include "app/game_main.h"

#include <ctime>

#include "app/platform_main.h"
#include "app/window_state.h"
#include "game/flow/catalogue.h"
#include "game/flow/scene.h"
#include "game/player/score.h"
#include "lib/draw/zuDrawInternal.h"
#include "lib/sound/soundInternal.h"
#include "lib/system/zuSystem.h"

namespace {

// The running loop's options and frame count (one run at a time).
GameMainOptions running;
long frame = 0;
long prepared = -1;

}  // namespace

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

int StartGame(const GameMainOptions& options) {
  running = options;
  frame = 0;
  prepared = -1;
  ResetWindowState();
  zuDraw::SetScreenSettings(options.screen);
  if (!PlatformOpenWindow(options)) return 1;
  PlatformShowWindow(options.headless);
  zuSystem::SeedRandom(options.fixedSeed ? options.seed
                                         : static_cast<uint32_t>(std::time(nullptr)));
  PlatformQuietDesktop();
  LoadAssets();
  if (!zuDraw::ScreenReady()) {
    // The screen failure was reported; end without using what is missing.
    zuDraw::CloseScreen();
    zuSound::Release();
    PlatformEnd();
    return 1;
  }
  zuSystem::ResetFrameTime();
  return 0;
}

LoopStep MainLoopStep() {
  while (DispatchNextEvent()) {
  }
  if (quitPosted) return LoopStep::Ended;
  if (!appActive) return LoopStep::Inactive;
  if (running.beforeFrame != nullptr && prepared != frame) {
    prepared = frame;
    running.beforeFrame(frame);
    return LoopStep::Waiting;  // what it pushed is dispatched before the frame
  }
  RunFrame(RunScene);
  if (running.afterFrame != nullptr) running.afterFrame(frame);
  ++frame;
  return LoopStep::Ran;
}

void MainLoop() {
  for (;;) {
    const LoopStep step = MainLoopStep();
    if (step == LoopStep::Ended) break;
    if (step == LoopStep::Inactive) WaitAndDispatchEvent();
  }
}

void EndGame() {
  // Quitting in the middle of a game ends it too.
  KeepBestScore();
  PlatformEnd();
}

int GameMain(const GameMainOptions& options) {
  const int status = StartGame(options);
  if (status != 0) return status;
  MainLoop();
  EndGame();
  return 0;
}
