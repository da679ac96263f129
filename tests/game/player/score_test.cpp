#include <gtest/gtest.h>

#include "game/flow/scene.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "lib/system/zuSystem.h"

namespace {

uint32_t fakeTicks = 0;
uint32_t FakeClock() { return fakeTicks; }

class Score : public ::testing::Test {
 protected:
  void SetUp() override {
    score = 0;
    hiScore = 5000;
    energy = 77;
    bombs = 3;
    gameOverShown = 0;
    continueDeclined = 0;
    fakeTicks = 1000;
    zuSystem::SetClock(FakeClock, nullptr);
    zuSystem::ResetWaits();
    scene = 2;
    previousScene = 2;
  }
  void TearDown() override {
    zuSystem::SetClock(nullptr, nullptr);
    gameOverShown = 0;
    continueDeclined = 0;
    energy = 77;
    bombs = 3;
  }
};

TEST_F(Score, PaymentsCapAndHighScoreFollows) {
  PayPoints(20);
  EXPECT_EQ(score, 20);
  EXPECT_EQ(hiScore, 5000);
  score = SCORE_MAX - 5;
  PayPoints(20);
  EXPECT_EQ(score, SCORE_MAX);
  EXPECT_EQ(hiScore, SCORE_MAX);
  PayPoints(1);
  EXPECT_EQ(score, SCORE_MAX);
}

// The glyph drawn at x on the score line, as a digit (-1 none, -2 a label).
int GlyphAt(int x) {
  ScoreGlyph g[SCORE_LINE_GLYPHS];
  int n = LayOutScoreLine(g);
  for (int i = 0; i < n; ++i) {
    if (g[i].x != x) continue;
    EXPECT_EQ(g[i].y, 6);
    EXPECT_EQ(g[i].bottom - g[i].top, 10);
    if (g[i].right - g[i].left != 7) return -2;
    return (g[i].left - 8) / 7;
  }
  return -1;
}

TEST_F(Score, NegativeEnergyAfterTheLastDestructionShowsNoDigits) {
  energy = 13;
  energy -= 16;
  for (int x : {400, 410, 420}) EXPECT_EQ(GlyphAt(x), -1);
  EXPECT_EQ(GlyphAt(370), -2);  // the label stays
  energy = 0;
  EXPECT_EQ(GlyphAt(420), 0);
  bombs = -1;
  EXPECT_EQ(GlyphAt(480), -1);
}

TEST_F(Score, OldDeadlineDoesNotEndTheNextGame) {
  zuSystem::SetWait(GAME_OVER_WAIT_SLOT, 10);
  fakeTicks += 100000;
  energy = 77;
  GameOverCheck();
  EXPECT_EQ(scene, 2);
  EXPECT_EQ(gameOverShown, 0);
}

}  // namespace
