#include "game/assets/assets.h"
#include "game/bosses/bosscore.h"
#include "game/player/ship.h"
#include "game/playfield.h"
#include "lib/draw/zuDraw.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

namespace {

constexpr float CLOCK_RATE = 10.0f;    // bossClock and deathClock, per second
constexpr float DEATH_LENGTH = 70.0f;  // deathClock units
constexpr int BOSS_SIZE = 380;
constexpr int LARGE_BLAST = 160;
constexpr int LARGE_BLAST_FRAMES = 4;
constexpr int SMALL_BLAST = 60;
constexpr int SMALL_BLAST_FRAMES = 10;
constexpr int APPROACH_SIZE = 480;
constexpr int SIDE_SHOT_NARROWING = 15;

void DrawApproach() {
  zuDraw::PutObject(static_cast<int>(boss1Approach.x), static_cast<int>(boss1Approach.y),
                    objBOS111, 0, 0, APPROACH_SIZE, APPROACH_SIZE);
}

bool InWindow(const ScriptRow& row, float t) {
  const bool aboveLow = row.lowOpen ? t > row.low : t >= row.low;
  return aboveLow && t <= row.high;
}

}  // namespace

void RunScript(BossRecord& boss, const ScriptRow* rows, int count) {
  boss.bossClock += CLOCK_RATE * frameSeconds;
  const float t = boss.bossClock;
  for (int i = 0; i < count; ++i) {
    const ScriptRow& row = rows[i];
    if (!InWindow(row, t)) continue;
    switch (row.action) {
      case SCRIPT_APPROACH_START:
        DrawApproach();
        boss1Approach.x = 80.0f;
        boss1Approach.y = 480.0f;
        boss1Approach.speed = 400.0f;
        break;
      case SCRIPT_APPROACH_RISE:
        DrawApproach();
        boss1Approach.x = 80.0f;
        boss1Approach.y -= boss1Approach.speed * frameSeconds;
        if (boss1Approach.y < -480.0f) {
          boss1Approach.speed = 0.0f;
          boss1Approach.x = PARK_X;
          boss1Approach.y = PARK_Y;
        }
        break;
      case SCRIPT_PLACE:
        boss.x = row.a;
        boss.y = row.b;
        break;
      case SCRIPT_MOVE_X:
        boss.x += row.a * frameSeconds;
        break;
      case SCRIPT_MOVE_Y:
        boss.y += row.a * frameSeconds;
        break;
      case SCRIPT_LOOP:
        boss.bossClock = row.a;
        break;
    }
  }
}

void RunPhases(float hitPoints, const PhaseRow* rows, int count) {
  for (int i = 0; i < count; ++i) {
    if (hitPoints >= rows[i].low && hitPoints <= rows[i].high) rows[i].procedure();
  }
}

int DrawBoss(const BossProfile& p) {
  BossRecord& boss = *p.boss;
  zuDraw::PutObject(static_cast<int>(boss.x), static_cast<int>(boss.y), *p.sprite, 0, 0,
                    BOSS_SIZE, BOSS_SIZE);
  if (boss.hitFlag != 0) {
    boss.hitFlag = 0;
    boss.flashLatch = 1;
  }
  if (boss.hitPoints <= 0.0f) return DeathStep(p);
  return 0;
}

namespace {

// One kind of death blast: each record shows where the previous call put it,
// then jumps elsewhere over the boss (x first, then y).
void StepBlasts(ExplosionRecord* blasts, int count, int picture, int size, int frames,
                int offsetX, const BossRecord& boss, int scatterY) {
  for (int i = 0; i < count; ++i) {
    ExplosionRecord& e = blasts[i];
    zuDraw::PutObject(static_cast<int>(e.x), static_cast<int>(e.y), picture, size * e.frame, 0,
                      size * e.frame + size, size);
    e.frame += 1;
    if (e.frame > frames - 1) e.frame = 0;
    const int rx = zuSystem::Rand() % BOSS_SIZE;
    e.x = static_cast<float>(rx - offsetX) + boss.x;
    const int ry = zuSystem::Rand() % scatterY;
    e.y = static_cast<float>(ry) + boss.y;
  }
}

}  // namespace

