#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/assets/assets.h"
#include "game/bosses/boss.h"
#include "game/enemies/enemy.h"
#include "game/enemies/enemyshots.h"
#include "game/flow/reset.h"
#include "game/flow/scene.h"
#include "game/flow/stage.h"
#include "game/flow/title.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "lib/draw/zuDraw.h"
#include "lib/input/zuInput.h"
#include "lib/sound/soundInternal.h"
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

// Frame 9501 shows nothing and starts the cycle again.
TEST(TitleCycle, CounterWrapsAtTheEndOfTheCycle) {
  sceneEntered = 0;
  lastKey = 0;
  titleCounter = 9500;
  TitleScene();
  EXPECT_EQ(titleCounter, 0);
  TitleScene();
  EXPECT_EQ(titleCounter, 1);
}

// --- the two stage rows, each value where it takes effect ----------------------------
//
// Every case drives Stage1Scene or Stage2Scene and reads the figures of the stage
// table as the game's description gives them, never the rows themselves.

namespace {

uint32_t fakeTicks = 0;
uint32_t FakeClock() { return fakeTicks; }
void FakeSleep(uint32_t ms) { fakeTicks += ms; }

// A stage of the normal game as the setup screen starts it, on a virtual clock.
class Stages : public ::testing::Test {
 protected:
  void SetUp() override { Fresh(); }
  void TearDown() override {
    zuSystem::SetClock(nullptr, nullptr);
    frameSeconds = 0.0f;
    FullReset();
    gameMode = 5;
    scene = previousScene = sceneEntered = 0;
    energy = 77;
  }
  static void Fresh() {
    zuSystem::SetClock(FakeClock, FakeSleep);
    zuSystem::ResetWaits();
    zuSystem::SeedRandom(3);
    FullReset();
    NewGame();
    gameMode = 0;
    plainBackground = 0;
    lastKey = 0;
    scene = previousScene = 2;
    sceneEntered = 0;
  }
  // One frame of stage 1 or 2 from `clock`, frameSeconds = seconds.
  static void Frame(int stage, float clock, float seconds) {
    stageClock = clock;
    frameSeconds = seconds;
    if (stage == 1) {
      Stage1Scene();
    } else {
      Stage2Scene();
    }
  }
};

}  // namespace

// The boss acts while low < stageClock < high; in the closed time limit it is
// killed. The whole-game replay kills both bosses long before their time-outs.
TEST_F(Stages, BossSectionAndTimeLimitAtTheirBounds) {
  struct Row {
    int stage;
    BossRecord* boss;
    float firingHitPoints;  // inside a phase window ...
    const int* counter;     // ... that counts this family's fire calls
    float low, high, limitLow;
  };
  const Row rows[] = {{1, &boss1, 650.0f, &boss1V6[0].counter, 1000, 10100, 10000},
                      {2, &boss2, 750.0f, &boss2R1[0].counter, 1110, 11100, 11000}};
  for (const Row& r : rows) {
    const struct {
      float clock;
      int acts, killed;
    } probes[] = {{r.low, 0, 0},           {r.low + 0.5f, 1, 0}, {r.limitLow - 0.5f, 1, 0},
                  {r.limitLow, 1, 1},      {r.high - 0.5f, 1, 1}, {r.high, 0, 0}};
    for (const auto& p : probes) {
      Fresh();
      r.boss->hitPoints = r.firingHitPoints;
      Frame(r.stage, p.clock, 0.0f);
      EXPECT_EQ(*r.counter, p.acts) << "stage " << r.stage << " at " << p.clock;
      EXPECT_EQ(r.boss->hitPoints == 0.0f, p.killed == 1) << "stage " << r.stage << " at "
                                                           << p.clock;
    }
  }
}

