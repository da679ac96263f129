// What the two bosses share: script and phase tables, the death sequence, the
// collision windows. Used by boss1.cpp and boss2.cpp only.
#pragma once
#include "game/bosses/boss.h"
#include "game/bosses/volleys.h"

enum ScriptAction {
  SCRIPT_APPROACH_START,  // draw the approach image, then put it below the screen
  SCRIPT_APPROACH_RISE,   // draw it and move it up; park it once it has left
  SCRIPT_PLACE,           // boss at (a, b)
  SCRIPT_MOVE_X,          // boss x += a per second
  SCRIPT_MOVE_Y,          // boss y += a per second
  SCRIPT_LOOP             // bossClock = a
};

constexpr float SCRIPT_FOREVER = 1.0e30f;

// Acts when low <= t (low < t when lowOpen) and t <= high.
struct ScriptRow {
  float low;
  int lowOpen = 0;
  float high;
  ScriptAction action;
  float a = 0.0f;
  float b = 0.0f;
};

struct BossProfile {
  BossRecord* boss;
  const int* sprite;
  ExplosionRecord* large;
  ExplosionRecord* small;
  int scatterY;   // explosions land Rand() % scatterY below the boss's top
  // Hit windows from the boss's top-left, inclusive; side shots use the shot
  // window narrowed by 15 on each side.
  int shotLeft, shotRight;
  int bombLeft, bombRight;
  int top, bottom;
};

void RunScript(BossRecord& boss, const ScriptRow* rows, int count);
void RunPhases(float hitPoints, const PhaseRow* rows, int count);
// Both return 1 when the death sequence is over (see DrawBoss1).
int DrawBoss(const BossProfile& profile);
int DeathStep(const BossProfile& profile);
void HitBoss(BossRecord& boss);
int BossStruck(const BossProfile& profile, int weapon, int sx, int sy);
void StrikeBoss(const BossProfile& profile, int weapon);

