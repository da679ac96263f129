// The second boss (BOS21), fought at the end of stage 2; its death ends the game.
#include "game/bosses/bosscore.h"

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
    .slots = boss2V1, .slotCount = 50, .groupSize = 5,
    .period = 340, .triggerStep = 30,
    .dx = 180.0f, .dy = {170, 193, 200, 193, 170},
    .drift = {-80, -40, 0, 40, 80}, .fall = 126.0f};
constexpr CountedVolley boss2V2Family{
    .slots = boss2V2, .slotCount = 50, .groupSize = 5,
    .period = 340, .triggerStep = 30,
    .dx = 120.0f, .dy = {90, 113, 120, 113, 90},
    .drift = {-100, -50, 0, 50, 100}, .fall = 100.0f};
constexpr CountedVolley boss2V3Family{
    .slots = boss2V3, .slotCount = 50, .groupSize = 5,
    .period = 340, .triggerStep = 30,
    .dx = 240.0f, .dy = {90, 113, 120, 113, 90},
    .drift = {-100, -50, 0, 50, 100}, .fall = 100.0f};
constexpr CountedVolley boss2V4Family{
    .slots = boss2V4, .slotCount = 50, .groupSize = 5,
    .period = 450, .triggerStep = 40,
    .dx = 120.0f, .dy = {50, 73, 80, 73, 50},
    .drift = {-100, -50, 0, 50, 100}, .fall = 170.0f};
// The seventh group goes at 300, not 280: a gap of 60 calls before it and 20 after.
constexpr CountedVolley boss2V5Family{
    .slots = boss2V5, .slotCount = 50, .groupSize = 5,
    .period = 450, .triggerStep = 40,
    .oddTriggerGroup = 6, .oddTrigger = 300,
    .dx = 240.0f, .dy = {50, 73, 80, 73, 50},
    .drift = {-100, -50, 0, 50, 100}, .fall = 170.0f};

constexpr StreamVolley boss2S1Family{
    .slots = boss2S1, .slotCount = 2, .startX = 182.0f, .startY = 200.0f,
    .drift = {-30, 30}, .fall = 140.0f};
constexpr StreamVolley boss2S2Family{
    .slots = boss2S2, .slotCount = 3, .startX = 182.0f, .startY = 200.0f,
    .drift = {-39, 0, 39}, .fall = 120.0f};
constexpr StreamVolley boss2S3Family{
    .slots = boss2S3, .slotCount = 3, .startX = 132.0f, .startY = 150.0f,
    .drift = {-39, 0, 39}, .fall = 120.0f};
constexpr StreamVolley boss2S4Family{
    .slots = boss2S4, .slotCount = 3, .startX = 232.0f, .startY = 150.0f,
    .drift = {-39, 0, 39}, .fall = 120.0f};
constexpr StreamVolley boss2S5Family{
    .slots = boss2S5, .slotCount = 4, .startX = 182.0f, .startY = 200.0f,
    .drift = {-28, 28, -80, 80}, .fall = 110.0f};

constexpr LaserVolley boss2LFamily{
    .slots = boss2L, .slotCount = 4,
    .gunX = {134, 169, 199, 234}, .gunY = {220, 220, 220, 220}};
// The eight-gun fan: every relaunch puts all eight beams back in their arc, and a
// beam stays in flight until 106 pixels below the bottom edge.
constexpr LaserVolley boss2L8Family{
    .slots = boss2L8, .slotCount = 8,
    .gunX = {49, 89, 129, 169, 199, 239, 279, 319},
    .gunY = {120, 170, 200, 220, 220, 200, 170, 120},
    .setsEveryRow = 1, .retireBelow = 106.0f};

constexpr RingVolley boss2R1Family{
    .slots = boss2R1, .slotCount = 72, .ringSize = 36,
    .period = 340, .triggerStep = 30,
    .launchX = 180.0f, .launchY = 180.0f, .speed = 100.0f};
constexpr RingVolley boss2R2Family{
    .slots = boss2R2, .slotCount = 360, .ringSize = 36,
    .period = 340, .triggerStep = 30,
    .launchX = 180.0f, .launchY = 180.0f, .speed = 100.0f};

