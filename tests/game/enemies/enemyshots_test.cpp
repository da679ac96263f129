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

TEST_F(EnemyShots, StraightBelowFliesDownAtHalfPi) {
  PlaceZak6(290.0f, 100.0f);  // shot at 312, aim at 312
  FireZak6Shots();
  EXPECT_EQ(zak6Shots[0].dx, 0.0f);
  EXPECT_GT(zak6Shots[0].dy, 0.0f);
  EXPECT_FLOAT_EQ(zak6Shots[0].angle, static_cast<float>(PI / 2));
}

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

TEST_F(EnemyShots, LeftHalfTurnsByPi) {
  // Ship above and to the left: dx < 0, dy < 0 -> up and to the left.
  playerX = 150.0f;
  playerY = 100.0f;
  PlaceZak6(400.0f, 300.0f);
  FireZak6Shots();
  const AimedShotSlot& s = zak6Shots[0];
  EXPECT_LT(s.dx, 0.0f);
  EXPECT_LT(s.dy, 0.0f);
  EXPECT_NEAR(s.angle, std::atan(s.dy / s.dx) + PI, 1e-5);
  EXPECT_LT(std::cos(s.angle), 0.0);
  EXPECT_LT(std::sin(s.angle), 0.0);

  // Below and to the left: dx < 0, dy > 0.
  ResetEnemies();
  playerY = 400.0f;
  PlaceZak6(400.0f, 0.0f);
  FireZak6Shots();
  EXPECT_GT(zak6Shots[0].dy, 0.0f);
  EXPECT_LT(std::cos(zak6Shots[0].angle), 0.0);
  EXPECT_GT(std::sin(zak6Shots[0].angle), 0.0);

  // Up and to the right keeps atan's own negative angle.
  ResetEnemies();
  playerX = 400.0f;
  playerY = 100.0f;
  PlaceZak6(150.0f, 300.0f);
  FireZak6Shots();
  EXPECT_LT(zak6Shots[0].angle, 0.0f);
}

TEST_F(EnemyShots, SpareDrawsComeBeforeTheSpeed) {
  SpawnZak4();
  zuSystem::SeedRandom(77);
  std::vector<int> r;
  for (int i = 0; i < 6; ++i) r.push_back(zuSystem::Rand());
  zuSystem::SeedRandom(77);
  FireZak4Shots();  // two spare numbers, then the speed, per shot
  EXPECT_EQ(zak4Shots[0].unusedRandom1, static_cast<float>(r[0] % 40 + 30));
  EXPECT_EQ(zak4Shots[0].unusedRandom2, static_cast<float>(r[1] % 100 + 100));
  EXPECT_EQ(zak4Shots[0].speed, static_cast<float>(r[2] % 100 + 100));
  EXPECT_EQ(zak4Shots[1].speed, static_cast<float>(r[5] % 100 + 100));
  EXPECT_EQ(zak4Shots[0].x, 140.0f + 32.0f);
  EXPECT_EQ(zak4Shots[0].y, -130.0f + 50.0f);

  SpawnZak10();
  zuSystem::SeedRandom(77);
  FireZak10Shots();  // one spare number
  EXPECT_EQ(zak10Shots[0].unusedRandom1, static_cast<float>(r[0] % 100 + 130));
  EXPECT_EQ(zak10Shots[0].speed, static_cast<float>(r[1] % 100 + 100));
  EXPECT_EQ(zak10Shots[1].speed, static_cast<float>(r[3] % 100 + 100));
}

TEST_F(EnemyShots, ShotFromParkedEnemyIsParkedAtItsFirstMove) {
  FireZak8Shots();  // every ZAK8 slot is idle and parked
  EXPECT_EQ(zak8Shots[0].active, 1);
  EXPECT_EQ(zak8Shots[0].y, 550.0f);
  MoveZak8Shots();
  EXPECT_EQ(zak8Shots[0].active, 0);
  EXPECT_EQ(zak8Shots[0].x, -500.0f);
}

TEST_F(EnemyShots, BombParksEveryShotAtItsNextMove) {
  SpawnZak4();
  SpawnZak18();
  for (EnemySlot& e : zak4Slots) e.y = 100.0f;
  for (EnemySlot& e : zak18Slots) e.y = 100.0f;
  FireZak4Shots();
  FireZak18AllDrops();
  bombActive = 1;
  MoveZak4Shots();
  MoveZak18AllDrops();
  for (const AimedShotSlot& s : zak4Shots) {
    EXPECT_EQ(s.active, 0);
    EXPECT_EQ(s.y, 500.0f);
  }
  for (auto& group : zak18Drops) {
    for (const DropShotSlot& s : group) EXPECT_EQ(s.active, 0);
  }
}

TEST_F(EnemyShots, ShipBoxIsTestedAfterTheMoveAndTheShotFliesOn) {
  PlaceZak6(0.0f, 0.0f);
  FireZak6Shots();
  AimedShotSlot& s = zak6Shots[0];
  s.angle = static_cast<float>(PI / 2);
  s.speed = 10.0f;
  s.x = playerX + 14.0f;
  s.y = playerY + 23.0f;  // one pixel short of the box before the move
  frameSeconds = 0.1f;
  MoveZak6Shots();
  EXPECT_EQ(playerAlive, 0);
  EXPECT_EQ(s.active, 1);

  // Inside the box, but the bomb parks it first: no hit.
  playerAlive = 1;
  s.y = playerY + 24.0f;
  s.speed = 0.0f;
  bombActive = 1;
  MoveZak6Shots();
  EXPECT_EQ(playerAlive, 1);
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
