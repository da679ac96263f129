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

SDL_Surface* SdlReading(const std::string& path) {
  SDL_Surface* raw = SDL_LoadBMP(path.c_str());
  if (raw == nullptr) return nullptr;
  SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB565, 0);
  SDL_FreeSurface(raw);
  return s;
}

// Compares the loaded object with SDL's reading of the same file, pixel by pixel.
void ExpectSameAsSdl(const std::string& folder, const char* name) {
  SCOPED_TRACE(name);
  SDL_Surface* expected = SdlReading(folder + name);
  ASSERT_NE(expected, nullptr) << SDL_GetError();
  zuSystem::SetAppPath(folder.c_str());
  const int id = zuDraw::LoadObject(name, 2);
  zuSystem::SetAppPath(nullptr);
  ASSERT_GT(id, 1);
  const SDL_Surface* got = objectTable[id].surface;
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

class PictureRead : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(zuDraw::OpenWindow("Skyward Run", 1), 1);
    ASSERT_EQ(zuDraw::Screen(640, 480, 1), 1);
  }
  void TearDown() override {
    zuDraw::CloseScreen();
    zuDraw::DestroyWindow();
    SDL_Quit();
  }
};

TEST_F(PictureRead, EveryGeneratedPictureReadsAsSdlReadsIt) {
  const std::string bin = std::string(SKYWARD_BIN_DIR) + "/";
  int pictures = 0;
  for (const auto& e : std::filesystem::directory_iterator(bin)) {
    const std::string name = e.path().filename().string();
    if (name.size() < 5 || name.substr(name.size() - 4) != ".BMP") continue;
    ExpectSameAsSdl(bin, name.c_str());
    ++pictures;
  }
  EXPECT_EQ(pictures, 71);  // 72 loads, one file twice
}

}  // namespace
