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

// One script call landing on clock value t, with no time passing.
void ScriptAt(BossRecord& boss, void (*script)(), float t) {
  frameSeconds = 0.0f;
  boss.bossClock = t;
  script();
}

// --- scripts ---------------------------------------------------------------------

TEST_F(Bosses, FirstBossApproachImageRisesThenParks) {
  frameSeconds = 0.5f;
  Boss1Script();  // t = 5: set up below the screen
  EXPECT_FLOAT_EQ(boss1Approach.x, 80.0f);
  EXPECT_FLOAT_EQ(boss1Approach.y, 480.0f);
  EXPECT_FLOAT_EQ(boss1Approach.speed, 400.0f);
  EXPECT_FLOAT_EQ(boss1.y, 500.0f);  // the boss itself still parked
  ScriptAt(boss1, Boss1Script, 20.5f);  // between windows
  EXPECT_FLOAT_EQ(boss1Approach.y, 480.0f);
  frameSeconds = 0.1f;
  boss1.bossClock = 21.0f;
  Boss1Script();  // t = 22
  EXPECT_FLOAT_EQ(boss1Approach.y, 440.0f);
  // 960 pixels at 400 per second: gone after 2.4 s, parked with no speed.
  for (int i = 0; i < 23; ++i) Boss1Script();
  EXPECT_FLOAT_EQ(boss1Approach.y, 480.0f - 24 * 40.0f);
  Boss1Script();
  EXPECT_FLOAT_EQ(boss1Approach.x, -500.0f);
  EXPECT_FLOAT_EQ(boss1Approach.y, 500.0f);
  EXPECT_FLOAT_EQ(boss1Approach.speed, 0.0f);
}

TEST_F(Bosses, FirstBossEntersDescendsAndSnaps) {
  ScriptAt(boss1, Boss1Script, 60.0f);  // gap: still parked
  EXPECT_FLOAT_EQ(boss1.x, -500.0f);
  ScriptAt(boss1, Boss1Script, 60.5f);
  EXPECT_FLOAT_EQ(boss1.x, 130.0f);
  EXPECT_FLOAT_EQ(boss1.y, -380.0f);
  ScriptAt(boss1, Boss1Script, 90.5f);  // gap: no descent yet
  EXPECT_FLOAT_EQ(boss1.y, -380.0f);
  frameSeconds = 0.5f;
  boss1.bossClock = 86.0f;
  Boss1Script();  // t = 91
  EXPECT_FLOAT_EQ(boss1.y, -380.0f + 41.0f);
  // Descending the whole way leaves it short of the top; the snap finishes it.
  for (int i = 0; i < 8; ++i) Boss1Script();  // t = 131
  EXPECT_LT(boss1.y, 0.0f);
  EXPECT_EQ(Boss1Struck(BOSS_CENTRE_SHOT, 280, static_cast<int>(boss1.y) + 100), 0);
  ScriptAt(boss1, Boss1Script, 135.0f);
  EXPECT_FLOAT_EQ(boss1.x, 130.0f);
  EXPECT_FLOAT_EQ(boss1.y, 0.0f);
  EXPECT_EQ(Boss1Struck(BOSS_CENTRE_SHOT, 280, 100), 1);
}

TEST_F(Bosses, FirstBossSwaysAndLoopsToItsRest) {
  ScriptAt(boss1, Boss1Script, 140.0f);
  frameSeconds = 0.1f;
  boss1.bossClock = 160.0f;
  Boss1Script();  // t = 161: right
  EXPECT_FLOAT_EQ(boss1.x, 134.0f);
  boss1.bossClock = 190.0f;
  Boss1Script();  // t = 191: left
  EXPECT_FLOAT_EQ(boss1.x, 130.0f);
  ScriptAt(boss1, Boss1Script, 190.5f);  // gap
  EXPECT_FLOAT_EQ(boss1.x, 130.0f);
  ScriptAt(boss1, Boss1Script, 250.5f);
  EXPECT_FLOAT_EQ(boss1.x, 130.0f);
  ScriptAt(boss1, Boss1Script, 281.0f);
  EXPECT_FLOAT_EQ(boss1.bossClock, 151.0f);
  EXPECT_FLOAT_EQ(boss1.x, 130.0f);
  // A whole sway cycle at a steady frame rate: right 3 s, left 6 s, right 3 s.
  boss1.x = 130.0f;
  boss1.bossClock = 160.5f;
  frameSeconds = 0.01f;
  float maxX = 0.0f;
  float minX = 1000.0f;
  for (int i = 0; i < 1200; ++i) {
    Boss1Script();
    maxX = std::max(maxX, boss1.x);
    minX = std::min(minX, boss1.x);
  }
  // Each window is one clock unit short of its nominal span (the gaps between
  // them do nothing): 29 units right, 59 left, 29 right; the rest puts it back.
  EXPECT_NEAR(maxX, 130.0f + 116.0f, 1.0f);
  EXPECT_NEAR(minX, 130.0f + 116.0f - 236.0f, 1.0f);
}

