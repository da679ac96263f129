#include <gtest/gtest.h>

#include <cstdlib>

#include "lib/system/zuSystem.h"

#ifdef _WIN32
namespace zuSystem {
extern int headlessRun;
}
#endif

int main(int argc, char** argv) {
  // Tests never open a real window or audio device unless they ask for one.
#ifdef _WIN32
  zuSystem::headlessRun = 1;  // and no error box waits for a click
#else
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
#endif
  // Nor do they read or keep the player's best score unless they point it somewhere.
  zuSystem::SetUserFolder("");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
