// Start-up and main loop, shared by the game and the headless runner.
#pragma once
#include <cstdint>

struct GameMainOptions {
  // Set by the headless runner: the SDL video driver was chosen on purpose.
  bool headless = false;
  // Seed the random generator with this instead of the calendar time.
  bool fixedSeed = false;
  uint32_t seed = 0;
  // Called before each frame runs (after the event queue was drained) and
  // after it; the runner pushes input and takes screenshots there.
  void (*beforeFrame)(long frame) = nullptr;
  void (*afterFrame)(long frame) = nullptr;
};

int GameMain(const GameMainOptions& options);
