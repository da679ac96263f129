// The game-state reset: every family, shot group, boss, explosion, fragment,
// debris piece and streak back to its starting state, and the per-life values.
// Score, high score, energy, bombs, gameMode, scene, plainBackground, the
// background strips and the music are left as they are.
#pragma once

void FullReset();
