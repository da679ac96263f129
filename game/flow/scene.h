// The scenes, and the flags shared between the scenes and the event dispatch.
// The scene protocol itself (scene, previousScene, sceneEntered) is in
// game/playfield.h, since the bosses and the game-over check change scene too.
#pragma once
#include "game/playfield.h"

// --- kept for the whole run ---

// 5 on the title, 0 once the setup screen starts a game.
extern int gameMode;
// 1: the plain starfield instead of the stage backgrounds.
extern int plainBackground;

// --- cleared by the game-state reset (ResetPause) ---

// The stages' pause flag: TogglePause ([S]) and the continue question set it.
extern int paused;
// 1 while the continue question is showing ([S] does nothing then).
extern int continuePrompt;

void ResetPause();
// [S]: pause or resume the stage, unless the continue question is up.
void TogglePause();

void TitleScene();
void SetupScene();
void Stage1Scene();
void Stage2Scene();

// Calls the scene function for `scene`; any other number calls nothing.
void RunScene(int sceneNumber);
