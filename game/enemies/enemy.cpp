#include "game/enemies/enemy.h"

#include "game/assets/assets.h"
#include "lib/draw/zuDraw.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

EnemySlot zak2Slots[ZAK2_SLOTS];
EnemySlot zak4Slots[ZAK4_SLOTS];
EnemySlot secondZak4Slots[ZAK4_SLOTS];
EnemySlot zak6Slots[ZAK6_SLOTS];
EnemySlot zak8Slots[ZAK8_SLOTS];
EnemySlot zak10Slots[ZAK10_SLOTS];
EnemySlot zak18Slots[ZAK18_SLOTS];

// Ranges are {base, span}: Rand() % span + base.
const SmallFamily smallFamilies[SMALL_FAMILY_COUNT] = {
    // FAMILY_ZAK2
    {.slots = zak2Slots, .slotCount = ZAK2_SLOTS,
     .sprite = &objZAK2, .frameWidth = 60, .frameHeight = 60,
     .spawnX = {100, 380}, .spawnY = -70.0f,
     .hasVx = 0, .vy = {90, 100}},
    // FAMILY_ZAK4
    {.slots = zak4Slots, .slotCount = ZAK4_SLOTS,
     .sprite = &objZAK4, .frameWidth = 80, .frameHeight = 60,
     .spawnX = {140, 0}, .spawnY = -130.0f,
     .vx = {0, 15}, .vy = {70, 100}, .movement = MOVE_DOWN_RIGHT},
    // FAMILY_SECOND_ZAK4
    {.slots = secondZak4Slots, .slotCount = ZAK4_SLOTS,
     .sprite = &objZAK4, .frameWidth = 80, .frameHeight = 60,
     .spawnX = {420, 0}, .spawnY = -130.0f,
     .vx = {0, 15}, .vy = {70, 100}, .movement = MOVE_DOWN_LEFT},
    // FAMILY_ZAK6
    {.slots = zak6Slots, .slotCount = ZAK6_SLOTS,
     .sprite = &objZAK6, .frameWidth = 60, .frameHeight = 70,
     .spawnX = {100, 380}, .spawnY = -70.0f,
     .vx = {0, 10}, .vy = {60, 70}},
    // FAMILY_ZAK8
    {.slots = zak8Slots, .slotCount = ZAK8_SLOTS,
     .sprite = &objZAK8, .frameWidth = 60, .frameHeight = 70,
     .spawnX = {100, 380}, .spawnY = -70.0f,
     .vx = {0, 10}, .vy = {60, 50}},
    // FAMILY_ZAK10
    {.slots = zak10Slots, .slotCount = ZAK10_SLOTS,
     .sprite = &objZAK10, .frameWidth = 80, .frameHeight = 60,
     .spawnX = {100, 380}, .spawnY = -100.0f,
     .vx = {0, 10}, .vy = {70, 80}},
    // FAMILY_ZAK18
    {.slots = zak18Slots, .slotCount = ZAK18_SLOTS,
     .sprite = &objZAK18, .frameWidth = 80, .frameHeight = 100,
     .spawnX = {100, 360}, .spawnY = -100.0f,
     .vx = {50, 50}, .vy = {70, 76}},
};

namespace {

// One frame of the 15-frame explosion; the counter drives column and row.
void AdvanceExplosion(EnemySlot& slot) {
  slot.explosionCounter += 1;
  int counter = slot.explosionCounter;
  if (counter >= 1 && counter <= 7) {
    slot.explosionColumn += 1;
    slot.explosionRow = 0;
  } else if (counter == 8) {
    // Row 1 starts at its second frame.
    slot.explosionColumn = 1;
    slot.explosionRow = 1;
  } else if (counter >= 9 && counter <= 14) {
    slot.explosionColumn += 1;
    slot.explosionRow = 1;
  } else if (counter >= EXPLOSION_LAST) {
    slot.exploding = 0;
    slot.explosionColumn = 0;
    slot.explosionRow = 0;
    slot.explosionCounter = 0;
    slot.explosionLoop = 0;
    Park(slot);
  }
}

}  // namespace

void ParkEnemy(EnemySlot& slot) {
  slot = EnemySlot{};
  slot.x = PARK_X;
  slot.y = PARK_Y;
}

void SpawnSmall(int family) {
  const SmallFamily& f = smallFamilies[family];
  for (int i = 0; i < f.slotCount; ++i) {
    EnemySlot& s = f.slots[i];
    if (s.active != 0) continue;
    s.x = DrawRange(f.spawnX);
    s.y = f.spawnY;
    if (f.hasVx) s.vx = DrawRange(f.vx);
    s.vy = DrawRange(f.vy);
    s.active = 1;
    s.exploding = 0;
    s.explosionColumn = 0;
    s.spare2 = 0;
    // Row and counter stay: an explosion cut short by leaving the field carries over.
  }
}

