// The game in a browser page: start-up as on the desktop, then the browser
// calls one step of the shared main loop at each refresh of the display.
#include <emscripten.h>

#include <cstdio>

#include "app/command_line.h"
#include "app/game_main.h"
#include "game/flow/scene.h"
#include "lib/system/systemPlatform.h"
#include "lib/web/web.h"

namespace {

void Step() {
  // The error box waits for its OK, as the desktop's does.
  if (EM_ASM_INT({ return Module['skyward'] && Module['skyward'].modal ? 1 : 0; })) return;
  const double start = emscripten_get_now();
  const LoopStep step = MainLoopStep();
  if (step == LoopStep::Ran) {
    // Counted for the page's tests and timed for the benchmark, when it asks.
    EM_ASM({
      var s = Module['skyward'];
      if (!s) return;
      s.frames = (s.frames || 0) + 1;
      if (!s.firstFrameAt) s.firstFrameAt = performance.now();
      if (s.measure) s.measure.push($0, $1);
    }, start, emscripten_get_now() - start);
  } else if (step == LoopStep::Ended) {
    emscripten_cancel_main_loop();
    EndGame();
    EM_ASM({ if (Module['skyward']) { Module['skyward'].gameOver = true; Module['skyward'].ended(); } });
  }
}

}  // namespace

// The scene now, for the page's tests.
extern "C" EMSCRIPTEN_KEEPALIVE int SkywardScene() { return scene; }

int main(int argc, char** argv) {
  CommandLine commandLine;
  const int status = ParseCommandLine(argc, argv, &commandLine, stdout, stderr);
  if (status >= 0) return status;
  GameMainOptions options;
  ApplyCommandLine(commandLine, &options);
  // A best score kept by an earlier visit, where the player asked for it.
  char folder[4096];
  if (commandLine.keepBestScore && zuSystem::PlatformUserDataFolder(folder, sizeof folder)) {
    skyward_store_restore(folder);
  }
  if (StartGame(options) != 0) {
    EM_ASM({ if (Module['skyward']) Module['skyward'].ended(); });
    return 1;
  }
  EM_ASM({ if (Module['skyward']) Module['skyward'].started(); });
  emscripten_set_main_loop(Step, 0, 0);
  return 0;
}
