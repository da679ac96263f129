// The two stage scenes: one frame of play, the pause, the continue question.
#pragma once

// Grows by 17 per second; the spawn windows and the boss section read it.
extern float stageClock;
// Height of the zooming game-over label, one per stage.
extern float gameOverZoom1;
extern float gameOverZoom2;

constexpr float STAGE_CLOCK_RATE = 17.0f;
constexpr float GAME_OVER_ZOOM_START = 30.0f;
constexpr float GAME_OVER_ZOOM_RATE = 30.0f;
constexpr float STAGE2_CONTROL_LOCK = 16.0f;
// Every stage frame, played or paused, ends with this sleep.
constexpr unsigned FRAME_SLEEP_MS = 11;

// One stage's data: its music, backdrop, mid-size enemy and boss.
struct StageData {
  const char* music;
  void (*scrollBackdrop)();
  float bossSectionLow;   // exclusive
  float bossSectionHigh;  // exclusive
  float timeLimitLow;     // inclusive
  float timeLimitHigh;    // inclusive
  int stage;              // 1 or 2
};

extern const StageData stage1Data;
extern const StageData stage2Data;

// The spawn windows of a stage for the current stageClock, in call order.
void OpenSpawnWindows(int stage);
// Step 11 of a frame: the stage's families and their shot families, move then draw.
void MoveAndDrawFamilies(int stage);
// The answer to the continue question while paused.
void AnswerContinue();
