#include <gtest/gtest.h>

#include <vector>

#include "game/enemies/enemyshots.h"
#include "game/enemies/midsize.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"
#include "tests/game/play_fixture.h"

namespace {

class MidSize : public PlayField {
 protected:
  void SetUp() override { Prepare(3, 400.0f); }
};

TEST_F(MidSize, SpawnDrawsXThenUnusedVxThenVyAndOnlyWhenIdle) {
  zuSystem::SeedRandom(11);
  int r0 = zuSystem::Rand();
  int r1 = zuSystem::Rand();
  int r2 = zuSystem::Rand();
  zuSystem::SeedRandom(11);
  SpawnZak51();
  EXPECT_EQ(zak51Slot.x, static_cast<float>(r0 % 240 + 100));
  EXPECT_EQ(zak51Slot.vx, static_cast<float>(r1 % 50 + 47));
  EXPECT_EQ(zak51Slot.vy, static_cast<float>(r2 % 55 + 70));
  EXPECT_EQ(zak51Slot.y, -160.0f);
  uint32_t state = zuSystem::RandomState();
  SpawnZak51();
  EXPECT_EQ(zuSystem::RandomState(), state);
}

TEST_F(MidSize, LargeExplosionRunsThirtyTwoFramesWhileSinking) {
  SpawnZak50();
  zak50Slot.y = 0.0f;
  zak50Slot.vy = 100.0f;
  HitZak50();
  frameSeconds = 0.01f;
  std::vector<int> columns;
  int frames = 0;
  while (zak50Slot.exploding == 1 && frames < 100) {
    columns.push_back(zak50Slot.explosionColumn);
    DrawZak50();
    ++frames;
    if (zak50Slot.exploding == 1) {
      EXPECT_EQ(zak50Slot.active, 1);
      MoveZak50();
    }
  }
  EXPECT_EQ(frames, 32);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(columns[i], i % 8) << i;
  EXPECT_EQ(zak50Slot.active, 0);
  EXPECT_EQ(zak50Slot.explosionLoop, 0);
  EXPECT_EQ(zak50Slot.y, 500.0f);
}

TEST_F(MidSize, SprayFiresOnceFromBothStartPoints) {
  SpawnZak50();
  zak50Slot.x = 200.0f;
  zak50Slot.y = 50.0f;
  zuSystem::SeedRandom(8);
  int r0 = zuSystem::Rand();
  int r1 = zuSystem::Rand();
  zuSystem::SeedRandom(8);
  FireZak50Spray(1);
  EXPECT_EQ(zak50SprayLeft[0].vy, static_cast<float>(r0 % 60 + 80));
  EXPECT_EQ(zak50SprayLeft[0].vx, static_cast<float>(r1 % 70));
  EXPECT_EQ(zak50SprayLeft[0].x, 342.0f);
  EXPECT_EQ(zak50SprayLeft[14].y, 150.0f);
  uint32_t state = zuSystem::RandomState();
  FireZak50Spray(1);
  EXPECT_EQ(zuSystem::RandomState(), state);

  FireZak50Spray(2);
  EXPECT_EQ(zak50SprayRight[0].x, 242.0f);
  zak50SprayLeft[0].vx = 10.0f;
  zak50SprayRight[0].vx = 10.0f;
  frameSeconds = 1.0f;
  MoveZak50Spray(1);
  MoveZak50Spray(2);
  EXPECT_EQ(zak50SprayLeft[0].x, 332.0f);
  EXPECT_EQ(zak50SprayRight[0].x, 252.0f);
}

// The call (1-based) on which each volley went out.
std::vector<int> ReleaseCalls(int calls) {
  std::vector<int> at(FAN_VOLLEYS, 0);
  for (int call = 1; call <= calls; ++call) {
    LaunchZak50Fan();
    for (int v = 0; v < FAN_VOLLEYS; ++v) {
      if (at[v] == 0 && zak50Fan[5 * v].active == 1) at[v] = call;
    }
  }
  return at;
}

TEST_F(MidSize, VolleysGoOutOnTheirCountsWithVolleyFiveAt200) {
  SpawnZak50();
  zak50Slot.x = 150.0f;
  zak50Slot.y = 10.0f;
  std::vector<int> at = ReleaseCalls(850);
  std::vector<int> expected = {80, 160, 240, 320, 400, 200, 560, 640, 720, 800};
  EXPECT_EQ(at, expected);
  const float arc[5] = {70, 93, 100, 93, 70};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(zak50Fan[5 + k].x, 230.0f);
    EXPECT_EQ(zak50Fan[5 + k].y, arc[k]);
  }
}

