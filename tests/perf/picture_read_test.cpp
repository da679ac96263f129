// The library reads 24-bit pictures itself, straight into RGB565, for a faster
// start-up: it must give exactly what SDL's reader and conversion give.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

// A 24-bit BMP with every kind of colour value, `width` chosen so rows need padding.
void WriteBmp24(const std::string& path, int width, int height, bool topDown) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  std::vector<uint8_t> f(54 + static_cast<size_t>(rowBytes) * height, 0);
  auto le32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  f[0] = 'B';
  f[1] = 'M';
  le32(2, static_cast<uint32_t>(f.size()));
  le32(10, 54);
  le32(14, 40);
  le32(18, static_cast<uint32_t>(width));
  le32(22, static_cast<uint32_t>(topDown ? -height : height));
  f[26] = 1;
  f[28] = 24;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* p = &f[54 + static_cast<size_t>(y) * rowBytes + x * 3];
      p[0] = static_cast<uint8_t>(x * 37 + y);      // blue
      p[1] = static_cast<uint8_t>(x * 11 + y * 7);  // green
      p[2] = static_cast<uint8_t>(255 - x - y * 3);  // red
    }
  }
  std::FILE* out = std::fopen(path.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  std::fwrite(f.data(), 1, f.size(), out);
  std::fclose(out);
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
  for (const char* name : {"BACK1.BMP", "BOS11.BMP", "ZAK2.BMP", "VAL20.BMP", "MYMY.BMP",
                           "LZ50.BMP", "TITLE.BMP", "ZBAK1.BMP"}) {
    ExpectSameAsSdl(bin, name);
  }
}

TEST_F(PictureRead, PaddedRowsAndTopDownFiles) {
  const std::string folder = testing::TempDir();
  WriteBmp24(folder + "PAD5.BMP", 5, 3, false);     // 15 bytes a row, one of padding
  WriteBmp24(folder + "PAD7TD.BMP", 7, 4, true);    // top-down
  WriteBmp24(folder + "ONE.BMP", 1, 1, false);      // three bytes and a pad byte
  ExpectSameAsSdl(folder, "PAD5.BMP");
  ExpectSameAsSdl(folder, "PAD7TD.BMP");
  ExpectSameAsSdl(folder, "ONE.BMP");
}

}  // namespace
