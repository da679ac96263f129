#include "game/flow/scene.h"

#include "game/playfield.h"

int paused = 0;
int continuePrompt = 0;
int gameMode = 5;
int plainBackground = 0;

void ResetPause() {
  paused = 0;
  continuePrompt = 0;
}

void TogglePause() {
  if (continuePrompt != 0) return;
  paused = paused ? 0 : 1;
}

void RunScene(int sceneNumber) {
  switch (sceneNumber) {
    case SCENE_TITLE: TitleScene(); break;
    case SCENE_STAGE1: Stage1Scene(); break;
    case SCENE_STAGE2: Stage2Scene(); break;
    case SCENE_SETUP: SetupScene(); break;
    default: break;
  }
}
