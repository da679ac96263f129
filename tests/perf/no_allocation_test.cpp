// Nothing is allocated per frame: the busiest stretch of the game, and every other
// measured scenario, run through the real frame with the allocation counters of
// the benchmark linked in. Not timed; skyward-bench does the timing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "game/bosses/boss.h"
#include "game/flow/reset.h"
#include "game/flow/scene.h"
#include "game/flow/stage.h"
#include "game/player/weapons.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sdl/zuSystemSdl.h"
#include "lib/system/zuSystem.h"
#include "tools/bench/alloc_count.h"
#include "tools/bench/scenario.h"

namespace {

class PerFrameAllocations : public testing::Test {
 protected:
  virtual const char* PresentPath() const { return "window"; }
  void SetUp() override {
    setenv("SKYWARD_PRESENT", PresentPath(), 1);
    zuSystem::SetAppPath(SKYWARD_BIN_DIR);
    ASSERT_TRUE(perf::StartGame(perf::BENCH_SEED));
    perf::WatchThisThread();
  }
  void TearDown() override {
    perf::StopGame();
    unsetenv("SKYWARD_PRESENT");
    zuSystem::SetAppPath(nullptr);
    FullReset();
    scene = 1;
    previousScene = 0;
  }
};

uint64_t Allocations() { return perf::WatchedAllocations().total(); }

TEST_F(PerFrameAllocations, CountersSeeNewAndMalloc) {
  // Without this, a broken hook would make every other test here pass.
  const uint64_t before = Allocations();
  auto block = std::make_unique<int[]>(16);
  block[0] = 1;
  EXPECT_EQ(Allocations(), before + 1);
  if (perf::MallocCounted()) {
    void* raw = SDL_malloc(32);
    SDL_free(raw);
    EXPECT_EQ(Allocations(), before + 2);
  }
}

// Both present paths: the renderer's texture and our write into the window.
class BothPaths : public PerFrameAllocations, public testing::WithParamInterface<const char*> {
 protected:
  const char* PresentPath() const override { return GetParam(); }
};
INSTANTIATE_TEST_SUITE_P(Present, BothPaths, testing::Values("window", "texture"));

TEST_P(BothPaths, BusiestStretchAllocatesNothingOver1000Frames) {
  ASSERT_STREQ(zuDraw::PresentPath(), GetParam());
  zuDraw::ToggleFullScreen();
  SDL_SetWindowSize(mainWindow, 1280, 960);
  perf::EnterScenario(perf::SCENARIO_STAGE1_BUSY);
  const long presents = zuDraw::PresentCount();
  const uint64_t before = Allocations();
  int framesWithBomb = 0;
  float lowest = 1e9f, highest = 0.0f;
  for (int frame = 0; frame < 1000; ++frame) {
    perf::StepFrame(perf::SCENARIO_STAGE1_BUSY);
    framesWithBomb += bombActive;
    if (stageClock < lowest) lowest = stageClock;
    if (stageClock > highest) highest = stageClock;
  }
  EXPECT_EQ(Allocations() - before, 0u);
  // It was the stretch it claims to be: every frame presented, inside the
  // busy clock window, and a bomb in flight nearly all the time.
  EXPECT_EQ(zuDraw::PresentCount() - presents, 1000);
  EXPECT_EQ(scene, 2);
  EXPECT_GE(lowest, 800.0f);
  EXPECT_LT(highest, 881.0f);
  EXPECT_GT(framesWithBomb, 900);
}

TEST_F(PerFrameAllocations, EveryOtherScenarioAllocatesNothing) {
  for (int s = 0; s < perf::SCENARIO_COUNT; ++s) {
    const auto scenario = static_cast<perf::Scenario>(s);
    if (scenario == perf::SCENARIO_STAGE1_BUSY) continue;
    SCOPED_TRACE(perf::Info(scenario).name);
    perf::EnterScenario(scenario);
    const uint64_t before = Allocations();
    const int frames = perf::Info(scenario).frames;
    for (int frame = 0; frame < frames; ++frame) perf::StepFrame(scenario);
    EXPECT_EQ(Allocations() - before, 0u);
    if (scenario == perf::SCENARIO_BOSS1_DEATH) {
      // Still dying at the end of the stretch: the sequence was measured, not stage 2.
      EXPECT_EQ(scene, 2);
      EXPECT_LE(boss1.hitPoints, 0.0f);
    }
  }
}

}  // namespace
