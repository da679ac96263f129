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

TEST_F(BossVolleys, CountedGroupLaunchesTogetherAtItsTrigger) {
  const CountedVolley& f = boss1V1Family;
  for (int i = 0; i < 29; ++i) FireCounted(f, boss);
  for (int i = 0; i < f.slotCount; ++i) EXPECT_EQ(f.slots[i].active, 0);
  FireCounted(f, boss);  // count 30: group 0
  const float dy[5] = {170, 193, 200, 193, 170};
  for (int p = 0; p < 5; ++p) {
    EXPECT_EQ(f.slots[p].active, 1);
    EXPECT_FLOAT_EQ(f.slots[p].x, 130.0f + 180.0f);
    EXPECT_FLOAT_EQ(f.slots[p].y, dy[p]);
  }
  for (int i = 5; i < f.slotCount; ++i) EXPECT_EQ(f.slots[i].active, 0);
  // Every group follows on its own trigger, 30 calls apart.
  std::vector<int> rest = LaunchCounts(f, boss, 300 - 30);
  for (int g = 1; g < 10; ++g) EXPECT_EQ(rest[g], (g + 1) * 30 - 30) << "group " << g;
}

TEST_F(BossVolleys, InFlightSlotJumpsBackToLaunchRowAtItsOldX) {
  const CountedVolley& f = boss1V1Family;
  for (int i = 0; i < 30; ++i) FireCounted(f, boss);
  frameSeconds = 0.5f;
  MoveCounted(f);  // the group falls and spreads
  const float oldX0 = f.slots[0].x;
  const float oldX4 = f.slots[4].x;
  ASSERT_NE(oldX0, 310.0f);
  // Slot 2 retires; the others are still in flight when the trigger comes round.
  f.slots[2].active = 0;
  f.slots[2].x = -500.0f;
  f.slots[2].y = 500.0f;
  frameSeconds = 0.0f;
  boss.x = 150.0f;
  boss.y = 10.0f;
  for (int i = 0; i < 340; ++i) FireCounted(f, boss);
  EXPECT_EQ(f.slots[2].active, 1);
  EXPECT_FLOAT_EQ(f.slots[2].x, 150.0f + 180.0f);
  EXPECT_FLOAT_EQ(f.slots[0].x, oldX0);
  EXPECT_FLOAT_EQ(f.slots[4].x, oldX4);
  EXPECT_FLOAT_EQ(f.slots[0].y, 10.0f + 170.0f);
  EXPECT_FLOAT_EQ(f.slots[2].y, 10.0f + 200.0f);
  EXPECT_FLOAT_EQ(f.slots[4].y, 10.0f + 170.0f);
}

TEST_F(BossVolleys, GroupFullyInFlightIsLeftAlone) {
  const CountedVolley& f = boss1V1Family;
  for (int i = 0; i < 30; ++i) FireCounted(f, boss);
  frameSeconds = 0.5f;
  MoveCounted(f);
  const float y0 = f.slots[0].y;
  frameSeconds = 0.0f;
  for (int i = 0; i < 340; ++i) FireCounted(f, boss);
  EXPECT_FLOAT_EQ(f.slots[0].y, y0);
}

TEST_F(BossVolleys, SecondBossV5SeventhGroupComesAt300) {
  std::vector<int> counts = LaunchCounts(boss2V5Family, boss, 449);
  const std::vector<int> expected = {40, 80, 120, 160, 200, 240, 300, 320, 360, 400};
  EXPECT_EQ(counts, expected);
  EXPECT_EQ(counts[6] - counts[5], 60);
  EXPECT_EQ(counts[7] - counts[6], 20);
  // V4, the same family without the odd group, keeps even steps.
  std::vector<int> v4 = LaunchCounts(boss2V4Family, boss, 449);
  EXPECT_EQ(v4[6], 280);
}

TEST_F(BossVolleys, FirstBossV7FifthGroupLastSlotStartsLower) {
  const CountedVolley& f = boss1V7Family;
  LaunchCounts(f, boss, 400);
  // Group 0 (count 80) and group 4 (count 400), launched from the same boss.
  EXPECT_FLOAT_EQ(f.slots[4].y, 20.0f);
  EXPECT_FLOAT_EQ(f.slots[3].y, 70.0f);
  EXPECT_FLOAT_EQ(f.slots[24].y, 30.0f);
  EXPECT_FLOAT_EQ(f.slots[23].y, 70.0f);
  EXPECT_FLOAT_EQ(f.slots[20].y, 120.0f);
  EXPECT_FLOAT_EQ(f.slots[29].y, 500.0f);  // group 5 not yet
}

TEST_F(BossVolleys, MoveDriftsEverySlotButOnlyActiveOnesFall) {
  const CountedVolley& f = boss1V1Family;
  for (int i = 0; i < 30; ++i) FireCounted(f, boss);
  frameSeconds = 0.1f;
  MoveCounted(f);
  EXPECT_FLOAT_EQ(f.slots[0].x, 310.0f - 10.0f);
  EXPECT_FLOAT_EQ(f.slots[0].y, 170.0f + 18.0f);
  EXPECT_FLOAT_EQ(f.slots[0].vy, 180.0f);
  // A parked slot drifts sideways but stays below the field.
  EXPECT_FLOAT_EQ(f.slots[9].x, -500.0f + 10.0f);
  EXPECT_FLOAT_EQ(f.slots[9].y, 500.0f);
  EXPECT_EQ(f.slots[9].active, 0);
}

