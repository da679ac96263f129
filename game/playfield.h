// What every part of the play column shares: where idle records wait, the
// column's edges, random ranges, the ship's hit test, the change of scene and the
// values a game starts with. One home for each, so a rule changes in one place.
#pragma once

// Where every idle enemy, shot, boss and explosion record waits: outside the clip
// rectangle and every hit window, so that draw and collision loops can walk all
// slots without asking which are in use.
constexpr int PARK_X = -500;
constexpr int PARK_Y = 500;

// The play column, which is also the clip rectangle (right and bottom exclusive).
constexpr int FIELD_LEFT = 130;
constexpr int FIELD_RIGHT = 510;
constexpr int FIELD_BOTTOM = 480;

constexpr double PI = 3.14159265358979323846;

// What a new game starts with, and what [Y] at the continue question restores.
constexpr int START_ENERGY = 77;
constexpr int START_BOMBS = 3;
constexpr int CONTINUE_ENERGY = 50;

// Sends a record with x, y and active back to the parked point, idle.
template <typename Record>
void Park(Record& r) {
  r.active = 0;
  r.x = PARK_X;
  r.y = PARK_Y;
}

// A random value Rand() % span + base; span 0 means the value is base and
// nothing is drawn.
struct RandomRange {
  int base;
  int span;
};

// One draw per call, so callers keep the order of their statements.
float DrawRange(RandomRange range);

// Where an enemy shot touches the ship: bounds on shot x − playerX and
// shot y − playerY, inclusive.
struct ShipHitBox {
  float left, right, top, bottom;
};

// Clears playerAlive when the shot at (x, y) lies in the box; a ship that is
// already down is left alone.
void TestShip(float x, float y, const ShipHitBox& box);

// The scene numbers of `scene`.
enum SceneNumber { SCENE_TITLE = 1, SCENE_STAGE1 = 2, SCENE_STAGE2 = 3, SCENE_SETUP = 11 };

// The next scene runs from the next frame on, starting with its entry work.
void ChangeScene(int next);
