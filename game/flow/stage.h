// The two stage scenes: one frame of play, the pause, the continue question.
// What differs between the stages is data: one StageData row each.
#pragma once

// --- kept for the whole run: set when a stage is entered ---

// Height of the zooming game-over label, one per stage.
extern float gameOverZoom1;
extern float gameOverZoom2;

// --- cleared by the game-state reset (ResetStageClock) ---

// Grows by 17 per second; the spawn windows and the boss section read it.
extern float stageClock;

constexpr float STAGE_CLOCK_RATE = 17.0f;
constexpr float GAME_OVER_ZOOM_START = 30.0f;
constexpr float GAME_OVER_ZOOM_RATE = 30.0f;
// Every stage frame, played or paused, ends with this sleep.
constexpr unsigned FRAME_SLEEP_MS = 11;

void ResetStageClock();

// What a stage frame calls for its boss, in frame order: the draw (which also runs
// the death sequence), inside the boss section the script and the phase table's
// fire procedures, in the time limit the time-out, then the volleys' moves and draws.
// The draw and the time-out return 1 when the death sequence is over.
struct BossProcedures {
  int (*draw)();
  void (*script)();
  void (*fireByPhase)();
  int (*timeOut)();
  void (*volleys)();
};

// One step of the families' pass: a family's move, then its draw.
struct FamilyStep {
  void (*move)();
  void (*draw)();
};

// One stage: its music, backdrop, families in draw order, mid-size enemy, boss,
// and the scene that its boss's death leads to.
struct StageData {
  const char* music;
  void (*scrollBackdrop)();
  const FamilyStep* families;  // move and draw, in this order, every frame
  int familyCount;
  int midSize;                 // MidFamilyId of the stage's mid-size enemy
  BossProcedures boss;
  float bossSectionLow;        // the boss acts while low < stageClock < high
  float bossSectionHigh;
  float timeLimitLow;          // the boss times out while low <= stageClock <= high
  float timeLimitHigh;
  float controlLockEnd;        // > 0: the ship is held still until stageClock reaches it
  int nextScene;               // after the boss's death sequence, in the normal game
};

extern const StageData stage1Data;
extern const StageData stage2Data;

// The spawn and fire procedures whose timeline windows hold stageClock, in order.
void OpenSpawnWindows(const StageData& stage);
// The stage's families and their shot families: each row of the stage's table is
// moved, then drawn. ZAK18's five drop groups are one row, so all five move, then
// all five draw.
void MoveAndDrawFamilies(const StageData& stage);
// The answer to the continue question while paused.
void AnswerContinue();
