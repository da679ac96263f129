#include "lib/input/zuInput.h"
