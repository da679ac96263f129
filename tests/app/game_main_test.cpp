#include <gtest/gtest.h>

#include <vector>

#include "app/sdl/window_proc.h"
#include "game/flow/scene.h"
#include "game/player/ship.h"
#include "lib/input/zuInput.h"
#include "tests/app/main_loop.h"

using mainloop::Push;

namespace {

long framesRun = 0;
long escapeBefore = -1;  // frame index before which [ESC] is pushed
std::vector<int> lastKeyAfter;
std::vector<float> secondsAfter;

void Before(long frame) {
  mainloop::now += 12;
  if (frame == 0) {
    // Several events before one frame: all are dispatched before it runs.
    Push(SDLK_z, true);
    Push(SDLK_x, true);
    Push(SDLK_x, false);
    Push(SDLK_z, true, true);
  }
  if (frame == escapeBefore) Push(SDLK_ESCAPE, true);
}

void After(long) {
  ++framesRun;
  lastKeyAfter.push_back(lastKey);
  secondsAfter.push_back(frameSeconds);
}

}  // namespace

TEST(MainLoop, EscapeEndsTheRunBeforeAnotherFrame) {
  escapeBefore = 3;
  EXPECT_EQ(mainloop::Run(1, Before, After, 5000), 0);
  EXPECT_EQ(framesRun, 3);
  EXPECT_EQ(shutdownState, 2);
  EXPECT_EQ(libraryReleases, 1);
  // Every event pushed before the first frame was handled before it.
  ASSERT_FALSE(lastKeyAfter.empty());
  EXPECT_EQ(lastKeyAfter[0], 'Z');
  // A virtual frame lasts exactly 12 ms, the first one included.
  for (float s : secondsAfter) EXPECT_FLOAT_EQ(s, 0.012f);
}

namespace {

// A clock that only the program's own sleeps move: a frame that does not sleep
// takes no time at all, so frames per clock second count how the loop is paced.
void CountSleep(uint32_t ms) { mainloop::now += ms; }

struct PaceCount {
  long frames = 0;
  uint32_t ms = 0;
  double PerSecond() const { return ms == 0 ? 1e9 : frames * 1000.0 / ms; }
};
PaceCount played, pausedPace, asking;
uint32_t frameStart = 0;

void PaceBefore(long frame) {
  frameStart = mainloop::now;
  if (frame == 1) Push(SDLK_SPACE, true);   // title -> setup
  if (frame == 4) Push(SDLK_RETURN, true);  // setup -> stage 1
  if (frame == 60 || frame == 160) Push(SDLK_s, true);
  if (frame == 300) Push(SDLK_ESCAPE, true);
}

void PaceAfter(long frame) {
  if (scene != 2 || frame < 10) return;
  PaceCount& count = continuePrompt == 1 ? asking : paused == 1 ? pausedPace : played;
  ++count.frames;
  count.ms += mainloop::now - frameStart;
  if (frame == 180) energy = 0;  // the continue question comes up on the next frame
}

}  // namespace

TEST(MainLoop, PauseAndContinueQuestionArePacedLikeAPlayedFrame) {
  EXPECT_EQ(mainloop::Run(1, PaceBefore, PaceAfter, 0, mainloop::Ticks, CountSleep), 0);
  ASSERT_GT(pausedPace.frames, 90);
  ASSERT_GT(asking.frames, 90);
  ASSERT_GT(played.frames, 50);
  // One 11 ms sleep a frame: about 91 frames a second, paused or not.
  EXPECT_NEAR(played.PerSecond(), 1000.0 / 11, 0.5);
  EXPECT_NEAR(pausedPace.PerSecond(), played.PerSecond(), 0.5);
  EXPECT_NEAR(asking.PerSecond(), played.PerSecond(), 0.5);
}
