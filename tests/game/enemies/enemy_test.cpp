#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/game/play_fixture.h"
#include "game/enemies/enemy.h"
#include "lib/system/zuSystem.h"

namespace {

class SmallEnemies : public ::testing::Test {
 protected:
  void SetUp() override {
    zuSystem::SeedRandom(1);
    ResetEnemies();
    frameSeconds = 0.0f;
  }
  void TearDown() override {
    ResetEnemies();
    frameSeconds = 0.0f;
  }
};

// The next n numbers of the generator from this seed, without disturbing the test.
std::vector<int> Draws(uint32_t seed, int n) {
  zuSystem::SeedRandom(seed);
  std::vector<int> out;
  for (int i = 0; i < n; ++i) out.push_back(zuSystem::Rand());
  zuSystem::SeedRandom(seed);
  return out;
}

TEST_F(SmallEnemies, Zak2SpawnDrawsXThenVyPerSlotAndSecondCallDrawsNothing) {
  std::vector<int> r = Draws(1234, 14);
  SpawnZak2();
  uint32_t afterFirst = zuSystem::RandomState();
  for (int i = 0; i < ZAK2_SLOTS; ++i) {
    EXPECT_EQ(zak2Slots[i].x, static_cast<float>(r[2 * i] % 380 + 100)) << i;
    EXPECT_EQ(zak2Slots[i].y, -70.0f);
    EXPECT_EQ(zak2Slots[i].vy, static_cast<float>(r[2 * i + 1] % 100 + 90)) << i;
    EXPECT_EQ(zak2Slots[i].vx, 0.0f);  // ZAK2 has no horizontal speed and draws none
    EXPECT_EQ(zak2Slots[i].active, 1);
  }
  SpawnZak2();
  EXPECT_EQ(zuSystem::RandomState(), afterFirst);
  EXPECT_EQ(zak2Slots[0].x, static_cast<float>(r[0] % 380 + 100));
}

TEST_F(SmallEnemies, FixedSpawnXDrawsOnlySpeedsAndUnusedVxIsStillDrawn) {
  std::vector<int> r = Draws(99, 9);
  SpawnZak4();
  for (int i = 0; i < ZAK4_SLOTS; ++i) {
    EXPECT_EQ(zak4Slots[i].x, 140.0f);
    EXPECT_EQ(zak4Slots[i].vx, static_cast<float>(r[2 * i] % 15));
    EXPECT_EQ(zak4Slots[i].vy, static_cast<float>(r[2 * i + 1] % 100 + 70));
  }
  // ZAK6 moves straight down but draws x, vx, vy all the same.
  r = Draws(99, 9);
  SpawnZak6();
  EXPECT_EQ(zak6Slots[0].x, static_cast<float>(r[0] % 380 + 100));
  EXPECT_EQ(zak6Slots[0].vx, static_cast<float>(r[1] % 10));
  EXPECT_EQ(zak6Slots[0].vy, static_cast<float>(r[2] % 70 + 60));
  EXPECT_EQ(zak6Slots[1].x, static_cast<float>(r[3] % 380 + 100));
}

TEST_F(SmallEnemies, MoveKeepsExactly480AndParksBeyond) {
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

TEST_F(SmallEnemies, Zak4PairDriftsApart) {
  SpawnZak4();
  SpawnSecondZak4();
  zak4Slots[0].vx = 10.0f;
  secondZak4Slots[0].vx = 10.0f;
  frameSeconds = 0.5f;
  MoveZak4();
  MoveSecondZak4();
  EXPECT_EQ(zak4Slots[0].x, 145.0f);
  EXPECT_EQ(secondZak4Slots[0].x, 415.0f);
  // Plain-down families leave x alone even with a non-zero vx.
  SpawnZak10();
  zak10Slots[0].vx = 9.0f;
  float x = zak10Slots[0].x;
  MoveZak10();
  EXPECT_EQ(zak10Slots[0].x, x);
}

// (column, row) shown by each draw until the explosion ends.
std::vector<std::pair<int, int>> DrawOut(int family, int slot, int limit, float fs = 0.0f) {
  std::vector<std::pair<int, int>> shown;
  EnemySlot& s = smallFamilies[family].slots[slot];
  frameSeconds = fs;
  for (int i = 0; i < limit && s.exploding == 1; ++i) {
    shown.emplace_back(s.explosionColumn, s.explosionRow);
    DrawSmall(family);
    MoveSmall(family);
  }
  return shown;
}

TEST_F(SmallEnemies, ExplosionShowsFifteenFramesWhileSinkingThenParks) {
  SpawnZak2();
  zak2Slots[3].y = 100.0f;
  zak2Slots[3].vy = 189.0f;
  HitZak2(3);
  EXPECT_EQ(zak2Slots[3].active, 1);
  std::vector<std::pair<int, int>> shown = DrawOut(FAMILY_ZAK2, 3, 100, 0.01f);
  std::vector<std::pair<int, int>> expected;
  for (int c = 0; c <= 7; ++c) expected.emplace_back(c, 0);
  for (int c = 1; c <= 7; ++c) expected.emplace_back(c, 1);  // row 1 starts at column 1
  EXPECT_EQ(shown, expected);
  const EnemySlot& s = zak2Slots[3];
  EXPECT_EQ(s.active, 0);
  EXPECT_EQ(s.x, -500.0f);
  EXPECT_EQ(s.y, 500.0f);
  EXPECT_EQ(s.explosionCounter, 0);
  EXPECT_EQ(s.explosionRow, 0);
  EXPECT_EQ(s.explosionColumn, 0);
}

TEST_F(SmallEnemies, ExplosionSinksWithTheEnemy) {
  SpawnZak8();
  zak8Slots[0].y = 100.0f;
  zak8Slots[0].vy = 100.0f;
  HitZak8(0);
  frameSeconds = 0.1f;
  DrawZak8();
  MoveZak8();
  DrawZak8();
  MoveZak8();
  EXPECT_FLOAT_EQ(zak8Slots[0].y, 120.0f);
  EXPECT_EQ(zak8Slots[0].exploding, 1);
}

TEST_F(SmallEnemies, ExplosionCutShortByTheBottomIsInheritedByTheNextSpawn) {
  SpawnZak6();
  zak6Slots[0].y = 470.0f;
  zak6Slots[0].vy = 0.0f;
  HitZak6(0);
  frameSeconds = 0.0f;
  for (int i = 0; i < 10; ++i) DrawZak6();
  EXPECT_EQ(zak6Slots[0].explosionCounter, 10);
  zak6Slots[0].y = 481.0f;
  MoveZak6();
  EXPECT_EQ(zak6Slots[0].active, 0);
  EXPECT_EQ(zak6Slots[0].exploding, 1);  // parked, still counting down
  EXPECT_EQ(zak6Slots[0].y, 500.0f);

  SpawnZak6();
  const EnemySlot& s = zak6Slots[0];
  EXPECT_EQ(s.active, 1);
  EXPECT_EQ(s.exploding, 0);
  EXPECT_EQ(s.explosionColumn, 0);
  EXPECT_EQ(s.explosionRow, 1);
  EXPECT_EQ(s.explosionCounter, 10);

  zak6Slots[0].y = 100.0f;
  HitZak6(0);
  std::vector<std::pair<int, int>> shown = DrawOut(FAMILY_ZAK6, 0, 100);
  std::vector<std::pair<int, int>> expected = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}};
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(zak6Slots[0].active, 0);
}

TEST_F(SmallEnemies, ResetParksEverythingAndGivesZak8RandomSpeeds) {
  SpawnZak2();
  HitZak2(0);
  std::vector<int> r = Draws(42, 6);
  ResetEnemies();
  EXPECT_EQ(zak2Slots[0].active, 0);
  EXPECT_EQ(zak2Slots[0].exploding, 0);
  EXPECT_EQ(zak2Slots[0].x, -500.0f);
  for (int i = 0; i < ZAK8_SLOTS; ++i) {
    EXPECT_EQ(zak8Slots[i].vx, static_cast<float>(r[2 * i] % 100 - 50));
    EXPECT_EQ(zak8Slots[i].vy, static_cast<float>(r[2 * i + 1] % 70 + 70));
    EXPECT_EQ(zak8Slots[i].y, 500.0f);
  }
}

}  // namespace
