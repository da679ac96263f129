#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/enemies/enemyshots.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"
#include "tests/game/play_fixture.h"

namespace {

class EnemyShots : public PlayField {
 protected:
  void SetUp() override { Prepare(5, 210.0f); }

  // ZAK6 slot 0 at (x, y): its shot starts at (x + 22, y + 50).
  void PlaceZak6(float x, float y) {
    SpawnZak6();
    zak6Slots[0].x = x;
    zak6Slots[0].y = y;
  }
};

TEST_F(EnemyShots, StraightAboveGivesThreeHalvesPi) {
  playerY = 100.0f;
  PlaceZak6(290.0f, 300.0f);
  FireZak6Shots();
  EXPECT_EQ(zak6Shots[0].dx, 0.0f);
  EXPECT_FLOAT_EQ(zak6Shots[0].angle, static_cast<float>(3 * PI / 2));
  frameSeconds = 0.1f;
  float y = zak6Shots[0].y;
  MoveZak6Shots();
  EXPECT_LT(zak6Shots[0].y, y);
  EXPECT_NEAR(zak6Shots[0].x, 312.0f, 1e-3);
}

TEST_F(EnemyShots, ShipBoxEdges) {
  struct Case { float dx, dy; int hit; };
  const Case cases[] = {{14, 24, 1}, {30, 30, 1}, {13, 24, 0}, {31, 30, 0}, {14, 23, 0}, {30, 31, 0}};
  for (const Case& c : cases) {
    playerAlive = 1;
    TestShip(playerX + c.dx, playerY + c.dy, SMALL_SHOT_BOX);
    EXPECT_EQ(playerAlive, c.hit ? 0 : 1) << c.dx << "," << c.dy;
  }
}

TEST_F(EnemyShots, DropGroupsFallAndDriftWithoutSideBound) {
  SpawnZak18();
  zak18Slots[0].x = 0.0f;
  zak18Slots[0].y = 0.0f;
  FireZak18AllDrops();
  frameSeconds = 1.0f;
  MoveZak18AllDrops();
  const float fall[5] = {108, 105, 105, 98, 98};
  const float x[5] = {32, 22, 42, 12, 52};
  for (int g = 0; g < ZAK18_DROP_GROUPS; ++g) {
    EXPECT_EQ(zak18Drops[g][0].y, 50.0f + fall[g]) << g;
    EXPECT_EQ(zak18Drops[g][0].x, x[g]) << g;
  }
  MoveZak18AllDrops();
  MoveZak18AllDrops();
  EXPECT_EQ(zak18Drops[3][0].x, -28.0f);  // off the left edge, still falling
  EXPECT_EQ(zak18Drops[3][0].active, 1);
  MoveZak18Drops(4);  // shot family 4 is the same group
  EXPECT_EQ(zak18Drops[3][0].x, -48.0f);
}

}  // namespace
