#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "app/game_main.h"
#include "app/sdl/window_proc.h"
#include "game/flow/scene.h"
#include "game/player/ship.h"
#include "lib/input/zuInput.h"
#include "lib/sdl/zuInputSdl.h"
#include "lib/system/zuSystem.h"

namespace {

uint32_t now = 0;
uint32_t Ticks() { return now; }
void Nap(uint32_t) {}

long framesRun = 0;
long escapeBefore = -1;  // frame index before which [ESC] is pushed
long quitAfter = -1;     // frame index after which a close request is pushed
std::vector<int> lastKeyAfter;
std::vector<float> secondsAfter;

void Push(SDL_Keycode sym, bool down, bool repeat) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.repeat = repeat ? 1 : 0;
  e.key.keysym.sym = sym;
  SDL_PushEvent(&e);
}

void Before(long frame) {
  now += 12;
  if (frame == 0) {
    // Several events before one frame: all are dispatched before it runs.
    Push(SDLK_z, true, false);
    Push(SDLK_x, true, false);
    Push(SDLK_x, false, false);
    Push(SDLK_z, true, true);
  }
  if (frame == escapeBefore) Push(SDLK_ESCAPE, true, false);
}

void After(long frame) {
  ++framesRun;
  lastKeyAfter.push_back(lastKey);
  secondsAfter.push_back(frameSeconds);
  if (frame == quitAfter) {
    SDL_Event q{};
    q.type = SDL_QUIT;
    SDL_PushEvent(&q);
  }
}

struct MainLoop : testing::Test {
  GameMainOptions options;
  void SetUp() override {
    framesRun = 0;
    escapeBefore = quitAfter = -1;
    lastKeyAfter.clear();
    secondsAfter.clear();
    now = 5000;
    zuSystem::SetClock(Ticks, Nap);
    zuSystem::SetAppPath(SKYWARD_BIN_DIR);
    options.headless = true;
    options.fixedSeed = true;
    options.seed = 1;
    options.beforeFrame = Before;
    options.afterFrame = After;
  }
  void TearDown() override {
    zuSystem::SetClock(nullptr, nullptr);
    zuSystem::SetAppPath(nullptr);
  }
};

}  // namespace

TEST_F(MainLoop, EscapeEndsTheRunBeforeAnotherFrame) {
  escapeBefore = 3;
  EXPECT_EQ(GameMain(options), 0);
  EXPECT_EQ(framesRun, 3);
  EXPECT_EQ(shutdownState, 2);
  EXPECT_EQ(libraryReleases, 1);
  // Every event pushed before the first frame was handled before it.
  ASSERT_FALSE(lastKeyAfter.empty());
  EXPECT_EQ(lastKeyAfter[0], 'Z');
  // A virtual frame lasts exactly 12 ms, the first one included.
  for (float s : secondsAfter) EXPECT_FLOAT_EQ(s, 0.012f);
}

TEST_F(MainLoop, CloseRequestEndsTheRunNormally) {
  quitAfter = 4;
  EXPECT_EQ(GameMain(options), 0);
  EXPECT_EQ(framesRun, 5);
  EXPECT_EQ(libraryReleases, 1);
}

namespace {

// A clock that only the program's own sleeps move: a frame that does not sleep
// takes no time at all, so frames per clock second count how the loop is paced.
uint32_t sleptNow = 0;
uint32_t SleptTicks() { return sleptNow; }
void CountSleep(uint32_t ms) { sleptNow += ms; }

struct PaceCount {
  long frames = 0;
  uint32_t ms = 0;
  double PerSecond() const { return ms == 0 ? 1e9 : frames * 1000.0 / ms; }
};
PaceCount played, pausedPace, asking;
uint32_t frameStart = 0;

void PaceBefore(long frame) {
  frameStart = sleptNow;
  if (frame == 1) Push(SDLK_SPACE, true, false);   // title -> setup
  if (frame == 4) Push(SDLK_RETURN, true, false);  // setup -> stage 1
  if (frame == 60 || frame == 160) Push(SDLK_s, true, false);
  if (frame == 300) Push(SDLK_ESCAPE, true, false);
}

void PaceAfter(long frame) {
  if (scene != 2 || frame < 10) return;
  PaceCount& count = continuePrompt == 1 ? asking : paused == 1 ? pausedPace : played;
  ++count.frames;
  count.ms += sleptNow - frameStart;
  if (frame == 180) energy = 0;  // the continue question comes up on the next frame
}

}  // namespace

TEST_F(MainLoop, PauseAndContinueQuestionArePacedLikeAPlayedFrame) {
  sleptNow = 0;
  played = pausedPace = asking = PaceCount{};
  zuSystem::SetClock(SleptTicks, CountSleep);
  options.beforeFrame = PaceBefore;
  options.afterFrame = PaceAfter;
  EXPECT_EQ(GameMain(options), 0);
  ASSERT_GT(pausedPace.frames, 90);
  ASSERT_GT(asking.frames, 90);
  ASSERT_GT(played.frames, 50);
  // One 11 ms sleep a frame: about 91 frames a second, paused or not.
  EXPECT_NEAR(played.PerSecond(), 1000.0 / 11, 0.5);
  EXPECT_NEAR(pausedPace.PerSecond(), played.PerSecond(), 0.5);
  EXPECT_NEAR(asking.PerSecond(), played.PerSecond(), 0.5);
}
