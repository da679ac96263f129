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
