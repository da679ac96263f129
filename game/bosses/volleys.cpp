#include "game/bosses/volleys.h"

#include <cmath>

#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/draw/zuDraw.h"
#include "lib/system/zuSystem.h"

namespace {

// The counter shared by a family's slots: one call, one count, 0 .. period - 1.
template <typename Slot>
void CountCalls(Slot* slots, int count, int period) {
  for (int i = 0; i < count; ++i) {
    slots[i].counter += 1;
    if (slots[i].counter > period - 1) slots[i].counter = 0;
  }
}

// Falling part of every move: active slots fall, leave at the bottom or under the
// bomb, and touch the ship.
void Fall(ShotSlot* slots, int count, float fall, float retireBelow, const ShipHitBox& box) {
  for (int i = 0; i < count; ++i) {
    ShotSlot& s = slots[i];
    if (s.active == 0) continue;
    s.vy = fall;
    s.y += s.vy * frameSeconds;
    if (s.y - retireBelow > FIELD_BOTTOM || bombActive == 1) {
      Park(s);
      continue;
    }
    TestShip(s.x, s.y, box);
  }
}

void DrawSlots(const ShotSlot* slots, int count, int sprite, int width, int height) {
  for (int i = 0; i < count; ++i) {
    zuDraw::PutObject(static_cast<int>(slots[i].x), static_cast<int>(slots[i].y), sprite, 0, 0,
                      width, height);
  }
}

}  // namespace

// --- counted volleys -------------------------------------------------------------

void FireCounted(const CountedVolley& f, const BossRecord& boss) {
  CountCalls(f.slots, f.slotCount, f.period);
  const int groups = f.slotCount / f.groupSize;
  for (int g = 0; g < groups; ++g) {
    const int trigger = g == f.oddTriggerGroup ? f.oddTrigger : (g + 1) * f.triggerStep;
    ShotSlot* group = f.slots + g * f.groupSize;
    for (int p = 0; p < f.groupSize; ++p) {
      if (group[p].counter != trigger || group[p].active != 0) continue;
      group[p].active = 1;
      group[p].x = boss.x + f.dx;
      // The whole group goes back to its launch row, slots still in flight too.
      for (int q = 0; q < f.groupSize; ++q) {
        const float dy = (g == f.oddDyGroup && q == f.oddDyPosition) ? f.oddDy : f.dy[q];
        group[q].y = boss.y + dy;
      }
    }
  }
}

void MoveCounted(const CountedVolley& f) {
  // Parked slots drift too; they stay below the field.
  for (int i = 0; i < f.slotCount; ++i) f.slots[i].x += f.drift[i % f.groupSize] * frameSeconds;
  Fall(f.slots, f.slotCount, f.fall, 0.0f, f.box);
}

void DrawCounted(const CountedVolley& f) {
  DrawSlots(f.slots, f.slotCount, *f.sprite, f.width, f.height);
}

// --- streams ---------------------------------------------------------------------

void FireStream(const StreamVolley& f, const BossRecord& boss) {
  for (int i = 0; i < f.slotCount; ++i) {
    ShotSlot& s = f.slots[i];
    if (s.active != 0) continue;
    s.active = 1;
    s.x = boss.x + f.startX;
    s.y = boss.y + f.startY;
  }
}

void MoveStream(const StreamVolley& f) {
  for (int i = 0; i < f.slotCount; ++i) f.slots[i].x += f.drift[i] * frameSeconds;
  Fall(f.slots, f.slotCount, f.fall, 0.0f, f.box);
}

void DrawStream(const StreamVolley& f) {
  DrawSlots(f.slots, f.slotCount, *f.sprite, f.width, f.height);
}

// --- lasers ----------------------------------------------------------------------

