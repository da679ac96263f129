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

}  // namespace
