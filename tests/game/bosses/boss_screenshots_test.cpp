// Pictures of both bosses in every phase, from the generated art, for looking at
// by eye (do the shots leave from the guns drawn on the boss?). Not part of the
// normal run:
//   skyward_tests --gtest_also_run_disabled_tests --gtest_filter='*BossScreenshots*'
// writes bossN_HP.bmp into $SKYWARD_SHOTS_DIR (default: the test temp folder).
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/bosses/backdrop.h"
#include "game/bosses/boss.h"
#include "game/bosses/reset.h"
#include "game/flow/catalogue.h"
#include "game/flow/scene.h"
#include "game/player/ship.h"
#include "lib/draw/zuDraw.h"
#include "lib/draw/zuDrawInternal.h"
#include "lib/system/zuSystem.h"

namespace {

struct Phase {
  int boss;
  float hitPoints;
  int frames;  // long enough for the phase's families to be in the air
};

// One hit-point value inside each phase of the two phase tables, and the death.
constexpr Phase PHASES[] = {
    {1, 690, 200}, {1, 640, 200}, {1, 550, 200}, {1, 415, 200}, {1, 375, 300},
    {1, 300, 300}, {1, 190, 300}, {1, 60, 200},  {1, -1, 30},   {2, 760, 200},
    {2, 715, 200}, {2, 660, 170}, {2, 550, 200}, {2, 400, 200}, {2, 260, 200},
    {2, 150, 200}, {2, 50, 170},  {2, -1, 30},
};

TEST(DISABLED_BossScreenshots, EveryPhase) {
  const char* dir = std::getenv("SKYWARD_SHOTS_DIR");
  const std::string out = dir != nullptr ? std::string(dir) + "/" : testing::TempDir();
  ASSERT_EQ(zuDraw::OpenWindow("Skyward Run", 1), 1);
  zuSystem::SetAppPath(SKYWARD_BIN_DIR);
  LoadAssets();
  ASSERT_NE(objBOS11, 0);
  const int savedMode = gameMode;
  for (const Phase& p : PHASES) {
    zuSystem::SeedRandom(1);
    FullReset();
    gameMode = 5;  // a death here must not move on to another scene
    for (int i = 0; i < BACKGROUND_TILES; ++i) {
      back1Tiles[i] = {-500.0f, -480.0f * i, 0.0f};
      back2Tiles[i] = back1Tiles[i];
    }
    playerX = 270.0f;
    playerY = 400.0f;
    playerAlive = 0;  // shown, never hit
    BossRecord& boss = p.boss == 1 ? boss1 : boss2;
    boss.x = 130.0f;
    boss.y = 0.0f;
    boss.bossClock = p.boss == 1 ? 140.0f : 80.0f;  // at rest, about to sway
    frameSeconds = 1.0f / 60;
    for (int f = 0; f < p.frames; ++f) {
      boss.hitPoints = p.hitPoints;
      zuDraw::Clear();
      if (p.boss == 1) {
        ScrollBack1();
        DrawBoss1();
        DrawShip();
        Boss1Script();
        Boss1FireByPhase();
        Boss1Volleys();
      } else {
        ScrollBack2();
        DrawBoss2();
        DrawShip();
        Boss2Script();
        Boss2FireByPhase();
        Boss2Volleys();
      }
    }
    char name[64];
    std::snprintf(name, sizeof name, "boss%d_%03d.bmp", p.boss, static_cast<int>(p.hitPoints));
    EXPECT_EQ(SDL_SaveBMP(zuDraw::BackSurface(), (out + name).c_str()), 0) << SDL_GetError();
  }
  gameMode = savedMode;
  frameSeconds = 0.0f;
  FullReset();
  zuSystem::SetAppPath(nullptr);
  zuDraw::CloseScreen();
  zuDraw::DestroyWindow();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
