#include "game/enemies/midsize.h"

#include "game/assets/assets.h"
#include "game/enemies/enemyshots.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/draw/zuDraw.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

EnemySlot zak50Slot;
EnemySlot zak51Slot;
SprayShotSlot zak50SprayLeft[SPRAY_SLOTS];
SprayShotSlot zak50SprayRight[SPRAY_SLOTS];
SprayShotSlot zak51SprayLeft[SPRAY_SLOTS];
SprayShotSlot zak51SprayRight[SPRAY_SLOTS];
FanShotSlot zak50Fan[FAN_SLOTS];
FanShotSlot zak51Fan[FAN_SLOTS];

// In the order of MidFamilyId; ranges are {base, span}: Rand() % span + base.
const MidFamily midFamilies[MID_FAMILY_COUNT] = {
    {.slot = &zak50Slot, .sprite = &objZAK50, .startY = -160.0f, .vy = {60, 50},
     .sprayLeft = zak50SprayLeft, .sprayRight = zak50SprayRight,
     .sprayFall = {80, 60}, .sprayDrift = {0, 70},
     .fan = zak50Fan, .fanOffset = 80},
    {.slot = &zak51Slot, .sprite = &objZAK51, .startY = -160.0f, .vy = {70, 55},
     .sprayLeft = zak51SprayLeft, .sprayRight = zak51SprayRight,
     .sprayFall = {80, 60}, .sprayDrift = {0, 80},
     .fan = zak51Fan, .fanOffset = 80},
};

// Volley 5 goes out at 200, between volleys 1 and 2.
const int fanReleaseCounts[FAN_VOLLEYS] = {80, 160, 240, 320, 400, 200, 560, 640, 720, 800};

namespace {

constexpr int LARGE_BURSTS = 8;
// Where the eight bursts of the large explosion sit on a 200 x 160 sprite.
constexpr int burstOffsets[LARGE_BURSTS][2] = {
    {-25, 35}, {135, 35}, {55, -45}, {55, 115}, {-2, -22}, {112, -22}, {-2, 92}, {112, 92},
};
constexpr int LARGE_COLUMNS = 8;
constexpr int LARGE_PASSES = 4;

constexpr float SPRAY_LEFT_X = 142.0f;
constexpr float SPRAY_RIGHT_X = 42.0f;
constexpr float SPRAY_Y = 100.0f;

// The arc of a fresh volley bulges downwards in the middle.
constexpr float fanArc[5] = {60.0f, 83.0f, 90.0f, 83.0f, 60.0f};
// Sideways step per pass of the spread; five passes per move.
constexpr float fanSpread[5] = {-20.0f, -10.0f, 0.0f, 10.0f, 20.0f};
constexpr int FAN_SPREAD_PASSES = 5;
constexpr float FAN_FALL = 190.0f;
constexpr int FAN_LAST_SLOT = FAN_SLOTS - 1;
// The fan's own ship box, unlike every other enemy shot's.
constexpr ShipHitBox FAN_SHOT_BOX{.left = 0.0f, .right = 20.0f, .top = 0.0f, .bottom = 20.0f};

SprayShotSlot* SprayGroup(int family, int sprayFamily) {
  return sprayFamily == 1 ? midFamilies[family].sprayLeft : midFamilies[family].sprayRight;
}

}  // namespace

void SpawnMid(int family) {
  const MidFamily& f = midFamilies[family];
  EnemySlot& s = *f.slot;
  if (s.active != 0) return;
  int x = zuSystem::Rand() % 240 + 100;
  s.x = static_cast<float>(x);
  s.y = f.startY;
  // Drawn but never used by the move; it keeps the sequence of numbers.
  int vx = zuSystem::Rand() % 50 + 47;
  s.vx = static_cast<float>(vx);
  s.vy = DrawRange(f.vy);
  s.active = 1;
  s.exploding = 0;
  s.explosionColumn = 0;
  s.spare2 = 0;
}

void MoveMid(int family) {
  EnemySlot& s = *midFamilies[family].slot;
  if (s.active != 0) s.y = s.y + s.vy * frameSeconds;
  if (s.y > FIELD_BOTTOM) Park(s);
}

