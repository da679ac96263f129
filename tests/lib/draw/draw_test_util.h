// Shared set-up for the suites that draw or load pictures: a real screen on SDL's
// dummy driver and BMP files written into a private folder that the loads read from.
#pragma once
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "lib/draw/zuDraw.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/system/zuSystem.h"

namespace drawtest {

inline std::string Folder() {
  static std::string folder;
  if (folder.empty()) {
    folder = testing::TempDir() + "skyward_draw_" + std::to_string(getpid()) + "/";
    mkdir(folder.c_str(), 0700);
  }
  return folder;
}

// A picture whose pixel (c, r) has the RGB565 value PixelAt(c, r): never 0.
inline Uint16 PixelAt(int c, int r) {
  return static_cast<Uint16>(((c & 31) << 11) | ((r & 63) << 5) | 31);
}

// Writes a w x h BMP; pixels for which black(c, r) is true are black.
template <typename F>
inline void WriteBmp(const std::string& name, int w, int h, F black) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
  for (int r = 0; r < h; ++r) {
    Uint16* row = reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + r * s->pitch);
    for (int c = 0; c < w; ++c) row[c] = black(c, r) ? 0 : PixelAt(c, r);
  }
  ASSERT_EQ(SDL_SaveBMP(s, (Folder() + name).c_str()), 0) << SDL_GetError();
  SDL_FreeSurface(s);
}
inline void WriteBmp(const std::string& name, int w, int h) {
  WriteBmp(name, w, h, [](int, int) { return false; });
}

// A w x h picture of one RGB565 colour (never 0, the colour key).
inline void FillBmp(const std::string& name, int w, int h, Uint16 colour = 0xFFFF) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
  SDL_FillRect(s, nullptr, colour);
  ASSERT_EQ(SDL_SaveBMP(s, (Folder() + name).c_str()), 0) << SDL_GetError();
  SDL_FreeSurface(s);
}

inline Uint16 Back(int x, int y) {
  SDL_Surface* b = zuDraw::BackSurface();
  return reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(b->pixels) + y * b->pitch)[x];
}

// Frees every loaded picture so that each test starts from id 2.
inline void ClearLoads() {
  for (int id = 2; id < zuDraw::OBJECT_MAX; ++id) zuDraw::ClearObject(id);
  zuDraw::SetKeyColor(0);
}

struct Screen : testing::Test {
  static void SetUpTestSuite() {
    ASSERT_EQ(zuDraw::OpenWindow("Skyward Run", 1), 1);
    ASSERT_EQ(zuDraw::Screen(640, 480, 1), 1);
    zuSystem::SetAppPath(Folder().c_str());
  }
  static void TearDownTestSuite() {
    ClearLoads();
    zuSystem::SetAppPath(nullptr);
    zuDraw::CloseScreen();
    zuDraw::DestroyWindow();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  void SetUp() override {
    ClearLoads();
    zuDraw::SetClip(130, 0, 510, 480);
    zuDraw::Clear();
    stretchCapable = 1;
  }
};

}  // namespace drawtest
