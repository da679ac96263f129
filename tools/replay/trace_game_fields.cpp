#include "tools/replay/trace_game_fields.h"

// Game-owned state of one frame. Each field reads its module's global once
// that module is wired in here; until then it is written as null.
void WriteGameTraceFields(std::FILE* out) {
  std::fputs(",\"stageClock\":null"
             ",\"score\":null"
             ",\"hiScore\":null"
             ",\"energy\":null"
             ",\"bombs\":null"
             ",\"playerX\":null"
             ",\"playerY\":null"
             ",\"playerAlive\":null"
             ",\"gameOverShown\":null"
             ",\"boss1HitPoints\":null"
             ",\"boss2HitPoints\":null",
             out);
}
