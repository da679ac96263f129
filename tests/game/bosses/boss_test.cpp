#include <gtest/gtest.h>

#include "game/bosses/boss.h"
#include "game/bosses/reset.h"
#include "game/flow/scene.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"

namespace {

class Bosses : public ::testing::Test {
 protected:
  void SetUp() override {
    zuSystem::SeedRandom(11);
    FullReset();
    frameSeconds = 0.0f;
    playerX = 130.0f;  // out of every launch path used below
    playerY = 420.0f;
    gameMode = 0;
    scene = 2;
    previousScene = 2;
  }
  void TearDown() override {
    frameSeconds = 0.0f;
    FullReset();
    gameMode = 5;
    scene = 0;
    previousScene = 0;
  }
};

// --- scripts ---------------------------------------------------------------------

// --- phase tables ----------------------------------------------------------------

struct Fired {
  int v[8];
  int s[6];
  int l;
  int l8;
  int r1;
  int r2;
};

// --- hits and damage -------------------------------------------------------------

TEST_F(Bosses, HitWindowsAtTheirBounds) {
  boss1.x = 130.9f;  // truncated to 130
  boss1.y = 0.0f;
  EXPECT_EQ(Boss1Struck(BOSS_CENTRE_SHOT, 230, 10), 1);
  EXPECT_EQ(Boss1Struck(BOSS_CENTRE_SHOT, 229, 10), 0);
  EXPECT_EQ(Boss1Struck(BOSS_CENTRE_SHOT, 350, 200), 1);
  EXPECT_EQ(Boss1Struck(BOSS_CENTRE_SHOT, 351, 200), 0);
  EXPECT_EQ(Boss1Struck(BOSS_CENTRE_SHOT, 300, 9), 0);
  EXPECT_EQ(Boss1Struck(BOSS_CENTRE_SHOT, 300, 201), 0);
  EXPECT_EQ(Boss1Struck(BOSS_SIDE_SHOT, 244, 100), 0);
  EXPECT_EQ(Boss1Struck(BOSS_SIDE_SHOT, 245, 100), 1);
  EXPECT_EQ(Boss1Struck(BOSS_SIDE_SHOT, 335, 100), 1);
  EXPECT_EQ(Boss1Struck(BOSS_SIDE_SHOT, 336, 100), 0);
  EXPECT_EQ(Boss1Struck(BOSS_BOMB_FRAGMENT, 405, 100), 1);
  EXPECT_EQ(Boss1Struck(BOSS_BOMB_FRAGMENT, 406, 100), 0);
  boss2.x = 130.0f;
  boss2.y = 0.0f;
  EXPECT_EQ(Boss2Struck(BOSS_CENTRE_SHOT, 330, 50), 1);
  EXPECT_EQ(Boss2Struck(BOSS_CENTRE_SHOT, 331, 50), 0);
  EXPECT_EQ(Boss2Struck(BOSS_SIDE_SHOT, 315, 50), 1);
  EXPECT_EQ(Boss2Struck(BOSS_SIDE_SHOT, 316, 50), 0);
  EXPECT_EQ(Boss2Struck(BOSS_BOMB_FRAGMENT, 385, 50), 1);
  EXPECT_EQ(Boss2Struck(BOSS_BOMB_FRAGMENT, 386, 50), 0);
  // Above the top edge, or shielded, the boss is not tested at all; its y is
  // truncated toward zero first, as for every target.
  boss2.y = -0.5f;
  EXPECT_EQ(Boss2Struck(BOSS_CENTRE_SHOT, 230, 10), 1);
  boss2.y = -1.0f;
  EXPECT_EQ(Boss2Struck(BOSS_CENTRE_SHOT, 230, 10), 0);
  boss2.y = 0.0f;
  boss2.shielded = 1;
  EXPECT_EQ(Boss2Struck(BOSS_CENTRE_SHOT, 230, 10), 0);
}

TEST_F(Bosses, DamagePerSecondDoesNotDependOnFrameRate) {
  for (int fps : {30, 60, 85, 144}) {
    SetUp();
    frameSeconds = 1.0f / fps;
    for (int i = 0; i < fps; ++i) StrikeBoss1(BOSS_BOMB_FRAGMENT);
    EXPECT_NEAR(boss1.hitPoints, 700.0f - 15.0f, 0.01f) << fps;
    for (int i = 0; i < fps; ++i) StrikeBoss2(BOSS_SIDE_SHOT);
    EXPECT_NEAR(boss2.hitPoints, 800.0f - 40.0f, 0.01f) << fps;
  }
}

// --- death -----------------------------------------------------------------------

TEST_F(Bosses, LargeFrameEndsTheSequenceAtOnce) {
  boss2.hitPoints = 0.0f;
  frameSeconds = 7.5f;
  DrawBoss2();
  EXPECT_EQ(scene, 1);
  EXPECT_EQ(previousScene, 0);
  EXPECT_FLOAT_EQ(boss2.hitPoints, 800.0f);
}

TEST_F(Bosses, OutsideTheNormalGameOnlyControlIsLocked) {
  gameMode = 5;
  boss1.hitPoints = 0.0f;
  frameSeconds = 8.0f;
  DrawBoss1();
  EXPECT_EQ(controlLocked, 1);
  EXPECT_EQ(scene, 2);
  EXPECT_FLOAT_EQ(boss1.hitPoints, 0.0f);
}

TEST_F(Bosses, TimeOutKillsAndAdvancesTheSequence) {
  frameSeconds = 0.5f;
  Boss2TimeOut();
  EXPECT_FLOAT_EQ(boss2.hitPoints, 0.0f);
  EXPECT_FLOAT_EQ(boss2.deathClock, 5.0f);
  DrawBoss2();  // and the draw's own check: twice per frame
  EXPECT_FLOAT_EQ(boss2.deathClock, 10.0f);
}

}  // namespace
