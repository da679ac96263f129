// The title's attract cycle and the setup screen that starts a game.
#include "game/assets/assets.h"
#include "game/backdrops/backdrop.h"
#include "game/flow/reset.h"
#include "game/flow/scene.h"
#include "game/flow/stage.h"
#include "game/flow/title.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "game/playfield.h"
#include "lib/draw/zuDraw.h"
#include "lib/input/zuInput.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

int titleCounter = 0;

const char TITLE_HELP_LINE[] =
    "[ESC]:終了/[SPACE]:ゲーム開始/カーソルキー:自機の移動/[Z][X]:弾の発射/"
    "  (C) 2026 the Skyward Run team";

namespace {

// Which picture a value of titleCounter shows: 1 JCG1, 2 JCG2, 3 JCG3, 4 JCG4,
// 5 the logo, 0 nothing.
struct TitleWindow {
  int last;  // last frame of the window (inclusive)
  int picture;
};

constexpr TitleWindow TITLE_CYCLE[] = {
    {200, 1},  {400, 2},  {600, 3},  {800, 4},  {1000, 5},
    {1500, 1}, {2000, 2}, {2500, 3}, {3000, 4}, {3500, 5},
    {4500, 1}, {5500, 2}, {6500, 3}, {8000, 4}, {9500, 5},
};

void DrawTitlePicture(int picture) {
  switch (picture) {
    case 1: zuDraw::PutObject(130, 0, objJCG1, 0, 0, 380, 480); break;
    case 2: zuDraw::PutObject(120, 0, objJCG2, 0, 0, 400, 480); break;
    case 3: zuDraw::PutObject(130, 0, objJCG3, 0, 0, 380, 480); break;
    case 4: zuDraw::PutObject(130, 0, objJCG4, 0, 0, 380, 480); break;
    case 5: zuDraw::PutObject(70, 90, objTITLE, 0, 0, 500, 300); break;
    default: break;
  }
}


// The title and setup frames are paced by the display's refresh where the
// present waits for it; elsewhere (no wait, or no display) they sleep like a
// stage frame, so that the title's cycle, counted in frames, lasts minutes
// instead of spinning through in seconds.
void PaceMenuFrame() {
  if (!zuDraw::PresentWaitsForDisplay()) zuSystem::FrameSleep(FRAME_SLEEP_MS);
}

}  // namespace

int TitlePictureFor(int counter) {
  for (const TitleWindow& w : TITLE_CYCLE) {
    if (counter <= w.last) return counter >= 1 ? w.picture : 0;
  }
  return 0;
}

void NewGame() {
  playerX = SHIP_START_X;
  playerY = SHIP_START_Y;
  score = 0;
  bombs = START_BOMBS;
  energy = START_ENERGY;
  LayOutBackgrounds();
}

void TitleScene() {
  if (sceneEntered == 1) {
    // Back at the title a game has ended: a new best is kept now.
    KeepBestScore();
    zuSound::PlayMidi("JOP1.MID");
    titleCounter = 0;
    gameMode = 5;
    plainBackground = 0;
  }
  zuDraw::Clear();
  titleCounter += 1;
  if (titleCounter >= 9501) {
    titleCounter = 0;
  } else {
    DrawTitlePicture(TitlePictureFor(titleCounter));
  }
  zuDraw::DrawCaption(0, 460, TITLE_HELP_LINE);
  zuDraw::Flip();
  if (lastKey == VK_SPACE) {
    FullReset();
    NewGame();
    ChangeScene(SCENE_SETUP);
  }
  PaceMenuFrame();
}

void SetupScene() {
  if (sceneEntered == 1) zuSound::PlayMidi("JSET1.MID");
  zuDraw::Clear();
  zuDraw::PutObject(130, 0, objSELECT1, 0, 0, 380, 480);
  zuDraw::Flip();
  if (lastKey == VK_RETURN || lastKey == VK_F2) {
    FullReset();
    NewGame();
    gameMode = 0;
    ChangeScene(SCENE_STAGE1);
  } else if (lastKey == VK_F4 && plainBackground == 0) {
    plainBackground = 1;
  }
  PaceMenuFrame();
}
