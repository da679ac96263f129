// The first boss (BOS11), fought at the end of stage 1.
#include "game/bosses/bosscore.h"
#include "game/flow/catalogue.h"

BossRecord boss1;
ApproachImage boss1Approach;
ExplosionRecord boss1LargeBlasts[BOSS_LARGE_BLASTS];
ExplosionRecord boss1SmallBlasts[BOSS_SMALL_BLASTS];
ShotSlot boss1V1[50];
ShotSlot boss1V2[50];
ShotSlot boss1V3[50];
ShotSlot boss1V4[30];
ShotSlot boss1V5[30];
ShotSlot boss1V6[50];
ShotSlot boss1V7[50];
ShotSlot boss1S1[2];
ShotSlot boss1S2[3];
ShotSlot boss1S3[4];
ShotSlot boss1L[4];

// slots, count, group, period, step, odd trigger group/count, DX, DY by position,
// odd DY group/position/value, drift by position, fall, sprite, size, ship box.
constexpr CountedVolley boss1V1Family{
    boss1V1, 50, 5, 340, 30, -1, 0, 180.0f, {170, 193, 200, 193, 170}, -1, 0, 0.0f,
    {-100, -50, 0, 50, 100}, 180.0f, &objVAL20, 20, 20, VAL20_BOX};
constexpr CountedVolley boss1V2Family{
    boss1V2, 50, 5, 1100, 80, -1, 0, 120.0f, {90, 113, 120, 113, 90}, -1, 0, 0.0f,
    {-100, -50, 0, 50, 100}, 160.0f, &objVAL20, 20, 20, VAL20_BOX};
constexpr CountedVolley boss1V3Family{
    boss1V3, 50, 5, 1100, 80, -1, 0, 240.0f, {90, 113, 120, 113, 90}, -1, 0, 0.0f,
    {-100, -50, 0, 50, 100}, 160.0f, &objVAL20, 20, 20, VAL20_BOX};
constexpr CountedVolley boss1V4Family{
    boss1V4, 30, 3, 800, 60, -1, 0, 60.0f, {90, 113, 120}, -1, 0, 0.0f,
    {30, 60, 90}, 120.0f, &objVAL20, 20, 20, VAL20_BOX};
constexpr CountedVolley boss1V5Family{
    boss1V5, 30, 3, 800, 60, -1, 0, 300.0f, {90, 113, 120}, -1, 0, 0.0f,
    {-30, -60, -90}, 120.0f, &objVAL20, 20, 20, VAL20_BOX};
constexpr CountedVolley boss1V6Family{
    boss1V6, 50, 5, 890, 80, -1, 0, 20.0f, {120, 113, 97, 70, 30}, -1, 0, 0.0f,
    {150, 120, 90, 60, 30}, 170.0f, &objVAL20, 20, 20, VAL20_BOX};
// The fifth group's last shot starts 10 lower than the others' (slot 24).
constexpr CountedVolley boss1V7Family{
    boss1V7, 50, 5, 890, 80, -1, 0, 340.0f, {120, 113, 97, 70, 20}, 4, 4, 30.0f,
    {-150, -120, -90, -60, -30}, 170.0f, &objVAL20, 20, 20, VAL20_BOX};

constexpr StreamVolley boss1S1Family{
    boss1S1, 2, 182.0f, 200.0f, {-30, 30}, 140.0f, &objVAL12, 16, 16, VAL12_BOX};
constexpr StreamVolley boss1S2Family{
    boss1S2, 3, 182.0f, 200.0f, {-39, 0, 39}, 120.0f, &objVAL12, 16, 16, VAL12_BOX};
constexpr StreamVolley boss1S3Family{
    boss1S3, 4, 182.0f, 200.0f, {-28, 28, -80, 80}, 110.0f, &objVAL12, 16, 16, VAL12_BOX};

constexpr LaserVolley boss1LFamily{
    boss1L, 4, {94, 162, 206, 274}, {220, 220, 220, 220}, 0, 0.0f, 220.0f, &objLZ50, 12, 50,
    LZ50_BOX};

