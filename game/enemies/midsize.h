// The mid-size enemies ZAK50 (stage 1) and ZAK51 (stage 2): one EnemySlot each,
// two sprays and one fan of ten five-shot volleys.
#pragma once
#include "game/enemies/enemy.h"

// Nine 32-bit fields, in this order.
struct SprayShotSlot {
  int spare1;
  float x;
  float y;
  float vx;
  float vy;
  int spare6;
  int active;
  int spare8;
  int spare9;
};

// Eleven 32-bit fields, in this order.
struct FanShotSlot {
  int spare1;
  int spare2;
  float x;
  float y;
  float vx;             // not used
  float vy;
  int spare7;
  int launchCounter;    // frames
  int spare9;
  int active;
  int spare11;
};

constexpr int MID_WIDTH = 200;
constexpr int MID_HEIGHT = 160;
constexpr int SPRAY_SLOTS = 15;
constexpr int FAN_SLOTS = 50;
constexpr int FAN_VOLLEYS = 10;
constexpr int FAN_SHOT_SIZE = 40;
constexpr int FAN_COUNTER_MAX = 860;

enum MidFamilyId { MID_ZAK50 = 0, MID_ZAK51, MID_FAMILY_COUNT };

// --- cleared by the game-state reset (ResetMidSize) ---

extern EnemySlot zak50Slot;
extern EnemySlot zak51Slot;
// Shot family 1 drifts left (from x + 142), 2 drifts right (from x + 42).
extern SprayShotSlot zak50SprayLeft[SPRAY_SLOTS];
extern SprayShotSlot zak50SprayRight[SPRAY_SLOTS];
extern SprayShotSlot zak51SprayLeft[SPRAY_SLOTS];
extern SprayShotSlot zak51SprayRight[SPRAY_SLOTS];
// Shot family 3. Volley v is slots 5v .. 5v + 4.
extern FanShotSlot zak50Fan[FAN_SLOTS];
extern FanShotSlot zak51Fan[FAN_SLOTS];

struct MidFamily {
  EnemySlot* slot;
  const int* sprite;
  float startY;
  RandomRange vy;
  SprayShotSlot* sprayLeft;
  SprayShotSlot* sprayRight;
  RandomRange sprayFall;
  RandomRange sprayDrift;
  FanShotSlot* fan;
  int fanOffset;  // fan volleys leave from the enemy's x + fanOffset
};
extern const MidFamily midFamilies[MID_FAMILY_COUNT];

// Release count of each volley, in frames.
extern const int fanReleaseCounts[FAN_VOLLEYS];

// Shared procedures.
void SpawnMid(int family);
void MoveMid(int family);
void DrawMid(int family);
void HitMid(int family);
// sprayFamily: 1 left, 2 right.
void FireSpray(int family, int sprayFamily);
void MoveSpray(int family, int sprayFamily);
void DrawSpray(int family, int sprayFamily);
void LaunchFan(int family);
void MoveFan(int family);
void DrawFan(int family);

// Per-family entry points for the stage scenes and the collision passes.
void SpawnZak50();
void MoveZak50();
void DrawZak50();
void HitZak50();
void FireZak50Spray(int sprayFamily);
void MoveZak50Spray(int sprayFamily);
void DrawZak50Spray(int sprayFamily);
void LaunchZak50Fan();
void MoveZak50Fan();
void DrawZak50Fan();

void SpawnZak51();
void MoveZak51();
void DrawZak51();
void HitZak51();
void FireZak51Spray(int sprayFamily);
void MoveZak51Spray(int sprayFamily);
void DrawZak51Spray(int sprayFamily);
void LaunchZak51Fan();
void MoveZak51Fan();
void DrawZak51Fan();

// Both mid-size enemies, their sprays and fans idle, cleared and parked (no random
// draws).
void ResetMidSize();
