#include "game/bosses/reset.h"

#include "game/bosses/backdrop.h"
#include "game/bosses/bosscore.h"
#include "game/enemies/enemy.h"
#include "game/flow/scene.h"
#include "game/flow/stage.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"

namespace {

void ResetSlots(ShotSlot* slots, int count) {
  for (int i = 0; i < count; ++i) ResetShotSlot(slots[i]);
}

void ResetRings(RingSlot* slots, int count) {
  for (int i = 0; i < count; ++i) ResetRingSlot(slots[i]);
}

template <typename Family>
void ResetFamily(const Family& family) {
  ResetSlots(family.slots, family.slotCount);
}

void ResetStreaks() {
  for (Streak& s : streaks) {
    s.kind = zuSystem::Rand() % 7;
    const int x = zuSystem::Rand() % 540;
    s.x = static_cast<float>(x + 100);
    const int y = zuSystem::Rand() % 480;
    s.y = static_cast<float>(y);
    const int drift = zuSystem::Rand() % 50;
    s.drift = static_cast<float>(drift - 25);
    const int speed = zuSystem::Rand() % 100;
    s.speed = static_cast<float>(speed + 100);
  }
}

}  // namespace

// The order below (single values, then the records kind by kind) fixes the order
// of the random draws, so a game replays the same from the same seed.
void FullReset() {
  playerAlive = 1;
  bombActive = 0;
  controlLocked = 0;
  stageClock = 0.0f;
  playerVX = 0.0f;
  playerVY = 0.0f;
  bankFrame = 3;
  bankStep = 0;
  respawning = 0;
  respawnCount = 0;
  blinkPhase = 0;
  paused = 0;
  continuePrompt = 0;
  continueDeclined = 0;
  gameOverShown = 0;
  fireCounter = 0;
  bombClock = 0;

  // Volley families of both bosses.
  ResetFamily(boss1V1Family);
  ResetFamily(boss1V2Family);
  ResetFamily(boss1V3Family);
  ResetFamily(boss1V4Family);
  ResetFamily(boss1V5Family);
  ResetFamily(boss1V6Family);
  ResetFamily(boss1V7Family);
  ResetFamily(boss1S1Family);
  ResetFamily(boss1S2Family);
  ResetFamily(boss1S3Family);
  ResetFamily(boss1LFamily);
  ResetFamily(boss2V1Family);
  ResetFamily(boss2V2Family);
  ResetFamily(boss2V3Family);
  ResetFamily(boss2V4Family);
  ResetFamily(boss2V5Family);
  ResetFamily(boss2S1Family);
  ResetFamily(boss2S2Family);
  ResetFamily(boss2S3Family);
  ResetFamily(boss2S4Family);
  ResetFamily(boss2S5Family);
  ResetFamily(boss2LFamily);
  ResetFamily(boss2L8Family);

  // Every small and mid-size enemy and their shots.
  ResetEnemyTables();

  ResetRings(boss2R1Family.slots, boss2R1Family.slotCount);
  ResetRings(boss2R2Family.slots, boss2R2Family.slotCount);

  ResetBossRecord(boss1, BOSS1_HIT_POINTS);
  ResetBossRecord(boss2, BOSS2_HIT_POINTS);
  ResetExplosions(boss1LargeBlasts, BOSS_LARGE_BLASTS);
  ResetExplosions(boss1SmallBlasts, BOSS_SMALL_BLASTS);
  ResetExplosions(boss2LargeBlasts, BOSS_LARGE_BLASTS);
  ResetExplosions(boss2SmallBlasts, BOSS_SMALL_BLASTS);
  boss1Approach.x = -500.0f;
  boss1Approach.y = 500.0f;
  boss1Approach.speed = 0.0f;

  ParkShots();
  ParkFragments();
  ParkDebris();

  ResetStreaks();
}
