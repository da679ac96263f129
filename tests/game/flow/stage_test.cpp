#include <gtest/gtest.h>

#include "game/bosses/reset.h"
#include "game/enemies/enemy.h"
#include "game/flow/scene.h"
#include "game/flow/stage.h"
#include "game/flow/title.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/input/zuInput.h"
#include "lib/system/zuSystem.h"

namespace {

int ActiveZak2() {
  int n = 0;
  for (const EnemySlot& s : zak2Slots) n += s.active;
  return n;
}

// A stage as the setup screen starts it, without a screen: drawing is a no-op.
void StartStage(int number) {
  zuSystem::SeedRandom(7);
  FullReset();
  NewGame();
  stageClock = 0.0f;
  scene = number;
  sceneEntered = 1;
  lastKey = 0;
  frameSeconds = 0.012f;
}

}  // namespace

TEST(StageTimeline, Zak2WindowExcludesItsBounds) {
  StartStage(2);
  stageClock = 30.0f;
  OpenSpawnWindows(stage1Data);
  EXPECT_EQ(ActiveZak2(), 0) << "30 itself is outside the window";
  stageClock = 30.5f;
  OpenSpawnWindows(stage1Data);
  EXPECT_GT(ActiveZak2(), 0);
  FullReset();
  stageClock = 300.0f;
  OpenSpawnWindows(stage1Data);
  EXPECT_EQ(ActiveZak2(), 0) << "no ZAK2 spawn call at exactly 300";
}

TEST(StageFrame, ClockAdvancesSeventeenPerSecondAndPauseFreezesEverything) {
  StartStage(2);
  Stage1Scene();
  EXPECT_NEAR(stageClock, 17.0f * 0.012f, 1e-5);
  sceneEntered = 0;
  float clockBefore = stageClock;
  float xBefore = playerX;
  paused = 1;
  frameSeconds = 5.0f;
  zuSystem::SetKeyDown(0x27, true);  // right held: still nothing moves
  Stage1Scene();
  zuSystem::SetKeyDown(0x27, false);
  EXPECT_EQ(stageClock, clockBefore);
  EXPECT_EQ(playerX, xBefore);
  paused = 0;
}

TEST(StageFrame, StageTwoLocksControlForItsFirstSixteenUnits) {
  StartStage(3);
  Stage2Scene();
  EXPECT_EQ(controlLocked, 1);
  sceneEntered = 0;
  stageClock = 15.0f;
  frameSeconds = 0.05f;  // +0.85: still below 16
  Stage2Scene();
  EXPECT_EQ(controlLocked, 1);
  Stage2Scene();  // passes 16
  EXPECT_EQ(controlLocked, 0);
}

TEST(ContinueQuestion, NoEnergyAsksThenYesRestoresTheShip) {
  StartStage(2);
  Stage1Scene();
  sceneEntered = 0;
  centreShots[4].active = 1;
  score = 1234;
  energy = 0;
  Stage1Scene();
  EXPECT_EQ(paused, 1);
  EXPECT_EQ(continuePrompt, 1);
  EXPECT_EQ(controlLocked, 1);
  EXPECT_EQ(playerAlive, 0);
  EXPECT_EQ(centreShots[4].active, 0);

  lastKey = 0x53;  // any other key leaves the question up
  Stage1Scene();
  EXPECT_EQ(continuePrompt, 1);

  lastKey = 0x59;  // [Y]
  Stage1Scene();
  EXPECT_EQ(paused, 0);
  EXPECT_EQ(continuePrompt, 0);
  EXPECT_EQ(energy, 50);
  EXPECT_EQ(bombs, 3);
  EXPECT_EQ(score, 0);
  EXPECT_EQ(respawning, 1);
  EXPECT_EQ(playerAlive, 1);
  EXPECT_EQ(controlLocked, 0);
  lastKey = 0;
}

TEST(ContinueQuestion, NoLeadsToTheGameOverLabelAndTheTitle) {
  StartStage(2);
  Stage1Scene();
  sceneEntered = 0;
  energy = -3;
  Stage1Scene();
  ASSERT_EQ(continuePrompt, 1);
  lastKey = 0x4E;  // [N]
  Stage1Scene();
  lastKey = 0;
  EXPECT_EQ(paused, 0);
  EXPECT_EQ(continueDeclined, 1);
  Stage1Scene();  // the game-over check runs at the end of a played frame
  EXPECT_EQ(gameOverShown, 1);
  EXPECT_EQ(scene, 2);
  float zoomBefore = gameOverZoom1;
  Stage1Scene();
  EXPECT_GT(gameOverZoom1, zoomBefore);
}

TEST(TitleCycle, PicturesAtTheirFrames) {
  EXPECT_EQ(TitlePictureFor(1), 1);
  EXPECT_EQ(TitlePictureFor(200), 1);
  EXPECT_EQ(TitlePictureFor(201), 2);
  EXPECT_EQ(TitlePictureFor(800), 4);
  EXPECT_EQ(TitlePictureFor(801), 5);
  EXPECT_EQ(TitlePictureFor(1001), 1);
  EXPECT_EQ(TitlePictureFor(8001), 5);
  EXPECT_EQ(TitlePictureFor(9500), 5);
  EXPECT_EQ(TitlePictureFor(9501), 0);
}

TEST(TitleCycle, CounterWrapsAtTheEndOfTheCycleAndSpaceStartsSetup) {
  scene = 1;
  sceneEntered = 1;
  lastKey = 0;
  TitleScene();
  EXPECT_EQ(titleCounter, 1);
  EXPECT_EQ(gameMode, 5);
  sceneEntered = 0;
  titleCounter = 9500;
  TitleScene();
  EXPECT_EQ(titleCounter, 0);
  TitleScene();
  EXPECT_EQ(titleCounter, 1);
  lastKey = 0x20;
  TitleScene();
  lastKey = 0;
  EXPECT_EQ(scene, 11);
  EXPECT_EQ(previousScene, 0);
  EXPECT_EQ(energy, 77);
  EXPECT_EQ(bombs, 3);
  EXPECT_EQ(score, 0);
}

TEST(SetupScreen, F4ChoosesTheStarfieldAndEnterStartsStageOne) {
  scene = 11;
  sceneEntered = 1;
  plainBackground = 0;
  lastKey = 0x73;
  SetupScene();
  EXPECT_EQ(plainBackground, 1);
  EXPECT_EQ(scene, 11);
  sceneEntered = 0;
  lastKey = 0x0D;
  SetupScene();
  lastKey = 0;
  EXPECT_EQ(scene, 2);
  EXPECT_EQ(gameMode, 0);
  EXPECT_EQ(plainBackground, 1);
}
