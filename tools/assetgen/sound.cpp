#include "tools/assetgen/audio.h"

std::vector<uint8_t> MakeShotWav() { return {}; }
std::vector<uint8_t> MakeBomWav() { return {}; }
