#include <gtest/gtest.h>

#include <cmath>

#include "game/bosses/backdrop.h"
#include "game/bosses/boss.h"
#include "game/bosses/reset.h"
#include "game/enemies/enemy.h"
#include "game/flow/catalogue.h"
#include "game/flow/scene.h"
#include "game/flow/stage.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"

namespace {

// --- scrollers -------------------------------------------------------------------

class Backdrops : public ::testing::Test {
 protected:
  void SetUp() override {
    for (BackgroundTile& t : back1Tiles) t = BackgroundTile{};
    for (BackgroundTile& t : back2Tiles) t = BackgroundTile{};
  }
  void TearDown() override { frameSeconds = 0.0f; }
};

TEST_F(Backdrops, FirstCallEverDrawsOnlyTileZeroAndLaysOutTheStrip) {
  frameSeconds = 0.02f;
  ScrollBack1();
  EXPECT_FLOAT_EQ(back1Tiles[0].x, 130.0f);
  for (int i = 1; i < BACKGROUND_TILES; ++i) EXPECT_FLOAT_EQ(back1Tiles[i].x, 0.0f) << i;
  for (int i = 0; i < BACKGROUND_TILES; ++i) EXPECT_FLOAT_EQ(back1Tiles[i].y, -480.0f * i);
  ScrollBack1();
  for (int i = 0; i < BACKGROUND_TILES; ++i) {
    EXPECT_FLOAT_EQ(back1Tiles[i].x, 130.0f);
    EXPECT_FLOAT_EQ(back1Tiles[i].y, -480.0f * i + 1.2f);
  }
  // The other stage's strip is its own.
  EXPECT_FLOAT_EQ(back2Tiles[0].x, 0.0f);
}

TEST_F(Backdrops, StripRestartsAfter3360Pixels) {
  for (int i = 0; i < BACKGROUND_TILES; ++i) back2Tiles[i] = {-500.0f, -480.0f * i, 0.0f};
  frameSeconds = 1.0f;  // 60 pixels a call
  for (int i = 0; i < 55; ++i) ScrollBack2();
  EXPECT_FLOAT_EQ(back2Tiles[0].y, 3300.0f);
  EXPECT_FLOAT_EQ(back2Tiles[7].y, -60.0f);
  ScrollBack2();
  for (int i = 0; i < BACKGROUND_TILES; ++i) EXPECT_FLOAT_EQ(back2Tiles[i].y, -480.0f * i);
}

// --- starfield -------------------------------------------------------------------

// Streaks that stay put and are never respawned, so one streak can be watched.
void QuietStreaks() {
  for (Streak& s : streaks) s = {0, 300.0f, 100.0f, 0.0f, 0.0f};
}

TEST_F(Backdrops, StreakFallsAndRespawnsAtTheEdges) {
  QuietStreaks();
  frameSeconds = 0.5f;
  streaks[5].speed = 100.0f;
  streaks[5].x = 100.0f;  // on the left bound: stays
  DrawStarfield();
  EXPECT_FLOAT_EQ(streaks[5].y, 150.0f);
  EXPECT_FLOAT_EQ(streaks[5].x, 100.0f);
  streaks[5].y = 430.0f;  // 480 exactly after this fall: stays
  DrawStarfield();
  EXPECT_FLOAT_EQ(streaks[5].y, 480.0f);

  zuSystem::SeedRandom(3);
  int d[4];
  for (int& v : d) v = zuSystem::Rand();
  zuSystem::SeedRandom(3);
  DrawStarfield();  // 530: respawned, four draws in field order
  EXPECT_EQ(streaks[5].kind, d[0] % 7);
  EXPECT_FLOAT_EQ(streaks[5].x, static_cast<float>(d[1] % 510 + 130));
  EXPECT_FLOAT_EQ(streaks[5].y, static_cast<float>(-(d[2] % 50)));
  EXPECT_FLOAT_EQ(streaks[5].speed, static_cast<float>(d[3] % 100 + 100));
}

TEST_F(Backdrops, StreakRespawnedRightOf540IsRespawnedAgain) {
  // Find a seed whose respawn lands beyond 540.
  uint32_t seed = 1;
  for (;; ++seed) {
    zuSystem::SeedRandom(seed);
    zuSystem::Rand();
    if (zuSystem::Rand() % 510 + 130 > 540) break;
  }
  QuietStreaks();
  streaks[0].y = 481.0f;
  frameSeconds = 0.0f;
  zuSystem::SeedRandom(seed);
  DrawStarfield();
  ASSERT_GT(streaks[0].x, 540.0f);
  // The next call respawns it again: exactly four more draws.
  uint32_t afterFour = zuSystem::RandomState();
  for (int i = 0; i < 4; ++i) afterFour = afterFour * 214013u + 2531011u;
  DrawStarfield();
  EXPECT_EQ(zuSystem::RandomState(), afterFour);
  EXPECT_LE(streaks[0].y, 0.0f);
}

// --- game-state reset ------------------------------------------------------------

class GameReset : public ::testing::Test {};

// Draws one reset takes: every boss shot and ring slot's kind, ZAK8's two speeds,
// each boss's three random fields, each streak's five.
constexpr int BOSS_SHOT_SLOTS = 50 * 3 + 30 * 2 + 50 * 2 + 2 + 3 + 4 + 4 +   // first boss
                                50 * 5 + 2 + 3 + 3 + 3 + 4 + 4 + 8;           // second boss
constexpr int RESET_DRAWS = BOSS_SHOT_SLOTS + ZAK8_SLOTS * 2 + 72 + 360 + 2 * 3 + STREAKS * 5;

void Dirty() {
  playerAlive = 0;
  bombActive = 1;
  controlLocked = 1;
  stageClock = 5000.0f;
  playerVX = 140.0f;
  bankFrame = 6;
  bankStep = -1;
  respawning = 1;
  respawnCount = 100;
  blinkPhase = 2;
  paused = 1;
  continuePrompt = 1;
  continueDeclined = 1;
  gameOverShown = 1;
  fireCounter = 17;
  bombClock = 20;
  boss1V6[7] = {3, 200.0f, 200.0f, 0.0f, 170.0f, 0.0f, 55, 1};
  boss2R2[100].active = 1;
  boss2R2[100].angle = 2.0f;
  boss2R2[100].counter = 9;
  boss1.hitPoints = -4.0f;
  boss1.deathClock = 30.0f;
  boss1.hitFlag = 1;
  boss2.x = 130.0f;
  boss2.y = 0.0f;
  boss2.shielded = 1;
  boss1LargeBlasts[2] = {3, 10.0f, 20.0f};
  boss1Approach = {80.0f, 100.0f, 400.0f};
  centreShots[4] = {200, 200, 0, 20, 1};
  bombFragments[9].active = 1;
  shipDebris[3].active = 1;
  shipDebris[3].clock = 40;
  zak2Slots[1].active = 1;
  zak2Slots[1].y = 100.0f;
}

void ExpectClean() {
  EXPECT_EQ(playerAlive, 1);
  EXPECT_EQ(bombActive, 0);
  EXPECT_EQ(controlLocked, 0);
  EXPECT_EQ(stageClock, 0.0f);
  EXPECT_EQ(playerVX, 0.0f);
  EXPECT_EQ(bankFrame, 3);
  EXPECT_EQ(bankStep, 0);
  EXPECT_EQ(respawning + respawnCount + blinkPhase, 0);
  EXPECT_EQ(paused + continuePrompt + continueDeclined + gameOverShown, 0);
  EXPECT_EQ(fireCounter + bombClock, 0);
  EXPECT_EQ(boss1V6[7].active, 0);
  EXPECT_EQ(boss1V6[7].counter, 0);
  EXPECT_FLOAT_EQ(boss1V6[7].x, -500.0f);
  EXPECT_FLOAT_EQ(boss1V6[7].y, 500.0f);
  EXPECT_FLOAT_EQ(boss1V6[7].vy, 0.0f);
  EXPECT_EQ(boss2R2[100].active + boss2R2[100].counter, 0);
  EXPECT_NEAR(boss2R2[100].angle, -3.14159265 / 60, 1e-7);
  EXPECT_FLOAT_EQ(boss1.hitPoints, 700.0f);
  EXPECT_FLOAT_EQ(boss2.hitPoints, 800.0f);
  EXPECT_FLOAT_EQ(boss1.deathClock + boss1.bossClock, 0.0f);
  EXPECT_EQ(boss1.hitFlag + boss2.shielded, 0);
  EXPECT_FLOAT_EQ(boss2.x, -500.0f);
  EXPECT_FLOAT_EQ(boss2.y, 500.0f);
  EXPECT_GE(boss1.vx, -50.0f);
  EXPECT_LE(boss1.vx, 49.0f);
  EXPECT_GE(boss1.vy, 100.0f);
  EXPECT_LE(boss1.vy, 199.0f);
  EXPECT_EQ(boss1LargeBlasts[2].frame, 0);
  EXPECT_FLOAT_EQ(boss1LargeBlasts[2].x, -500.0f);
  EXPECT_FLOAT_EQ(boss1Approach.y, 500.0f);
  EXPECT_FLOAT_EQ(boss1Approach.speed, 0.0f);
  EXPECT_EQ(centreShots[4].active, 0);
  EXPECT_EQ(centreShots[4].y, 500);
  EXPECT_EQ(bombFragments[9].active, 0);
  EXPECT_EQ(shipDebris[3].active + shipDebris[3].clock, 0);
  EXPECT_EQ(zak2Slots[1].active, 0);
  EXPECT_FLOAT_EQ(zak2Slots[1].y, 500.0f);
  for (const Streak& s : streaks) {
    EXPECT_GE(s.kind, 0);
    EXPECT_LE(s.kind, 6);
    EXPECT_GE(s.x, 100.0f);
    EXPECT_LE(s.x, 639.0f);
    EXPECT_GE(s.drift, -25.0f);
    EXPECT_LE(s.drift, 24.0f);
    EXPECT_GE(s.speed, 100.0f);
  }
}

TEST_F(GameReset, TwiceInARowLeavesTheSameParkedStateWithFreshDraws) {
  Dirty();
  zuSystem::SeedRandom(5);
  FullReset();
  ExpectClean();
  const Streak first = streaks[0];
  const int kind = boss1.kind;
  const float vx = boss2.vx;
  FullReset();
  ExpectClean();
  // Same seed path continued: the random fields came from new draws.
  EXPECT_TRUE(first.x != streaks[0].x || first.speed != streaks[0].speed ||
              kind != boss1.kind || vx != boss2.vx);
}

TEST_F(GameReset, DrawCountAndOrderAreFixed) {
  zuSystem::SeedRandom(1234);
  FullReset();
  const uint32_t afterReset = zuSystem::RandomState();
  zuSystem::SeedRandom(1234);
  const int firstKind = zuSystem::Rand() % 10;
  for (int i = 1; i < RESET_DRAWS - STREAKS * 5; ++i) zuSystem::Rand();
  // The streaks come last, five draws each in field order.
  const int kind = zuSystem::Rand() % 7;
  const int x = zuSystem::Rand() % 540 + 100;
  const int y = zuSystem::Rand() % 480;
  const int drift = zuSystem::Rand() % 50 - 25;
  const int speed = zuSystem::Rand() % 100 + 100;
  for (int i = 5; i < STREAKS * 5; ++i) zuSystem::Rand();
  EXPECT_EQ(zuSystem::RandomState(), afterReset);
  EXPECT_EQ(boss1V1[0].kind, firstKind);
  EXPECT_EQ(streaks[0].kind, kind);
  EXPECT_FLOAT_EQ(streaks[0].x, static_cast<float>(x));
  EXPECT_FLOAT_EQ(streaks[0].y, static_cast<float>(y));
  EXPECT_FLOAT_EQ(streaks[0].drift, static_cast<float>(drift));
  EXPECT_FLOAT_EQ(streaks[0].speed, static_cast<float>(speed));
}

TEST_F(GameReset, CarriesTheRunOver) {
  score = 12345;
  hiScore = 20000;
  energy = 29;
  bombs = 1;
  gameMode = 0;
  scene = 3;
  plainBackground = 1;
  playerX = 222.0f;
  back1Tiles[3] = {130.0f, -77.0f, 0.0f};
  FullReset();
  EXPECT_EQ(score, 12345);
  EXPECT_EQ(hiScore, 20000);
  EXPECT_EQ(energy, 29);
  EXPECT_EQ(bombs, 1);
  EXPECT_EQ(gameMode, 0);
  EXPECT_EQ(scene, 3);
  EXPECT_EQ(plainBackground, 1);
  EXPECT_FLOAT_EQ(playerX, 222.0f);
  EXPECT_FLOAT_EQ(back1Tiles[3].y, -77.0f);
}

}  // namespace