// Stage 1's boss leads to stage 2, stage 2's to the title, through the game-state
// reset, on the frame whose death-check step passes 70, also when the time-out takes
// that step. A game over pending meanwhile is cleared with the rest while energy
// stays below 1, so the same frame asks the continue question again and stage 2
// opens on it. Outside the normal game the boss only locks the controls.
TEST_F(Stages, BossDeathEndsTheStageIntoItsNextScene) {
  const struct {
    int stage;
    BossRecord* boss;
    float clock, seconds;
    int next;
  } cases[] = {{1, &boss1, 500.0f, 0.01f, 3},    // the draw's step
               {1, &boss1, 10050.0f, 0.004f, 3},  // 69.99 after the draw, 70.03 after the time-out
               {2, &boss2, 500.0f, 0.01f, 1}};
  for (const auto& c : cases) {
    Fresh();
    energy = -3;
    continueDeclined = 1;
    gameOverShown = 1;
    c.boss->hitPoints = 0.0f;
    c.boss->deathClock = 69.95f;
    Frame(c.stage, c.clock, c.seconds);
    EXPECT_EQ(scene, c.next) << c.stage << " at " << c.clock;
    EXPECT_EQ(previousScene, 0);
    EXPECT_GT(c.boss->hitPoints, 0.0f);
    EXPECT_EQ(stageClock, 0.0f);
    EXPECT_EQ(gameOverShown + continueDeclined, 0);
    EXPECT_EQ(continuePrompt, 1);
  }
  // What the first boss left behind: stage 2 starts held on the question.
  Fresh();
  energy = -3;
  boss1.hitPoints = 0.0f;
  boss1.deathClock = 69.95f;
  Frame(1, 500.0f, 0.01f);
  sceneEntered = 1;
  Frame(2, 0.0f, 0.01f);
  EXPECT_EQ(paused + continuePrompt + controlLocked, 3);

  Fresh();
  gameMode = 5;
  boss1.hitPoints = 0.0f;
  boss1.deathClock = 69.95f;
  Frame(1, 500.0f, 0.01f);
  EXPECT_EQ(scene, 2);
  EXPECT_EQ(controlLocked, 1);
  EXPECT_EQ(boss1.hitPoints, 0.0f);
}

// Stage 2 lets the ship go on every frame from stageClock 16 on, whatever locked
// it; stage 1 never does. (The hold itself, the backdrops and the mid-size
// enemies are pinned by the whole-game replay.)
TEST_F(Stages, OnlyStage2LetsTheShipGoWhateverLockedIt) {
  for (int stage : {1, 2}) {
    Fresh();
    controlLocked = 1;
    Frame(stage, 500.0f, 0.0f);
    EXPECT_EQ(controlLocked, stage == 1 ? 1 : 0) << stage;
  }
}

// Stage 1 enters with "JBGM1.MID", stage 2 with "JBGM2.MID": each plays only
// when its own piece is in the program folder.
TEST(StageMusic, EachStageEntersWithItsOwnPiece) {
  namespace fs = std::filesystem;
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (zuSound::Init() == 0) GTEST_SKIP() << "no audio device";
  zuSound::InitMidi();
  const fs::path dir = fs::path(testing::TempDir()) / ("stage_music_" + std::to_string(getpid()));
  fs::create_directories(dir);
  zuSystem::SetAppPath((dir.string() + "/").c_str());
  const fs::path piece = fs::path(SKYWARD_BIN_DIR) / "JBGM1.MID";
  fs::copy_file(piece, dir / "JBGM1.MID");
  zuSound::PlayMidi("JBGM1.MID");
  const bool synth = Mix_PlayingMusic() == 1;
  FullReset();
  frameSeconds = 0.0f;
  if (synth) {
    for (const char* present : {"JBGM1.MID", "JBGM2.MID"}) {
      fs::remove(dir / "JBGM1.MID");
      fs::remove(dir / "JBGM2.MID");
      fs::copy_file(piece, dir / present);
      for (int stage : {1, 2}) {
        sceneEntered = 1;
        stage == 1 ? Stage1Scene() : Stage2Scene();
        EXPECT_EQ(Mix_PlayingMusic(), (stage == 1) == (present[4] == '1') ? 1 : 0)
            << "stage " << stage << " with only " << present;
      }
    }
  }
  sceneEntered = 0;
  FullReset();
  zuSound::Release();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  zuSystem::SetAppPath(nullptr);
  fs::remove_all(dir);
  if (!synth) GTEST_SKIP() << "no MIDI synthesizer or soundfont";
}
