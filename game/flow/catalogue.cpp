#include "game/flow/catalogue.h"

void LoadAssets() {}