TEST_F(BossVolleys, ShotsRetireBelowTheFieldAndUnderTheBomb) {
  ShotSlot* s = boss1V1;
  s[0].active = 1;
  s[0].y = 480.0f;
  s[1].active = 1;
  s[1].y = 480.5f;
  MoveCounted(boss1V1Family);  // frameSeconds 0: nothing falls
  EXPECT_EQ(s[0].active, 1);
  EXPECT_EQ(s[1].active, 0);
  EXPECT_FLOAT_EQ(s[1].x, -500.0f);
  bombActive = 1;
  MoveCounted(boss1V1Family);
  EXPECT_EQ(s[0].active, 0);
  EXPECT_FLOAT_EQ(s[0].y, 500.0f);
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

TEST_F(BossVolleys, StreamRelaunchesEveryIdleSlotFromItsStart) {
  FireStream(boss2S3Family, boss);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(boss2S3[i].active, 1);
    EXPECT_FLOAT_EQ(boss2S3[i].x, 130.0f + 132.0f);
    EXPECT_FLOAT_EQ(boss2S3[i].y, 150.0f);
  }
  frameSeconds = 1.0f;
  MoveStream(boss2S3Family);
  EXPECT_FLOAT_EQ(boss2S3[0].x, 262.0f - 39.0f);
  EXPECT_FLOAT_EQ(boss2S3[1].x, 262.0f);
  EXPECT_FLOAT_EQ(boss2S3[2].y, 270.0f);
  boss2S3[1].active = 0;
  FireStream(boss2S3Family, boss);
  EXPECT_FLOAT_EQ(boss2S3[1].y, 150.0f);
  EXPECT_FLOAT_EQ(boss2S3[0].y, 270.0f);
}

TEST_F(BossVolleys, LaserRelaunchPutsEveryBeamUnderItsGun) {
  FireLaser(boss1LFamily, boss);
  const float guns[4] = {94, 162, 206, 274};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(boss1L[i].x, 130.0f + guns[i]);
    EXPECT_FLOAT_EQ(boss1L[i].y, 220.0f);
  }
  frameSeconds = 0.5f;
  MoveLaser(boss1LFamily);
  EXPECT_FLOAT_EQ(boss1L[0].y, 330.0f);
  boss1L[2].active = 0;
  boss.x = 140.0f;
  FireLaser(boss1LFamily, boss);
  EXPECT_FLOAT_EQ(boss1L[2].y, 220.0f);
  EXPECT_FLOAT_EQ(boss1L[0].y, 330.0f);  // only the relaunched beam's row
  EXPECT_FLOAT_EQ(boss1L[0].x, 140.0f + 94.0f);
}

TEST_F(BossVolleys, EightGunLaserResetsEveryRowAndFallsFurther) {
  FireLaser(boss2L8Family, boss);
  frameSeconds = 0.5f;
  MoveLaser(boss2L8Family);
  boss2L8[7].active = 0;
  FireLaser(boss2L8Family, boss);
  EXPECT_FLOAT_EQ(boss2L8[0].y, 120.0f);
  EXPECT_FLOAT_EQ(boss2L8[3].y, 220.0f);
  EXPECT_FLOAT_EQ(boss2L8[7].x, 130.0f + 319.0f);
  frameSeconds = 0.0f;
  boss2L8[0].y = 586.0f;  // 106 below the edge: still in flight
  boss2L8[1].y = 586.5f;
  MoveLaser(boss2L8Family);
  EXPECT_EQ(boss2L8[0].active, 1);
  EXPECT_EQ(boss2L8[1].active, 0);
  // The four-gun laser leaves at the edge itself.
  boss2L[0].active = 1;
  boss2L[0].y = 480.5f;
  MoveLaser(boss2LFamily);
  EXPECT_EQ(boss2L[0].active, 0);
}

// --- rings -----------------------------------------------------------------------

void FireRingTo(const RingVolley& f, const BossRecord& boss, int calls) {
  for (int i = 0; i < calls; ++i) FireRing(f, boss);
}

TEST_F(BossVolleys, RingSlotZeroFliesAtThePlayerAndTheRestCircleIt) {
  // Launch point (310, 180); the player's centre lower left of it.
  playerX = 150.0f;
  playerY = 300.0f;
  FireRingTo(boss2R1Family, boss, 30);
  const RingSlot& s0 = boss2R1[0];
  ASSERT_EQ(s0.active, 1);
  EXPECT_FLOAT_EQ(s0.x, 310.0f);
  EXPECT_FLOAT_EQ(s0.y, 180.0f);
  EXPECT_FLOAT_EQ(s0.dx, 170.0f - 310.0f);
  EXPECT_FLOAT_EQ(s0.dy, 320.0f - 180.0f);
  const double len = std::hypot(s0.dx, s0.dy);
  EXPECT_NEAR(std::cos(s0.angle), s0.dx / len, 1e-5);
  EXPECT_NEAR(std::sin(s0.angle), s0.dy / len, 1e-5);
  for (int i = 1; i < 36; ++i) {
    EXPECT_NEAR(std::remainder(boss2R1[i].angle - s0.angle - i * 2 * PI / 36, 2 * PI), 0.0, 1e-4);
  }
  EXPECT_EQ(boss2R1[36].active, 0);
  FireRingTo(boss2R1Family, boss, 30);  // ring 1 at 60: its first slot at the player too
  EXPECT_NEAR(std::remainder(boss2R1[36].angle - s0.angle, 2 * PI), 0.0, 1e-4);
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
