// Score, the score line at the top of the play column, and the end of a game.
#pragma once

constexpr int SCORE_MAX = 999999999;

// --- kept for the whole run (NewGame and a continue clear it) ---

extern int score;
// The high score shown by the score line.
extern int hiScore;

// --- cleared by the game-state reset (ResetGameOver) ---

// 1 after the continue question was answered N.
extern int continueDeclined;
// 1 once the game-over label and its 9-second wait have started.
extern int gameOverShown;

void ResetGameOver();

// The wait slot that times the game-over label.
constexpr int GAME_OVER_WAIT_SLOT = 1;
constexpr unsigned GAME_OVER_WAIT_MS = 9000;

// The best score kept between runs, in the player's data folder.
constexpr int BEST_SCORE_START = 5000;
constexpr char BEST_SCORE_FILE[] = "best-score";
// hiScore from the kept file; BEST_SCORE_START when there is none, or when it is
// damaged or unreadable (one line on standard error).
void LoadBestScore();
// Writes hiScore to the kept file when it beats what is kept (end of a game,
// end of the program); a failed write costs only the record.
void KeepBestScore();

// Adds points, caps at SCORE_MAX, raises hiScore with it.
void PayPoints(int points);
// One piece of "MYMY.BMP" placed on the score line.
struct ScoreGlyph {
  int x, y;
  int left, top, right, bottom;
};
constexpr int SCORE_LINE_GLYPHS = 25;  // 9 + 9 + 3 + 2 digits and two labels
// Fills `out` with the pieces of the score line in drawing order; returns how many.
int LayOutScoreLine(ScoreGlyph out[SCORE_LINE_GLYPHS]);
// Score, high score, energy and bombs in the digit glyphs of "MYMY.BMP".
void DrawScoreLine();
// After the answer N: stops the music, waits 9 s with the label, then the title.
void GameOverCheck();
