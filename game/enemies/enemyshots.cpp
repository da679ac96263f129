#include "game/enemies/enemyshots.h"

#include <cmath>

#include "game/assets/assets.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/draw/zuDraw.h"
#include "lib/system/zuSystem.h"

AimedShotSlot zak4Shots[ZAK4_SLOTS];
AimedShotSlot secondZak4Shots[ZAK4_SLOTS];
AimedShotSlot zak6Shots[ZAK6_SLOTS];
AimedShotSlot zak8Shots[ZAK8_SLOTS];
AimedShotSlot zak10Shots[ZAK10_SLOTS];
DropShotSlot zak18Drops[ZAK18_DROP_GROUPS][ZAK18_SLOTS];

// In the order of AimedGroupId. The spare numbers are drawn and never read.
const AimedGroup aimedGroups[AIMED_GROUP_COUNT] = {
    {.shots = zak4Shots, .family = FAMILY_ZAK4, .sheet = &objVAL12, .xOffset = 32,
     .spareDraws = 2, .spare1 = {30, 40}, .spare2 = {100, 100}},
    {.shots = secondZak4Shots, .family = FAMILY_SECOND_ZAK4, .sheet = &objVAL12, .xOffset = 32,
     .spareDraws = 2, .spare1 = {30, 40}, .spare2 = {100, 100}},
    {.shots = zak6Shots, .family = FAMILY_ZAK6, .sheet = &objVAL11, .xOffset = 22,
     .spare1 = {100, 100}},
    {.shots = zak8Shots, .family = FAMILY_ZAK8, .sheet = &objVAL11, .xOffset = 22,
     .spare1 = {100, 100}},
    {.shots = zak10Shots, .family = FAMILY_ZAK10, .sheet = &objVAL13, .xOffset = 32,
     .spare1 = {130, 100}},
};

// ZAK18's shot families 1 to 5: straight, left, right, left, right.
const DropGroup zak18DropGroups[ZAK18_DROP_GROUPS] = {
    {.fallSpeed = {108, 0}, .drift = 0.0f, .direction = DROP_STRAIGHT},
    {.fallSpeed = {105, 0}, .drift = 10.0f, .direction = DROP_LEFT},
    {.fallSpeed = {105, 0}, .drift = 10.0f, .direction = DROP_RIGHT},
    {.fallSpeed = {98, 0}, .drift = 20.0f, .direction = DROP_LEFT},
    {.fallSpeed = {98, 0}, .drift = 20.0f, .direction = DROP_RIGHT},
};

namespace {

// Shots are aimed at this point of the ship picture.
constexpr float AIM_OFFSET = 22.0f;
constexpr float AIMED_START_Y = 50.0f;

}  // namespace

void FireAimed(int group) {
  const AimedGroup& g = aimedGroups[group];
  const SmallFamily& f = smallFamilies[g.family];
  for (int i = 0; i < f.slotCount; ++i) {
    AimedShotSlot& s = g.shots[i];
    if (s.active != 0) continue;
    // Fired from the enemy slot whether it is alive or not; a parked origin is
    // parked again by the next move.
    s.active = 1;
    s.x = f.slots[i].x + static_cast<float>(g.xOffset);
    s.y = f.slots[i].y + AIMED_START_Y;
    // Numbers nobody reads, drawn all the same: they shift every later draw.
    s.unusedRandom1 = DrawRange(g.spare1);
    if (g.spareDraws > 1) s.unusedRandom2 = DrawRange(g.spare2);
    s.startX = s.x;
    s.startY = s.y;
    int speed = zuSystem::Rand() % 100 + 100;
    s.speed = static_cast<float>(speed);
    s.dx = (playerX + AIM_OFFSET) - s.x;
    s.dy = (playerY + AIM_OFFSET) - s.y;
    double angle = (s.dx == 0.0f) ? PI / 2.0 : std::atan(static_cast<double>(s.dy / s.dx));
    s.angle = static_cast<float>(angle);
    // atan only covers the right half; the left half and straight up turn by pi.
    if ((s.dx <= 0.0f && s.dy <= 0.0f) || (s.dx < 0.0f && s.dy > 0.0f)) {
      s.angle = static_cast<float>(static_cast<double>(s.angle) + PI);
    }
  }
}

void MoveAimed(int group) {
  const AimedGroup& g = aimedGroups[group];
  int count = smallFamilies[g.family].slotCount;
  for (int i = 0; i < count; ++i) {
    AimedShotSlot& s = g.shots[i];
    if (s.active != 0) {
      // In double, left to right, as sin(angle) * speed * frameSeconds reads.
      double angle = s.angle;
      s.y = static_cast<float>(s.y + std::sin(angle) * s.speed * frameSeconds);
      s.x = static_cast<float>(s.x + std::cos(angle) * s.speed * frameSeconds);
    }
    if (s.x + ENEMY_SHOT_SIZE < 0.0f || s.x > FIELD_RIGHT || s.y + ENEMY_SHOT_SIZE < 0.0f ||
        s.y > FIELD_BOTTOM || bombActive == 1) {
      Park(s);
    }
    TestShip(s.x, s.y, SMALL_SHOT_BOX);
  }
}

