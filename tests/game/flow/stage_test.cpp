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
