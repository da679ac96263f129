// The game in a browser page: start-up as on the desktop, then the browser
// calls one step of the shared main loop at each refresh of the display.
#include <emscripten.h>
#include <sys/stat.h>

#include <cstdio>

#include "app/command_line.h"
#include "app/game_main.h"
#include "app/replay_session.h"
#include "game/flow/scene.h"
#include "lib/system/systemPlatform.h"
#include "lib/web/web.h"

namespace {

// A playback may run more than one recorded frame in a refresh (at double
// speed, or to catch up with a display slower than the recording's).
constexpr int MAX_PLAYBACK_FRAMES = 4;
bool watching = false;
int lastScene = -1;

void Step() {
  // The error box waits for its OK, as the desktop's does.
  if (EM_ASM_INT({ return Module['skyward'] && Module['skyward'].modal ? 1 : 0; })) return;
  const double start = emscripten_get_now();
  LoopStep step = MainLoopStep();
  for (int n = 1; watching && step == LoopStep::Ran && n < MAX_PLAYBACK_FRAMES; ++n) {
    step = MainLoopStep();
  }
  if (scene != lastScene && step != LoopStep::Ended) {
    // The page offers the replay buttons on the title.
    EM_ASM({ if (Module['skyward']) Module['skyward'].sceneChanged($0, $1); }, lastScene, scene);
    lastScene = scene;
  }
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
    EM_ASM({ if (Module['skyward']) { Module['skyward'].gameOver = true; Module['skyward'].ended(UTF8ToString($0)); } },
           ReplayOutcome());
  }
}

}  // namespace

// The scene now, for the page's tests.
extern "C" EMSCRIPTEN_KEEPALIVE int SkywardScene() { return scene; }

// The page's run is always recorded, in the page's memory only: the player
// takes it away with "Download this run's replay", or it goes with the page.
namespace {
const char RUN_FOLDER[] = "/recording";
const char RUN_REPLAY[] = "/recording/this-run.skr";
const char COPY_REPLAY[] = "/recording/this-run-so-far.skr";
}  // namespace

// The replay file of this run for the page to offer (called between frames):
// while the run goes on, a copy ending now; after it, the whole recording.
// Null when there is none.
extern "C" EMSCRIPTEN_KEEPALIVE const char* SkywardRunReplay() {
  if (CopyRecording(COPY_REPLAY)) return COPY_REPLAY;
  if (watching) return nullptr;
  std::FILE* f = std::fopen(RUN_REPLAY, "rb");
  if (f == nullptr) return nullptr;
  std::fclose(f);
  return RUN_REPLAY;
}

int main(int argc, char** argv) {
  CommandLine commandLine;
  const int status = ParseCommandLine(argc, argv, &commandLine, stdout, stderr);
  if (status >= 0) return status;
  GameMainOptions options;
  ApplyCommandLine(commandLine, &options);
  if (options.recordPath == nullptr && options.replayPath == nullptr && mkdir(RUN_FOLDER, 0700) == 0) {
    options.recordPath = RUN_REPLAY;
  }
  // A best score kept by an earlier visit, where the player asked for it.
  char folder[4096];
  if (commandLine.keepBestScore && zuSystem::PlatformUserDataFolder(folder, sizeof folder)) {
    skyward_store_restore(folder);
  }
  watching = options.replayPath != nullptr;
  if (StartGame(options) != 0) {
    // A replay refused says why on the page.
    EM_ASM({ if (Module['skyward']) Module['skyward'].ended(UTF8ToString($0)); }, ReplayOutcome());
    return 1;
  }
  EM_ASM({ if (Module['skyward']) Module['skyward'].started(); });
  emscripten_set_main_loop(Step, 0, 0);
  return 0;
}
