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
