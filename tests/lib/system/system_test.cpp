#include <gtest/gtest.h>

#include <string>

#include "lib/system/zuSystem.h"

namespace {

uint32_t fakeNow = 0;
uint32_t FakeTicks() { return fakeNow; }
void FakeSleep(uint32_t ms) { fakeNow += ms; }

struct FakeClock : testing::Test {
  void SetUp() override {
    fakeNow = 1000;
    zuSystem::SetClock(FakeTicks, FakeSleep);
    zuSystem::ResetWaits();
  }
  void TearDown() override { zuSystem::SetClock(nullptr, nullptr); }
};

}  // namespace

// A wait is over strictly after its deadline and stays over until armed again,
// also when the 32-bit tick count wraps in between; a cleared slot never ends.
TEST_F(FakeClock, WaitEndsStrictlyAfterItsDeadlineAlsoAcrossTheWrap) {
  const struct { int slot; uint32_t armed, ms; } waits[] = {
      {1, 1000, 0}, {10, 1000, 9000}, {1, 0xFFFFFFFFu - 5000, 9000}};  // the last wraps at 5001
  for (const auto& w : waits) {
    fakeNow = w.armed;
    ASSERT_EQ(zuSystem::SetWait(w.slot, w.ms), 1);
    for (uint32_t after : {0u, 1u, 7000u, w.ms, w.ms + 1, w.ms + 100000}) {
      fakeNow = w.armed + after;
      EXPECT_EQ(zuSystem::CheckWait(w.slot), after > w.ms ? 1 : 0) << w.armed << " + " << after;
    }
  }
  ASSERT_EQ(zuSystem::SetWait(2, 10), 1);
  ASSERT_EQ(zuSystem::InitWait(2), 1);
  for (uint32_t t : {0u, 1000u, zuSystem::WAIT_CLEARED + 1, 0x80000000u, 0xFFFFFFFFu}) {
    fakeNow = t;
    EXPECT_EQ(zuSystem::CheckWait(2), 0) << t;
    EXPECT_EQ(zuSystem::CheckWait(3), 0) << t;  // never armed
  }
}

TEST_F(FakeClock, OutOfRangeSlotsAreRefusedAndLeaveTheTableAlone) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(zuSystem::SetWait(0, 5), 0);
  EXPECT_EQ(zuSystem::SetWait(11, 5), 0);
  EXPECT_EQ(zuSystem::InitWait(11), 0);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("zuSystem::SetWait : ウェイトNoが範囲外です\n"), std::string::npos);
  EXPECT_NE(err.find("zuSystem::InitWait : ウェイトNoが範囲外です\n"), std::string::npos);
  fakeNow += 100;
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(zuSystem::CheckWait(i), 0);
}

TEST_F(FakeClock, FrameMeasureIsWrapSafeAndResettable) {
  fakeNow = 0xFFFFFFF0u;
  zuSystem::ResetFrameTime();
  EXPECT_EQ(frameSeconds, 0.0f);
  fakeNow += 0x20;  // wraps
  zuSystem::MeasureFrame();
  EXPECT_FLOAT_EQ(frameSeconds, 0.032f);
  EXPECT_EQ(previousTick, 0x10u);
  fakeNow += 60000;  // a minute away, then activation
  zuSystem::ResetFrameTime();
  fakeNow += 12;
  zuSystem::MeasureFrame();
  EXPECT_FLOAT_EQ(frameSeconds, 0.012f);
}
