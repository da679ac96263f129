#include "game/flow/scene.h"

void TitleScene() {}
void SetupScene() {}
