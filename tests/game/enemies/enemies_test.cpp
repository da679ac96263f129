#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/enemies/enemy.h"
#include "game/enemies/enemyshots.h"
#include "game/enemies/midsize.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"
#include "tests/game/play_fixture.h"

namespace {

class Enemies : public PlayField {
 protected:
  void SetUp() override { Prepare(5, 210.0f); }
};

// --- small enemies ---------------------------------------------------------------

TEST_F(Enemies, MoveKeepsExactly480AndParksBeyond) {
  SpawnZak2();
  zak2Slots[0].y = 479.0f;
  zak2Slots[0].vy = 10.0f;
  frameSeconds = 0.1f;
  MoveZak2();
  EXPECT_EQ(zak2Slots[0].y, 480.0f);
  EXPECT_EQ(zak2Slots[0].active, 1);
  MoveZak2();
  EXPECT_EQ(zak2Slots[0].active, 0);
  EXPECT_EQ(zak2Slots[0].x, -500.0f);
  EXPECT_EQ(zak2Slots[0].y, 500.0f);
}

TEST_F(Enemies, ExplosionCutShortByTheBottomIsInheritedByTheNextSpawn) {
  SpawnZak6();
  zak6Slots[0].y = 470.0f;
  zak6Slots[0].vy = 0.0f;
  HitZak6(0);
  for (int i = 0; i < 10; ++i) DrawZak6();
  EXPECT_EQ(zak6Slots[0].explosionCounter, 10);
  zak6Slots[0].y = 481.0f;
  MoveZak6();
  EXPECT_EQ(zak6Slots[0].active, 0);
  EXPECT_EQ(zak6Slots[0].exploding, 1);  // parked, still counting down
  EXPECT_EQ(zak6Slots[0].y, 500.0f);

  SpawnZak6();
  EnemySlot& s = zak6Slots[0];
  EXPECT_EQ(s.active, 1);
  EXPECT_EQ(s.exploding, 0);
  EXPECT_EQ(s.explosionColumn, 0);
  EXPECT_EQ(s.explosionRow, 1);
  EXPECT_EQ(s.explosionCounter, 10);
  // Its next explosion shows what is left of row 1, then parks the slot.
  s.y = 100.0f;
  HitZak6(0);
  std::vector<std::pair<int, int>> shown;
  for (int i = 0; i < 100 && s.exploding == 1; ++i) {
    shown.emplace_back(s.explosionColumn, s.explosionRow);
    DrawZak6();
    MoveZak6();
  }
  EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}}));
  EXPECT_EQ(s.active, 0);
}

// --- their shots -----------------------------------------------------------------

TEST_F(Enemies, AimedShotStraightAboveGivesThreeHalvesPi) {
  playerY = 100.0f;
  SpawnZak6();
  zak6Slots[0].x = 290.0f;  // its shot starts at (312, 350)
  zak6Slots[0].y = 300.0f;
  FireZak6Shots();
  EXPECT_EQ(zak6Shots[0].dx, 0.0f);
  EXPECT_FLOAT_EQ(zak6Shots[0].angle, static_cast<float>(3 * PI / 2));
  frameSeconds = 0.1f;
  MoveZak6Shots();
  EXPECT_LT(zak6Shots[0].y, 350.0f);
  EXPECT_NEAR(zak6Shots[0].x, 312.0f, 1e-3);
}

TEST_F(Enemies, ShotBoxEdges) {
  struct Case { float dx, dy; int hit; };
  const Case cases[] = {{14, 24, 1}, {30, 30, 1}, {13, 24, 0}, {31, 30, 0}, {14, 23, 0}, {30, 31, 0}};
  for (const Case& c : cases) {
    playerAlive = 1;
    TestShip(playerX + c.dx, playerY + c.dy, SMALL_SHOT_BOX);
    EXPECT_EQ(playerAlive, c.hit ? 0 : 1) << c.dx << "," << c.dy;
  }
  // The fan's box is its own.
  SpawnZak50();
  for (int i = 0; i < 80; ++i) LaunchZak50Fan();
  frameSeconds = 0.0f;
  for (float dx : {20.0f, 21.0f}) {
    playerAlive = 1;
    zak50Fan[2].x = playerX + dx;
    zak50Fan[2].y = playerY;
    MoveZak50Fan();
    EXPECT_EQ(playerAlive, dx == 20.0f ? 0 : 1) << dx;
  }
}

}  // namespace