TEST_F(Bosses, SecondBossWaitsDescendsSnapsAndSways) {
  ScriptAt(boss2, Boss2Script, 0.0f);  // t = 0 is outside its first window
  EXPECT_FLOAT_EQ(boss2.x, -500.0f);
  ScriptAt(boss2, Boss2Script, 30.0f);
  EXPECT_FLOAT_EQ(boss2.x, 130.0f);
  EXPECT_FLOAT_EQ(boss2.y, -380.0f);
  ScriptAt(boss2, Boss2Script, 30.5f);  // gap
  EXPECT_FLOAT_EQ(boss2.y, -380.0f);
  frameSeconds = 0.5f;
  boss2.bossClock = 26.0f;
  Boss2Script();  // t = 31
  EXPECT_FLOAT_EQ(boss2.y, -380.0f + 44.0f);
  EXPECT_EQ(Boss2Struck(BOSS_BOMB_FRAGMENT, 300, 0), 0);
  ScriptAt(boss2, Boss2Script, 75.0f);
  EXPECT_FLOAT_EQ(boss2.y, 0.0f);
  frameSeconds = 0.1f;
  boss2.bossClock = 100.0f;
  Boss2Script();  // t = 101
  EXPECT_FLOAT_EQ(boss2.x, 134.0f);
  ScriptAt(boss2, Boss2Script, 221.0f);
  EXPECT_FLOAT_EQ(boss2.bossClock, 80.0f);
}

// --- phase tables ----------------------------------------------------------------

struct Fired {
  int v[8];
  int s[6];
  int l;
  int l8;
  int r1;
  int r2;
};

Fired Boss1Fired() {
  Fired f{};
  const ShotSlot* v[] = {nullptr, boss1V1, boss1V2, boss1V3, boss1V4, boss1V5, boss1V6, boss1V7};
  for (int i = 1; i <= 7; ++i) f.v[i] = v[i][0].counter;
  f.s[1] = boss1S1[0].active;
  f.s[2] = boss1S2[0].active;
  f.s[3] = boss1S3[0].active;
  f.l = boss1L[0].active;
  return f;
}

int Boss1Total() {
  Fired f = Boss1Fired();
  int n = f.l;
  for (int x : f.v) n += x;
  for (int x : f.s) n += x;
  return n;
}

void PlaceBoss(BossRecord& boss) {
  boss.x = 130.0f;
  boss.y = 0.0f;
}

TEST_F(Bosses, FirstBossPhaseBoundaries) {
  PlaceBoss(boss1);
  boss1.hitPoints = 600.0f;
  Boss1FireByPhase();
  Fired f = Boss1Fired();
  EXPECT_EQ(f.v[6], 1);
  EXPECT_EQ(f.v[7], 1);
  EXPECT_EQ(f.s[1] + f.s[2] + f.s[3], 3);
  EXPECT_EQ(f.v[1] + f.v[2] + f.v[3] + f.v[4] + f.v[5] + f.l, 0);

  for (float hp : {700.0f, 680.01f, 9.99f, 0.0f, -5.0f}) {
    SetUp();
    PlaceBoss(boss1);
    boss1.hitPoints = hp;
    Boss1FireByPhase();
    EXPECT_EQ(Boss1Total(), 0) << hp;
  }
  SetUp();
  PlaceBoss(boss1);
  boss1.hitPoints = 680.0f;
  Boss1FireByPhase();
  EXPECT_EQ(Boss1Fired().v[6], 1);
  EXPECT_EQ(Boss1Total(), 2);

  SetUp();
  PlaceBoss(boss1);
  boss1.hitPoints = 100.0f;  // V4, V5, V2, V3 and the laser share this bound
  Boss1FireByPhase();
  f = Boss1Fired();
  EXPECT_EQ(f.v[2] + f.v[3] + f.v[4] + f.v[5], 4);
  EXPECT_EQ(f.l, 1);
  EXPECT_EQ(f.v[1], 0);
}

TEST_F(Bosses, FirstBossLasersFallTwiceAsFastLate) {
  PlaceBoss(boss1);
  frameSeconds = 0.1f;
  boss1.hitPoints = 10.0f;
  Boss1FireByPhase();  // fire, then the extra move
  EXPECT_FLOAT_EQ(boss1L[0].y, 220.0f + 22.0f);
  SetUp();
  PlaceBoss(boss1);
  frameSeconds = 0.1f;
  boss1.hitPoints = 71.0f;  // lasers, no extra move
  Boss1FireByPhase();
  EXPECT_FLOAT_EQ(boss1L[0].y, 220.0f);
}

