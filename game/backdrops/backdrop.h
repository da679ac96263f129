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

// --- kept for the whole run: laid out at every game start ---

// The strips of "BACK1.BMP" and "BACK2.BMP"; the game-state reset leaves them alone.
extern BackgroundTile back1Tiles[BACKGROUND_TILES];
extern BackgroundTile back2Tiles[BACKGROUND_TILES];

// --- cleared by the game-state reset ---

extern Streak streaks[STREAKS];

// Both strips at x = −500 (parked), y = −480 × index: NewGame calls it.
void LayOutBackgrounds();
// Every streak anew: kind, x, y, drift and speed, five draws per streak in order.
void ResetStarfield();

// One call per stage frame, before the enemies are drawn.
void ScrollBack1();
void ScrollBack2();
void DrawStarfield();
