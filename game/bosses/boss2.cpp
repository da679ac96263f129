// The second boss (BOS21), fought at the end of stage 2; its death ends the game.
#include "game/bosses/bosscore.h"
#include "game/flow/catalogue.h"

BossRecord boss2;
ExplosionRecord boss2LargeBlasts[BOSS_LARGE_BLASTS];
ExplosionRecord boss2SmallBlasts[BOSS_SMALL_BLASTS];
ShotSlot boss2V1[50];
ShotSlot boss2V2[50];
ShotSlot boss2V3[50];
ShotSlot boss2V4[50];
ShotSlot boss2V5[50];
ShotSlot boss2S1[2];
ShotSlot boss2S2[3];
ShotSlot boss2S3[3];
ShotSlot boss2S4[3];
ShotSlot boss2S5[4];
ShotSlot boss2L[4];
ShotSlot boss2L8[8];
RingSlot boss2R1[72];
RingSlot boss2R2[360];

constexpr CountedVolley boss2V1Family{
    boss2V1, 50, 5, 340, 30, -1, 0, 180.0f, {170, 193, 200, 193, 170}, -1, 0, 0.0f,
    {-80, -40, 0, 40, 80}, 126.0f, &objVAL20, 20, 20, VAL20_BOX};
constexpr CountedVolley boss2V2Family{
    boss2V2, 50, 5, 340, 30, -1, 0, 120.0f, {90, 113, 120, 113, 90}, -1, 0, 0.0f,
    {-100, -50, 0, 50, 100}, 100.0f, &objVAL20, 20, 20, VAL20_BOX};
constexpr CountedVolley boss2V3Family{
    boss2V3, 50, 5, 340, 30, -1, 0, 240.0f, {90, 113, 120, 113, 90}, -1, 0, 0.0f,
    {-100, -50, 0, 50, 100}, 100.0f, &objVAL20, 20, 20, VAL20_BOX};
constexpr CountedVolley boss2V4Family{
    boss2V4, 50, 5, 450, 40, -1, 0, 120.0f, {50, 73, 80, 73, 50}, -1, 0, 0.0f,
    {-100, -50, 0, 50, 100}, 170.0f, &objVAL20, 20, 20, VAL20_BOX};
// The seventh group goes at 300, not 280: a gap of 60 calls before it and 20 after.
constexpr CountedVolley boss2V5Family{
    boss2V5, 50, 5, 450, 40, 6, 300, 240.0f, {50, 73, 80, 73, 50}, -1, 0, 0.0f,
    {-100, -50, 0, 50, 100}, 170.0f, &objVAL20, 20, 20, VAL20_BOX};

constexpr StreamVolley boss2S1Family{
    boss2S1, 2, 182.0f, 200.0f, {-30, 30}, 140.0f, &objVAL12, 16, 16, VAL12_BOX};
constexpr StreamVolley boss2S2Family{
    boss2S2, 3, 182.0f, 200.0f, {-39, 0, 39}, 120.0f, &objVAL12, 16, 16, VAL12_BOX};
constexpr StreamVolley boss2S3Family{
    boss2S3, 3, 132.0f, 150.0f, {-39, 0, 39}, 120.0f, &objVAL12, 16, 16, VAL12_BOX};
constexpr StreamVolley boss2S4Family{
    boss2S4, 3, 232.0f, 150.0f, {-39, 0, 39}, 120.0f, &objVAL12, 16, 16, VAL12_BOX};
constexpr StreamVolley boss2S5Family{
    boss2S5, 4, 182.0f, 200.0f, {-28, 28, -80, 80}, 110.0f, &objVAL12, 16, 16, VAL12_BOX};

constexpr LaserVolley boss2LFamily{
    boss2L, 4, {134, 169, 199, 234}, {220, 220, 220, 220}, 0, 0.0f, 220.0f, &objLZ50, 12, 50,
    LZ50_BOX};
// The eight-gun fan: every relaunch puts all eight beams back in their arc, and a
// beam stays in flight until 106 pixels below the bottom edge.
constexpr LaserVolley boss2L8Family{
    boss2L8, 8, {49, 89, 129, 169, 199, 239, 279, 319}, {120, 170, 200, 220, 220, 200, 170, 120},
    1, 106.0f, 220.0f, &objLZ50, 12, 50, LZ50_BOX};

constexpr RingVolley boss2R1Family{
    boss2R1, 72, 36, 340, 30, 180.0f, 180.0f, 100.0f, &objVAL20, 20, 20, VAL20_BOX};
constexpr RingVolley boss2R2Family{
    boss2R2, 360, 36, 340, 30, 180.0f, 180.0f, 100.0f, &objVAL20, 20, 20, VAL20_BOX};

