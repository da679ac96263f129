// Boss volley families as data: one table row per family, one set of procedures per
// kind (counted volley, stream, laser, aimed ring).
#pragma once
#include "game/bosses/boss.h"

// Where an enemy shot touches the ship: bounds on shot x - playerX and
// shot y - playerY, inclusive.
struct ShipHitBox {
  float left, right, top, bottom;
};
constexpr ShipHitBox VAL20_BOX{10.0f, 30.0f, 20.0f, 30.0f};
constexpr ShipHitBox VAL12_BOX{14.0f, 30.0f, 24.0f, 30.0f};
constexpr ShipHitBox LZ50_BOX{18.0f, 30.0f, -10.0f, 30.0f};

constexpr int MAX_GROUP = 5;
constexpr int MAX_STREAM = 4;
constexpr int MAX_LASER = 8;

// Groups of slots launched together when the shared counter reaches their trigger.
struct CountedVolley {
  ShotSlot* slots;
  int slotCount;
  int groupSize;
  int period;       // counter runs 0 .. period - 1
  int triggerStep;  // group g launches at (g + 1) x step ...
  int oddTriggerGroup;  // ... except this group (-1: none) ...
  int oddTrigger;       // ... which launches at this count
  float dx;             // launch x from the boss's left edge
  float dy[MAX_GROUP];  // launch y by position in the group
  int oddDyGroup;       // this group (-1: none) ...
  int oddDyPosition;    // ... uses oddDy at this position instead
  float oddDy;
  float drift[MAX_GROUP];  // sideways, by position in the group
  float fall;
  const int* sprite;
  int width, height;
  ShipHitBox box;
};

// Every idle slot relaunches from one point under the boss.
struct StreamVolley {
  ShotSlot* slots;
  int slotCount;
  float startX, startY;
  float drift[MAX_STREAM];  // by slot index
  float fall;
  const int* sprite;
  int width, height;
  ShipHitBox box;
};

// Lasers fall from fixed guns; an idle slot relaunches and moves every slot's x
// (and, with setsEveryRow, every slot's y) back to its gun.
struct LaserVolley {
  ShotSlot* slots;
  int slotCount;
  float gunX[MAX_LASER];
  float gunY[MAX_LASER];
  int setsEveryRow;
  float retireBelow;  // retired when y - retireBelow > 480
  float fall;
  const int* sprite;
  int width, height;
  ShipHitBox box;
};

// Rings of 36 shots around the direction of the player.
struct RingVolley {
  RingSlot* slots;
  int slotCount;
  int ringSize;
  int period;
  int triggerStep;
  float launchX, launchY;
  float speed;
  const int* sprite;
  int width, height;
  ShipHitBox box;
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

// Parks a slot as the game-state reset leaves it: kind = Rand() % 10, everything
// else zero, at the parked point.
void ResetShotSlot(ShotSlot& slot);
void ResetRingSlot(RingSlot& slot);

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
