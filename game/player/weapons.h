// The player's weapons: the three shot tables, the bomb and its fragments, and the
// ship's own explosion.
#pragma once
#include "game/playfield.h"

constexpr int SHOT_SLOTS = 13;
constexpr int SHOT_SPEED = 20;   // pixels per frame, upwards
constexpr int SHOT_DRIFT = 3;    // pixels per frame, outwards (side shots)
constexpr int BOMB_FRAGMENTS = 128;
constexpr int FRAGMENT_SPEED = 30;  // pixels per frame
constexpr int BOMB_DURATION = 48;   // frames of one bomb
constexpr int DEBRIS_PIECES = 80;
constexpr float DEBRIS_SPEED = 280.0f;  // pixels per second
constexpr int DEBRIS_RETURN_CLOCK = 50;  // explosion frame on which the ship comes back
constexpr int DEBRIS_ENERGY_COST = 16;   // one per piece of the last ring

// One player shot: five ints in this order.
struct PlayerShot {
  int x;
  int y;
  int drift;
  int speed;
  int active;
};

// Which shot table (for MoveShot and ShotTable).
enum : int { SHOT_CENTRE = 0, SHOT_LEFT = 1, SHOT_RIGHT = 2 };

// --- cleared by the game-state reset (ResetWeapons): every table below ---

extern PlayerShot centreShots[SHOT_SLOTS];
extern PlayerShot leftShots[SHOT_SLOTS];
extern PlayerShot rightShots[SHOT_SLOTS];

struct BombFragment {
  int x;
  int y;
  int active;
  float angle;  // radians; single precision on purpose (see MoveFragment)
  int speed;
};

extern int bombActive;
extern int bombClock;
extern BombFragment bombFragments[BOMB_FRAGMENTS];

struct DebrisPiece {
  float x, y;
  float startX, startY;
  float dirX, dirY;
  float angle;
  float speed;
  int active;
  int column, row;
  int cellCounter;
  int clock;
  int blinkCounter;
};

extern DebrisPiece shipDebris[DEBRIS_PIECES];

// The angle parked explosion pieces hold: -3 degrees.
constexpr float DEBRIS_PARK_ANGLE = static_cast<float>(-3.0 * PI / 180.0);

// Shots.
PlayerShot* ShotTable(int table);
// Fills slot k of each table that is free, from the ship's position.
void LaunchVolley(int slot);
// One frame of a shot's flight; it turns inactive above y -60 but keeps its place,
// so the caller still tests it this frame.
void MoveShot(int table, int slot);
// Left, right, centre for each slot index, active ones only.
void DrawPlayerShots();
// All 39 slots inactive and parked.
void ParkShots();

// Bomb.
void DrawBomb();
void BombStep();
// Moves one fragment; returns 1 when it is still on the field (to be tested),
// 0 when it left and was parked.
int MoveFragment(int slot);
void ParkFragments();

// The ship's explosion, called each frame while the ship is destroyed.
void AdvanceDebris();
void DrawDebris();
void MoveDebris();
// All 80 pieces inactive, counters and speeds 0, parked, at the park angle.
void ParkDebris();

// No bomb, its clock at 0, and every shot, fragment and debris piece parked.
void ResetWeapons();
