// Small-enemy shots: aimed shots (one group per firing family) and the five
// drop groups of ZAK18. Shot slot i always starts from enemy slot i of its family.
#pragma once
#include "game/enemies/enemy.h"
#include "game/player/ship.h"

// Fourteen 32-bit fields, in this order.
struct AimedShotSlot {
  int spare1;
  float x;
  float y;
  float unusedRandom1;  // filled with random numbers at firing, read by nobody
  float unusedRandom2;
  int spare6;
  int active;
  int spare8;
  float dx;             // aim x - start x
  float dy;             // aim y - start y
  float startX;
  float startY;
  float angle;          // radians, y grows downwards
  float speed;          // pixels per second
};

// Eight 32-bit fields, in this order.
struct DropShotSlot {
  int spare1;
  float x;
  float y;
  float vx;             // sideways drift, pixels per second
  float vy;             // fall speed, pixels per second
  int spare6;
  int active;
  int spare8;
};

constexpr int ENEMY_SHOT_SIZE = 16;

enum AimedGroupId {
  AIMED_ZAK4 = 0,
  AIMED_SECOND_ZAK4,
  AIMED_ZAK6,
  AIMED_ZAK8,
  AIMED_ZAK10,
  AIMED_GROUP_COUNT
};

// --- cleared by the game-state reset (ResetEnemyShots) ---

extern AimedShotSlot zak4Shots[ZAK4_SLOTS];
extern AimedShotSlot secondZak4Shots[ZAK4_SLOTS];
extern AimedShotSlot zak6Shots[ZAK6_SLOTS];
extern AimedShotSlot zak8Shots[ZAK8_SLOTS];
extern AimedShotSlot zak10Shots[ZAK10_SLOTS];

struct AimedGroup {
  AimedShotSlot* shots;
  int family;           // SmallFamilyId that it fires from (same slot count)
  const int* sheet;
  int xOffset;
  int spareDraws = 1;   // 1 or 2 numbers drawn before the speed
  RandomRange spare1;
  RandomRange spare2 = {0, 0};
};
extern const AimedGroup aimedGroups[AIMED_GROUP_COUNT];

constexpr int ZAK18_DROP_GROUPS = 5;
// Group g (0..4) is ZAK18's shot family g + 1.
extern DropShotSlot zak18Drops[ZAK18_DROP_GROUPS][ZAK18_SLOTS];

enum DropDirection { DROP_STRAIGHT = 0, DROP_LEFT, DROP_RIGHT };

struct DropGroup {
  RandomRange fallSpeed;
  float drift;
  DropDirection direction;
};
extern const DropGroup zak18DropGroups[ZAK18_DROP_GROUPS];
constexpr int ZAK18_DROP_X = 32;
constexpr int ZAK18_DROP_Y = 50;

// Shared procedures.
void FireAimed(int group);
void MoveAimed(int group);
void DrawAimed(int group);
void FireDrop(int group);
void MoveDrop(int group);
void DrawDrop(int group);

// The ship's box for every small shot but the fan's, tested after the move.
constexpr ShipHitBox SMALL_SHOT_BOX{.left = 14.0f, .right = 30.0f, .top = 24.0f, .bottom = 30.0f};

// Per-group entry points for the stage scenes.
void FireZak4Shots();
void MoveZak4Shots();
void DrawZak4Shots();
void FireSecondZak4Shots();
void MoveSecondZak4Shots();
void DrawSecondZak4Shots();
void FireZak6Shots();
void MoveZak6Shots();
void DrawZak6Shots();
void FireZak8Shots();
void MoveZak8Shots();
void DrawZak8Shots();
void FireZak10Shots();
void MoveZak10Shots();
void DrawZak10Shots();
// ZAK18's shot families 1 to 5, and all five at once in their order.
void FireZak18Drops(int shotFamily);
void MoveZak18Drops(int shotFamily);
void DrawZak18Drops(int shotFamily);
void FireZak18AllDrops();
void MoveZak18AllDrops();
void DrawZak18AllDrops();

// Every aimed and drop shot idle, cleared and parked (no random draws).
void ResetEnemyShots();
