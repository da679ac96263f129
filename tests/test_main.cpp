#include <gtest/gtest.h>

#include <cstdlib>

#include "lib/system/zuSystem.h"

int main(int argc, char** argv) {
#ifndef _WIN32
  // Tests never open a real window or audio device unless they ask for one.
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
#endif
  // Nor do they read or keep the player's best score unless they point it somewhere.
  zuSystem::SetUserFolder("");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