namespace {

constexpr BossProfile BOSS2{
    .boss = &boss2, .sprite = &objBOS21,
    .large = boss2LargeBlasts, .small = boss2SmallBlasts, .scatterY = 360,
    .shotLeft = 100, .shotRight = 200,
    .bombLeft = 100, .bombRight = 255,
    .top = 10, .bottom = 200};

constexpr ScriptRow SCRIPT[] = {
    {.low = 0, .lowOpen = 1, .high = 30, .action = SCRIPT_PLACE, .a = 130, .b = -380},
    {.low = 31, .high = 75, .action = SCRIPT_MOVE_Y, .a = 88},
    {.low = 75, .high = 100, .action = SCRIPT_PLACE, .a = 130, .b = 0},
    {.low = 101, .high = 130, .action = SCRIPT_MOVE_X, .a = 40},
    {.low = 131, .high = 190, .action = SCRIPT_MOVE_X, .a = -40},
    {.low = 191, .high = 220, .action = SCRIPT_MOVE_X, .a = 40},
    {.low = 221, .high = SCRIPT_FOREVER, .action = SCRIPT_LOOP, .a = 80},
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

// Which procedures run at which hit points, both bounds included. Nothing fires
// from 800 down to above 790, nor below 5.
constexpr PhaseRow PHASES[] = {
    {.low = 700, .high = 780, .procedure = FireR1},
    {.low = 280, .high = 492, .procedure = FireR2},
    {.low = 700, .high = 730, .procedure = FireV4},
    {.low = 700, .high = 730, .procedure = FireV5},
    {.low = 200, .high = 280, .procedure = FireV2},
    {.low = 200, .high = 280, .procedure = FireV3},
    {.low = 500, .high = 590, .procedure = FireV1},
    {.low = 200, .high = 250, .procedure = FireV1},
    {.low = 730, .high = 790, .procedure = FireL},
    {.low = 100, .high = 200, .procedure = FireL},
    {.low = 110, .high = 180, .procedure = MoveL},
    {.low = 580, .high = 690, .procedure = FireL8},
    {.low = 5, .high = 120, .procedure = FireL8},
    {.low = 10, .high = 80, .procedure = MoveL8},
    {.low = 650, .high = 740, .procedure = FireS1},
    {.low = 650, .high = 740, .procedure = FireS2},
    {.low = 650, .high = 740, .procedure = FireS3},
    {.low = 650, .high = 740, .procedure = FireS4},
    {.low = 650, .high = 740, .procedure = FireS5},
};

}  // namespace

int DrawBoss2() { return DrawBoss(BOSS2); }
int Boss2DeathCheck() { return boss2.hitPoints <= 0.0f ? DeathStep(BOSS2) : 0; }
void Boss2Script() { RunScript(boss2, SCRIPT, sizeof SCRIPT / sizeof SCRIPT[0]); }
void Boss2FireByPhase() { RunPhases(boss2.hitPoints, PHASES, sizeof PHASES / sizeof PHASES[0]); }
int Boss2TimeOut() {
  boss2.hitPoints = 0.0f;
  return Boss2DeathCheck();
}
void HitBoss2() { HitBoss(boss2); }
int Boss2Struck(int weapon, int sx, int sy) { return BossStruck(BOSS2, weapon, sx, sy); }
void StrikeBoss2(int weapon) { StrikeBoss(BOSS2, weapon); }

// Each family moves, then draws; later families are drawn over earlier ones.
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

// One random draw per slot, family by family in this order.
void ResetBoss2Volleys() {
  ResetVolley(boss2V1Family);
  ResetVolley(boss2V2Family);
  ResetVolley(boss2V3Family);
  ResetVolley(boss2V4Family);
  ResetVolley(boss2V5Family);
  ResetVolley(boss2S1Family);
  ResetVolley(boss2S2Family);
  ResetVolley(boss2S3Family);
  ResetVolley(boss2S4Family);
  ResetVolley(boss2S5Family);
  ResetVolley(boss2LFamily);
  ResetVolley(boss2L8Family);
}

// The rings' slots draw after the enemies' reset (see FullReset).
void ResetBoss2Rings() {
  ResetVolley(boss2R1Family);
  ResetVolley(boss2R2Family);
}
