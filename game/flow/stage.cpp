#include "game/flow/stage.h"

#include "game/bosses/backdrop.h"
#include "game/bosses/boss.h"
#include "game/enemies/enemy.h"
#include "game/enemies/enemyshots.h"
#include "game/enemies/midsize.h"
#include "game/flow/catalogue.h"
#include "game/flow/scene.h"
#include "game/player/collision.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/draw/zuDraw.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

float stageClock = 0.0f;
float gameOverZoom1 = 0.0f;
float gameOverZoom2 = 0.0f;

const StageData stage1Data = {"JBGM1.MID", ScrollBack1, 1000.0f, 10100.0f, 10000.0f, 10100.0f, 1};
const StageData stage2Data = {"JBGM2.MID", ScrollBack2, 1110.0f, 11100.0f, 11000.0f, 11100.0f, 2};

namespace {

// What a spawn window calls: the spawn procedures first, then the fire procedures.
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
    {30, 300, SPAWN_ZAK2},       {290, 600, SPAWN_ZAK4_PAIR}, {900, 1100, SPAWN_ZAK4_PAIR},
    {590, 650, SPAWN_ZAK6},      {750, 880, SPAWN_ZAK6},      {700, 800, SPAWN_ZAK8},
    {750, 880, SPAWN_ZAK18},     {800, 1000, SPAWN_ZAK10},    {50, 300, SPAWN_MID_FAN},
    {400, 600, SPAWN_MID_SPRAYS}, {800, 970, SPAWN_MID_FAN},
};

void RunSpawnGroup(SpawnGroup group, int stage) {
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
      if (stage == 1) {
        SpawnZak50();
        LaunchZak50Fan();
      } else {
        SpawnZak51();
        LaunchZak51Fan();
      }
      break;
    case SPAWN_MID_SPRAYS:
      if (stage == 1) {
        SpawnZak50();
        FireZak50Spray(1);
        FireZak50Spray(2);
      } else {
        SpawnZak51();
        FireZak51Spray(1);
        FireZak51Spray(2);
      }
      break;
  }
}

void MoveAndDrawZak18Drops() {
  for (int group = 1; group <= ZAK18_DROP_GROUPS; ++group) {
    MoveZak18Drops(group);
    DrawZak18Drops(group);
  }
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

void RunBossSection(const StageData& d) {
  if (!(stageClock > d.bossSectionLow && stageClock < d.bossSectionHigh)) return;
  if (d.stage == 1) {
    Boss1Script();
    Boss1FireByPhase();
  } else {
    Boss2Script();
    Boss2FireByPhase();
  }
  if (stageClock >= d.timeLimitLow && stageClock <= d.timeLimitHigh) {
    if (d.stage == 1) {
      Boss1TimeOut();
    } else {
      Boss2TimeOut();
    }
  }
}

void StageFrame(const StageData& d, float& zoom) {
  if (sceneEntered == 1) {
    zuSound::PlayMidi(d.music);
    zoom = GAME_OVER_ZOOM_START;
    if (d.stage == 2) controlLocked = 1;
  }
  if (paused == 1) {
    AnswerContinue();
    // Nothing is drawn or presented, yet the frame keeps its pace instead of spinning.
    zuSystem::Sleep(FRAME_SLEEP_MS);
    return;
  }
  zuDraw::Clear();
  stageClock += STAGE_CLOCK_RATE * frameSeconds;
  if (d.stage == 2 && stageClock >= STAGE2_CONTROL_LOCK) controlLocked = 0;
  if (plainBackground == 0) {
    d.scrollBackdrop();
  } else {
    DrawStarfield();
  }
  DrawBomb();
  DrawPlayerShots();
  if (d.stage == 1) {
    DrawBoss1();
  } else {
    DrawBoss2();
  }
  ShipDrawStep();
  RunBossSection(d);
  if (d.stage == 1) {
    Boss1Volleys();
  } else {
    Boss2Volleys();
  }
  MoveAndDrawFamilies(d.stage);
  OpenSpawnWindows(d.stage);
  DrawScoreLine();
  DrawGameOverLabel(zoom);
  AskContinue();
  zuDraw::Flip();
  ShipControlStep();
  if (bombActive == 1) BombStep();
  CollideBomb();
  CollideShots();
  GameOverCheck();
  zuSystem::Sleep(FRAME_SLEEP_MS);
}

}  // namespace

void OpenSpawnWindows(int stage) {
  for (const SpawnWindow& w : SPAWN_WINDOWS) {
    if (stageClock > w.low && stageClock < w.high) RunSpawnGroup(w.group, stage);
  }
}

void MoveAndDrawFamilies(int stage) {
  MoveZak2();
  DrawZak2();
  MoveZak4();
  DrawZak4();
  MoveSecondZak4();
  DrawSecondZak4();
  MoveZak6();
  DrawZak6();
  MoveZak8();
  DrawZak8();
  // The two stages draw ZAK18 and ZAK10 in opposite order.
  if (stage == 1) {
    MoveZak18();
    DrawZak18();
    MoveZak10();
    DrawZak10();
    MoveZak50();
    DrawZak50();
  } else {
    MoveZak10();
    DrawZak10();
    MoveZak18();
    DrawZak18();
    MoveZak51();
    DrawZak51();
  }
  MoveZak4Shots();
  DrawZak4Shots();
  MoveSecondZak4Shots();
  DrawSecondZak4Shots();
  MoveZak6Shots();
  DrawZak6Shots();
  MoveZak8Shots();
  DrawZak8Shots();
  if (stage == 1) {
    MoveAndDrawZak18Drops();
    MoveZak10Shots();
    DrawZak10Shots();
    MoveZak50Spray(1);
    DrawZak50Spray(1);
    MoveZak50Spray(2);
    DrawZak50Spray(2);
    MoveZak50Fan();
    DrawZak50Fan();
  } else {
    MoveZak10Shots();
    DrawZak10Shots();
    MoveAndDrawZak18Drops();
    MoveZak51Spray(1);
    DrawZak51Spray(1);
    MoveZak51Spray(2);
    DrawZak51Spray(2);
    MoveZak51Fan();
    DrawZak51Fan();
  }
}

void AnswerContinue() {
  if (continuePrompt != 1) return;
  if (lastKey == 0x59) {  // [Y]
    paused = 0;
    continuePrompt = 0;
    bombs = 3;
    energy = 50;
    score = 0;
    respawning = 1;
    playerAlive = 1;
    controlLocked = 0;
  } else if (lastKey == 0x4E) {  // [N]
    paused = 0;
    continueDeclined = 1;
  }
}

void Stage1Scene() { StageFrame(stage1Data, gameOverZoom1); }
void Stage2Scene() { StageFrame(stage2Data, gameOverZoom2); }
