#include "tools/replay/trace_game_fields.h"

#include "game/backdrops/backdrop.h"
#include "game/bosses/boss.h"
#include "game/enemies/enemyshots.h"
#include "game/enemies/midsize.h"
#include "game/flow/scene.h"
#include "game/flow/stage.h"
#include "game/flow/title.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"

// Game-owned state of one frame. Floats are written with fixed decimals so that
// the same run gives the same text on every machine.
void WriteGameTraceFields(std::FILE* out) {
  std::fprintf(out,
               ",\"stageClock\":%.4f,\"score\":%d,\"hiScore\":%d,\"energy\":%d,\"bombs\":%d"
               ",\"playerX\":%.4f,\"playerY\":%.4f,\"playerAlive\":%d,\"gameOverShown\":%d"
               ",\"boss1HitPoints\":%.4f,\"boss2HitPoints\":%.4f,\"plainBackground\":%d",
               static_cast<double>(stageClock), score, hiScore, energy, bombs,
               static_cast<double>(playerX), static_cast<double>(playerY), playerAlive,
               gameOverShown, static_cast<double>(boss1.hitPoints),
               static_cast<double>(boss2.hitPoints), plainBackground);
}

namespace {

// Every record is made of 4-byte fields, so its bytes hold no padding.
template <typename T>
void Mix(uint64_t& h, const T& value) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(&value);
  for (size_t i = 0; i < sizeof value; ++i) h = (h ^ p[i]) * 0x100000001b3ull;
}

template <typename... T>
void MixAll(uint64_t& h, const T&... values) {
  (Mix(h, values), ...);
}

}  // namespace

uint64_t HashGameState(uint64_t h) {
  MixAll(h, zuSystem::RandomState(), frameSeconds, lastKey);
  MixAll(h, scene, previousScene, sceneEntered, paused, continuePrompt, gameMode,
         plainBackground, titleCounter, stageClock, gameOverZoom1, gameOverZoom2);
  MixAll(h, score, hiScore, continueDeclined, gameOverShown);
  MixAll(h, playerX, playerY, playerVX, playerVY, bankFrame, bankStep, playerAlive, respawning,
         respawnCount, blinkPhase, controlLocked, fireCounter, energy, bombs);
  MixAll(h, keyLeft, keyRight, keyUp, keyDown, keyZ, keyX, keyC, keyShift, keyCtrl);
  MixAll(h, centreShots, leftShots, rightShots, bombActive, bombClock, bombFragments, shipDebris);
  MixAll(h, zak2Slots, zak4Slots, secondZak4Slots, zak6Slots, zak8Slots, zak10Slots, zak18Slots);
  MixAll(h, zak4Shots, secondZak4Shots, zak6Shots, zak8Shots, zak10Shots, zak18Drops);
  MixAll(h, zak50Slot, zak51Slot, zak50SprayLeft, zak50SprayRight, zak51SprayLeft,
         zak51SprayRight, zak50Fan, zak51Fan);
  MixAll(h, boss1, boss2, boss1Approach, boss1LargeBlasts, boss1SmallBlasts, boss2LargeBlasts,
         boss2SmallBlasts);
  MixAll(h, boss1V1, boss1V2, boss1V3, boss1V4, boss1V5, boss1V6, boss1V7, boss1S1, boss1S2,
         boss1S3, boss1L);
  MixAll(h, boss2V1, boss2V2, boss2V3, boss2V4, boss2V5, boss2S1, boss2S2, boss2S3, boss2S4,
         boss2S5, boss2L, boss2L8, boss2R1, boss2R2);
  MixAll(h, back1Tiles, back2Tiles, streaks);
  return h;
}