void DrawMid(int family) {
  const MidFamily& f = midFamilies[family];
  EnemySlot& s = *f.slot;
  int x = static_cast<int>(s.x);
  int y = static_cast<int>(s.y);
  if (s.exploding == 0) {
    zuDraw::PutObject(x, y, *f.sprite, 0, 0, MID_WIDTH, MID_HEIGHT);
    return;
  }
  int left = s.explosionColumn * EXPLOSION_FRAME;
  for (const auto& offset : burstOffsets) {
    zuDraw::PutObject(static_cast<int>(s.x + offset[0]), static_cast<int>(s.y + offset[1]),
                      objZBAK3, left, 0, left + EXPLOSION_FRAME, EXPLOSION_FRAME);
  }
  s.explosionColumn += 1;
  if (s.explosionColumn > LARGE_COLUMNS - 1) {
    s.explosionColumn = 0;
    s.explosionLoop += 1;
  }
  if (s.explosionLoop > LARGE_PASSES - 1) {
    Park(s);
    s.exploding = 0;
    s.explosionColumn = 0;
    s.explosionLoop = 0;
  }
}

void HitMid(int family) {
  midFamilies[family].slot->exploding = 1;
  zuSound::Play(sndBOM, -1);
}

void FireSpray(int family, int sprayFamily) {
  const MidFamily& f = midFamilies[family];
  SprayShotSlot* group = SprayGroup(family, sprayFamily);
  float startX = sprayFamily == 1 ? SPRAY_LEFT_X : SPRAY_RIGHT_X;
  for (int i = 0; i < SPRAY_SLOTS; ++i) {
    SprayShotSlot& s = group[i];
    if (s.active != 0) continue;
    s.active = 1;
    s.x = f.slot->x + startX;
    s.y = f.slot->y + SPRAY_Y;
    s.vy = DrawRange(f.sprayFall);
    s.vx = DrawRange(f.sprayDrift);
  }
}

void MoveSpray(int family, int sprayFamily) {
  SprayShotSlot* group = SprayGroup(family, sprayFamily);
  for (int i = 0; i < SPRAY_SLOTS; ++i) {
    SprayShotSlot& s = group[i];
    if (s.active != 0) {
      s.y = s.y + s.vy * frameSeconds;
      if (sprayFamily == 1) {
        s.x = s.x - s.vx * frameSeconds;
      } else {
        s.x = s.x + s.vx * frameSeconds;
      }
    }
    if (s.y + ENEMY_SHOT_SIZE < 0.0f || s.y > FIELD_BOTTOM || bombActive == 1) Park(s);
    TestShip(s.x, s.y, SMALL_SHOT_BOX);
  }
}

void DrawSpray(int family, int sprayFamily) {
  const SprayShotSlot* group = SprayGroup(family, sprayFamily);
  for (int i = 0; i < SPRAY_SLOTS; ++i) {
    const SprayShotSlot& s = group[i];
    if (s.active == 0) continue;
    zuDraw::PutObject(static_cast<int>(s.x), static_cast<int>(s.y), objVAL11, 0, 0,
                      ENEMY_SHOT_SIZE, ENEMY_SHOT_SIZE);
  }
}

void LaunchFan(int family) {
  const MidFamily& f = midFamilies[family];
  FanShotSlot* fan = f.fan;
  for (int i = 0; i < FAN_SLOTS; ++i) {
    fan[i].launchCounter += 1;
    if (fan[i].launchCounter > FAN_COUNTER_MAX - 1) {
      fan[i].launchCounter = FAN_COUNTER_MAX;
      // Everything waits for the last volley's last shot to be gone.
      if (fan[FAN_LAST_SLOT].y > FIELD_BOTTOM) fan[i].launchCounter = 0;
    }
  }
  for (int v = 0; v < FAN_VOLLEYS; ++v) {
    FanShotSlot* volley = fan + 5 * v;
    int release = 0;
    for (int k = 0; k < 5; ++k) {
      if (volley[k].active == 0 && volley[k].launchCounter == fanReleaseCounts[v]) release = 1;
    }
    if (release == 0) continue;
    for (int k = 0; k < 5; ++k) {
      if (volley[k].active != 0) continue;
      volley[k].active = 1;
      volley[k].x = f.slot->x + static_cast<float>(f.fanOffset);
    }
    for (int k = 0; k < 5; ++k) volley[k].y = f.slot->y + fanArc[k];
  }
}

