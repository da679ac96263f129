// A quiet field for the game-logic suites: seeded draws, empty enemy tables, a
// live ship and no bomb; left the same way for the next suite.
#pragma once
#include <gtest/gtest.h>

#include "game/enemies/enemy.h"
#include "game/enemies/enemyshots.h"
#include "game/enemies/midsize.h"
#include "game/flow/title.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"

// Every small enemy, enemy shot and mid-size record as the game-state reset
// leaves them (ZAK8's six draws included).
inline void ResetEnemies() {
  ResetSmallEnemies();
  ResetEnemyShots();
  ResetMidSize();
}

// A new game's ship: as the game-state reset and a new game leave it, at its start
// point with the start energy and bombs, and no key down.
inline void FreshShip() {
  ResetShip();
  ResetWeapons();
  NewGame();
  keyLeft = keyRight = keyUp = keyDown = keyZ = keyX = keyC = keyShift = keyCtrl = 0;
}

class PlayField : public ::testing::Test {
 protected:
  void Prepare(uint32_t seed, float shipY) {
    zuSystem::SeedRandom(seed);
    ResetEnemies();
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
    ResetEnemies();
  }
};
