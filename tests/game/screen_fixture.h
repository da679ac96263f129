// A real back surface on SDL's dummy video driver for the game suites that look at
// what was loaded or drawn, with pictures written into a private program folder.
#pragma once
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "lib/draw/zuDraw.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/system/zuSystem.h"
#include "tests/lib/draw/draw_test_util.h"

namespace gamescreen {

// The draw suites' private program folder and back-surface reader serve here too.
using drawtest::Back;
using drawtest::Folder;

// A w x h picture of one RGB565 colour (never 0, the colour key).
inline void WriteBmp(const std::string& name, int w, int h, Uint16 colour = 0xFFFF) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
  ASSERT_NE(s, nullptr);
  SDL_FillRect(s, nullptr, colour);
  ASSERT_EQ(SDL_SaveBMP(s, (Folder() + name).c_str()), 0) << SDL_GetError();
  SDL_FreeSurface(s);
}

// The window for the whole suite; the program folder is Folder().
struct Screen : testing::Test {
  static void SetUpTestSuite() {
    ASSERT_EQ(zuDraw::OpenWindow("Skyward Run", 1), 1);
    zuSystem::SetAppPath(Folder().c_str());
  }
  static void TearDownTestSuite() {
    zuSystem::SetAppPath(nullptr);
    zuDraw::CloseScreen();
    zuDraw::DestroyWindow();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
};

}  // namespace gamescreen