namespace {

// Shot window 100..200, bomb window 100..255, both 10..200 down; the title follows.
constexpr BossProfile BOSS2{&boss2, &objBOS21, boss2LargeBlasts, boss2SmallBlasts, 360, 1,
                            100,    200,       100,              255,              10,  200};

constexpr ScriptRow SCRIPT[] = {
    {0, 1, 30, SCRIPT_PLACE, 130, -380},
    {31, 0, 75, SCRIPT_MOVE_Y, 88, 0},
    {75, 0, 100, SCRIPT_PLACE, 130, 0},
    {101, 0, 130, SCRIPT_MOVE_X, 40, 0},
    {131, 0, 190, SCRIPT_MOVE_X, -40, 0},
    {191, 0, 220, SCRIPT_MOVE_X, 40, 0},
    {221, 0, SCRIPT_FOREVER, SCRIPT_LOOP, 80, 0},
};

void FireR1() { FireRing(boss2R1Family, boss2); }
void FireR2() { FireRing(boss2R2Family, boss2); }
void FireV1() { FireCounted(boss2V1Family, boss2); }
void FireV2() { FireCounted(boss2V2Family, boss2); }
void FireV3() { FireCounted(boss2V3Family, boss2); }
void FireV4() { FireCounted(boss2V4Family, boss2); }
void FireV5() { FireCounted(boss2V5Family, boss2); }
void FireS1() { FireStream(boss2S1Family, boss2); }
void FireS2() { FireStream(boss2S2Family, boss2); }
void FireS3() { FireStream(boss2S3Family, boss2); }
void FireS4() { FireStream(boss2S4Family, boss2); }
void FireS5() { FireStream(boss2S5Family, boss2); }
void FireL() { FireLaser(boss2LFamily, boss2); }
void FireL8() { FireLaser(boss2L8Family, boss2); }
// In these windows the lasers fall at double speed.
void MoveL() { MoveLaser(boss2LFamily); }
void MoveL8() { MoveLaser(boss2L8Family); }

// Nothing fires from 800 down to above 790, nor below 5.
constexpr PhaseRow PHASES[] = {
    {700, 780, FireR1},
    {280, 492, FireR2},
    {700, 730, FireV4}, {700, 730, FireV5},
    {200, 280, FireV2}, {200, 280, FireV3},
    {500, 590, FireV1}, {200, 250, FireV1},
    {730, 790, FireL}, {100, 200, FireL}, {110, 180, MoveL},
    {580, 690, FireL8}, {5, 120, FireL8}, {10, 80, MoveL8},
    {650, 740, FireS1}, {650, 740, FireS2}, {650, 740, FireS3}, {650, 740, FireS4},
    {650, 740, FireS5},
};

}  // namespace

void DrawBoss2() { DrawBoss(BOSS2); }
void Boss2DeathCheck() {
  if (boss2.hitPoints <= 0.0f) DeathStep(BOSS2);
}
void Boss2Script() { RunScript(boss2, SCRIPT, sizeof SCRIPT / sizeof SCRIPT[0]); }
void Boss2FireByPhase() { RunPhases(boss2.hitPoints, PHASES, sizeof PHASES / sizeof PHASES[0]); }
void Boss2TimeOut() {
  boss2.hitPoints = 0.0f;
  Boss2DeathCheck();
}
void HitBoss2() { HitBoss(boss2); }
int Boss2Struck(int weapon, int sx, int sy) { return BossStruck(BOSS2, weapon, sx, sy); }
void StrikeBoss2(int weapon) { StrikeBoss(BOSS2, weapon); }

void Boss2Volleys() {
  MoveCounted(boss2V4Family);
  DrawCounted(boss2V4Family);
  MoveCounted(boss2V5Family);
  DrawCounted(boss2V5Family);
  MoveCounted(boss2V2Family);
  DrawCounted(boss2V2Family);
  MoveCounted(boss2V3Family);
  DrawCounted(boss2V3Family);
  MoveCounted(boss2V1Family);
  DrawCounted(boss2V1Family);
  MoveStream(boss2S1Family);
  DrawStream(boss2S1Family);
  MoveStream(boss2S2Family);
  DrawStream(boss2S2Family);
  MoveStream(boss2S3Family);
  DrawStream(boss2S3Family);
  MoveStream(boss2S4Family);
  DrawStream(boss2S4Family);
  MoveStream(boss2S5Family);
  DrawStream(boss2S5Family);
  MoveLaser(boss2LFamily);
  DrawLaser(boss2LFamily);
  MoveLaser(boss2L8Family);
  DrawLaser(boss2L8Family);
  MoveRing(boss2R1Family);
  DrawRing(boss2R1Family);
  MoveRing(boss2R2Family);
  DrawRing(boss2R2Family);
}
