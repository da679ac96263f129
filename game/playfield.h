// What every part of the play column shares: where idle records wait, the
// column's edges, random ranges, the scene protocol and the change of scene, and
// the values a game starts with. One home for each, so a rule changes in one place.
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

// The scene numbers of `scene`.
enum SceneNumber { SCENE_TITLE = 1, SCENE_STAGE1 = 2, SCENE_STAGE2 = 3, SCENE_SETUP = 11 };

// --- the scene protocol, kept for the whole run ---

// The current scene (SceneNumber); change it with ChangeScene.
extern int scene;
// 0 forces a first frame on the next frame.
extern int previousScene;
// 1 during the first frame of a scene.
extern int sceneEntered;

// The next scene runs from the next frame on, starting with its entry work.
void ChangeScene(int next);
