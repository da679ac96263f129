#include <gtest/gtest.h>

#include <vector>

#include "game/bosses/boss.h"
#include "game/bosses/volleys.h"
#include "game/flow/reset.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"

namespace {

// Both bosses as a stage meets them; `boss` is a record to fire volleys from.
class Bosses : public ::testing::Test {
 protected:
  void SetUp() override {
    zuSystem::SeedRandom(11);
    FullReset();
    frameSeconds = 0.0f;
    playerX = 290.0f;
    playerY = 400.0f;
    boss.x = 130.0f;
  }
  void TearDown() override {
    frameSeconds = 0.0f;
    FullReset();
  }
  BossRecord boss{};
};

// --- volleys ---------------------------------------------------------------------

// Calls fire n times and returns, per group, the call count at which it launched.
std::vector<int> LaunchCounts(const CountedVolley& f, const BossRecord& boss, int calls) {
  const int groups = f.slotCount / f.groupSize;
  std::vector<int> launched(groups, -1);
  for (int call = 1; call <= calls; ++call) {
    FireCounted(f, boss);
    for (int g = 0; g < groups; ++g) {
      if (launched[g] < 0 && f.slots[g * f.groupSize].active) launched[g] = call;
    }
  }
  return launched;
}

// The fight seldom stays long enough in boss 2's V5 window for its seventh group.
TEST_F(Bosses, SecondBossV5SeventhGroupComesAt300) {
  const std::vector<int> counts = LaunchCounts(boss2V5Family, boss, 449);
  EXPECT_EQ(counts, (std::vector<int>{40, 80, 120, 160, 200, 240, 300, 320, 360, 400}));
  // V4, the same family without the odd group, keeps even steps.
  EXPECT_EQ(LaunchCounts(boss2V4Family, boss, 449)[6], 280);
  // Both counters run 0 .. 449.
  FireCounted(boss2V4Family, boss);
  FireCounted(boss2V5Family, boss);
  EXPECT_EQ(boss2V4[0].counter + boss2V5[0].counter, 0);
}

TEST_F(Bosses, ShotTouchesTheShipInsideItsBoxOnly) {
  ShotSlot* s = boss1V1;
  s[0].active = 1;
  s[0].x = playerX + 9.0f;
  s[0].y = playerY + 20.0f;
  MoveCounted(boss1V1Family);
  EXPECT_EQ(playerAlive, 1);
  s[0].x = playerX + 10.0f;
  MoveCounted(boss1V1Family);
  EXPECT_EQ(playerAlive, 0);
  // Lasers reach above their own top edge.
  playerAlive = 1;
  boss1L[0].active = 1;
  boss1L[0].x = playerX + 18.0f;
  boss1L[0].y = playerY - 10.0f;
  MoveLaser(boss1LFamily);
  EXPECT_EQ(playerAlive, 0);
}

TEST_F(Bosses, RingStraightAboveOrBelowThePlayer) {
  playerY = 300.0f;  // below, and centre x = launch x: dx = 0
  for (int i = 0; i < 30; ++i) FireRing(boss2R1Family, boss);
  EXPECT_FLOAT_EQ(boss2R1[0].dx, 0.0f);
  EXPECT_NEAR(boss2R1[0].angle, PI / 2, 1e-6);
  frameSeconds = 0.1f;
  MoveRing(boss2R1Family);
  EXPECT_NEAR(boss2R1[0].x, 310.0f, 1e-3);
  EXPECT_NEAR(boss2R1[0].y, 190.0f, 1e-3);

  EXPECT_NEAR(RingAim(0.0f, -5.0f), 3 * PI / 2, 1e-12);
  EXPECT_NEAR(RingAim(0.0f, 0.0f), 3 * PI / 2, 1e-12);  // level flies up
  EXPECT_NEAR(RingAim(-1.0f, 0.0f), PI, 1e-12);
  EXPECT_NEAR(RingAim(1.0f, 0.0f), 0.0, 1e-12);
}

TEST_F(Bosses, RingLeavesAtItsOwnBounds) {
  RingSlot* s = boss2R1;
  const float xs[5] = {-19.5f, -20.5f, 510.0f, 510.5f, 200.0f};
  for (int i = 0; i < 5; ++i) {
    s[i].active = 1;
    s[i].x = xs[i];
    s[i].y = i < 4 ? 100.0f : -20.5f;
  }
  MoveRing(boss2R1Family);
  EXPECT_EQ(s[0].active, 1);
  EXPECT_EQ(s[1].active, 0);
  EXPECT_EQ(s[2].active, 1);
  EXPECT_EQ(s[3].active, 0);
  EXPECT_EQ(s[4].active, 0);
  EXPECT_FLOAT_EQ(s[1].x, -500.0f);
}

}  // namespace
