// The generated pictures and sounds through the game's own readers: every picture
// loads, in the catalogue's order, at the size the drawing code relies on, and
// keeps every pixel it meant to show; both sounds read as 16-bit PCM.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include "game/assets/assets.h"
#include "lib/draw/zuDraw.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sound/soundInternal.h"
#include "lib/system/zuSystem.h"
#include "tests/lib/draw/draw_test_util.h"

namespace {

std::string BinPath(const std::string& name) { return std::string(SKYWARD_BIN_DIR) + "/" + name; }

struct LoadedAssets : testing::Test {
  static void SetUpTestSuite() {
    ASSERT_EQ(zuDraw::OpenWindow("Skyward Run", 1), 1);
    ASSERT_EQ(zuDraw::Screen(640, 480, 1), 1);
    zuSystem::SetAppPath(BinPath("").c_str());
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

struct Size {
  int w, h;
};
// The sizes that the game's drawing code relies on.
const std::map<std::string, Size> kSizes = {
    {"TITLE.BMP", {500, 300}},  {"SELECT1.BMP", {380, 480}}, {"JCG1.BMP", {380, 480}},
    {"JCG2.BMP", {400, 480}},   {"JCG3.BMP", {380, 480}},    {"JCG4.BMP", {380, 480}},
    {"CONTINU1.BMP", {200, 100}}, {"GFBAK1.BMP", {480, 120}}, {"MY.BMP", {420, 70}},
    {"FBOM1.BMP", {80, 80}},    {"FLH1.BMP", {60, 60}},      {"FLH2.BMP", {60, 60}},
    {"FLH3.BMP", {60, 60}},     {"ZAK2.BMP", {60, 60}},      {"ZAK4.BMP", {80, 60}},
    {"ZAK6.BMP", {60, 70}},     {"ZAK8.BMP", {60, 70}},      {"ZAK10.BMP", {80, 60}},
    {"ZAK18.BMP", {80, 100}},   {"ZAK50.BMP", {200, 160}},   {"ZAK51.BMP", {200, 160}},
    {"VAL11.BMP", {16, 16}},    {"VAL12.BMP", {16, 16}},     {"VAL13.BMP", {16, 16}},
    {"VAL20.BMP", {20, 20}},    {"ZVAL401.BMP", {200, 40}},  {"LZ50.BMP", {12, 50}},
    {"BOS11.BMP", {380, 380}},  {"BOS21.BMP", {380, 380}},   {"BOS111.BMP", {480, 480}},
    {"ZBAK1.BMP", {600, 60}},   {"ZBAK3.BMP", {640, 160}},   {"BBAK1.BMP", {640, 160}},
    {"BACK1.BMP", {380, 480}},  {"BACK2.BMP", {380, 480}},
};

}  // namespace

TEST_F(LoadedAssets, EveryPictureLoadsInOrderAtItsSizeAndKeepsItsInk) {
  int expectedId = 2;
  for (const CatalogueEntry& e : catalogue) {
    if (e.soundBuffers) continue;
    int id = zuDraw::LoadObject(e.file, 2);
    ASSERT_EQ(id, expectedId++) << e.file;
    SDL_Surface* loaded = zuDraw::ObjectSurface(id);
    ASSERT_NE(loaded, nullptr) << e.file;
    SDL_Surface* file = SDL_LoadBMP(BinPath(e.file).c_str());
    ASSERT_NE(file, nullptr) << e.file;
    EXPECT_EQ(file->format->BitsPerPixel, 24) << e.file;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(file);
    ASSERT_EQ(loaded->w, rgb->w) << e.file;
    ASSERT_EQ(loaded->h, rgb->h) << e.file;
    if (auto it = kSizes.find(e.file); it != kSizes.end()) {
      EXPECT_EQ(rgb->w, it->second.w) << e.file;
      EXPECT_EQ(rgb->h, it->second.h) << e.file;
    }
    Uint32 key = 0;
    ASSERT_EQ(SDL_GetColorKey(loaded, &key), 0) << e.file << " is not keyed";
    int ink = 0, lost = 0, leaked = 0;
    SDL_LockSurface(loaded);
    for (int y = 0; y < rgb->h; ++y)
      for (int x = 0; x < rgb->w; ++x) {
        bool meant = FilePixel(rgb, x, y) != 0;
        bool shown = LoadedPixel(loaded, x, y) != key;
        ink += meant;
        lost += meant && !shown;
        leaked += !meant && shown;
      }
    SDL_UnlockSurface(loaded);
    SDL_FreeSurface(rgb);
    EXPECT_GT(ink, 0) << e.file << " is empty";
    EXPECT_EQ(lost, 0) << e.file << ": opaque pixels keyed away";
    EXPECT_EQ(leaked, 0) << e.file << ": black pixels drawn";
  }
  EXPECT_EQ(expectedId, 74);
}

namespace {

double Rms(const int16_t* s, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
  return std::sqrt(sum / double(std::max<size_t>(1, to - from)));
}

}  // namespace

// Both sounds through the game's own RIFF reader; the explosion, restarted often,
// hits hard, dies within a second and ends without a click.
TEST(LoadedSounds, BothReadAsSixteenBitPcmAndTheExplosionDiesQuickly) {
  for (const char* name : {"SHOT.WAV", "BOM.WAV"}) {
    uint32_t size = 0;
    zuSound::WaveFormat* format = nullptr;
    uint8_t* data = nullptr;
    ASSERT_EQ(zuSound::ReadWaveFile(BinPath(name).c_str(), &size, &format, &data), 0) << name;
    EXPECT_EQ(format->formatTag, 1) << name;
    EXPECT_EQ(format->bitsPerSample, 16) << name;
    EXPECT_EQ(format->blockAlign, format->channels * 2) << name;
    const size_t rate = format->samplesPerSec, channels = format->channels, count = size / 2;
    EXPECT_GT(size, rate / 20) << name;
    if (std::string(name) == "BOM.WAV") {
      const int16_t* s = reinterpret_cast<const int16_t*>(data);
      EXPECT_TRUE(rate == 22050 || rate == 44100);
      ASSERT_GT(count, rate / 10);
      EXPECT_LT(count / channels, rate);
      const size_t peakAt = size_t(std::max_element(s, s + count, [](int16_t a, int16_t b) {
                                     return std::abs(a) < std::abs(b);
                                   }) - s);
      EXPECT_LT(peakAt / channels, size_t(rate * 0.05));  // sharp attack
      EXPECT_LT(Rms(s, count * 9 / 10, count), Rms(s, 0, rate / 10 * channels) * 0.1);
      EXPECT_LT(std::abs(s[count - 1]), 300);
    }
    std::free(format);
    std::free(data);
  }
}
