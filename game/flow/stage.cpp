#include "game/flow/scene.h"

void Stage1Scene() {}
void Stage2Scene() {}
