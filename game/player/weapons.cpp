#include "game/player/weapons.h"

#include <cmath>

#include "game/assets/assets.h"
#include "game/player/ship.h"
#include "lib/draw/zuDraw.h"
#include "lib/system/zuSystem.h"

PlayerShot centreShots[SHOT_SLOTS];
PlayerShot leftShots[SHOT_SLOTS];
PlayerShot rightShots[SHOT_SLOTS];

int bombActive = 0;
int bombClock = 0;
BombFragment bombFragments[BOMB_FRAGMENTS];

DebrisPiece shipDebris[DEBRIS_PIECES];

namespace {
constexpr int SHOT_SIZE = 60;
constexpr int FRAGMENT_SIZE = 80;
constexpr int DEBRIS_CELL = 60;
constexpr int RING = 16;
constexpr int BOMB_RINGS = BOMB_FRAGMENTS / RING;
constexpr int BOMB_RING_GAP = 3;       // frames between rings
constexpr int BOMB_SECOND_WAVE = 24;   // frames until a ring launches again
constexpr int DEBRIS_RINGS = DEBRIS_PIECES / RING;
constexpr int DEBRIS_RING_CLOCK[DEBRIS_RINGS] = {1, 10, 20, 30, 40};

void LaunchFragment(int i) {
  BombFragment& f = bombFragments[i];
  f.active = 1;
  f.x = static_cast<int>(playerX) - 10;
  f.y = static_cast<int>(playerY) - 10;
  f.speed = FRAGMENT_SPEED;
  // Kept in single precision: the axis directions land a hair off the axis, so
  // the truncated step along them is 29.
  f.angle = static_cast<float>(2.0 * PI * (i + 1) / RING + PI / 2.0);
}

void LaunchDebris(int i) {
  DebrisPiece& d = shipDebris[i];
  d.active = 1;
  d.x = d.startX = playerX;
  d.y = d.startY = playerY;
  d.speed = DEBRIS_SPEED;
  d.dirX = 20.0f - d.x;
  d.dirY = 20.0f - d.y;
  const double turn = i * 2.0 * PI / RING;
  if (d.dirX == 0.0f) {
    d.angle = static_cast<float>(turn + PI / 2.0);
  } else {
    d.angle = static_cast<float>(std::atan(static_cast<double>(d.dirY) / d.dirX) + turn);
  }
  if ((d.dirX <= 0.0f && d.dirY <= 0.0f) || (d.dirX < 0.0f && d.dirY > 0.0f)) {
    d.angle = static_cast<float>(d.angle + PI);
  }
}
}  // namespace

PlayerShot* ShotTable(int table) {
  switch (table) {
    case SHOT_LEFT: return leftShots;
    case SHOT_RIGHT: return rightShots;
    default: return centreShots;
  }
}

void LaunchVolley(int slot) {
  const int px = static_cast<int>(playerX);
  const int py = static_cast<int>(playerY);
  PlayerShot& c = centreShots[slot];
  if (c.active == 0) {
    c.x = px;
    c.y = py + 15;
    c.speed = SHOT_SPEED;
    c.active = 1;
  }
  PlayerShot& l = leftShots[slot];
  if (l.active == 0) {
    l.x = px - 15;
    l.y = py + 10;
    l.drift = SHOT_DRIFT;
    l.speed = SHOT_SPEED;
    l.active = 1;
  }
  PlayerShot& r = rightShots[slot];
  if (r.active == 0) {
    r.x = px + 15;
    r.y = py + 10;
    r.drift = SHOT_DRIFT;
    r.speed = SHOT_SPEED;
    r.active = 1;
  }
}

void MoveShot(int table, int slot) {
  PlayerShot& s = ShotTable(table)[slot];
  s.y -= s.speed;
  if (table == SHOT_LEFT) s.x -= s.drift;
  if (table == SHOT_RIGHT) s.x += s.drift;
  if (s.y < -60) s.active = 0;
}

void DrawPlayerShots() {
  for (int i = 0; i < SHOT_SLOTS; ++i) {
    if (leftShots[i].active == 1) {
      zuDraw::PutObject(leftShots[i].x, leftShots[i].y, objFLH2, 0, 0, SHOT_SIZE, SHOT_SIZE);
    }
    if (rightShots[i].active == 1) {
      zuDraw::PutObject(rightShots[i].x, rightShots[i].y, objFLH3, 0, 0, SHOT_SIZE, SHOT_SIZE);
    }
    if (centreShots[i].active == 1) {
      zuDraw::PutObject(centreShots[i].x, centreShots[i].y, objFLH1, 0, 0, SHOT_SIZE, SHOT_SIZE);
    }
  }
}

