// The generated pictures and sounds through the game's own readers: every picture
// loads, in the catalogue's order, as SDL reads it, and keeps every pixel it meant
// to show; both sounds read as 16-bit PCM.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "game/assets/assets.h"
#include "lib/draw/zuDraw.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sound/soundInternal.h"
#include "lib/system/zuSystem.h"
#include "tests/lib/draw/draw_test_util.h"

namespace {

std::string BinPath(const std::string& name) { return std::string(SKYWARD_BIN_DIR) + "/" + name; }

// The screen of the draw suites, reading from the build's own asset folder.
struct LoadedAssets : drawtest::Screen {
  static void SetUpTestSuite() {
    Screen::SetUpTestSuite();
    zuSystem::SetAppPath(BinPath("").c_str());
  }
};

}  // namespace

// The library reads the pictures itself, the 24-bit ones straight into RGB565:
// each comes out exactly as SDL's reader and conversion give it, and no pixel
// the file meant to show is keyed away (nor a black one drawn).
TEST_F(LoadedAssets, EveryPictureLoadsInOrderAsSdlReadsItAndKeepsItsInk) {
  int expectedId = 2;
  for (const CatalogueEntry& e : catalogue) {
    if (e.soundBuffers) continue;
    SCOPED_TRACE(e.file);
    const int id = zuDraw::LoadObject(e.file, 2);
    ASSERT_EQ(id, expectedId++);
    SDL_Surface* loaded = zuDraw::ObjectSurface(id);
    ASSERT_NE(loaded, nullptr);
    SDL_Surface* file = SDL_LoadBMP(BinPath(e.file).c_str());
    ASSERT_NE(file, nullptr) << SDL_GetError();
    EXPECT_EQ(file->format->BitsPerPixel, 24);
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_RGB888, 0);
    SDL_Surface* expected = SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_RGB565, 0);
    SDL_FreeSurface(file);
    ASSERT_EQ(loaded->w, expected->w);
    ASSERT_EQ(loaded->h, expected->h);
    Uint32 key = 1;
    ASSERT_EQ(SDL_GetColorKey(loaded, &key), 0) << "not keyed";
    ASSERT_EQ(key, 0u);
    int ink = 0, differing = 0, keyedAway = 0;
    for (int y = 0; y < loaded->h; ++y) {
      const auto* got = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(loaded->pixels) + y * loaded->pitch);
      const auto* want = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(expected->pixels) + y * expected->pitch);
      const auto* meant = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(rgb->pixels) + y * rgb->pitch);
      for (int x = 0; x < loaded->w; ++x) {
        const bool shows = (meant[x] & 0xFFFFFF) != 0;
        ink += shows;
        differing += got[x] != want[x];
        keyedAway += shows && got[x] == 0;
      }
    }
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(expected);
    EXPECT_GT(ink, 0) << "empty";
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(keyedAway, 0) << "opaque pixels keyed away";
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