int DeathStep(const BossProfile& p) {
  BossRecord& boss = *p.boss;
  StepBlasts(p.large, BOSS_LARGE_BLASTS, objBBAK1, LARGE_BLAST, LARGE_BLAST_FRAMES, 100, boss,
             p.scatterY);
  StepBlasts(p.small, BOSS_SMALL_BLASTS, objZBAK1, SMALL_BLAST, SMALL_BLAST_FRAMES, 40, boss,
             p.scatterY);
  zuSound::Play(sndBOM, -1);
  boss.deathClock += CLOCK_RATE * frameSeconds;
  if (boss.deathClock <= DEATH_LENGTH) return 0;
  controlLocked = 1;
  return 1;
}

void HitBoss(BossRecord& boss) {
  boss.hitFlag = 1;
  zuSound::Play(sndBOM, -1);
}

int BossStruck(const BossProfile& p, int weapon, int sx, int sy) {
  const BossRecord& boss = *p.boss;
  // Like every target, the boss is tested at its position truncated toward zero.
  const int ex = static_cast<int>(boss.x);
  const int ey = static_cast<int>(boss.y);
  if (boss.shielded != 0 || ey < 0) return 0;
  int left = p.shotLeft;
  int right = p.shotRight;
  if (weapon == BOSS_SIDE_SHOT) {
    left += SIDE_SHOT_NARROWING;
    right -= SIDE_SHOT_NARROWING;
  } else if (weapon == BOSS_BOMB_FRAGMENT) {
    left = p.bombLeft;
    right = p.bombRight;
  }
  return sx >= ex + left && sx <= ex + right && sy >= ey + p.top && sy <= ey + p.bottom ? 1 : 0;
}

void StrikeBoss(const BossProfile& p, int weapon) {
  HitBoss(*p.boss);
  float damage = BOSS_CENTRE_SHOT_DAMAGE;
  if (weapon == BOSS_SIDE_SHOT) damage = BOSS_SIDE_SHOT_DAMAGE;
  if (weapon == BOSS_BOMB_FRAGMENT) damage = BOSS_BOMB_FRAGMENT_DAMAGE;
  // Damage follows frame time, so a boss lasts as long at any frame rate.
  p.boss->hitPoints -= damage * frameSeconds;
}

namespace {

void ResetBossRecord(BossRecord& boss, float hitPoints) {
  boss.kind = zuSystem::Rand() % 10;
  boss.x = PARK_X;
  boss.y = PARK_Y;
  const int vx = zuSystem::Rand() % 100;
  boss.vx = static_cast<float>(vx - 50);
  const int vy = zuSystem::Rand() % 100;
  boss.vy = static_cast<float>(vy + 100);
  boss.bossClock = 0.0f;
  boss.hitPoints = hitPoints;
  boss.deathClock = 0.0f;
  boss.shielded = 0;
  boss.flashLatch = 0;
  boss.hitFlag = 0;
  boss.spare = 0;
}

void ResetExplosions(ExplosionRecord* records, int count) {
  for (int i = 0; i < count; ++i) {
    records[i].frame = 0;
    records[i].x = PARK_X;
    records[i].y = PARK_Y;
  }
}

}  // namespace

void ResetBosses() {
  ResetBossRecord(boss1, BOSS1_HIT_POINTS);
  ResetBossRecord(boss2, BOSS2_HIT_POINTS);
  ResetExplosions(boss1LargeBlasts, BOSS_LARGE_BLASTS);
  ResetExplosions(boss1SmallBlasts, BOSS_SMALL_BLASTS);
  ResetExplosions(boss2LargeBlasts, BOSS_LARGE_BLASTS);
  ResetExplosions(boss2SmallBlasts, BOSS_SMALL_BLASTS);
  boss1Approach.x = PARK_X;
  boss1Approach.y = PARK_Y;
  boss1Approach.speed = 0.0f;
}