namespace {

// Shot window 100..220, bomb window 100..275, both 10..200 down; stage 2 follows.
constexpr BossProfile BOSS1{&boss1, &objBOS11, boss1LargeBlasts, boss1SmallBlasts, 380, 3,
                            100,    220,       100,              275,              10,  200};

constexpr ScriptRow SCRIPT[] = {
    {0, 0, 20, SCRIPT_APPROACH_START, 0, 0},
    {21, 1, 59, SCRIPT_APPROACH_RISE, 0, 0},
    {60, 1, 90, SCRIPT_PLACE, 130, -380},
    {91, 0, 135, SCRIPT_MOVE_Y, 82, 0},
    {135, 0, 160, SCRIPT_PLACE, 130, 0},
    {161, 0, 190, SCRIPT_MOVE_X, 40, 0},
    {191, 0, 250, SCRIPT_MOVE_X, -40, 0},
    {251, 0, 280, SCRIPT_MOVE_X, 40, 0},
    {281, 0, SCRIPT_FOREVER, SCRIPT_LOOP, 151, 0},
};

void FireV1() { FireCounted(boss1V1Family, boss1); }
void FireV2() { FireCounted(boss1V2Family, boss1); }
void FireV3() { FireCounted(boss1V3Family, boss1); }
void FireV4() { FireCounted(boss1V4Family, boss1); }
void FireV5() { FireCounted(boss1V5Family, boss1); }
void FireV6() { FireCounted(boss1V6Family, boss1); }
void FireV7() { FireCounted(boss1V7Family, boss1); }
void FireS1() { FireStream(boss1S1Family, boss1); }
void FireS2() { FireStream(boss1S2Family, boss1); }
void FireS3() { FireStream(boss1S3Family, boss1); }
void FireL() { FireLaser(boss1LFamily, boss1); }
// Late in the fight the lasers fall at double speed.
void MoveL() { MoveLaser(boss1LFamily); }

// Nothing fires from 700 down to above 680, nor below 10.
constexpr PhaseRow PHASES[] = {
    {600, 680, FireV6}, {490, 570, FireV6}, {230, 330, FireV6},
    {600, 680, FireV7}, {490, 570, FireV7}, {230, 330, FireV7},
    {350, 400, FireV4}, {100, 200, FireV4},
    {350, 400, FireV5}, {100, 200, FireV5},
    {100, 230, FireV2},
    {100, 230, FireV3},
    {130, 200, FireV1}, {50, 90, FireV1},
    {500, 600, FireS1}, {500, 600, FireS2}, {500, 600, FireS3},
    {380, 430, FireL}, {245, 350, FireL}, {180, 200, FireL}, {10, 100, FireL},
    {10, 70, MoveL},
};

}  // namespace

void DrawBoss1() { DrawBoss(BOSS1); }
void Boss1DeathCheck() {
  if (boss1.hitPoints <= 0.0f) DeathStep(BOSS1);
}
void Boss1Script() { RunScript(boss1, SCRIPT, sizeof SCRIPT / sizeof SCRIPT[0]); }
void Boss1FireByPhase() { RunPhases(boss1.hitPoints, PHASES, sizeof PHASES / sizeof PHASES[0]); }
void Boss1TimeOut() {
  boss1.hitPoints = 0.0f;
  Boss1DeathCheck();
}
void HitBoss1() { HitBoss(boss1); }
int Boss1Struck(int weapon, int sx, int sy) { return BossStruck(BOSS1, weapon, sx, sy); }
void StrikeBoss1(int weapon) { StrikeBoss(BOSS1, weapon); }

void Boss1Volleys() {
  MoveCounted(boss1V2Family);
  DrawCounted(boss1V2Family);
  MoveCounted(boss1V3Family);
  DrawCounted(boss1V3Family);
  MoveCounted(boss1V1Family);
  DrawCounted(boss1V1Family);
  MoveCounted(boss1V4Family);
  DrawCounted(boss1V4Family);
  MoveCounted(boss1V5Family);
  DrawCounted(boss1V5Family);
  MoveCounted(boss1V6Family);
  DrawCounted(boss1V6Family);
  MoveCounted(boss1V7Family);
  DrawCounted(boss1V7Family);
  MoveStream(boss1S1Family);
  DrawStream(boss1S1Family);
  MoveStream(boss1S2Family);
  DrawStream(boss1S2Family);
  MoveStream(boss1S3Family);
  DrawStream(boss1S3Family);
  MoveLaser(boss1LFamily);
  DrawLaser(boss1LFamily);
}
