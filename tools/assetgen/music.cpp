#include "tools/assetgen/audio.h"

// Interim: one silent bar until the pieces are written.
std::vector<uint8_t> CompileSong(const char*, std::string*) {
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xE0,
          'M', 'T', 'r', 'k', 0, 0, 0, 5, 0x87, 0x40, 0xFF, 0x2F, 0x00};
}
