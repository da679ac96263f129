#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/bosses/boss.h"
#include "game/bosses/reset.h"
#include "game/bosses/volleys.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"

namespace {

class BossVolleys : public ::testing::Test {
 protected:
  void SetUp() override {
    zuSystem::SeedRandom(7);
    FullReset();
    frameSeconds = 0.0f;
    playerX = 290.0f;
    playerY = 400.0f;
    playerAlive = 1;
    bombActive = 0;
    boss.x = 130.0f;
    boss.y = 0.0f;
  }
  BossRecord boss{};
};

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
TEST_F(BossVolleys, SecondBossV5SeventhGroupComesAt300) {
  const std::vector<int> counts = LaunchCounts(boss2V5Family, boss, 449);
  EXPECT_EQ(counts, (std::vector<int>{40, 80, 120, 160, 200, 240, 300, 320, 360, 400}));
  // V4, the same family without the odd group, keeps even steps.
  EXPECT_EQ(LaunchCounts(boss2V4Family, boss, 449)[6], 280);
}

TEST_F(BossVolleys, ShotTouchesTheShipInsideItsBoxOnly) {
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

// --- rings -----------------------------------------------------------------------

void FireRingTo(const RingVolley& f, const BossRecord& boss, int calls) {
  for (int i = 0; i < calls; ++i) FireRing(f, boss);
}

TEST_F(BossVolleys, RingStraightAboveOrBelowThePlayer) {
  playerX = 290.0f;  // centre x = launch x: dx = 0
  playerY = 300.0f;  // below
  FireRingTo(boss2R1Family, boss, 30);
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

TEST_F(BossVolleys, RingLeavesAtItsOwnBounds) {
  RingSlot* s = boss2R1;
  const float xs[4] = {-19.5f, -20.5f, 510.0f, 510.5f};
  for (int i = 0; i < 4; ++i) {
    s[i].active = 1;
    s[i].x = xs[i];
    s[i].y = 100.0f;
    s[i].speed = 0.0f;
  }
  s[4].active = 1;
  s[4].x = 200.0f;
  s[4].y = -20.5f;
  MoveRing(boss2R1Family);
  EXPECT_EQ(s[0].active, 1);
  EXPECT_EQ(s[1].active, 0);
  EXPECT_EQ(s[2].active, 1);
  EXPECT_EQ(s[3].active, 0);
  EXPECT_EQ(s[4].active, 0);
  EXPECT_FLOAT_EQ(s[1].x, -500.0f);
}

}  // namespace
