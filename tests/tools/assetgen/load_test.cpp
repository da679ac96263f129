// The generated pictures through the game's own loader: every one loads, in the
// catalogue's order, at its size, and keeps every pixel it meant to show.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/flow/catalogue.h"
#include "lib/draw/zuDraw.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"
#include "tests/lib/draw/draw_test_util.h"

namespace {

struct LoadedAssets : testing::Test {
  static void SetUpTestSuite() {
    ASSERT_EQ(zuDraw::OpenWindow("Skyward Run", 1), 1);
    ASSERT_EQ(zuDraw::Screen(640, 480, 1), 1);
    zuSystem::SetAppPath((std::string(SKYWARD_BIN_DIR) + "/").c_str());
  }
  static void TearDownTestSuite() {
    drawtest::ClearLoads();
    zuSystem::SetAppPath(nullptr);
    zuDraw::CloseScreen();
    zuDraw::DestroyWindow();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  void SetUp() override { drawtest::ClearLoads(); }
};

uint32_t FilePixel(SDL_Surface* rgb, int x, int y) {
  return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(rgb->pixels) + y * rgb->pitch)[x] & 0xFFFFFF;
}

uint32_t LoadedPixel(SDL_Surface* s, int x, int y) {
  const uint8_t* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
  switch (s->format->BytesPerPixel) {
    case 2: return reinterpret_cast<const uint16_t*>(row)[x];
    case 4: return reinterpret_cast<const uint32_t*>(row)[x];
    default: return row[x * s->format->BytesPerPixel];
  }
}

}  // namespace

TEST_F(LoadedAssets, EveryPictureLoadsInOrderAndKeepsItsInk) {
  int expectedId = 2;
  for (const CatalogueEntry& e : catalogue) {
    if (e.soundBuffers) continue;
    int id = zuDraw::LoadObject(e.file, 2);
    ASSERT_EQ(id, expectedId++) << e.file;
    SDL_Surface* loaded = objectTable[id].surface;
    ASSERT_NE(loaded, nullptr) << e.file;
    SDL_Surface* file = SDL_LoadBMP((std::string(SKYWARD_BIN_DIR) + "/" + e.file).c_str());
    ASSERT_NE(file, nullptr) << e.file;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(file);
    ASSERT_EQ(loaded->w, rgb->w) << e.file;
    ASSERT_EQ(loaded->h, rgb->h) << e.file;
    Uint32 key = 0;
    ASSERT_EQ(SDL_GetColorKey(loaded, &key), 0) << e.file << " is not keyed";
    int lost = 0, leaked = 0;
    SDL_LockSurface(loaded);
    for (int y = 0; y < rgb->h; ++y)
      for (int x = 0; x < rgb->w; ++x) {
        bool meant = FilePixel(rgb, x, y) != 0;
        bool shown = LoadedPixel(loaded, x, y) != key;
        lost += meant && !shown;
        leaked += !meant && shown;
      }
    SDL_UnlockSurface(loaded);
    SDL_FreeSurface(rgb);
    EXPECT_EQ(lost, 0) << e.file << ": opaque pixels keyed away";
    EXPECT_EQ(leaked, 0) << e.file << ": black pixels drawn";
  }
  EXPECT_EQ(expectedId, 74);
}

// The sounds through the game's own RIFF reader.
TEST(LoadedSounds, BothSoundsReadAsSixteenBitPcm) {
  for (const char* name : {"SHOT.WAV", "BOM.WAV"}) {
    uint32_t size = 0;
    zuSound::WaveFormat* format = nullptr;
    uint8_t* data = nullptr;
    ASSERT_EQ(zuSound::ReadWaveFile((std::string(SKYWARD_BIN_DIR) + "/" + name).c_str(), &size, &format, &data), 0)
        << name;
    EXPECT_EQ(format->formatTag, 1) << name;
    EXPECT_EQ(format->bitsPerSample, 16) << name;
    EXPECT_EQ(format->blockAlign, format->channels * 2) << name;
    EXPECT_GT(size, format->samplesPerSec / 20) << name;
    std::free(format);
    std::free(data);
  }
}
