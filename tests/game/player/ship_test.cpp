#include <gtest/gtest.h>

#include <vector>

#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/input/zuInput.h"
#include "lib/system/zuSystem.h"

namespace {

class ShipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    playerX = 290.0f;
    playerY = 210.0f;
    playerVX = playerVY = 0.0f;
    bankFrame = 3;
    bankStep = 0;
    playerAlive = 1;
    respawning = 0;
    respawnCount = 0;
    blinkPhase = 0;
    controlLocked = 0;
    fireCounter = 0;
    energy = 77;
    bombs = 3;
    bombActive = 0;
    bombClock = 0;
    keyLeft = keyRight = keyUp = keyDown = keyZ = keyX = keyC = keyShift = keyCtrl = 0;
    ParkShots();
    ParkFragments();
    ParkDebris();
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

TEST_F(ShipTest, OneFrameTapNeitherMovesNorBanks) {
  keyLeft = 1;
  Frame();
  keyLeft = 2;
  Frame();
  keyLeft = 0;
  Frame();
  EXPECT_FLOAT_EQ(playerX, 290.0f);
  EXPECT_EQ(bankFrame, 3);
  EXPECT_EQ(bankStep, 0);
}

TEST_F(ShipTest, OppositeKeysLaterTestWins) {
  keyLeft = keyRight = 3;
  keyUp = keyDown = 3;
  Frame();
  EXPECT_FLOAT_EQ(playerX, 304.0f);
  EXPECT_FLOAT_EQ(playerY, 224.0f);
  EXPECT_EQ(bankFrame, 2);  // banked right
  EXPECT_FLOAT_EQ(playerVX, 0.0f);  // the speed lasts one frame
}

TEST_F(ShipTest, MovementStopsAtTheBounds) {
  keyLeft = 3;
  for (int i = 0; i < 10; ++i) Frame();
  EXPECT_NEAR(playerX, 150.0f, 0.01f);
  frameSeconds = 0.2f;
  Frame();
  EXPECT_FLOAT_EQ(playerX, 130.0f);

  keyLeft = 0;
  keyRight = keyDown = 3;
  frameSeconds = 100.0f;  // a long stall must not carry the ship out
  Frame();
  EXPECT_FLOAT_EQ(playerX, 450.0f);
  EXPECT_FLOAT_EQ(playerY, 420.0f);
  keyRight = keyDown = 0;
  keyUp = 3;
  Frame();
  EXPECT_FLOAT_EQ(playerY, 100.0f);
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

TEST_F(ShipTest, HeldFireLaunchesIntoSlotsOneToTwelveAndWraps) {
  keyZ = 1;
  Frame();
  EXPECT_EQ(fireCounter, 0);  // the first frame of the press is no fire frame
  keyZ = 3;
  std::vector<int> slots;
  for (int fireFrame = 1; fireFrame <= 52; ++fireFrame) {
    Frame();
    const int slot = TakeVolley();
    if (fireFrame % 4 == 0) {
      slots.push_back(slot);
    } else {
      EXPECT_EQ(slot, -1) << "fire frame " << fireFrame;
    }
  }
  EXPECT_EQ(slots, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1}));
  EXPECT_EQ(fireCounter, 4);
}

TEST_F(ShipTest, VolleyStartsFromTheTruncatedShipPosition) {
  playerX = 200.9f;
  playerY = 300.7f;
  fireCounter = 3;
  FireFrame();
  EXPECT_EQ(centreShots[1].x, 200);
  EXPECT_EQ(centreShots[1].y, 315);
  EXPECT_EQ(leftShots[1].x, 185);
  EXPECT_EQ(leftShots[1].y, 310);
  EXPECT_EQ(rightShots[1].x, 215);
  EXPECT_EQ(rightShots[1].y, 310);
  EXPECT_EQ(leftShots[1].drift, SHOT_DRIFT);
  EXPECT_EQ(centreShots[1].speed, SHOT_SPEED);

  // A slot still in flight is not overwritten by the next volley into it.
  leftShots[2].active = 1;
  leftShots[2].x = 7;
  fireCounter = 7;
  FireFrame();
  EXPECT_EQ(leftShots[2].x, 7);
  EXPECT_EQ(centreShots[2].active, 1);
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

TEST_F(ShipTest, ExplosionCostsSixteenAndTheShipReturnsOnFrameFifty) {
  frameSeconds = 0.012f;
  playerAlive = 0;
  for (int frame = 1; frame <= 50; ++frame) {
    ASSERT_EQ(playerAlive, 0) << "frame " << frame;
    ShipDrawStep();
    if (frame == 39) {
      EXPECT_EQ(energy, 77);
    }
    if (frame == 40) {
      EXPECT_EQ(energy, 61);
    }
  }
  EXPECT_EQ(playerAlive, 1);
  EXPECT_EQ(respawning, 1);
  EXPECT_EQ(energy, 61);
  EXPECT_FLOAT_EQ(playerX, 290.0f);  // back where it was destroyed

  // A hit while blinking lasts one frame.
  playerAlive = 0;
  ShipDrawStep();
  EXPECT_EQ(playerAlive, 1);
  EXPECT_EQ(respawning, 1);

  // The blink ends after 239 counted frames and leaves the explosion parked.
  int frames = 0;
  while (respawning == 1 && frames < 1000) {
    ShipDrawStep();
    ++frames;
  }
  EXPECT_EQ(frames, 239);
  EXPECT_EQ(respawnCount, 0);
  for (const DebrisPiece& d : shipDebris) {
    EXPECT_EQ(d.active, 0);
    EXPECT_EQ(d.clock, 0);
    EXPECT_EQ(d.blinkCounter, 0);
    EXPECT_FLOAT_EQ(d.x, -500.0f);
  }

  // The next destruction costs the same again.
  playerAlive = 0;
  for (int frame = 1; frame <= 50; ++frame) ShipDrawStep();
  EXPECT_EQ(energy, 45);
  EXPECT_EQ(respawning, 1);
}

TEST_F(ShipTest, BlinkShowsTwoFramesOutOfFive) {
  respawning = 1;
  std::vector<int> phases;
  for (int i = 0; i < 10; ++i) {
    ShipDrawStep();
    phases.push_back(blinkPhase);
  }
  // Drawn when the phase is 1 or 2 right after its increment.
  EXPECT_EQ(phases, (std::vector<int>{1, 2, 3, 4, 0, 1, 2, 3, 4, 0}));
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

TEST_F(ShipTest, KeysReadThroughTheKeyTable) {
  zuSystem::ClearKeyTable();
  // A one-frame tap of Left, then [Z] and Down held: the polls see the real codes.
  zuSystem::SetKeyDown(VK_LEFT, true);
  ShipControlStep();
  zuSystem::SetKeyDown(VK_LEFT, false);
  ShipControlStep();
  EXPECT_FLOAT_EQ(playerX, 290.0f);
  EXPECT_EQ(bankFrame, 3);

  zuSystem::SetKeyDown('Z', true);
  zuSystem::SetKeyDown(VK_DOWN, true);
  zuSystem::SetKeyDown('C', true);
  for (int i = 0; i < 5; ++i) ShipControlStep();
  EXPECT_EQ(fireCounter, 4);
  EXPECT_EQ(TakeVolley(), 1);
  EXPECT_NEAR(playerY, 210.0f + 4 * 14.0f, 0.01f);

  zuSystem::SetKeyDown('X', true);
  ShipControlStep();
  EXPECT_EQ(bombActive, 1);
  EXPECT_EQ(fireCounter, 4);
  zuSystem::ClearKeyTable();
}

}  // namespace
