// A quiet field for the game-logic suites: seeded draws, empty enemy tables, a
// live ship and no bomb; left the same way for the next suite.
#pragma once
#include <gtest/gtest.h>

#include "game/enemies/enemy.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"

class PlayField : public ::testing::Test {
 protected:
  void Prepare(uint32_t seed, float shipY) {
    zuSystem::SeedRandom(seed);
    ResetEnemyTables();
    frameSeconds = 0.0f;
    bombActive = 0;
    playerAlive = 1;
    playerX = 290.0f;
    playerY = shipY;
  }
  void TearDown() override {
    bombActive = 0;
    playerAlive = 1;
    frameSeconds = 0.0f;
    ResetEnemyTables();
  }
};
