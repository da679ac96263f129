#include <gtest/gtest.h>

#include "game/bosses/boss.h"
#include "game/combat/collision.h"
#include "game/enemies/enemy.h"
#include "game/enemies/midsize.h"
#include "game/flow/reset.h"
#include "game/player/score.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"
#include "tests/game/play_fixture.h"

namespace {

class Collision : public ::testing::Test {
 protected:
  void SetUp() override {
    zuSystem::SeedRandom(2);
    FullReset();
    score = 0;
    hiScore = 5000;
    frameSeconds = 0.01f;
  }
  void TearDown() override { FullReset(); }

  // A shot that CollideShots will move onto (sx, sy) this frame.
  PlayerShot& Shoot(int table, int sx, int sy) {
    PlayerShot& s = ShotTable(table)[1];
    int drift = table == SHOT_CENTRE ? 0 : SHOT_DRIFT;
    int x = sx;
    if (table == SHOT_LEFT) x = sx + drift;
    if (table == SHOT_RIGHT) x = sx - drift;
    s = PlayerShot{x, sy + SHOT_SPEED, drift, SHOT_SPEED, 1};
    return s;
  }

  static EnemySlot& Place(EnemySlot& e, float x, float y) {
    e.active = 1;
    e.exploding = 0;
    e.x = x;
    e.y = y;
    return e;
  }

  // A fragment that stays where it is.
  static BombFragment& Lay(int slot, int x, int y) {
    BombFragment& f = bombFragments[slot];
    f.x = x;
    f.y = y;
    f.active = 1;
    f.speed = 0;
    f.angle = 0.0f;
    return f;
  }
};

TEST_F(Collision, CentreWindowEdgesOnZak2) {
  struct Case { int dx, dy, hit; };
  const Case cases[] = {{-60, 50, 1}, {-61, 50, 0}, {-60, 51, 0}, {60, -60, 1},
                        {61, -60, 0}, {60, -61, 0}, {0, 0, 1}};
  for (const Case& c : cases) {
    ResetEnemies();
    score = 0;
    EnemySlot& e = Place(zak2Slots[4], 200.0f, 200.0f);
    PlayerShot& s = Shoot(SHOT_CENTRE, 200 + c.dx, 200 + c.dy);
    CollideShots();
    EXPECT_EQ(e.exploding, c.hit) << c.dx << "," << c.dy;
    EXPECT_EQ(score, 20 * c.hit);
    EXPECT_EQ(s.active, 1 - c.hit);
  }
}

TEST_F(Collision, SideShotsNeverHitTheMidSizeEnemies) {
  for (int table : {SHOT_LEFT, SHOT_RIGHT}) {
    for (int sx = 100; sx <= 460; ++sx) {
      ParkShots();
      Place(zak50Slot, 200.0f, 100.0f);
      Place(zak51Slot, 200.0f, 100.0f);
      Shoot(table, sx, 120);
      CollideShots();
      ASSERT_EQ(zak50Slot.exploding, 0) << sx;
      ASSERT_EQ(zak51Slot.exploding, 0) << sx;
    }
  }
  EXPECT_EQ(score, 0);
  // The centre window is 60..80.
  for (int dx : {59, 60, 80, 81}) {
    ParkShots();
    Place(zak50Slot, 200.0f, 100.0f);
    Shoot(SHOT_CENTRE, 200 + dx, 120);
    CollideShots();
    EXPECT_EQ(zak50Slot.exploding, dx >= 60 && dx <= 80 ? 1 : 0) << dx;
  }
}

TEST_F(Collision, SideShotThroughARowPaysEachAndRightShotPaysOneForZak2) {
  auto row = [] {
    ResetEnemies();
    ParkShots();
    Place(zak2Slots[2], 205.0f, 100.0f);
    for (int i = 0; i < ZAK6_SLOTS; ++i) Place(zak6Slots[i], 200.0f + 10 * i, 100.0f);
  };
  row();
  score = 0;
  PlayerShot& left = Shoot(SHOT_LEFT, 200, 120);
  CollideShots();
  EXPECT_EQ(score, 80);
  EXPECT_EQ(left.active, 1);
  for (const EnemySlot& e : zak6Slots) EXPECT_EQ(e.exploding, 1);

  row();
  score = 0;
  Shoot(SHOT_RIGHT, 200, 120);
  CollideShots();
  EXPECT_EQ(score, 61);

  // A centre shot finishes the frame's tests at the same place, then is gone.
  row();
  score = 0;
  PlayerShot& centre = Shoot(SHOT_CENTRE, 200, 120);
  CollideShots();
  EXPECT_EQ(score, 80);
  EXPECT_EQ(centre.active, 0);
  CollideShots();
  EXPECT_EQ(score, 80);
}

TEST_F(Collision, FragmentsHitEveryFrameAndAreNeverUsedUp) {
  EnemySlot& e = Place(zak2Slots[0], 200.0f, 100.0f);
  BombFragment& f = Lay(5, 140, 90);  // both bomb-window corners of ZAK2
  for (int i = 0; i < 3; ++i) CollideBomb();
  EXPECT_EQ(f.active, 1);
  EXPECT_EQ(e.exploding, 1);
  EXPECT_EQ(score, 3);  // a fragment pays 1 for a ZAK2

  ResetEnemies();
  score = 0;
  Place(zak18Slots[0], 200.0f, 100.0f);
  Lay(5, 195, 150);
  Lay(6, 194, 150);
  CollideBomb();
  EXPECT_EQ(score, 20);  // ZAK18's bomb window starts at -5
}

}  // namespace
