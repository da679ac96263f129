// The first boss (BOS11), fought at the end of stage 1.
#include "game/bosses/bosscore.h"

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

constexpr CountedVolley boss1V1Family{
    .slots = boss1V1, .slotCount = 50, .groupSize = 5,
    .period = 340, .triggerStep = 30,
    .dx = 180.0f, .dy = {170, 193, 200, 193, 170},
    .drift = {-100, -50, 0, 50, 100}, .fall = 180.0f};
constexpr CountedVolley boss1V2Family{
    .slots = boss1V2, .slotCount = 50, .groupSize = 5,
    .period = 1100, .triggerStep = 80,
    .dx = 120.0f, .dy = {90, 113, 120, 113, 90},
    .drift = {-100, -50, 0, 50, 100}, .fall = 160.0f};
constexpr CountedVolley boss1V3Family{
    .slots = boss1V3, .slotCount = 50, .groupSize = 5,
    .period = 1100, .triggerStep = 80,
    .dx = 240.0f, .dy = {90, 113, 120, 113, 90},
    .drift = {-100, -50, 0, 50, 100}, .fall = 160.0f};
constexpr CountedVolley boss1V4Family{
    .slots = boss1V4, .slotCount = 30, .groupSize = 3,
    .period = 800, .triggerStep = 60,
    .dx = 60.0f, .dy = {90, 113, 120},
    .drift = {30, 60, 90}, .fall = 120.0f};
constexpr CountedVolley boss1V5Family{
    .slots = boss1V5, .slotCount = 30, .groupSize = 3,
    .period = 800, .triggerStep = 60,
    .dx = 300.0f, .dy = {90, 113, 120},
    .drift = {-30, -60, -90}, .fall = 120.0f};
constexpr CountedVolley boss1V6Family{
    .slots = boss1V6, .slotCount = 50, .groupSize = 5,
    .period = 890, .triggerStep = 80,
    .dx = 20.0f, .dy = {120, 113, 97, 70, 30},
    .drift = {150, 120, 90, 60, 30}, .fall = 170.0f};
// The fifth group's last shot starts 10 lower than the others' (slot 24).
constexpr CountedVolley boss1V7Family{
    .slots = boss1V7, .slotCount = 50, .groupSize = 5,
    .period = 890, .triggerStep = 80,
    .dx = 340.0f, .dy = {120, 113, 97, 70, 20},
    .oddDyGroup = 4, .oddDyPosition = 4, .oddDy = 30.0f,
    .drift = {-150, -120, -90, -60, -30}, .fall = 170.0f};

constexpr StreamVolley boss1S1Family{
    .slots = boss1S1, .slotCount = 2, .startX = 182.0f, .startY = 200.0f,
    .drift = {-30, 30}, .fall = 140.0f};
constexpr StreamVolley boss1S2Family{
    .slots = boss1S2, .slotCount = 3, .startX = 182.0f, .startY = 200.0f,
    .drift = {-39, 0, 39}, .fall = 120.0f};
constexpr StreamVolley boss1S3Family{
    .slots = boss1S3, .slotCount = 4, .startX = 182.0f, .startY = 200.0f,
    .drift = {-28, 28, -80, 80}, .fall = 110.0f};

constexpr LaserVolley boss1LFamily{
    .slots = boss1L, .slotCount = 4,
    .gunX = {94, 162, 206, 274}, .gunY = {220, 220, 220, 220}};

