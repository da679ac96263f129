#include "game/combat/collision.h"

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
  int family = 0;          // SmallFamilyId or MidFamilyId
  int needsActive = 0;     // only ZAK2 looks at its active flag
  int minYShot = -30;      // the slot takes part when its y is at least this
  int minYBomb = -30;
  Window shotX = {0, 0};   // centre shots; side shots use it narrowed by 15 each side
  Window shotY = {-60, 50};
  Window bombX = {0, 0};
  Window bombY = {-10, 50};
  int rightPoints = 20;    // a right shot's pay
  int bombPoints = 20;     // a fragment's pay
};

constexpr int SIDE_NARROWING = 15;
constexpr int POINTS = 20;

constexpr TargetRow targets[] = {
    // A right shot or a fragment pays ZAK2 1 point.
    {.kind = TARGET_SMALL, .family = FAMILY_ZAK2, .needsActive = 1,
     .minYShot = -45, .minYBomb = -45,
     .shotX = {-60, 60}, .bombX = {-80, 60},
     .rightPoints = 1, .bombPoints = 1},
    // Both ZAK4 families meet fragments from far above the field.
    {.kind = TARGET_SMALL, .family = FAMILY_ZAK4,
     .minYShot = -50, .minYBomb = -800,
     .shotX = {-60, 80}, .bombX = {-80, 80}},
    {.kind = TARGET_SMALL, .family = FAMILY_SECOND_ZAK4,
     .minYShot = -50, .minYBomb = -800,
     .shotX = {-60, 80}, .bombX = {-80, 80}},
    {.kind = TARGET_SMALL, .family = FAMILY_ZAK6, .shotX = {-60, 60}, .bombX = {-80, 60}},
    {.kind = TARGET_SMALL, .family = FAMILY_ZAK8, .shotX = {-60, 60}, .bombX = {-80, 60}},
    {.kind = TARGET_SMALL, .family = FAMILY_ZAK10, .shotX = {-60, 80}, .bombX = {-80, 80}},
    {.kind = TARGET_SMALL, .family = FAMILY_ZAK18, .shotX = {-60, 80}, .bombX = {-5, 80}},
    {.kind = TARGET_MID, .family = MID_ZAK50,
     .shotX = {60, 80}, .bombX = {60, 135}, .bombY = {-60, 50}},
    {.kind = TARGET_MID, .family = MID_ZAK51,
     .shotX = {60, 80}, .bombX = {60, 135}, .bombY = {-60, 50}},
    // The bosses' windows and shields live with the bosses.
    {.kind = TARGET_BOSS1},
    {.kind = TARGET_BOSS2},
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
