#include "game/bosses/boss.h"
#include "game/bosses/backdrop.h"
#include "game/bosses/reset.h"

BossRecord boss1;
BossRecord boss2;
ApproachImage boss1Approach;
ExplosionRecord boss1LargeBlasts[BOSS_LARGE_BLASTS];
ExplosionRecord boss1SmallBlasts[BOSS_SMALL_BLASTS];
ExplosionRecord boss2LargeBlasts[BOSS_LARGE_BLASTS];
ExplosionRecord boss2SmallBlasts[BOSS_SMALL_BLASTS];
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

void DrawBoss1() {}
void Boss1DeathCheck() {}
void Boss1Script() {}
void Boss1FireByPhase() {}
void Boss1TimeOut() {}
void Boss1Volleys() {}
void HitBoss1() {}
void DrawBoss2() {}
void Boss2DeathCheck() {}
void Boss2Script() {}
void Boss2FireByPhase() {}
void Boss2TimeOut() {}
void Boss2Volleys() {}
void HitBoss2() {}
int Boss1Struck(int, int, int) { return 0; }
int Boss2Struck(int, int, int) { return 0; }
void StrikeBoss1(int) {}
void StrikeBoss2(int) {}

BackgroundTile back1Tiles[BACKGROUND_TILES];
BackgroundTile back2Tiles[BACKGROUND_TILES];
Streak streaks[STREAKS];
void ScrollBack1() {}
void ScrollBack2() {}
void DrawStarfield() {}

void FullReset() {}
