#include "tools/assetgen/audio.h"

const SongSource kSongs[4] = {{"JOP1.MID", ""}, {"JSET1.MID", ""}, {"JBGM1.MID", ""}, {"JBGM2.MID", ""}};