void ParkShots() {
  for (int t = SHOT_CENTRE; t <= SHOT_RIGHT; ++t) {
    PlayerShot* table = ShotTable(t);
    for (int i = 0; i < SHOT_SLOTS; ++i) Park(table[i]);
  }
}

void DrawBomb() {
  for (const BombFragment& f : bombFragments) {
    zuDraw::PutObject(f.x, f.y, objFBOM1, 0, 0, FRAGMENT_SIZE, FRAGMENT_SIZE);
  }
}

void BombStep() {
  bombClock += 1;
  for (int r = 0; r < BOMB_RINGS; ++r) {
    if (bombClock == BOMB_RING_GAP * r || bombClock == BOMB_RING_GAP * r + BOMB_SECOND_WAVE) {
      for (int i = r * RING; i < r * RING + RING; ++i) {
        if (bombFragments[i].active == 0) LaunchFragment(i);
      }
    }
  }
  if (bombClock == BOMB_DURATION) {
    bombClock = 0;
    bombActive = 0;
    bombs -= 1;
  }
  if (bombs < 1) bombActive = 0;
}

int MoveFragment(int slot) {
  BombFragment& f = bombFragments[slot];
  // The sine and cosine of the stored float are taken in double, then truncated.
  f.y += static_cast<int>(std::sin(static_cast<double>(f.angle)) * f.speed);
  f.x += static_cast<int>(std::cos(static_cast<double>(f.angle)) * f.speed);
  if (f.x > FIELD_RIGHT || f.x < -20 || f.y > FIELD_BOTTOM || f.y < -20) {
    Park(f);
    return 0;
  }
  return 1;
}

void ParkFragments() {
  for (BombFragment& f : bombFragments) Park(f);
}

void AdvanceDebris() {
  for (int i = 0; i < DEBRIS_PIECES; ++i) {
    DebrisPiece& d = shipDebris[i];
    d.clock += 1;
    if (d.clock >= DEBRIS_RETURN_CLOCK && d.clock <= 200 && d.blinkCounter >= 0 &&
        d.blinkCounter <= 250) {
      d.blinkCounter += 1;
      playerAlive = 1;
      respawning = 1;
    }
  }
  for (int r = 0; r < DEBRIS_RINGS; ++r) {
    for (int i = r * RING; i < r * RING + RING; ++i) {
      if (shipDebris[i].clock != DEBRIS_RING_CLOCK[r] || shipDebris[i].active != 0) continue;
      LaunchDebris(i);
      // The last ring carries the cost of the destruction.
      if (r == DEBRIS_RINGS - 1) energy -= 1;
    }
  }
}

void DrawDebris() {
  for (DebrisPiece& d : shipDebris) {
    zuDraw::PutObject(static_cast<int>(d.x), static_cast<int>(d.y), objGFBAK1,
                      d.column * DEBRIS_CELL, d.row * DEBRIS_CELL,
                      d.column * DEBRIS_CELL + DEBRIS_CELL, d.row * DEBRIS_CELL + DEBRIS_CELL);
    // Row 0 columns 0..7, then row 1 columns 1..7: a 15-frame cycle.
    d.cellCounter += 1;
    if (d.cellCounter < 8) {
      d.column += 1;
      d.row = 0;
    } else if (d.cellCounter == 8) {
      d.column = 1;
      d.row = 1;
    } else if (d.cellCounter <= 14) {
      d.column += 1;
      d.row = 1;
    } else {
      d.column = 0;
      d.row = 0;
      d.cellCounter = 0;
    }
  }
}

void MoveDebris() {
  for (DebrisPiece& d : shipDebris) {
    if (d.active == 0) continue;
    d.y += std::sin(d.angle) * d.speed * frameSeconds;
    d.x += std::cos(d.angle) * d.speed * frameSeconds;
    if (d.x > FIELD_RIGHT || d.x < -60.0f || d.y > FIELD_BOTTOM || d.y < -60.0f) Park(d);
  }
}

void ParkDebris() {
  for (DebrisPiece& d : shipDebris) {
    d = DebrisPiece{};
    d.x = PARK_X;
    d.y = PARK_Y;
    d.angle = DEBRIS_PARK_ANGLE;
  }
}

void ResetWeapons() {
  bombActive = 0;
  bombClock = 0;
  ParkShots();
  ParkFragments();
  ParkDebris();
}

namespace {
// Every record starts parked, so the draw loops that walk all slots draw nothing
// even before the first game-state reset.
const int parkedAtStart = (ParkShots(), ParkFragments(), ParkDebris(), 0);
}  // namespace
