#include "game/player/collision.h"

#include "game/bosses/boss.h"
#include "game/enemies/enemy.h"
#include "game/enemies/midsize.h"
#include "game/player/score.h"
#include "game/player/weapons.h"

namespace {

enum TargetKind { TARGET_SMALL = 0, TARGET_MID, TARGET_BOSS1, TARGET_BOSS2 };

struct Window {
  int low;
  int high;
};

// One row per target family, in test order. Windows are offsets from the target's
// top-left corner to the projectile's, bounds included.
struct TargetRow {
  TargetKind kind;
  int family;          // SmallFamilyId or MidFamilyId
  int needsActive;     // only ZAK2 looks at its active flag
  int minYShot;        // the slot takes part when its y is at least this
  int minYBomb;
  Window shotX;        // centre shots; side shots use it narrowed by 15 each side
  Window shotY;
  Window bombX;
  Window bombY;
  int rightPoints;     // a right shot's pay
  int bombPoints;      // a fragment's pay
};

constexpr int SIDE_NARROWING = 15;
constexpr int POINTS = 20;

constexpr TargetRow targets[] = {
    {TARGET_SMALL, FAMILY_ZAK2, 1, -45, -45, {-60, 60}, {-60, 50}, {-80, 60}, {-10, 50}, 1, 1},
    {TARGET_SMALL, FAMILY_ZAK4, 0, -50, -800, {-60, 80}, {-60, 50}, {-80, 80}, {-10, 50}, 20, 20},
    {TARGET_SMALL, FAMILY_SECOND_ZAK4, 0, -50, -800, {-60, 80}, {-60, 50}, {-80, 80}, {-10, 50},
     20, 20},
    {TARGET_SMALL, FAMILY_ZAK6, 0, -30, -30, {-60, 60}, {-60, 50}, {-80, 60}, {-10, 50}, 20, 20},
    {TARGET_SMALL, FAMILY_ZAK8, 0, -30, -30, {-60, 60}, {-60, 50}, {-80, 60}, {-10, 50}, 20, 20},
    {TARGET_SMALL, FAMILY_ZAK10, 0, -30, -30, {-60, 80}, {-60, 50}, {-80, 80}, {-10, 50}, 20, 20},
    {TARGET_SMALL, FAMILY_ZAK18, 0, -30, -30, {-60, 80}, {-60, 50}, {-5, 80}, {-10, 50}, 20, 20},
    {TARGET_MID, MID_ZAK50, 0, -30, -30, {60, 80}, {-60, 50}, {60, 135}, {-60, 50}, 20, 20},
    {TARGET_MID, MID_ZAK51, 0, -30, -30, {60, 80}, {-60, 50}, {60, 135}, {-60, 50}, 20, 20},
    // The bosses' windows and shields live with the bosses.
    {TARGET_BOSS1, 0, 0, 0, 0, {0, 0}, {0, 0}, {0, 0}, {0, 0}, 20, 20},
    {TARGET_BOSS2, 0, 0, 0, 0, {0, 0}, {0, 0}, {0, 0}, {0, 0}, 20, 20},
};

enum Projectile { CENTRE = 0, LEFT, RIGHT, FRAGMENT };

bool Inside(int value, int origin, Window w) {
  return origin + w.low <= value && value <= origin + w.high;
}

int Points(const TargetRow& row, Projectile p) {
  if (p == RIGHT) return row.rightPoints;
  if (p == FRAGMENT) return row.bombPoints;
  return POINTS;
}

// 1 when the projectile at (sx, sy) lies in this slot's window.
bool Strikes(const TargetRow& row, const EnemySlot& slot, Projectile p, int sx, int sy) {
  if (row.needsActive && slot.active == 0) return false;
  int ex = static_cast<int>(slot.x);
  int ey = static_cast<int>(slot.y);
  if (p == FRAGMENT) {
    return ey >= row.minYBomb && Inside(sx, ex, row.bombX) && Inside(sy, ey, row.bombY);
  }
  if (ey < row.minYShot) return false;
  Window x = row.shotX;
  if (p != CENTRE) {
    x.low += SIDE_NARROWING;
    x.high -= SIDE_NARROWING;
  }
  return Inside(sx, ex, x) && Inside(sy, ey, row.shotY);
}

int BossWeapon(Projectile p) {
  if (p == CENTRE) return BOSS_CENTRE_SHOT;
  if (p == FRAGMENT) return BOSS_BOMB_FRAGMENT;
  return BOSS_SIDE_SHOT;
}

// Tests one projectile against every target in order; `active` is the shot's
// flag to clear (null for fragments, which a hit never uses up).
void TestTargets(Projectile p, int sx, int sy, int* active) {
  for (const TargetRow& row : targets) {
    if (row.kind == TARGET_BOSS1 || row.kind == TARGET_BOSS2) {
      int weapon = BossWeapon(p);
      int struck = row.kind == TARGET_BOSS1 ? Boss1Struck(weapon, sx, sy)
                                            : Boss2Struck(weapon, sx, sy);
      if (struck == 0) continue;
      if (row.kind == TARGET_BOSS1) {
        StrikeBoss1(weapon);
      } else {
        StrikeBoss2(weapon);
      }
      if (active != nullptr) *active = 0;
      PayPoints(Points(row, p));
      continue;
    }
    if (row.kind == TARGET_MID) {
      if (!Strikes(row, *midFamilies[row.family].slot, p, sx, sy)) continue;
      HitMid(row.family);
      if (p == CENTRE) *active = 0;
      PayPoints(Points(row, p));
      continue;
    }
    const SmallFamily& f = smallFamilies[row.family];
    for (int i = 0; i < f.slotCount; ++i) {
      if (!Strikes(row, f.slots[i], p, sx, sy)) continue;
      HitSmall(row.family, i);
      // Side shots pass through small enemies.
      if (p == CENTRE) *active = 0;
      PayPoints(Points(row, p));
    }
  }
}

}  // namespace

void CollideShots() {
  const Projectile order[3] = {CENTRE, LEFT, RIGHT};
  const int tables[3] = {SHOT_CENTRE, SHOT_LEFT, SHOT_RIGHT};
  for (int t = 0; t < 3; ++t) {
    PlayerShot* shots = ShotTable(tables[t]);
    for (int i = 0; i < SHOT_SLOTS; ++i) {
      if (shots[i].active == 0) continue;
      // A shot retired above -60 here still takes part in this frame's tests.
      MoveShot(tables[t], i);
      TestTargets(order[t], shots[i].x, shots[i].y, &shots[i].active);
    }
  }
}

void CollideBomb() {
  for (int i = 0; i < BOMB_FRAGMENTS; ++i) {
    if (bombFragments[i].active == 0) continue;
    if (MoveFragment(i) == 0) continue;
    TestTargets(FRAGMENT, bombFragments[i].x, bombFragments[i].y, nullptr);
  }
}
