// Boss volley families as data: one table row per family, one set of procedures per
// kind (counted volley, stream, laser, aimed ring).
#pragma once
#include "game/assets/assets.h"
#include "game/bosses/boss.h"
#include "game/player/ship.h"
#include "game/playfield.h"

// The ship boxes of the three boss shot pictures.
constexpr ShipHitBox VAL20_BOX{.left = 10.0f, .right = 30.0f, .top = 20.0f, .bottom = 30.0f};
constexpr ShipHitBox VAL12_BOX{.left = 14.0f, .right = 30.0f, .top = 24.0f, .bottom = 30.0f};
constexpr ShipHitBox LZ50_BOX{.left = 18.0f, .right = 30.0f, .top = -10.0f, .bottom = 30.0f};

constexpr int MAX_GROUP = 5;
constexpr int MAX_STREAM = 4;
constexpr int MAX_LASER = 8;

// Groups of slots launched together when the shared counter reaches their trigger.
// Every family draws "VAL20.BMP" unless it says otherwise.
struct CountedVolley {
  ShotSlot* slots;
  int slotCount;
  int groupSize;
  int period;                // the counter runs 0 .. period − 1
  int triggerStep;           // group g launches at (g + 1) × triggerStep ...
  int oddTriggerGroup = -1;  // ... except this group (−1: none) ...
  int oddTrigger = 0;        // ... which launches at this count
  float dx;                  // launch x from the boss's left edge
  float dy[MAX_GROUP];       // launch y by position in the group
  int oddDyGroup = -1;       // this group (−1: none) ...
  int oddDyPosition = 0;     // ... uses oddDy at this position instead
  float oddDy = 0.0f;
  float drift[MAX_GROUP];    // sideways, by position in the group
  float fall;
  const int* sprite = &objVAL20;
  int width = 20, height = 20;
  ShipHitBox box = VAL20_BOX;
};

// Every idle slot relaunches from one point under the boss ("VAL12.BMP").
struct StreamVolley {
  ShotSlot* slots;
  int slotCount;
  float startX, startY;
  float drift[MAX_STREAM];  // by slot index
  float fall;
  const int* sprite = &objVAL12;
  int width = 16, height = 16;
  ShipHitBox box = VAL12_BOX;
};

// Lasers fall from fixed guns ("LZ50.BMP"); an idle slot relaunches and moves every
// slot's x (and, with setsEveryRow, every slot's y) back to its gun.
struct LaserVolley {
  ShotSlot* slots;
  int slotCount;
  float gunX[MAX_LASER];
  float gunY[MAX_LASER];
  int setsEveryRow = 0;
  float retireBelow = 0.0f;  // retired when y − retireBelow > 480
  float fall = 220.0f;
  const int* sprite = &objLZ50;
  int width = 12, height = 50;
  ShipHitBox box = LZ50_BOX;
};

// Rings of shots around the direction of the player ("VAL20.BMP").
struct RingVolley {
  RingSlot* slots;
  int slotCount;
  int ringSize;
  int period;
  int triggerStep;
  float launchX, launchY;
  float speed;
  const int* sprite = &objVAL20;
  int width = 20, height = 20;
  ShipHitBox box = VAL20_BOX;
};

void FireCounted(const CountedVolley& family, const BossRecord& boss);
void MoveCounted(const CountedVolley& family);
void DrawCounted(const CountedVolley& family);

void FireStream(const StreamVolley& family, const BossRecord& boss);
void MoveStream(const StreamVolley& family);
void DrawStream(const StreamVolley& family);

void FireLaser(const LaserVolley& family, const BossRecord& boss);
void MoveLaser(const LaserVolley& family);
void DrawLaser(const LaserVolley& family);

void FireRing(const RingVolley& family, const BossRecord& boss);
void MoveRing(const RingVolley& family);
void DrawRing(const RingVolley& family);

// Direction from a ring's launch point to the player, before the slot's turn.
double RingAim(float dx, float dy);

// Every slot of a family as the game-state reset leaves it, in slot order: kind =
// Rand() % 10 (one draw each), everything else zero, at the parked point.
void ResetVolley(const CountedVolley& family);
void ResetVolley(const StreamVolley& family);
void ResetVolley(const LaserVolley& family);
void ResetVolley(const RingVolley& family);

// Phase tables: a procedure runs in every frame whose hitPoints lies in its window.
struct PhaseRow {
  float low, high;  // inclusive
  void (*procedure)();
};

// The families, for tests and for the reset.
extern const CountedVolley boss1V1Family, boss1V2Family, boss1V3Family, boss1V4Family,
    boss1V5Family, boss1V6Family, boss1V7Family;
extern const StreamVolley boss1S1Family, boss1S2Family, boss1S3Family;
extern const LaserVolley boss1LFamily;
extern const CountedVolley boss2V1Family, boss2V2Family, boss2V3Family, boss2V4Family,
    boss2V5Family;
extern const StreamVolley boss2S1Family, boss2S2Family, boss2S3Family, boss2S4Family,
    boss2S5Family;
extern const LaserVolley boss2LFamily, boss2L8Family;
extern const RingVolley boss2R1Family, boss2R2Family;