TEST_F(Bosses, SecondBossPhaseBoundaries) {
  PlaceBoss(boss2);
  boss2.hitPoints = 700.0f;
  Boss2FireByPhase();
  EXPECT_EQ(boss2R1[0].counter, 1);
  EXPECT_EQ(boss2V4[0].counter, 1);
  EXPECT_EQ(boss2V5[0].counter, 1);
  EXPECT_EQ(boss2S1[0].active + boss2S2[0].active + boss2S3[0].active + boss2S4[0].active +
                boss2S5[0].active,
            5);
  EXPECT_EQ(boss2R2[0].counter + boss2V1[0].counter + boss2V2[0].counter + boss2V3[0].counter +
                boss2L[0].active + boss2L8[0].active,
            0);

  auto total = [] {
    return boss2R1[0].counter + boss2R2[0].counter + boss2V1[0].counter + boss2V2[0].counter +
           boss2V3[0].counter + boss2V4[0].counter + boss2V5[0].counter + boss2S1[0].active +
           boss2S2[0].active + boss2S3[0].active + boss2S4[0].active + boss2S5[0].active +
           boss2L[0].active + boss2L8[0].active;
  };
  for (float hp : {800.0f, 790.01f, 4.99f}) {
    SetUp();
    PlaceBoss(boss2);
    boss2.hitPoints = hp;
    Boss2FireByPhase();
    EXPECT_EQ(total(), 0) << hp;
  }
  SetUp();
  PlaceBoss(boss2);
  boss2.hitPoints = 790.0f;
  Boss2FireByPhase();
  EXPECT_EQ(boss2L[0].active, 1);
  EXPECT_EQ(total(), 1);

  SetUp();
  PlaceBoss(boss2);
  frameSeconds = 0.1f;
  boss2.hitPoints = 5.0f;  // eight-gun laser, no extra move yet
  Boss2FireByPhase();
  EXPECT_EQ(total(), 1);
  EXPECT_FLOAT_EQ(boss2L8[0].y, 120.0f);

  SetUp();
  PlaceBoss(boss2);
  frameSeconds = 0.1f;
  boss2.hitPoints = 492.0f;
  Boss2FireByPhase();
  EXPECT_EQ(boss2R2[0].counter, 1);
  EXPECT_EQ(total(), 1);
}

TEST_F(Bosses, SecondBossExtraLaserMoves) {
  PlaceBoss(boss2);
  frameSeconds = 0.1f;
  boss2.hitPoints = 150.0f;  // L with its extra move
  Boss2FireByPhase();
  EXPECT_FLOAT_EQ(boss2L[0].y, 220.0f + 22.0f);
  EXPECT_FLOAT_EQ(boss2L[0].x, 130.0f + 134.0f);
  SetUp();
  PlaceBoss(boss2);
  frameSeconds = 0.1f;
  boss2.hitPoints = 80.0f;  // L8 with its extra move
  Boss2FireByPhase();
  EXPECT_FLOAT_EQ(boss2L8[0].y, 120.0f + 22.0f);
  EXPECT_EQ(boss2L[0].active, 0);
}

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

TEST_F(Bosses, ExplosionsLandWhereTheDrawsSay) {
  boss2.x = 130.0f;
  boss2.y = 0.0f;
  boss2.hitPoints = 0.0f;
  zuSystem::SeedRandom(99);
  int draws[18];
  for (int& d : draws) d = zuSystem::Rand();
  zuSystem::SeedRandom(99);
  frameSeconds = 0.01f;
  DrawBoss2();
  // x first, then y; the second boss scatters 360 down.
  EXPECT_FLOAT_EQ(boss2LargeBlasts[0].x, static_cast<float>(draws[0] % 380 - 100 + 130));
  EXPECT_FLOAT_EQ(boss2LargeBlasts[0].y, static_cast<float>(draws[1] % 360));
  EXPECT_FLOAT_EQ(boss2SmallBlasts[3].x, static_cast<float>(draws[16] % 380 - 40 + 130));
  EXPECT_FLOAT_EQ(boss2SmallBlasts[3].y, static_cast<float>(draws[17] % 360));
  EXPECT_EQ(boss2LargeBlasts[0].frame, 1);
  EXPECT_FLOAT_EQ(boss2.deathClock, 0.1f);
  for (int i = 0; i < 3; ++i) DrawBoss2();
  EXPECT_EQ(boss2LargeBlasts[4].frame, 0);  // four frames, then round again
  EXPECT_EQ(boss2SmallBlasts[0].frame, 4);
}

TEST_F(Bosses, DeathEndsPastSeventyAndMovesOn) {
  boss1.x = 130.0f;
  boss1.y = 0.0f;
  boss1.hitPoints = -3.0f;
  boss1.deathClock = 70.0f;
  DrawBoss1();  // no time passes: exactly 70 is not past it
  EXPECT_EQ(scene, 2);
  EXPECT_FLOAT_EQ(boss1.hitPoints, -3.0f);
  frameSeconds = 0.001f;
  boss1V1[3].active = 1;
  DrawBoss1();
  EXPECT_EQ(scene, 3);
  EXPECT_EQ(previousScene, 0);
  EXPECT_FLOAT_EQ(boss1.hitPoints, 700.0f);
  EXPECT_FLOAT_EQ(boss1.deathClock, 0.0f);
  EXPECT_FLOAT_EQ(boss1.x, -500.0f);
  EXPECT_EQ(boss1V1[3].active, 0);
  // The next draw is quiet again.
  DrawBoss1();
  EXPECT_EQ(scene, 3);
}

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
