// The enemy record and the seven small-enemy families.
//
// Each family is a fixed global slot array plus one row of smallFamilies; one set
// of procedures (SpawnSmall, MoveSmall, DrawSmall, HitSmall) drives every row.
// The named wrappers (SpawnZak2, MoveZak2 ...) are what the stage scenes call.
#pragma once
#include "game/playfield.h"

// Twelve 32-bit fields, in this order.
struct EnemySlot {
  int explosionLoop;    // passes of the large explosion (mid-size enemies)
  int spare2;           // cleared at spawn, read by nobody
  float x;              // left edge, pixels
  float y;              // top edge, pixels
  float vx;             // pixels per second
  float vy;             // pixels per second
  int spare7;
  int active;
  int exploding;
  int explosionColumn;
  int explosionRow;
  int explosionCounter;
};

// Small explosion: "ZBAK3.BMP", 80 x 80 frames, 15 drawn frames.
constexpr int EXPLOSION_FRAME = 80;
constexpr int EXPLOSION_LAST = 15;

constexpr int ZAK2_SLOTS = 7;
constexpr int ZAK4_SLOTS = 3;
constexpr int ZAK6_SLOTS = 3;
constexpr int ZAK8_SLOTS = 3;
constexpr int ZAK10_SLOTS = 3;
constexpr int ZAK18_SLOTS = 3;

// --- cleared by the game-state reset (ResetSmallEnemies) ---

extern EnemySlot zak2Slots[ZAK2_SLOTS];
extern EnemySlot zak4Slots[ZAK4_SLOTS];
extern EnemySlot secondZak4Slots[ZAK4_SLOTS];
extern EnemySlot zak6Slots[ZAK6_SLOTS];
extern EnemySlot zak8Slots[ZAK8_SLOTS];
extern EnemySlot zak10Slots[ZAK10_SLOTS];
extern EnemySlot zak18Slots[ZAK18_SLOTS];

// Family index into smallFamilies.
enum SmallFamilyId {
  FAMILY_ZAK2 = 0,
  FAMILY_ZAK4,
  FAMILY_SECOND_ZAK4,
  FAMILY_ZAK6,
  FAMILY_ZAK8,
  FAMILY_ZAK10,
  FAMILY_ZAK18,
  SMALL_FAMILY_COUNT
};

enum EnemyMovement {
  MOVE_DOWN = 0,        // y only
  MOVE_DOWN_RIGHT,      // y, and x + vx
  MOVE_DOWN_LEFT        // y, and x - vx
};

struct SmallFamily {
  EnemySlot* slots;
  int slotCount;
  const int* sprite;    // object id global of the family's picture
  int frameWidth;
  int frameHeight;
  RandomRange spawnX;
  float spawnY;
  int hasVx = 1;        // 0: vx is neither drawn nor written at spawn
  RandomRange vx = {0, 0};
  RandomRange vy;
  EnemyMovement movement = MOVE_DOWN;
};

extern const SmallFamily smallFamilies[SMALL_FAMILY_COUNT];

// Shared procedures, one family row each.
void SpawnSmall(int family);
void MoveSmall(int family);
void DrawSmall(int family);
void HitSmall(int family, int slot);

// Parks one record: idle, every integer 0, at the parked point, speeds 0.
void ParkEnemy(EnemySlot& slot);

// Per-family entry points for the stage scenes and the collision passes.
void SpawnZak2();
void MoveZak2();
void DrawZak2();
void HitZak2(int slot);

void SpawnZak4();
void MoveZak4();
void DrawZak4();
void HitZak4(int slot);

void SpawnSecondZak4();
void MoveSecondZak4();
void DrawSecondZak4();
void HitSecondZak4(int slot);

void SpawnZak6();
void MoveZak6();
void DrawZak6();
void HitZak6(int slot);

void SpawnZak8();
void MoveZak8();
void DrawZak8();
void HitZak8(int slot);

void SpawnZak10();
void MoveZak10();
void DrawZak10();
void HitZak10(int slot);

void SpawnZak18();
void MoveZak18();
void DrawZak18();
void HitZak18(int slot);

// Parks every small-enemy record and clears its fields; the ZAK8 slots get
// vx = Rand() % 100 − 50 then vy = Rand() % 70 + 70 each, in slot order (the only
// random draws). The game-state reset calls it before ResetEnemyShots and
// ResetMidSize.
void ResetSmallEnemies();