namespace {

constexpr BossProfile BOSS1{
    .boss = &boss1, .sprite = &objBOS11,
    .large = boss1LargeBlasts, .small = boss1SmallBlasts, .scatterY = 380,
    .shotLeft = 100, .shotRight = 220,
    .bombLeft = 100, .bombRight = 275,
    .top = 10, .bottom = 200};

constexpr ScriptRow SCRIPT[] = {
    {.low = 0, .high = 20, .action = SCRIPT_APPROACH_START},
    {.low = 21, .lowOpen = 1, .high = 59, .action = SCRIPT_APPROACH_RISE},
    {.low = 60, .lowOpen = 1, .high = 90, .action = SCRIPT_PLACE, .a = 130, .b = -380},
    {.low = 91, .high = 135, .action = SCRIPT_MOVE_Y, .a = 82},
    {.low = 135, .high = 160, .action = SCRIPT_PLACE, .a = 130, .b = 0},
    {.low = 161, .high = 190, .action = SCRIPT_MOVE_X, .a = 40},
    {.low = 191, .high = 250, .action = SCRIPT_MOVE_X, .a = -40},
    {.low = 251, .high = 280, .action = SCRIPT_MOVE_X, .a = 40},
    {.low = 281, .high = SCRIPT_FOREVER, .action = SCRIPT_LOOP, .a = 151},
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

// Which procedures run at which hit points, both bounds included. Nothing fires
// from 700 down to above 680, nor below 10.
constexpr PhaseRow PHASES[] = {
    {.low = 600, .high = 680, .procedure = FireV6},
    {.low = 490, .high = 570, .procedure = FireV6},
    {.low = 230, .high = 330, .procedure = FireV6},
    {.low = 600, .high = 680, .procedure = FireV7},
    {.low = 490, .high = 570, .procedure = FireV7},
    {.low = 230, .high = 330, .procedure = FireV7},
    {.low = 350, .high = 400, .procedure = FireV4},
    {.low = 100, .high = 200, .procedure = FireV4},
    {.low = 350, .high = 400, .procedure = FireV5},
    {.low = 100, .high = 200, .procedure = FireV5},
    {.low = 100, .high = 230, .procedure = FireV2},
    {.low = 100, .high = 230, .procedure = FireV3},
    {.low = 130, .high = 200, .procedure = FireV1},
    {.low = 50, .high = 90, .procedure = FireV1},
    {.low = 500, .high = 600, .procedure = FireS1},
    {.low = 500, .high = 600, .procedure = FireS2},
    {.low = 500, .high = 600, .procedure = FireS3},
    {.low = 380, .high = 430, .procedure = FireL},
    {.low = 245, .high = 350, .procedure = FireL},
    {.low = 180, .high = 200, .procedure = FireL},
    {.low = 10, .high = 100, .procedure = FireL},
    {.low = 10, .high = 70, .procedure = MoveL},
};

}  // namespace

int DrawBoss1() { return DrawBoss(BOSS1); }
int Boss1DeathCheck() { return boss1.hitPoints <= 0.0f ? DeathStep(BOSS1) : 0; }
void Boss1Script() { RunScript(boss1, SCRIPT, sizeof SCRIPT / sizeof SCRIPT[0]); }
void Boss1FireByPhase() { RunPhases(boss1.hitPoints, PHASES, sizeof PHASES / sizeof PHASES[0]); }
int Boss1TimeOut() {
  boss1.hitPoints = 0.0f;
  return Boss1DeathCheck();
}
void HitBoss1() { HitBoss(boss1); }
int Boss1Struck(int weapon, int sx, int sy) { return BossStruck(BOSS1, weapon, sx, sy); }
void StrikeBoss1(int weapon) { StrikeBoss(BOSS1, weapon); }

// Each family moves, then draws; later families are drawn over earlier ones.
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

// One random draw per slot, family by family in this order.
void ResetBoss1Volleys() {
  ResetVolley(boss1V1Family);
  ResetVolley(boss1V2Family);
  ResetVolley(boss1V3Family);
  ResetVolley(boss1V4Family);
  ResetVolley(boss1V5Family);
  ResetVolley(boss1V6Family);
  ResetVolley(boss1V7Family);
  ResetVolley(boss1S1Family);
  ResetVolley(boss1S2Family);
  ResetVolley(boss1S3Family);
  ResetVolley(boss1LFamily);
}