TEST_F(MidSize, CountersHoldAt860UntilSlot49IsGone) {
  SpawnZak50();
  zak50Slot.x = 150.0f;
  zak50Slot.y = 10.0f;
  ReleaseCalls(900);
  EXPECT_EQ(zak50Fan[49].active, 1);
  for (const FanShotSlot& s : zak50Fan) EXPECT_EQ(s.launchCounter, 860);
  // Slot 49 falls out; the next launch restarts every counter.
  zak50Fan[49].y = 479.0f;
  frameSeconds = 0.01f;
  MoveZak50Fan();
  EXPECT_EQ(zak50Fan[49].active, 0);
  LaunchZak50Fan();
  for (const FanShotSlot& s : zak50Fan) EXPECT_EQ(s.launchCounter, 0);
  LaunchZak50Fan();
  EXPECT_EQ(zak50Fan[0].launchCounter, 1);
}

TEST_F(MidSize, IdleSlot49RestartsTheCycleAtOnce) {
  // Nothing launched ever: parked slot 49 lets the counters wrap at 860.
  for (int i = 0; i < 859; ++i) LaunchZak51Fan();
  EXPECT_EQ(zak51Fan[0].launchCounter, 859);
  LaunchZak51Fan();
  EXPECT_EQ(zak51Fan[0].launchCounter, 0);
  // Volleys released from the parked enemy start below 480 and are parked again.
  for (int i = 0; i < 80; ++i) LaunchZak51Fan();
  EXPECT_EQ(zak51Fan[0].active, 1);
  EXPECT_EQ(zak51Fan[0].y, 560.0f);
  MoveZak51Fan();
  EXPECT_EQ(zak51Fan[0].active, 0);
}

TEST_F(MidSize, SpreadRunsFivePassesAndMovesParkedSlotsToo) {
  SpawnZak50();
  zak50Slot.x = 150.0f;
  zak50Slot.y = 10.0f;
  for (int i = 0; i < 80; ++i) LaunchZak50Fan();
  frameSeconds = 0.1f;
  MoveZak50Fan();
  EXPECT_NEAR(zak50Fan[0].x, 230.0f - 10.0f, 1e-4);
  EXPECT_NEAR(zak50Fan[1].x, 230.0f - 5.0f, 1e-4);
  EXPECT_EQ(zak50Fan[2].x, 230.0f);
  EXPECT_NEAR(zak50Fan[4].x, 230.0f + 10.0f, 1e-4);
  EXPECT_NEAR(zak50Fan[2].y, 100.0f + 19.0f, 1e-4);
  EXPECT_EQ(zak50Fan[2].vy, 190.0f);
  // Idle slot 45 (slot 0 of volley 9) drifts while it waits.
  EXPECT_NEAR(zak50Fan[45].x, -510.0f, 1e-4);
  EXPECT_EQ(zak50Fan[45].y, 500.0f);
}

TEST_F(MidSize, BombParksFanAndSprayButCountersRun) {
  SpawnZak50();
  zak50Slot.x = 150.0f;
  zak50Slot.y = 10.0f;
  for (int i = 0; i < 80; ++i) LaunchZak50Fan();
  FireZak50Spray(1);
  bombActive = 1;
  MoveZak50Fan();
  MoveZak50Spray(1);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(zak50Fan[k].active, 0);
  for (const SprayShotSlot& s : zak50SprayLeft) EXPECT_EQ(s.active, 0);
  LaunchZak50Fan();
  EXPECT_EQ(zak50Fan[0].launchCounter, 81);
}

TEST_F(MidSize, FanShipBoxIsItsOwn) {
  SpawnZak50();
  for (int i = 0; i < 80; ++i) LaunchZak50Fan();
  frameSeconds = 0.0f;
  zak50Fan[2].x = playerX + 20.0f;
  zak50Fan[2].y = playerY;
  MoveZak50Fan();
  EXPECT_EQ(playerAlive, 0);
  playerAlive = 1;
  zak50Fan[2].x = playerX + 21.0f;
  MoveZak50Fan();
  EXPECT_EQ(playerAlive, 1);
}

}  // namespace
