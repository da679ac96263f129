// The measured scenarios: the real game, headless, on the virtual clock with a
// fixed seed, each reached from a game-state reset by setting the stage and boss
// state directly and then driven by scripted keys. Shared by skyward-bench and
// the allocation test.
#pragma once
#include <cstdint>

namespace perf {

enum Scenario {
  SCENARIO_TITLE,
  SCENARIO_STAGE1_BUSY,
  SCENARIO_BOSS1_V6V7L,
  SCENARIO_BOSS2_R2,
  SCENARIO_BOSS1_DEATH,
  SCENARIO_COUNT
};

struct ScenarioInfo {
  const char* name;
  const char* what;
  int frames;  // frames one measured run takes
};

const ScenarioInfo& Info(Scenario s);

constexpr uint32_t STEP_MS = 12;  // the virtual length of a frame
constexpr uint32_t BENCH_SEED = 12345;

// The start-up of the real program up to its first frame (window, screen,
// assets), with SDL's dummy drivers unless a driver was chosen already, the
// virtual clock and a fixed seed. False when the screen could not be set up.
bool StartGame(uint32_t seed);
void StopGame();

// From a game-state reset to the first frame of the measured stretch.
void EnterScenario(Scenario s);
// The scenario's scripted keys and state upkeep for the next frame, then the
// frame's tick and the event queue, as the main loop drains it.
void PrepareFrame(Scenario s);
// One frame of the main loop (frame measure, the scene, scene bookkeeping).
void RunGameFrame();
// PrepareFrame and RunGameFrame.
void StepFrame(Scenario s);

}  // namespace perf
