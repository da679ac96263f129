#include "game/flow/reset.h"

#include "game/backdrops/backdrop.h"
#include "game/bosses/boss.h"
#include "game/enemies/enemy.h"
#include "game/enemies/enemyshots.h"
#include "game/enemies/midsize.h"
#include "game/flow/scene.h"
#include "game/flow/stage.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"

// Each module resets what it owns. The first five draw no random numbers; the
// rest draw in the order below, which a replay from the same seed depends on:
// change it and every later frame of a recorded game changes.
void FullReset() {
  ResetShip();
  ResetWeapons();
  ResetStageClock();
  ResetPause();
  ResetGameOver();

  ResetBoss1Volleys();
  ResetBoss2Volleys();
  ResetSmallEnemies();
  ResetEnemyShots();
  ResetMidSize();
  ResetBoss2Rings();
  ResetBosses();
  ResetStarfield();
}
