#include "lib/system/zuSystem.h"
