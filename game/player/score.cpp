#include "game/player/score.h"

#include <cstdio>

#include "game/flow/catalogue.h"
#include "game/flow/scene.h"
#include "game/player/ship.h"
#include "lib/draw/zuDraw.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

int score = 0;
int continueDeclined = 0;
int gameOverShown = 0;

namespace {

constexpr int DIGIT_Y = 6;
constexpr int DIGIT_PITCH = 10;
constexpr int GLYPH_TOP = 70;
constexpr int GLYPH_BOTTOM = 80;

// Draws the first `count` characters of `text` as digit glyphs from x onwards.
void DrawDigits(const char* text, int count, int x) {
  for (int i = 0; i < count && text[i] != '\0'; ++i) {
    int d = text[i] - '0';
    if (d < 0 || d > 9) continue;
    zuDraw::PutObject(x + DIGIT_PITCH * i, DIGIT_Y, objMYMY, 8 + 7 * d, GLYPH_TOP, 15 + 7 * d,
                      GLYPH_BOTTOM);
  }
}

}  // namespace

void PayPoints(int points) {
  // Widened so that a sum past the cap cannot wrap before it is clamped.
  long long sum = static_cast<long long>(score) + points;
  score = sum > SCORE_MAX ? SCORE_MAX : static_cast<int>(sum);
  if (score > hiScore) hiScore = score;
}

void DrawScoreLine() {
  char text[16];
  std::snprintf(text, sizeof text, "%09d", score);
  DrawDigits(text, 9, 140);
  std::snprintf(text, sizeof text, "%09d", hiScore);
  DrawDigits(text, 9, 260);
  if (energy >= 0) {
    std::snprintf(text, sizeof text, "%03d", energy);
    DrawDigits(text, 3, 400);
  }
  if (bombs >= 0) {
    std::snprintf(text, sizeof text, "%02d", bombs);
    DrawDigits(text, 2, 480);
  }
  zuDraw::PutObject(450, DIGIT_Y, objMYMY, 170, GLYPH_TOP, 194, GLYPH_BOTTOM);
  zuDraw::PutObject(370, DIGIT_Y, objMYMY, 200, GLYPH_TOP, 224, GLYPH_BOTTOM);
}

void GameOverCheck() {
  if (zuSystem::CheckWait(GAME_OVER_WAIT_SLOT) == 1 && gameOverShown == 1) {
    scene = 1;
    previousScene = 0;
  }
  if (gameOverShown == 0 && continueDeclined == 1 && energy < 1) {
    gameOverShown = 1;
    zuSound::StopMidi();
    zuSystem::SetWait(GAME_OVER_WAIT_SLOT, GAME_OVER_WAIT_MS);
  }
}
