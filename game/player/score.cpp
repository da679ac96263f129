#include "game/player/score.h"

#include <cstdio>

#include "game/assets/assets.h"
#include "game/player/ship.h"
#include "game/playfield.h"
#include "lib/draw/zuDraw.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

int score = 0;
int hiScore = 0;
int continueDeclined = 0;
int gameOverShown = 0;

namespace {

// What the kept file holds (or would hold): a better hiScore is written.
int keptBest = BEST_SCORE_START;

// The kept file: the score in decimal digits and an optional line end, nothing else.
bool ParseBestScore(const char* text, int length, int* value) {
  long long v = 0;
  int i = 0;
  for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > SCORE_MAX) return false;
  }
  if (i == 0) return false;
  if (i < length && text[i] == '\r') ++i;
  if (i < length && text[i] == '\n') ++i;
  if (i != length) return false;
  *value = static_cast<int>(v);
  return true;
}

constexpr int DIGIT_Y = 6;
constexpr int DIGIT_PITCH = 10;
constexpr int GLYPH_TOP = 70;
constexpr int GLYPH_BOTTOM = 80;

// Places the first `count` characters of `text` as digit glyphs from x onwards.
int PlaceDigits(const char* text, int count, int x, ScoreGlyph* out, int n) {
  for (int i = 0; i < count && text[i] != '\0'; ++i) {
    int d = text[i] - '0';
    if (d < 0 || d > 9) continue;
    out[n++] = {x + DIGIT_PITCH * i, DIGIT_Y, 8 + 7 * d, GLYPH_TOP, 15 + 7 * d, GLYPH_BOTTOM};
  }
  return n;
}

}  // namespace

void ResetGameOver() {
  continueDeclined = 0;
  gameOverShown = 0;
}

void LoadBestScore() {
  hiScore = BEST_SCORE_START;
  keptBest = BEST_SCORE_START;
  char text[32];
  const int length = zuSystem::ReadUserFile(BEST_SCORE_FILE, text, sizeof text);
  if (length < 0) return;  // none, or unreadable and already said
  int value = 0;
  if (!ParseBestScore(text, length, &value)) {
    std::fprintf(stderr, "skyward-run: %s is damaged; the best score starts from %d\n",
                 zuSystem::UserFilePath(BEST_SCORE_FILE), BEST_SCORE_START);
    return;
  }
  hiScore = value;
  keptBest = value;
}

void KeepBestScore() {
  if (hiScore <= keptBest) return;
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%d\n", hiScore);
  zuSystem::WriteUserFile(BEST_SCORE_FILE, text, length);
  // Tried once per new best: a folder that cannot be written is not retried every game.
  keptBest = hiScore;
}

void PayPoints(int points) {
  // Widened so that a sum past the cap cannot wrap before it is clamped.
  long long sum = static_cast<long long>(score) + points;
  score = sum > SCORE_MAX ? SCORE_MAX : static_cast<int>(sum);
  if (score > hiScore) hiScore = score;
}

int LayOutScoreLine(ScoreGlyph out[SCORE_LINE_GLYPHS]) {
  char text[16];
  int n = 0;
  std::snprintf(text, sizeof text, "%09d", score);
  n = PlaceDigits(text, 9, 140, out, n);
  std::snprintf(text, sizeof text, "%09d", hiScore);
  n = PlaceDigits(text, 9, 260, out, n);
  // A negative reserve (the last destruction) shows no digits at all.
  if (energy >= 0) {
    std::snprintf(text, sizeof text, "%03d", energy);
    n = PlaceDigits(text, 3, 400, out, n);
  }
  if (bombs >= 0) {
    std::snprintf(text, sizeof text, "%02d", bombs);
    n = PlaceDigits(text, 2, 480, out, n);
  }
  out[n++] = {450, DIGIT_Y, 170, GLYPH_TOP, 194, GLYPH_BOTTOM};  // bomb label
  out[n++] = {370, DIGIT_Y, 200, GLYPH_TOP, 224, GLYPH_BOTTOM};  // energy label
  return n;
}

void DrawScoreLine() {
  ScoreGlyph glyphs[SCORE_LINE_GLYPHS];
  int n = LayOutScoreLine(glyphs);
  for (int i = 0; i < n; ++i) {
    const ScoreGlyph& g = glyphs[i];
    zuDraw::PutObject(g.x, g.y, objMYMY, g.left, g.top, g.right, g.bottom);
  }
}

void GameOverCheck() {
  if (zuSystem::CheckWait(GAME_OVER_WAIT_SLOT) == 1 && gameOverShown == 1) {
    ChangeScene(SCENE_TITLE);
  }
  if (gameOverShown == 0 && continueDeclined == 1 && energy < 1) {
    gameOverShown = 1;
    zuSound::StopMidi();
    zuSystem::SetWait(GAME_OVER_WAIT_SLOT, GAME_OVER_WAIT_MS);
  }
}
