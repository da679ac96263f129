#include "game/backdrops/backdrop.h"

#include "game/assets/assets.h"
#include "game/playfield.h"
#include "lib/draw/zuDraw.h"
#include "lib/system/zuSystem.h"

BackgroundTile back1Tiles[BACKGROUND_TILES];
BackgroundTile back2Tiles[BACKGROUND_TILES];
Streak streaks[STREAKS];

namespace {

constexpr int TILE_WIDTH = 380;
constexpr int TILE_HEIGHT = 480;
constexpr float SCROLL_SPEED = 60.0f;  // pixels per second

// The strip is eight copies of one picture, so laying it out again once the top
// tile reaches the screen's top edge is seamless. Until the first layout every y
// is 0, which is what makes that first call lay it out after drawing tile 0.
void Scroll(BackgroundTile* tiles, int picture) {
  for (int i = 0; i < BACKGROUND_TILES; ++i) {
    BackgroundTile& t = tiles[i];
    zuDraw::PutObject(static_cast<int>(t.x), static_cast<int>(t.y), picture, 0, 0, TILE_WIDTH,
                      TILE_HEIGHT);
    t.x = FIELD_LEFT;
    t.y += SCROLL_SPEED * frameSeconds;
    if (tiles[BACKGROUND_TILES - 1].y >= 0.0f) {
      for (int j = 0; j < BACKGROUND_TILES; ++j) tiles[j].y = static_cast<float>(-TILE_HEIGHT * j);
      return;
    }
  }
}

}  // namespace

void ScrollBack1() { Scroll(back1Tiles, objBACK1); }
void ScrollBack2() { Scroll(back2Tiles, objBACK2); }

void DrawStarfield() {
  for (int i = 0; i < STREAKS; ++i) {
    Streak& s = streaks[i];
    const int left = 139 + 3 * s.kind;
    zuDraw::PutObject(static_cast<int>(s.x), static_cast<int>(s.y), objMYMY, left, 70, left + 3,
                      80);
    s.y += s.speed * frameSeconds;
    // A respawn may land right of 540; that streak is respawned again next call.
    if (s.x < 100.0f || s.x > 540.0f || s.y > 480.0f) {
      s.kind = zuSystem::Rand() % 7;
      const int x = zuSystem::Rand() % 510;
      s.x = static_cast<float>(x + 130);
      const int y = zuSystem::Rand() % 50;
      s.y = static_cast<float>(-y);
      const int speed = zuSystem::Rand() % 100;
      s.speed = static_cast<float>(speed + 100);
    }
  }
}

void LayOutBackgrounds() {
  for (int i = 0; i < BACKGROUND_TILES; ++i) {
    back1Tiles[i].x = PARK_X;
    back1Tiles[i].y = -480.0f * i;
    back2Tiles[i].x = PARK_X;
    back2Tiles[i].y = -480.0f * i;
  }
}

void ResetStarfield() {
  for (Streak& s : streaks) {
    s.kind = zuSystem::Rand() % 7;
    const int x = zuSystem::Rand() % 540;
    s.x = static_cast<float>(x + 100);
    const int y = zuSystem::Rand() % 480;
    s.y = static_cast<float>(y);
    const int drift = zuSystem::Rand() % 50;
    s.drift = static_cast<float>(drift - 25);
    const int speed = zuSystem::Rand() % 100;
    s.speed = static_cast<float>(speed + 100);
  }
}