void MoveFan(int family) {
  FanShotSlot* fan = midFamilies[family].fan;
  // The spread runs for idle slots too, so parked shots drift sideways.
  for (int pass = 0; pass < FAN_SPREAD_PASSES; ++pass) {
    for (int i = 0; i < FAN_SLOTS; ++i) {
      int k = i % 5;
      if (k == 2) continue;
      fan[i].x = fan[i].x + fanSpread[k] * frameSeconds;
    }
  }
  for (int i = 0; i < FAN_SLOTS; ++i) {
    FanShotSlot& s = fan[i];
    if (s.active == 0) continue;
    s.vy = FAN_FALL;
    s.y = s.y + FAN_FALL * frameSeconds;
    if (s.y > FIELD_BOTTOM || bombActive == 1) Park(s);
  }
  for (int i = 0; i < FAN_SLOTS; ++i) {
    if (fan[i].active != 0) TestShip(fan[i].x, fan[i].y, FAN_SHOT_BOX);
  }
}

void DrawFan(int family) {
  const FanShotSlot* fan = midFamilies[family].fan;
  // Idle slots are drawn too: they sit below the clip rectangle.
  for (int i = 0; i < FAN_SLOTS; ++i) {
    int left = (i % 5) * FAN_SHOT_SIZE;
    zuDraw::PutObject(static_cast<int>(fan[i].x), static_cast<int>(fan[i].y), objZVAL401, left, 0,
                      left + FAN_SHOT_SIZE, FAN_SHOT_SIZE);
  }
}

void SpawnZak50() { SpawnMid(MID_ZAK50); }
void MoveZak50() { MoveMid(MID_ZAK50); }
void DrawZak50() { DrawMid(MID_ZAK50); }
void HitZak50() { HitMid(MID_ZAK50); }
void FireZak50Spray(int sprayFamily) { FireSpray(MID_ZAK50, sprayFamily); }
void MoveZak50Spray(int sprayFamily) { MoveSpray(MID_ZAK50, sprayFamily); }
void DrawZak50Spray(int sprayFamily) { DrawSpray(MID_ZAK50, sprayFamily); }
void LaunchZak50Fan() { LaunchFan(MID_ZAK50); }
void MoveZak50Fan() { MoveFan(MID_ZAK50); }
void DrawZak50Fan() { DrawFan(MID_ZAK50); }

void SpawnZak51() { SpawnMid(MID_ZAK51); }
void MoveZak51() { MoveMid(MID_ZAK51); }
void DrawZak51() { DrawMid(MID_ZAK51); }
void HitZak51() { HitMid(MID_ZAK51); }
void FireZak51Spray(int sprayFamily) { FireSpray(MID_ZAK51, sprayFamily); }
void MoveZak51Spray(int sprayFamily) { MoveSpray(MID_ZAK51, sprayFamily); }
void DrawZak51Spray(int sprayFamily) { DrawSpray(MID_ZAK51, sprayFamily); }
void LaunchZak51Fan() { LaunchFan(MID_ZAK51); }
void MoveZak51Fan() { MoveFan(MID_ZAK51); }
void DrawZak51Fan() { DrawFan(MID_ZAK51); }

void ResetMidSize() {
  for (const MidFamily& f : midFamilies) {
    ParkEnemy(*f.slot);
    for (int i = 0; i < SPRAY_SLOTS; ++i) {
      f.sprayLeft[i] = SprayShotSlot{};
      Park(f.sprayLeft[i]);
      f.sprayRight[i] = SprayShotSlot{};
      Park(f.sprayRight[i]);
    }
    for (int i = 0; i < FAN_SLOTS; ++i) {
      f.fan[i] = FanShotSlot{};
      Park(f.fan[i]);
    }
  }
}
