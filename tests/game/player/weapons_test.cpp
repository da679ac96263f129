#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"

namespace {

class WeaponsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    playerX = 290.0f;
    playerY = 210.0f;
    playerAlive = 1;
    respawning = 0;
    energy = 77;
    bombs = 3;
    bombActive = 0;
    bombClock = 0;
    fireCounter = 0;
    ParkShots();
    ParkFragments();
    ParkDebris();
    frameSeconds = 0.012f;
  }

  // One frame of a bomb as the stage runs it: the step, then every fragment moved.
  // Returns the fragments that the step launched.
  static std::vector<int> BombFrame() {
    std::vector<int> launched;
    int before[BOMB_FRAGMENTS];
    for (int i = 0; i < BOMB_FRAGMENTS; ++i) before[i] = bombFragments[i].active;
    if (bombActive == 1) BombStep();
    for (int i = 0; i < BOMB_FRAGMENTS; ++i) {
      if (before[i] == 0 && bombFragments[i].active == 1) launched.push_back(i);
    }
    for (int i = 0; i < BOMB_FRAGMENTS; ++i) {
      if (bombFragments[i].active == 1) MoveFragment(i);
    }
    return launched;
  }

  static std::vector<int> Ring(int r) {
    std::vector<int> v;
    for (int i = 16 * r; i < 16 * r + 16; ++i) v.push_back(i);
    return v;
  }
};

TEST_F(WeaponsTest, ShotsFlyAndRetireAboveTheTop) {
  playerY = 420.0f;
  fireCounter = 3;
  FireFrame();
  int frames = 0;
  while (centreShots[1].active == 1) {
    MoveShot(SHOT_CENTRE, 1);
    MoveShot(SHOT_LEFT, 1);
    MoveShot(SHOT_RIGHT, 1);
    ++frames;
  }
  EXPECT_EQ(frames, 25);
  // Retired in place, so the collision pass can still test it in this frame.
  EXPECT_EQ(centreShots[1].y, 435 - 25 * 20);
  EXPECT_EQ(centreShots[1].x, 290);
  EXPECT_EQ(leftShots[1].active, 0);
  EXPECT_EQ(leftShots[1].x, 275 - 25 * 3);
  EXPECT_EQ(rightShots[1].x, 305 + 25 * 3);
}

TEST_F(WeaponsTest, FragmentStepsFollowTheSixteenDirections) {
  const int step[16][2] = {{-11, 27}, {-21, 21}, {-27, 11}, {-29, 0}, {-27, -11}, {-21, -21},
                           {-11, -27}, {0, -29},  {11, -27}, {21, -21}, {27, -11}, {29, 0},
                           {27, 11},   {21, 21},  {11, 27},  {0, 29}};
  // 24 steps without moving the fragments launch all eight rings.
  bombActive = 1;
  for (int i = 0; i < 24; ++i) BombStep();
  for (int i = 0; i < BOMB_FRAGMENTS; ++i) {
    BombFragment& f = bombFragments[i];
    ASSERT_EQ(f.active, 1) << i;
    EXPECT_EQ(f.x, 280);
    EXPECT_EQ(f.y, 200);
    EXPECT_EQ(MoveFragment(i), 1);
    EXPECT_EQ(f.x - 280, step[i % 16][0]) << "fragment " << i;
    EXPECT_EQ(f.y - 200, step[i % 16][1]) << "fragment " << i;
  }
}

TEST_F(WeaponsTest, BombRingScheduleAndEnd) {
  // From the middle and from the corners, the first launches have always left the
  // field when their ring launches again.
  const float spots[][2] = {{290, 210}, {130, 100}, {450, 420}, {130, 420}, {450, 100}};
  for (const auto& spot : spots) {
    SetUp();
    playerX = spot[0];
    playerY = spot[1];
    bombActive = 1;
    bombs = 3;
    for (int clock = 1; clock <= 48; ++clock) {
      const std::vector<int> launched = BombFrame();
      std::vector<int> expected;
      if (clock % 3 == 0 && clock <= 45) expected = Ring((clock % 24) / 3);
      EXPECT_EQ(launched, expected) << "clock " << clock << " from " << spot[0] << "," << spot[1];
      if (clock < 48) {
        EXPECT_EQ(bombActive, 1);
      }
    }
    EXPECT_EQ(bombActive, 0);
    EXPECT_EQ(bombClock, 0);
    EXPECT_EQ(bombs, 2);
  }
}

TEST_F(WeaponsTest, BombWithoutStockLaunchesNothing) {
  bombs = 0;
  bombActive = 1;
  EXPECT_TRUE(BombFrame().empty());
  EXPECT_EQ(bombActive, 0);
  EXPECT_EQ(bombs, 0);
}

TEST_F(WeaponsTest, LastBombRunsItsFullCourse) {
  bombs = 1;
  bombActive = 1;
  for (int clock = 1; clock < 48; ++clock) BombFrame();
  EXPECT_EQ(bombActive, 1);
  BombFrame();
  EXPECT_EQ(bombActive, 0);
  EXPECT_EQ(bombs, 0);
}

TEST_F(WeaponsTest, FragmentLaunchedLeftFrom250LeavesOnItsTenthMove) {
  playerX = 260.0f;
  bombActive = 1;
  for (int i = 0; i < 3; ++i) BombStep();  // ring 1 at clock 3
  const int slot = 16 + 3;                 // 180 degrees
  ASSERT_EQ(bombFragments[slot].x, 250);
  for (int move = 1; move <= 9; ++move) ASSERT_EQ(MoveFragment(slot), 1) << move;
  EXPECT_EQ(bombFragments[slot].x, -11);
  EXPECT_EQ(MoveFragment(slot), 0);
  EXPECT_EQ(bombFragments[slot].active, 0);
  EXPECT_EQ(bombFragments[slot].x, -500);
  EXPECT_EQ(bombFragments[slot].y, 500);
}

TEST_F(WeaponsTest, DebrisRingsPointAtTheCornerAndCycleTheirCells) {
  playerX = 200.0f;
  playerY = 300.0f;
  AdvanceDebris();
  for (int i = 0; i < 80; ++i) EXPECT_EQ(shipDebris[i].active, i < 16 ? 1 : 0);
  const float toX = 20.0f - 200.0f;
  const float toY = 20.0f - 300.0f;
  const float len = std::sqrt(toX * toX + toY * toY);
  EXPECT_NEAR(std::cos(shipDebris[0].angle), toX / len, 1e-5);
  EXPECT_NEAR(std::sin(shipDebris[0].angle), toY / len, 1e-5);
  // Neighbours are 22.5 degrees apart.
  EXPECT_NEAR(std::remainder(shipDebris[1].angle - shipDebris[0].angle, 2 * M_PI),
              2 * M_PI / 16, 1e-5);

  std::vector<int> cells;
  for (int frame = 0; frame < 16; ++frame) {
    cells.push_back(shipDebris[40].row * 10 + shipDebris[40].column);
    DrawDebris();
  }
  EXPECT_EQ(cells, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 11, 12, 13, 14, 15, 16, 17, 0}));
}

TEST_F(WeaponsTest, DebrisParksWhenItLeaves) {
  playerX = 130.0f;
  playerY = 100.0f;
  AdvanceDebris();
  frameSeconds = 0.1f;
  for (int frame = 0; frame < 30; ++frame) MoveDebris();
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(shipDebris[i].active, 0) << i;
    EXPECT_FLOAT_EQ(shipDebris[i].x, -500.0f);
  }
}

}  // namespace
