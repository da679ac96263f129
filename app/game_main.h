// Start-up and main loop, shared by every platform and the headless runner.
#pragma once
#include <cstdint>

#include "lib/draw/zuDrawSettings.h"

struct GameMainOptions {
  // Set by the headless runner: the video driver was chosen on purpose, and
  // the window is made active at once (no window manager hands it the focus).
  bool headless = false;
  // Seed the random generator with this instead of the calendar time.
  bool fixedSeed = false;
  uint32_t seed = 0;
  // Called once before each frame (after the event queue was drained; events it
  // pushes are dispatched before the frame runs) and once after the frame.
  void (*beforeFrame)(long frame) = nullptr;
  void (*afterFrame)(long frame) = nullptr;
  // Window or full screen, vsync: from the command line.
  zuDraw::ScreenSettings screen;
};

// The whole run: StartGame, the main loop, EndGame. Returns 0 after a normal
// end, non-zero when the display could not be set up.
int GameMain(const GameMainOptions& options);

// Start-up: the window, the random seed, the assets and the screen. 0 when the
// main loop may run; otherwise the program's exit status (all was released).
int StartGame(const GameMainOptions& options);

enum class LoopStep {
  Ran,       // one frame ran
  Waiting,   // events were handled, no frame ran yet (the next step runs it)
  Inactive,  // the program is not the active one: no frame runs until it is
  Ended,     // the window is gone: the loop is over
};
// One pass of the main loop: every waiting event, then one frame while the
// program is active. A desktop layer calls it in a loop (MainLoop); a layer
// driven by the display calls it once per refresh.
LoopStep MainLoopStep();
// Steps until the window is gone, waiting for events while inactive.
void MainLoop();
// After the loop: the best score is kept and the platform released.
void EndGame();

// One frame of the main loop: frame measure, first-frame rule, the scene
// through `dispatch`, scene bookkeeping.
void RunFrame(void (*dispatch)(int scene));
