#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "app/game_main.h"
#include "app/sdl/window_proc.h"
#include "game/flow/scene.h"
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
