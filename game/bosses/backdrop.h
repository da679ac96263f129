// Stage backdrops: the two background scrollers and the plain starfield.
#pragma once

// One copy of a scroller's 380 x 480 picture.
struct BackgroundTile {
  float x;
  float y;
  float unused;
};

// One falling streak of the starfield.
struct Streak {
  int kind;     // colour column 0..6
  float x;
  float y;
  float drift;  // drawn at reset, not read
  float speed;  // pixels per second downward
};

constexpr int BACKGROUND_TILES = 8;
constexpr int STREAKS = 36;

// The strips of "BACK1.BMP" and "BACK2.BMP". NewGame lays them out at every game
// start (x = -500, y = -480 x index); the game-state reset leaves them alone.
extern BackgroundTile back1Tiles[BACKGROUND_TILES];
extern BackgroundTile back2Tiles[BACKGROUND_TILES];
extern Streak streaks[STREAKS];

// One call per stage frame, before the enemies are drawn.
void ScrollBack1();
void ScrollBack2();
void DrawStarfield();
