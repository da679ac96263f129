// Start-up and main loop, shared by the game and the headless runner.
#pragma once
#include <cstdint>

#include "lib/draw/zuDrawSettings.h"

struct GameMainOptions {
  // Set by the headless runner: the SDL video driver was chosen on purpose, and
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

// Returns 0 after a normal end, non-zero when the display could not be set up.
int GameMain(const GameMainOptions& options);

// One frame of the main loop: frame measure, first-frame rule, the scene
// through `dispatch`, scene bookkeeping.
void RunFrame(void (*dispatch)(int scene));
