// Scene protocol and the flags shared between the scenes and the event dispatch.
#pragma once

// --- kept for the whole run ---

// 1 title, 2 stage 1, 3 stage 2, 11 setup (SceneNumber); change it with ChangeScene.
extern int scene;
// 0 forces a first frame on the next frame.
extern int previousScene;
// 1 during the first frame of a scene.
extern int sceneEntered;
// 5 on the title, 0 once the setup screen starts a game.
extern int gameMode;
// 1: the plain starfield instead of the stage backgrounds.
extern int plainBackground;

// --- cleared by the game-state reset (ResetPause) ---

// The stages' pause flag, toggled by [S] through TogglePause.
extern int paused;
// 1 while the continue question is showing ([S] does nothing then).
extern int continuePrompt;

void ResetPause();
// [S]: pauses or resumes, except while the continue question is showing.
void TogglePause();

void TitleScene();
void SetupScene();
void Stage1Scene();
void Stage2Scene();

// Calls the scene function for `scene`; any other number calls nothing.
void RunScene(int sceneNumber);
