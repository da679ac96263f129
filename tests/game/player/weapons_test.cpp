#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/game/play_fixture.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"

namespace {

class WeaponsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreshShip();
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

TEST_F(WeaponsTest, BombWithoutStockLaunchesNothing) {
  bombs = 0;
  bombActive = 1;
  EXPECT_TRUE(BombFrame().empty());
  EXPECT_EQ(bombActive, 0);
  EXPECT_EQ(bombs, 0);
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
