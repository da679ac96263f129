#include <gtest/gtest.h>

#include "game/bosses/backdrop.h"
#include "lib/system/zuSystem.h"

namespace {

class Backdrops : public ::testing::Test {
 protected:
  void TearDown() override {
    frameSeconds = 0.0f;
    ResetStarfield();
  }
};

// Streaks that stay put and are never respawned, so one streak can be watched.
void QuietStreaks() {
  for (Streak& s : streaks) s = {0, 300.0f, 100.0f, 0.0f, 0.0f};
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

}  // namespace
