#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/player/score.h"
#include "game/player/ship.h"
#include "game/playfield.h"
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
  score = 999999990;
  PayPoints(20);
  EXPECT_EQ(score, 999999999);
  EXPECT_EQ(hiScore, 999999999);
  PayPoints(1);
  EXPECT_EQ(score, 999999999);
}

// Each glyph of the score line as (x, left edge of its piece); every piece is 10
// high from row 70 of "MYMY.BMP" and drawn at y 6, a digit d being 8 + 7d .. 15 + 7d.
std::vector<std::pair<int, int>> Line() {
  ScoreGlyph g[SCORE_LINE_GLYPHS];
  const int n = LayOutScoreLine(g);
  std::vector<std::pair<int, int>> line;
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(g[i].y, 6);
    EXPECT_EQ(g[i].top, 70);
    EXPECT_EQ(g[i].bottom, 80);
    EXPECT_EQ(g[i].right - g[i].left, g[i].left >= 170 ? 24 : 7) << g[i].x;
    line.emplace_back(g[i].x, g[i].left);
  }
  return line;
}

TEST_F(Score, LineShowsScoreHighScoreEnergyAndBombsInDigitGlyphs) {
  score = 123456789;
  hiScore = 5000;
  energy = 61;
  bombs = 2;
  const std::vector<std::pair<int, int>> expected = {
      // "123456789" from x 140, every 10 pixels
      {140, 15}, {150, 22}, {160, 29}, {170, 36}, {180, 43}, {190, 50}, {200, 57}, {210, 64},
      {220, 71},
      // "000005000" from 260
      {260, 8}, {270, 8}, {280, 8}, {290, 8}, {300, 8}, {310, 43}, {320, 8}, {330, 8}, {340, 8},
      // "061" from 400, "02" from 480, then the bomb and energy labels
      {400, 8}, {410, 50}, {420, 15}, {480, 8}, {490, 22}, {450, 170}, {370, 200}};
  EXPECT_EQ(Line(), expected);

  // At 0 both still show; after the last destruction energy is −3: no energy
  // digits, the label stays; nor bomb digits below 0.
  energy = 0;
  bombs = 0;
  EXPECT_EQ(Line().size(), expected.size());
  energy = 13 - 16;
  bombs = -1;
  const std::vector<std::pair<int, int>> line = Line();
  ASSERT_EQ(line.size(), 20u);
  EXPECT_EQ(line[18], std::make_pair(450, 170));
  EXPECT_EQ(line[19], std::make_pair(370, 200));
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
