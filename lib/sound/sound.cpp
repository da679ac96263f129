#include "lib/sound/zuSound.h"