void FireLaser(const LaserVolley& f, const BossRecord& boss) {
  for (int i = 0; i < f.slotCount; ++i) {
    if (f.slots[i].active != 0) continue;
    f.slots[i].active = 1;
    // Every beam, in flight or not, is put back under its gun.
    for (int j = 0; j < f.slotCount; ++j) f.slots[j].x = boss.x + f.gunX[j];
    if (f.setsEveryRow) {
      for (int j = 0; j < f.slotCount; ++j) f.slots[j].y = boss.y + f.gunY[j];
    } else {
      f.slots[i].y = boss.y + f.gunY[i];
    }
  }
}

void MoveLaser(const LaserVolley& f) {
  Fall(f.slots, f.slotCount, f.fall, f.retireBelow, f.box);
}

void DrawLaser(const LaserVolley& f) {
  DrawSlots(f.slots, f.slotCount, *f.sprite, f.width, f.height);
}

// --- aimed rings -----------------------------------------------------------------

double RingAim(float dx, float dy) {
  if (dx == 0.0f) return dy <= 0.0f ? PI / 2 + PI : PI / 2;
  double angle = std::atan(static_cast<double>(dy) / static_cast<double>(dx));
  if (dx < 0.0f) angle += PI;
  return angle;
}

void FireRing(const RingVolley& f, const BossRecord& boss) {
  CountCalls(f.slots, f.slotCount, f.period);
  const int rings = f.slotCount / f.ringSize;
  for (int g = 0; g < rings; ++g) {
    const int trigger = (g + 1) * f.triggerStep;
    for (int i = g * f.ringSize; i < (g + 1) * f.ringSize; ++i) {
      RingSlot& s = f.slots[i];
      if (s.counter != trigger || s.active != 0) continue;
      s.active = 1;
      s.x = boss.x + f.launchX;
      s.y = boss.y + f.launchY;
      s.launchX = s.x;
      s.launchY = s.y;
      s.speed = f.speed;
      // Aim at the middle of the ship picture.
      s.dx = playerX + 20.0f - s.x;
      s.dy = playerY + 20.0f - s.y;
      s.angle = static_cast<float>(RingAim(s.dx, s.dy) + i * 2.0 * PI / f.ringSize);
    }
  }
}

void MoveRing(const RingVolley& f) {
  for (int i = 0; i < f.slotCount; ++i) {
    RingSlot& s = f.slots[i];
    if (s.active == 0) continue;
    s.y += std::sin(s.angle) * s.speed * frameSeconds;
    s.x += std::cos(s.angle) * s.speed * frameSeconds;
    if (s.x > FIELD_RIGHT || s.x < -20.0f || s.y > FIELD_BOTTOM || s.y < -20.0f || bombActive == 1) {
      Park(s);
      continue;
    }
    TestShip(s.x, s.y, f.box);
  }
}

void DrawRing(const RingVolley& f) {
  for (int i = 0; i < f.slotCount; ++i) {
    zuDraw::PutObject(static_cast<int>(f.slots[i].x), static_cast<int>(f.slots[i].y), *f.sprite,
                      0, 0, f.width, f.height);
  }
}

// --- reset -----------------------------------------------------------------------

namespace {

void ResetSlot(ShotSlot& s) {
  s = ShotSlot{};
  s.kind = zuSystem::Rand() % 10;
  s.x = PARK_X;
  s.y = PARK_Y;
}

void ResetSlot(RingSlot& s) {
  s = RingSlot{};
  s.kind = zuSystem::Rand() % 10;
  s.x = PARK_X;
  s.y = PARK_Y;
  s.angle = static_cast<float>(-PI / 60.0);
}

template <typename Family>
void ResetSlots(const Family& f) {
  for (int i = 0; i < f.slotCount; ++i) ResetSlot(f.slots[i]);
}

}  // namespace

void ResetVolley(const CountedVolley& f) { ResetSlots(f); }
void ResetVolley(const StreamVolley& f) { ResetSlots(f); }
void ResetVolley(const LaserVolley& f) { ResetSlots(f); }
void ResetVolley(const RingVolley& f) { ResetSlots(f); }
