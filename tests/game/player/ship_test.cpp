#include <gtest/gtest.h>

#include <vector>

#include "tests/game/play_fixture.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/input/zuInput.h"
#include "lib/system/zuSystem.h"

namespace {

class ShipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreshShip();
    frameSeconds = 0.1f;
  }

  // One frame of the stage's ship steps with the key states already set.
  void Frame() {
    ApplyShipKeys();
    BankShip();
    MoveShip();
  }

  // Slot index of the volley launched since the last call, -1 when none; the tables
  // are cleared again so that every launch shows.
  static int TakeVolley() {
    int slot = -1;
    for (int i = 0; i < SHOT_SLOTS; ++i) {
      if (centreShots[i].active == 1) {
        EXPECT_EQ(slot, -1) << "two volleys in one frame";
        EXPECT_EQ(leftShots[i].active, 1);
        EXPECT_EQ(rightShots[i].active, 1);
        slot = i;
      }
    }
    ParkShots();
    return slot;
  }
};

TEST_F(ShipTest, OppositeKeysLaterTestWins) {
  keyLeft = keyRight = 3;
  keyUp = keyDown = 3;
  Frame();
  EXPECT_FLOAT_EQ(playerX, 304.0f);
  EXPECT_FLOAT_EQ(playerY, 224.0f);
  EXPECT_EQ(bankFrame, 2);  // banked right
  EXPECT_FLOAT_EQ(playerVX, 0.0f);  // the speed lasts one frame
}

TEST_F(ShipTest, BankRollsOutAndSpringsBack) {
  std::vector<int> frames;
  const int left[] = {1, 3, 3, 3, 3, 2, 0, 0, 0, 0, 0};
  for (int state : left) {
    keyLeft = state;
    Frame();
    frames.push_back(bankFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{3, 4, 5, 6, 6, 6, 5, 4, 3, 3, 3}));

  // Released in mid-roll, the roll runs on to the end column before it comes back.
  frames.clear();
  const int right[] = {1, 3, 2, 0, 0, 0, 0, 0, 0, 0};
  for (int state : right) {
    keyRight = state;
    Frame();
    frames.push_back(bankFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{3, 2, 1, 0, 1, 2, 3, 3, 3, 3}));
}

TEST_F(ShipTest, ShiftAndZTogetherDoubleTheRate) {
  keyZ = keyShift = 3;
  int volleys = 0;
  for (int i = 0; i < 24; ++i) {
    Frame();
    if (TakeVolley() >= 0) ++volleys;
  }
  EXPECT_EQ(volleys, 12);
  EXPECT_EQ(fireCounter, 0);
}

TEST_F(ShipTest, BombTriggerBlocksFireThatFrame) {
  bombs = 0;
  fireCounter = 3;
  keyZ = 3;
  keyX = 1;
  Frame();
  EXPECT_EQ(bombActive, 1);
  EXPECT_EQ(bombClock, 0);
  EXPECT_EQ(fireCounter, 3);
  EXPECT_EQ(TakeVolley(), -1);
  BombStep();
  EXPECT_EQ(bombActive, 0);
  EXPECT_EQ(bombs, 0);

  // Held [X] does not set off another bomb; the next frame fires again.
  keyX = 3;
  Frame();
  EXPECT_EQ(bombActive, 0);
  EXPECT_EQ(fireCounter, 4);
  EXPECT_EQ(TakeVolley(), 1);

  // [Ctrl] sets one off too, and a running bomb is not restarted.
  keyCtrl = 1;
  bombs = 2;
  Frame();
  EXPECT_EQ(bombActive, 1);
  bombClock = 10;
  keyCtrl = 3;
  keyX = 1;
  Frame();
  EXPECT_EQ(bombClock, 10);
  EXPECT_EQ(fireCounter, 4);
}

TEST_F(ShipTest, NoInputWhileLockedOrDestroyed) {
  controlLocked = 1;
  fireCounter = 3;
  // The key states stay as they were: nothing is polled.
  keyLeft = 3;
  ShipControlStep();
  EXPECT_FLOAT_EQ(playerX, 290.0f);
  EXPECT_EQ(fireCounter, 3);
  controlLocked = 0;
  playerAlive = 0;
  ShipControlStep();
  EXPECT_FLOAT_EQ(playerX, 290.0f);
}

}  // namespace
