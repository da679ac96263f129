#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
#ifndef _WIN32
  // Tests never open a real window or audio device unless they ask for one.
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
#endif
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
