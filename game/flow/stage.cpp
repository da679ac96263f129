#include "game/flow/stage.h"

#include "game/assets/assets.h"
#include "game/backdrops/backdrop.h"
#include "game/bosses/boss.h"
#include "game/combat/collision.h"
#include "game/enemies/enemy.h"
#include "game/enemies/enemyshots.h"
#include "game/enemies/midsize.h"
#include "game/flow/reset.h"
#include "game/flow/scene.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "game/playfield.h"
#include "lib/draw/zuDraw.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

float stageClock = 0.0f;
float gameOverZoom1 = 0.0f;
float gameOverZoom2 = 0.0f;

void ResetStageClock() { stageClock = 0.0f; }

namespace {

constexpr int VK_Y = 0x59;
constexpr int VK_N = 0x4E;

// The two stages draw ZAK18 and ZAK10, and their shots, in opposite order.
constexpr FamilyStep STAGE1_FAMILIES[] = {
    {MoveZak2, DrawZak2},
    {MoveZak4, DrawZak4},
    {MoveSecondZak4, DrawSecondZak4},
    {MoveZak6, DrawZak6},
    {MoveZak8, DrawZak8},
    {MoveZak18, DrawZak18},
    {MoveZak10, DrawZak10},
    {MoveZak50, DrawZak50},
    {MoveZak4Shots, DrawZak4Shots},
    {MoveSecondZak4Shots, DrawSecondZak4Shots},
    {MoveZak6Shots, DrawZak6Shots},
    {MoveZak8Shots, DrawZak8Shots},
    {MoveZak18AllDrops, DrawZak18AllDrops},
    {MoveZak10Shots, DrawZak10Shots},
    {[] { MoveZak50Spray(1); }, [] { DrawZak50Spray(1); }},
    {[] { MoveZak50Spray(2); }, [] { DrawZak50Spray(2); }},
    {MoveZak50Fan, DrawZak50Fan},
};

constexpr FamilyStep STAGE2_FAMILIES[] = {
    {MoveZak2, DrawZak2},
    {MoveZak4, DrawZak4},
    {MoveSecondZak4, DrawSecondZak4},
    {MoveZak6, DrawZak6},
    {MoveZak8, DrawZak8},
    {MoveZak10, DrawZak10},
    {MoveZak18, DrawZak18},
    {MoveZak51, DrawZak51},
    {MoveZak4Shots, DrawZak4Shots},
    {MoveSecondZak4Shots, DrawSecondZak4Shots},
    {MoveZak6Shots, DrawZak6Shots},
    {MoveZak8Shots, DrawZak8Shots},
    {MoveZak10Shots, DrawZak10Shots},
    {MoveZak18AllDrops, DrawZak18AllDrops},
    {[] { MoveZak51Spray(1); }, [] { DrawZak51Spray(1); }},
    {[] { MoveZak51Spray(2); }, [] { DrawZak51Spray(2); }},
    {MoveZak51Fan, DrawZak51Fan},
};

}  // namespace

const StageData stage1Data = {
    .music = "JBGM1.MID",
    .scrollBackdrop = ScrollBack1,
    .families = STAGE1_FAMILIES,
    .familyCount = sizeof STAGE1_FAMILIES / sizeof STAGE1_FAMILIES[0],
    .midSize = MID_ZAK50,
    .boss = {.draw = DrawBoss1, .script = Boss1Script, .fireByPhase = Boss1FireByPhase,
             .timeOut = Boss1TimeOut, .volleys = Boss1Volleys},
    .bossSectionLow = 1000.0f,
    .bossSectionHigh = 10100.0f,
    .timeLimitLow = 10000.0f,
    .timeLimitHigh = 10100.0f,
    .controlLockEnd = 0.0f,
    .nextScene = SCENE_STAGE2,
};

const StageData stage2Data = {
    .music = "JBGM2.MID",
    .scrollBackdrop = ScrollBack2,
    .families = STAGE2_FAMILIES,
    .familyCount = sizeof STAGE2_FAMILIES / sizeof STAGE2_FAMILIES[0],
    .midSize = MID_ZAK51,
    .boss = {.draw = DrawBoss2, .script = Boss2Script, .fireByPhase = Boss2FireByPhase,
             .timeOut = Boss2TimeOut, .volleys = Boss2Volleys},
    .bossSectionLow = 1110.0f,
    .bossSectionHigh = 11100.0f,
    .timeLimitLow = 11000.0f,
    .timeLimitHigh = 11100.0f,
    .controlLockEnd = 16.0f,
    .nextScene = SCENE_TITLE,
};

