// The two bosses: their records, volley slots, explosions, and the procedures the
// stage scenes and the collision passes call.
#pragma once

// One per boss. Field order and sizes are fixed (all 4 bytes).
struct BossRecord {
  int kind;         // random at reset, not read
  float x;          // left edge of the sprite
  float y;          // top edge
  float vx;         // random at reset, not read
  float vy;         // random at reset, not read
  float bossClock;  // entrance and sway script, 10 per second
  float hitPoints;  // phases follow it; <= 0 starts the death sequence
  float deathClock; // 10 per second while dying
  int shielded;     // non-zero: the collision passes skip the boss
  int flashLatch;   // set when draw clears a hit flag; not read
  int hitFlag;      // set by the hit procedure, cleared by the next draw
  int spare;
};

// One slot of a counted volley, stream or laser family.
struct ShotSlot {
  int kind;   // random at reset, not read
  float x;
  float y;
  float vx;   // not read
  float vy;   // rewritten by every move
  float spare;
  int counter;  // fire calls, shared value across the family
  int active;   // 0 idle (parked), 1 in flight
};

// One slot of an aimed ring family: a ShotSlot followed by the aim and flight.
struct RingSlot {
  int kind;
  float x;
  float y;
  float vx;
  float vy;
  float spare;
  int counter;
  int active;
  float dx;       // player centre minus launch point
  float dy;
  float launchX;  // not read
  float launchY;  // not read
  float angle;    // radians, y grows downwards
  float speed;    // pixels per second
};

struct ExplosionRecord {
  int frame;
  float x;
  float y;
};

// The picture that crosses the screen before the first boss arrives.
struct ApproachImage {
  float x;
  float y;
  float speed;
};

constexpr float BOSS1_HIT_POINTS = 700.0f;
constexpr float BOSS2_HIT_POINTS = 800.0f;
constexpr int BOSS_LARGE_BLASTS = 5;
constexpr int BOSS_SMALL_BLASTS = 4;

// --- cleared by the game-state reset (ResetBosses and the volley resets) ---

extern BossRecord boss1;
extern BossRecord boss2;
extern ApproachImage boss1Approach;
extern ExplosionRecord boss1LargeBlasts[BOSS_LARGE_BLASTS];
extern ExplosionRecord boss1SmallBlasts[BOSS_SMALL_BLASTS];
extern ExplosionRecord boss2LargeBlasts[BOSS_LARGE_BLASTS];
extern ExplosionRecord boss2SmallBlasts[BOSS_SMALL_BLASTS];

// Volley slots of the first boss; the families that drive them are in
// boss1.cpp (boss1V1Family ...).
extern ShotSlot boss1V1[50];
extern ShotSlot boss1V2[50];
extern ShotSlot boss1V3[50];
extern ShotSlot boss1V4[30];
extern ShotSlot boss1V5[30];
extern ShotSlot boss1V6[50];
extern ShotSlot boss1V7[50];
extern ShotSlot boss1S1[2];
extern ShotSlot boss1S2[3];
extern ShotSlot boss1S3[4];
extern ShotSlot boss1L[4];

// Volley families of the second boss.
extern ShotSlot boss2V1[50];
extern ShotSlot boss2V2[50];
extern ShotSlot boss2V3[50];
extern ShotSlot boss2V4[50];
extern ShotSlot boss2V5[50];
extern ShotSlot boss2S1[2];
extern ShotSlot boss2S2[3];
extern ShotSlot boss2S3[3];
extern ShotSlot boss2S4[3];
extern ShotSlot boss2S5[4];
extern ShotSlot boss2L[4];
extern ShotSlot boss2L8[8];
extern RingSlot boss2R1[72];
extern RingSlot boss2R2[360];

// The game-state reset's parts, in the order it calls them; each slot draws one
// random number. The rings come after the enemies' reset.
void ResetBoss1Volleys();
void ResetBoss2Volleys();
void ResetBoss2Rings();
// Both boss records (three draws each), their explosions and the approach image.
void ResetBosses();

// Per-frame entry points, in the order a stage frame calls them:
//   DrawBossN (every frame; runs the death check itself),
//   inside the boss window: BossNScript, BossNFireByPhase, and in the time limit
//   BossNTimeOut,
//   BossNVolleys (every frame: each family's move, then its draw).
// The death check, and the draw and time-out that run it, return 1 on a step of
// the death sequence that finds it over (deathClock past 70, controls locked):
// the stage then ends the fight, in the normal game with the game-state reset.
int DrawBoss1();
int Boss1DeathCheck();  // one step of the death sequence when hitPoints <= 0
void Boss1Script();
void Boss1FireByPhase();
int Boss1TimeOut();  // hitPoints = 0 and one more death check
void Boss1Volleys();
void HitBoss1();      // hit flag and the explosion sound; damage is the caller's

int DrawBoss2();
int Boss2DeathCheck();
void Boss2Script();
void Boss2FireByPhase();
int Boss2TimeOut();
void Boss2Volleys();
void HitBoss2();

// Collision rows. A boss takes part while y >= 0 and it is not shielded; the
// windows are from its top-left corner truncated to integers, bounds included.
enum BossWeapon { BOSS_CENTRE_SHOT = 0, BOSS_SIDE_SHOT = 1, BOSS_BOMB_FRAGMENT = 2 };
// Hit points a strike takes per second of frame time, by weapon.
constexpr float BOSS_CENTRE_SHOT_DAMAGE = 60.0f;
constexpr float BOSS_SIDE_SHOT_DAMAGE = 40.0f;
constexpr float BOSS_BOMB_FRAGMENT_DAMAGE = 15.0f;

// 1 when a projectile of that weapon at (sx, sy) strikes the boss this frame.
int Boss1Struck(int weapon, int sx, int sy);
int Boss2Struck(int weapon, int sx, int sy);
// Calls the hit procedure and takes that weapon's damage × frameSeconds.
// Points are paid by the caller.
void StrikeBoss1(int weapon);
void StrikeBoss2(int weapon);
