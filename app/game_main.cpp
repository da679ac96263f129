#include "app/game_main.h"

#include "app/platform_main.h"
#include "app/window_state.h"
#include "game/flow/scene.h"
#include "game/player/score.h"

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

void RunMainLoop(const GameMainOptions& options) {
  long frame = 0;
  long prepared = -1;
  for (;;) {
    if (DispatchNextEvent()) continue;
    if (quitPosted) break;
    if (!appActive) {
      WaitAndDispatchEvent();
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
  // Quitting in the middle of a game ends it too.
  KeepBestScore();
}
