// Title and setup scenes, and the start of a new game.
#pragma once

// Frames shown since the title was entered; drives the picture cycle.
extern int titleCounter;
// The help line under the title's pictures.
extern const char TITLE_HELP_LINE[];

// Picture of the title cycle for a counter value: 1..4 JCG1..JCG4, 5 the logo, 0 none.
int TitlePictureFor(int counter);
// Starting values of a game: ship position, score, bombs, energy, scroller strips.
void NewGame();
