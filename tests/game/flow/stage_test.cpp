#include <gtest/gtest.h>

#include "game/enemies/enemy.h"
#include "game/flow/reset.h"
#include "game/flow/scene.h"
#include "game/flow/stage.h"
#include "game/flow/title.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "lib/input/zuInput.h"
#include "lib/system/zuSystem.h"

namespace {

int ActiveZak2() {
  int n = 0;
  for (const EnemySlot& s : zak2Slots) n += s.active;
  return n;
}

}  // namespace

TEST(StageTimeline, Zak2WindowExcludesItsBounds) {
  for (float clock : {30.0f, 30.5f, 300.0f}) {
    zuSystem::SeedRandom(7);
    FullReset();
    stageClock = clock;
    OpenSpawnWindows(stage1Data);
    EXPECT_EQ(ActiveZak2() > 0, clock == 30.5f) << clock;
  }
  FullReset();
}

TEST(TitleCycle, PicturesAtTheirFrames) {
  const int frames[][2] = {{1, 1}, {200, 1}, {201, 2}, {800, 4}, {801, 5},
                           {1001, 1}, {8001, 5}, {9500, 5}, {9501, 0}};
  for (const auto& f : frames) EXPECT_EQ(TitlePictureFor(f[0]), f[1]) << f[0];
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
