#include "game/flow/scene.h"

int scene = 0;
int previousScene = 0;
int sceneEntered = 0;
int paused = 0;
int continuePrompt = 0;
int gameMode = 5;
int plainBackground = 0;

void RunScene(int sceneNumber) {
  switch (sceneNumber) {
    case 1: TitleScene(); break;
    case 2: Stage1Scene(); break;
    case 3: Stage2Scene(); break;
    case 11: SetupScene(); break;
    default: break;
  }
}
