#include "tools/bench/scenario.h"

#include <SDL.h>

#include <cstdlib>

#include "app/game_main.h"
#include "app/sdl/window_proc.h"
#include "game/bosses/boss.h"
#include "game/flow/catalogue.h"
#include "game/flow/reset.h"
#include "game/flow/scene.h"
#include "game/flow/stage.h"
#include "game/flow/title.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "game/playfield.h"
#include "lib/input/inputInternal.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sdl/zuSystemSdl.h"
#include "lib/system/zuSystem.h"

namespace perf {
namespace {

constexpr ScenarioInfo INFOS[SCENARIO_COUNT] = {
    {"title", "title picture and help line", 250},
    {"stage1-busy", "stage 1, stageClock 800-880, bomb in flight", 400},
    {"boss1-v6v7-l", "first boss, hit points 300: V6, V7 and L", 250},
    {"boss2-r2", "second boss, hit points 400: R2 ring", 250},
    {"boss1-death", "first boss death sequence", 560},
};

// The busiest stretch of stage 1: ZAK6, ZAK18 and its drops, ZAK10, the ZAK50 fan.
constexpr float BUSY_FROM = 800.0f;
constexpr float BUSY_TO = 880.0f;
constexpr float BOSS1_PHASE_HP = 300.0f;  // V6, V7 and L all fire
constexpr float BOSS2_PHASE_HP = 400.0f;  // R2 fires

uint32_t virtualNow = 0;
uint32_t VirtualTicks() { return virtualNow; }
void VirtualSleep(uint32_t) {}

bool bombKeyDown = false;

void Drain() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) DispatchEvent(event);
}

void Tick() {
  virtualNow += STEP_MS;
  Drain();
}

void EnterStage(int stageScene) {
  FullReset();
  NewGame();
  gameMode = 0;
  plainBackground = 0;
  paused = 0;
  continuePrompt = 0;
  ChangeScene(stageScene);
  zuSystem::ClearKeyTable();
  bombKeyDown = false;
  Tick();
  RunGameFrame();  // the stage's first frame: music, counters
}

void KeepPlaying(Scenario s) {
  // The ship must not run out of energy: the continue question would pause the stretch.
  energy = 77;
  bombs = 3;
  zuSystem::SetKeyDown('Z', true);
  switch (s) {
    case SCENARIO_STAGE1_BUSY:
      if (stageClock >= BUSY_TO) stageClock = BUSY_FROM;
      // A new bomb as soon as the last one is over: press, release, press...
      bombKeyDown = bombActive == 0 ? !bombKeyDown : false;
      zuSystem::SetKeyDown('X', bombKeyDown);
      break;
    case SCENARIO_BOSS1_V6V7L: boss1.hitPoints = BOSS1_PHASE_HP; break;
    case SCENARIO_BOSS2_R2: boss2.hitPoints = BOSS2_PHASE_HP; break;
    default: break;
  }
}

}  // namespace

const ScenarioInfo& Info(Scenario s) { return INFOS[s]; }

bool StartGame(uint32_t seed) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  zuSystem::SetClock(VirtualTicks, VirtualSleep);
  ResetWindowState();
  char caption[32] = "Skyward Run";
  if (!zuDraw::OpenWindow(caption, 1)) return false;
  zuDraw::ShowWindow();
  appActive = 1;
  zuSystem::SeedRandom(seed);
  SDL_StopTextInput();
  LoadAssets();
  if (!zuDraw::ScreenReady()) return false;
  zuSystem::ResetFrameTime();
  Drain();
  return true;
}

void StopGame() {
  zuDraw::CloseScreen();
  zuDraw::DestroyWindow();
  SDL_Quit();
  zuSystem::SetClock(nullptr, nullptr);
}

void EnterScenario(Scenario s) {
  // Every run of a scenario sees the same frames.
  zuSystem::SeedRandom(BENCH_SEED);
  switch (s) {
    case SCENARIO_TITLE:
      FullReset();
      ChangeScene(SCENE_TITLE);
      zuSystem::ClearKeyTable();
      lastKey = 0;
      for (int i = 0; i < 10; ++i) StepFrame(s);  // past the entry frame (music, caption)
      break;
    case SCENARIO_STAGE1_BUSY:
      EnterStage(2);
      stageClock = 745.0f;  // the families of the stretch start at 750
      while (stageClock < BUSY_FROM) StepFrame(s);
      break;
    case SCENARIO_BOSS1_V6V7L:
    case SCENARIO_BOSS1_DEATH:
      EnterStage(2);
      stageClock = 1001.0f;
      boss1.bossClock = 150.0f;  // in place, about to sway
      for (int i = 0; i < 300; ++i) StepFrame(SCENARIO_BOSS1_V6V7L);
      if (s == SCENARIO_BOSS1_DEATH) boss1.hitPoints = 0.0f;
      break;
    case SCENARIO_BOSS2_R2:
      EnterStage(3);
      stageClock = 1111.0f;
      boss2.bossClock = 90.0f;
      for (int i = 0; i < 340; ++i) StepFrame(s);  // every ring group out
      break;
    case SCENARIO_COUNT: break;
  }
}

void PrepareFrame(Scenario s) {
  if (s != SCENARIO_TITLE) KeepPlaying(s);
  Tick();
}

void RunGameFrame() { RunFrame(RunScene); }

void StepFrame(Scenario s) {
  PrepareFrame(s);
  RunGameFrame();
}

}  // namespace perf
