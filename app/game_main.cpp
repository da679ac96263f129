#include "app/game_main.h"

int GameMain(const GameMainOptions&) { return 0; }
