// The library reads the pictures itself, the 24-bit ones straight into RGB565
// for a faster start-up: every picture of the game must come out exactly as
// SDL's reader and conversion give it.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "lib/sdl/zuDrawSdl.h"
#include "lib/system/zuSystem.h"

namespace {

TEST(PictureRead, EveryGeneratedPictureReadsAsSdlReadsIt) {
  ASSERT_EQ(zuDraw::OpenWindow("Skyward Run", 1), 1);
  ASSERT_EQ(zuDraw::Screen(640, 480, 1), 1);
  zuSystem::SetAppPath(SKYWARD_BIN_DIR);
  int pictures = 0;
  for (const auto& e : std::filesystem::directory_iterator(SKYWARD_BIN_DIR)) {
    const std::string name = e.path().filename().string();
    if (name.size() < 5 || name.substr(name.size() - 4) != ".BMP") continue;
    SCOPED_TRACE(name);
    ++pictures;
    SDL_Surface* raw = SDL_LoadBMP(e.path().string().c_str());
    ASSERT_NE(raw, nullptr) << SDL_GetError();
    SDL_Surface* expected = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB565, 0);
    SDL_FreeSurface(raw);
    const int id = zuDraw::LoadObject(name.c_str(), 2);
    ASSERT_GT(id, 1);
    const SDL_Surface* got = zuDraw::ObjectSurface(id);
    ASSERT_EQ(got->w, expected->w);
    ASSERT_EQ(got->h, expected->h);
    int differing = 0;
    for (int y = 0; y < got->h; ++y) {
      const void* a = static_cast<const Uint8*>(got->pixels) + y * got->pitch;
      const void* b = static_cast<const Uint8*>(expected->pixels) + y * expected->pitch;
      differing += std::memcmp(a, b, static_cast<size_t>(got->w) * 2) != 0;
    }
    EXPECT_EQ(differing, 0);
    SDL_FreeSurface(expected);
  }
  EXPECT_EQ(pictures, 71);  // 72 loads, one file twice
  zuSystem::SetAppPath(nullptr);
  zuDraw::CloseScreen();
  zuDraw::DestroyWindow();
  SDL_Quit();
}

}  // namespace