void MoveSmall(int family) {
  const SmallFamily& f = smallFamilies[family];
  for (int i = 0; i < f.slotCount; ++i) {
    EnemySlot& s = f.slots[i];
    if (s.active != 0) {
      s.y = s.y + s.vy * frameSeconds;
      if (f.movement == MOVE_DOWN_RIGHT) s.x = s.x + s.vx * frameSeconds;
      if (f.movement == MOVE_DOWN_LEFT) s.x = s.x - s.vx * frameSeconds;
    }
    // An exploding slot is parked too; its explosion is drawn out where it waits.
    if (s.y > FIELD_BOTTOM) Park(s);
  }
}

void DrawSmall(int family) {
  const SmallFamily& f = smallFamilies[family];
  for (int i = 0; i < f.slotCount; ++i) {
    EnemySlot& s = f.slots[i];
    int x = static_cast<int>(s.x);
    int y = static_cast<int>(s.y);
    if (s.exploding == 0) {
      zuDraw::PutObject(x, y, *f.sprite, 0, 0, f.frameWidth, f.frameHeight);
      continue;
    }
    int left = s.explosionColumn * EXPLOSION_FRAME;
    int top = s.explosionRow * EXPLOSION_FRAME;
    zuDraw::PutObject(x, y, objZBAK3, left, top, left + EXPLOSION_FRAME, top + EXPLOSION_FRAME);
    AdvanceExplosion(s);
  }
}

void HitSmall(int family, int slot) {
  smallFamilies[family].slots[slot].exploding = 1;
  zuSound::Play(sndBOM, -1);
}

void SpawnZak2() { SpawnSmall(FAMILY_ZAK2); }
void MoveZak2() { MoveSmall(FAMILY_ZAK2); }
void DrawZak2() { DrawSmall(FAMILY_ZAK2); }
void HitZak2(int slot) { HitSmall(FAMILY_ZAK2, slot); }

void SpawnZak4() { SpawnSmall(FAMILY_ZAK4); }
void MoveZak4() { MoveSmall(FAMILY_ZAK4); }
void DrawZak4() { DrawSmall(FAMILY_ZAK4); }
void HitZak4(int slot) { HitSmall(FAMILY_ZAK4, slot); }

void SpawnSecondZak4() { SpawnSmall(FAMILY_SECOND_ZAK4); }
void MoveSecondZak4() { MoveSmall(FAMILY_SECOND_ZAK4); }
void DrawSecondZak4() { DrawSmall(FAMILY_SECOND_ZAK4); }
void HitSecondZak4(int slot) { HitSmall(FAMILY_SECOND_ZAK4, slot); }

void SpawnZak6() { SpawnSmall(FAMILY_ZAK6); }
void MoveZak6() { MoveSmall(FAMILY_ZAK6); }
void DrawZak6() { DrawSmall(FAMILY_ZAK6); }
void HitZak6(int slot) { HitSmall(FAMILY_ZAK6, slot); }

void SpawnZak8() { SpawnSmall(FAMILY_ZAK8); }
void MoveZak8() { MoveSmall(FAMILY_ZAK8); }
void DrawZak8() { DrawSmall(FAMILY_ZAK8); }
void HitZak8(int slot) { HitSmall(FAMILY_ZAK8, slot); }

void SpawnZak10() { SpawnSmall(FAMILY_ZAK10); }
void MoveZak10() { MoveSmall(FAMILY_ZAK10); }
void DrawZak10() { DrawSmall(FAMILY_ZAK10); }
void HitZak10(int slot) { HitSmall(FAMILY_ZAK10, slot); }

void SpawnZak18() { SpawnSmall(FAMILY_ZAK18); }
void MoveZak18() { MoveSmall(FAMILY_ZAK18); }
void DrawZak18() { DrawSmall(FAMILY_ZAK18); }
void HitZak18(int slot) { HitSmall(FAMILY_ZAK18, slot); }

void ResetSmallEnemies() {
  for (int family = 0; family < SMALL_FAMILY_COUNT; ++family) {
    const SmallFamily& f = smallFamilies[family];
    for (int i = 0; i < f.slotCount; ++i) {
      ParkEnemy(f.slots[i]);
      if (family == FAMILY_ZAK8) {
        // The only family whose idle slots start with random speeds.
        int vx = zuSystem::Rand() % 100 - 50;
        f.slots[i].vx = static_cast<float>(vx);
        int vy = zuSystem::Rand() % 70 + 70;
        f.slots[i].vy = static_cast<float>(vy);
      }
    }
  }
}
