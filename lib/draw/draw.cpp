#include "lib/draw/zuDraw.h"