void DrawAimed(int group) {
  const AimedGroup& g = aimedGroups[group];
  int count = smallFamilies[g.family].slotCount;
  for (int i = 0; i < count; ++i) {
    const AimedShotSlot& s = g.shots[i];
    if (s.active == 0) continue;
    zuDraw::PutObject(static_cast<int>(s.x), static_cast<int>(s.y), *g.sheet, 0, 0,
                      ENEMY_SHOT_SIZE, ENEMY_SHOT_SIZE);
  }
}

void FireDrop(int group) {
  const DropGroup& g = zak18DropGroups[group];
  for (int i = 0; i < ZAK18_SLOTS; ++i) {
    DropShotSlot& s = zak18Drops[group][i];
    if (s.active != 0) continue;
    s.active = 1;
    s.x = zak18Slots[i].x + static_cast<float>(ZAK18_DROP_X);
    s.y = zak18Slots[i].y + static_cast<float>(ZAK18_DROP_Y);
    s.vy = DrawRange(g.fallSpeed);
    s.vx = g.drift;
  }
}

void MoveDrop(int group) {
  const DropGroup& g = zak18DropGroups[group];
  for (int i = 0; i < ZAK18_SLOTS; ++i) {
    DropShotSlot& s = zak18Drops[group][i];
    if (s.active != 0) {
      s.y = s.y + s.vy * frameSeconds;
      if (g.direction == DROP_LEFT) s.x = s.x - s.vx * frameSeconds;
      if (g.direction == DROP_RIGHT) s.x = s.x + s.vx * frameSeconds;
    }
    // No side bound: a drifting shot that leaves sideways waits until it falls out.
    if (s.y + ENEMY_SHOT_SIZE < 0.0f || s.y > FIELD_BOTTOM || bombActive == 1) Park(s);
    TestShip(s.x, s.y, SMALL_SHOT_BOX);
  }
}

void DrawDrop(int group) {
  for (int i = 0; i < ZAK18_SLOTS; ++i) {
    const DropShotSlot& s = zak18Drops[group][i];
    if (s.active == 0) continue;
    zuDraw::PutObject(static_cast<int>(s.x), static_cast<int>(s.y), objVAL11, 0, 0,
                      ENEMY_SHOT_SIZE, ENEMY_SHOT_SIZE);
  }
}

void FireZak4Shots() { FireAimed(AIMED_ZAK4); }
void MoveZak4Shots() { MoveAimed(AIMED_ZAK4); }
void DrawZak4Shots() { DrawAimed(AIMED_ZAK4); }
void FireSecondZak4Shots() { FireAimed(AIMED_SECOND_ZAK4); }
void MoveSecondZak4Shots() { MoveAimed(AIMED_SECOND_ZAK4); }
void DrawSecondZak4Shots() { DrawAimed(AIMED_SECOND_ZAK4); }
void FireZak6Shots() { FireAimed(AIMED_ZAK6); }
void MoveZak6Shots() { MoveAimed(AIMED_ZAK6); }
void DrawZak6Shots() { DrawAimed(AIMED_ZAK6); }
void FireZak8Shots() { FireAimed(AIMED_ZAK8); }
void MoveZak8Shots() { MoveAimed(AIMED_ZAK8); }
void DrawZak8Shots() { DrawAimed(AIMED_ZAK8); }
void FireZak10Shots() { FireAimed(AIMED_ZAK10); }
void MoveZak10Shots() { MoveAimed(AIMED_ZAK10); }
void DrawZak10Shots() { DrawAimed(AIMED_ZAK10); }

void FireZak18Drops(int shotFamily) { FireDrop(shotFamily - 1); }
void MoveZak18Drops(int shotFamily) { MoveDrop(shotFamily - 1); }
void DrawZak18Drops(int shotFamily) { DrawDrop(shotFamily - 1); }
void FireZak18AllDrops() {
  for (int g = 0; g < ZAK18_DROP_GROUPS; ++g) FireDrop(g);
}
void MoveZak18AllDrops() {
  for (int g = 0; g < ZAK18_DROP_GROUPS; ++g) MoveDrop(g);
}
void DrawZak18AllDrops() {
  for (int g = 0; g < ZAK18_DROP_GROUPS; ++g) DrawDrop(g);
}

void ResetEnemyShots() {
  for (int g = 0; g < AIMED_GROUP_COUNT; ++g) {
    int count = smallFamilies[aimedGroups[g].family].slotCount;
    for (int i = 0; i < count; ++i) {
      AimedShotSlot& s = aimedGroups[g].shots[i];
      s = AimedShotSlot{};
      s.x = PARK_X;
      s.y = PARK_Y;
    }
  }
  for (int g = 0; g < ZAK18_DROP_GROUPS; ++g) {
    for (int i = 0; i < ZAK18_SLOTS; ++i) {
      DropShotSlot& s = zak18Drops[g][i];
      s = DropShotSlot{};
      s.x = PARK_X;
      s.y = PARK_Y;
    }
  }
}
