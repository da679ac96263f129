// The start of a run: the screen, the play column, every picture and sound of the
// catalogue (game/assets/assets.h) in its order, the high score and the first scene.
#pragma once

void LoadAssets();
