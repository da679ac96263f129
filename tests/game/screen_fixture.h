// A real back surface on SDL's dummy video driver for the game suites that look at
// what was loaded or drawn, with pictures written into a private program folder.
#pragma once
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "lib/draw/zuDraw.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/system/zuSystem.h"

namespace gamescreen {

inline std::string Folder() {
  static std::string folder;
  if (folder.empty()) {
    folder = testing::TempDir() + "skyward_game_screen_" + std::to_string(getpid()) + "/";
    mkdir(folder.c_str(), 0700);
  }
  return folder;
}

// A w x h picture of one RGB565 colour (never 0, the colour key).
inline void WriteBmp(const std::string& name, int w, int h, Uint16 colour = 0xFFFF) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
  ASSERT_NE(s, nullptr);
  SDL_FillRect(s, nullptr, colour);
  ASSERT_EQ(SDL_SaveBMP(s, (Folder() + name).c_str()), 0) << SDL_GetError();
  SDL_FreeSurface(s);
}

// The back surface's pixel at (x, y).
inline Uint16 Back(int x, int y) {
  SDL_Surface* b = zuDraw::BackSurface();
  return reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(b->pixels) + y * b->pitch)[x];
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
