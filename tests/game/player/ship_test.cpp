#include <gtest/gtest.h>

#include <vector>

#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/input/zuInput.h"
#include "lib/system/zuSystem.h"
#include "tests/game/play_fixture.h"

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

// --- steering and fire -----------------------------------------------------------

TEST_F(ShipTest, OppositeKeysLaterTestWins) {
  keyLeft = keyRight = 3;
  keyUp = keyDown = 3;
  Frame();
  EXPECT_FLOAT_EQ(playerX, 304.0f);
  EXPECT_FLOAT_EQ(playerY, 224.0f);
  EXPECT_EQ(bankFrame, 2);  // banked right
  EXPECT_FLOAT_EQ(playerVX, 0.0f);  // the speed lasts one frame
}

// Released in mid-roll, the roll runs on to the end column before it comes back.
TEST_F(ShipTest, BankReleasedMidRollRunsOnToTheEnd) {
  std::vector<int> frames;
  for (int state : {1, 3, 2, 0, 0, 0, 0, 0, 0, 0}) {
    keyRight = state;
    Frame();
    frames.push_back(bankFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{3, 2, 1, 0, 1, 2, 3, 3, 3, 3}));
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
  // Without stock the bomb ends in its first step, launching nothing.
  BombStep();
  EXPECT_EQ(bombActive, 0);
  EXPECT_EQ(bombs, 0);
  for (const BombFragment& f : bombFragments) EXPECT_EQ(f.active, 0);

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

// --- debris ----------------------------------------------------------------------

// Debris parks once it is more than 60 pixels off the top or left edge, or past
// the right or bottom edge.
TEST_F(ShipTest, DebrisParksAtItsOwnBounds) {
  const float at[8][2] = {{-60, 100}, {-60.5f, 100}, {510, 100}, {510.5f, 100},
                          {200, -60}, {200, -60.5f}, {200, 480}, {200, 480.5f}};
  for (int i = 0; i < 8; ++i) {
    shipDebris[i].active = 1;
    shipDebris[i].speed = 0.0f;
    shipDebris[i].x = at[i][0];
    shipDebris[i].y = at[i][1];
  }
  MoveDebris();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(shipDebris[i].active, 1 - i % 2) << at[i][0] << "," << at[i][1];
}

}  // namespace
