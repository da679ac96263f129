// The present waits for the display's refresh; the stage frame keeps its order
// (present, then input and logic, then its 11 ms sleep) and its sleep. A
// stand-in display through the clock seam: every sleep advances a virtual clock,
// the frame's own work takes no virtual time.
#include <gtest/gtest.h>

#include <vector>

#include "game/flow/scene.h"
#include "lib/draw/zuDrawSettings.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/system/zuSystem.h"
#include "tools/bench/scenario.h"

namespace {

uint32_t now = 0;
std::vector<uint32_t> sleeps;  // each sleep, in order; 0 marks a present
uint32_t Ticks() { return now; }
void Sleep(uint32_t ms) {
  sleeps.push_back(ms);
  now += ms;
}

struct Pace {
  double framesPerSecond;
  bool orderKept;  // every frame: at most one wait for the refresh, then exactly one 11 ms sleep
};

Pace RunStage(int hz, int vsync) {
  zuDraw::ScreenSettings settings;
  settings.vsync = vsync;
  zuDraw::SetScreenSettings(settings);
  zuDraw::SetRefreshForTest(hz);
  Pace pace{0, true};
  const uint32_t start = now;
  constexpr int kFrames = 300;
  for (int f = 0; f < kFrames; ++f) {
    sleeps.clear();
    const long presents = zuDraw::PresentCount();
    perf::StepFrame(perf::SCENARIO_STAGE1_BUSY);
    const bool oneFrame = scene == 2 && zuDraw::PresentCount() == presents + 1;
    const bool order = !sleeps.empty() && sleeps.back() == 11 &&
                       (sleeps.size() == 1 || (sleeps.size() == 2 && sleeps[0] != 11));
    if (!oneFrame || !order) pace.orderKept = false;
  }
  pace.framesPerSecond = kFrames * 1000.0 / (now - start);
  return pace;
}

}  // namespace

TEST(PresentPace, FramesFollowTheRefreshAndKeepTheirSleep) {
  // The paces docs/PERFORMANCE.md gives for common refresh rates.
  const struct {
    int hz;
    double fps;
  } rates[] = {{60, 60.0}, {75, 75.0}, {120, 60.0}, {144, 72.0}};
  ASSERT_TRUE(perf::StartGame(perf::BENCH_SEED));
  perf::EnterScenario(perf::SCENARIO_STAGE1_BUSY);
  zuSystem::SetClock(Ticks, Sleep);
  for (const auto& r : rates) {
    SCOPED_TRACE(r.hz);
    const Pace p = RunStage(r.hz, 1);
    EXPECT_TRUE(p.orderKept);
    EXPECT_NEAR(p.framesPerSecond, r.fps, r.fps * 0.01);
  }
  // --no-vsync: the sleep alone sets the pace.
  const Pace unsynced = RunStage(60, 0);
  EXPECT_TRUE(unsynced.orderKept);
  EXPECT_NEAR(unsynced.framesPerSecond, 1000.0 / 11, 0.5);
  perf::StopGame();
  zuDraw::SetRefreshForTest(0);
  zuDraw::SetScreenSettings(zuDraw::ScreenSettings{});
}