namespace {

// What a timeline window calls: the spawn procedures first, then the fire procedures.
enum SpawnGroup {
  SPAWN_ZAK2,
  SPAWN_ZAK4_PAIR,
  SPAWN_ZAK6,
  SPAWN_ZAK8,
  SPAWN_ZAK18,
  SPAWN_ZAK10,
  SPAWN_MID_FAN,
  SPAWN_MID_SPRAYS,
};

struct SpawnWindow {
  float low;   // exclusive
  float high;  // exclusive
  SpawnGroup group;
};

// Both stages share the timeline; the mid-size enemy is the stage's own.
constexpr SpawnWindow SPAWN_WINDOWS[] = {
    {.low = 30, .high = 300, .group = SPAWN_ZAK2},
    {.low = 290, .high = 600, .group = SPAWN_ZAK4_PAIR},
    {.low = 900, .high = 1100, .group = SPAWN_ZAK4_PAIR},
    {.low = 590, .high = 650, .group = SPAWN_ZAK6},
    {.low = 750, .high = 880, .group = SPAWN_ZAK6},
    {.low = 700, .high = 800, .group = SPAWN_ZAK8},
    {.low = 750, .high = 880, .group = SPAWN_ZAK18},
    {.low = 800, .high = 1000, .group = SPAWN_ZAK10},
    {.low = 50, .high = 300, .group = SPAWN_MID_FAN},
    {.low = 400, .high = 600, .group = SPAWN_MID_SPRAYS},
    {.low = 800, .high = 970, .group = SPAWN_MID_FAN},
};

void RunSpawnGroup(SpawnGroup group, int mid) {
  switch (group) {
    case SPAWN_ZAK2: SpawnZak2(); break;
    case SPAWN_ZAK4_PAIR:
      SpawnZak4();
      SpawnSecondZak4();
      FireZak4Shots();
      FireSecondZak4Shots();
      break;
    case SPAWN_ZAK6: SpawnZak6(); FireZak6Shots(); break;
    case SPAWN_ZAK8: SpawnZak8(); FireZak8Shots(); break;
    case SPAWN_ZAK18: SpawnZak18(); FireZak18AllDrops(); break;
    case SPAWN_ZAK10: SpawnZak10(); FireZak10Shots(); break;
    case SPAWN_MID_FAN:
      SpawnMid(mid);
      LaunchFan(mid);
      break;
    case SPAWN_MID_SPRAYS:
      SpawnMid(mid);
      FireSpray(mid, 1);
      FireSpray(mid, 2);
      break;
  }
}

// --- the steps of a stage frame, in the order StageFrame calls them -------------

void EnterStage(const StageData& d, float& zoom) {
  zuSound::PlayMidi(d.music);
  zoom = GAME_OVER_ZOOM_START;
  if (d.controlLockEnd > 0.0f) controlLocked = 1;
}

void AdvanceStageClock(const StageData& d) {
  stageClock += STAGE_CLOCK_RATE * frameSeconds;
  if (d.controlLockEnd > 0.0f && stageClock >= d.controlLockEnd) controlLocked = 0;
}

void DrawBackdrop(const StageData& d) {
  if (plainBackground == 0) {
    d.scrollBackdrop();
  } else {
    DrawStarfield();
  }
}

// 1 when the time-out finds the boss's death sequence over.
int RunBossSection(const StageData& d) {
  if (!(stageClock > d.bossSectionLow && stageClock < d.bossSectionHigh)) return 0;
  d.boss.script();
  d.boss.fireByPhase();
  if (stageClock >= d.timeLimitLow && stageClock <= d.timeLimitHigh) return d.boss.timeOut();
  return 0;
}

// The boss's death sequence is over. In the normal game the game-state reset and
// the next scene follow at once; the reset restores the boss's hit points and
// stageClock, so the sequence and the boss section end with this frame's step.
void EndFight(const StageData& d) {
  if (gameMode != 0) return;
  FullReset();
  ChangeScene(d.nextScene);
}

void DrawGameOverLabel(float& zoom) {
  if (gameOverShown == 0) return;
  int h = static_cast<int>(zoom);
  zuDraw::PutObjectStretched(170, (480 - h) / 2, objMYMY, 81, 70, 136, 80, 300, h);
  zoom += GAME_OVER_ZOOM_RATE * frameSeconds;
}

void AskContinue() {
  if (energy > 0 || continuePrompt != 0) return;
  zuDraw::PutObject(220, 190, objCONTINU1, 0, 0, 200, 100);
  paused = 1;
  continuePrompt = 1;
  controlLocked = 1;
  playerAlive = 0;
  playerVX = 0.0f;
  playerVY = 0.0f;
  ParkShots();
}

void StepBomb() {
  if (bombActive == 1) BombStep();
}

// One frame of a stage: everything is drawn onto the back surface up to the flip,
// then the ship reads its controls and moves, and the collision passes run.
void StageFrame(const StageData& d, float& zoom) {
  if (sceneEntered == 1) EnterStage(d, zoom);
  if (paused == 1) {
    AnswerContinue();
    // Nothing is drawn or presented, yet the frame keeps its pace instead of spinning.
    zuSystem::FrameSleep(FRAME_SLEEP_MS);
    return;
  }
  zuDraw::Clear();
  AdvanceStageClock(d);
  DrawBackdrop(d);
  DrawBomb();
  DrawPlayerShots();
  if (d.boss.draw() == 1) EndFight(d);
  ShipDrawStep();
  if (RunBossSection(d) == 1) EndFight(d);
  d.boss.volleys();
  MoveAndDrawFamilies(d);
  OpenSpawnWindows(d);
  DrawScoreLine();
  DrawGameOverLabel(zoom);
  AskContinue();
  zuDraw::Flip();
  ShipControlStep();
  StepBomb();
  CollideBomb();
  CollideShots();
  GameOverCheck();
  zuSystem::FrameSleep(FRAME_SLEEP_MS);
}

}  // namespace

void OpenSpawnWindows(const StageData& d) {
  for (const SpawnWindow& w : SPAWN_WINDOWS) {
    if (stageClock > w.low && stageClock < w.high) RunSpawnGroup(w.group, d.midSize);
  }
}

void MoveAndDrawFamilies(const StageData& d) {
  for (int i = 0; i < d.familyCount; ++i) {
    d.families[i].move();
    d.families[i].draw();
  }
}

void AnswerContinue() {
  if (continuePrompt != 1) return;
  if (lastKey == VK_Y) {
    paused = 0;
    continuePrompt = 0;
    bombs = START_BOMBS;
    energy = CONTINUE_ENERGY;
    score = 0;
    respawning = 1;
    playerAlive = 1;
    controlLocked = 0;
  } else if (lastKey == VK_N) {
    paused = 0;
    continueDeclined = 1;
  }
}

void Stage1Scene() { StageFrame(stage1Data, gameOverZoom1); }
void Stage2Scene() { StageFrame(stage2Data, gameOverZoom2); }
