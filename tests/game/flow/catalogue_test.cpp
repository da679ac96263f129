#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <SDL.h>

#include <cstdio>
#include <string>

#include "game/assets/assets.h"
#include "game/flow/catalogue.h"
#include "game/flow/scene.h"
#include "game/player/score.h"
#include "lib/draw/zuDraw.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/system/zuSystem.h"

namespace {

std::string Folder() {
  static std::string folder;
  if (folder.empty()) {
    folder = testing::TempDir() + "skyward_catalogue_" + std::to_string(getpid()) + "/";
    mkdir(folder.c_str(), 0700);
  }
  return folder;
}

void WriteBmp(const std::string& name, int w, int h) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
  ASSERT_NE(s, nullptr);
  SDL_FillRect(s, nullptr, 0xFFFF);
  ASSERT_EQ(SDL_SaveBMP(s, (Folder() + name).c_str()), 0) << SDL_GetError();
  SDL_FreeSurface(s);
}

// A short 8-bit mono PCM WAVE.
void WriteWav(const std::string& name) {
  FILE* f = std::fopen((Folder() + name).c_str(), "wb");
  ASSERT_NE(f, nullptr);
  const unsigned char bytes[] = {
      'R', 'I', 'F', 'F', 44, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
      1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0,
      'd', 'a', 't', 'a', 8, 0, 0, 0, 128, 140, 150, 140, 128, 116, 106, 116};
  std::fwrite(bytes, 1, sizeof bytes, f);
  std::fclose(f);
}

void WriteCompleteFolder() {
  for (const CatalogueEntry& e : catalogue) {
    if (e.soundBuffers == 0) {
      // The ship sheet is drawn below; the rest only need to load.
      if (std::string(e.file) == "MY.BMP") {
        WriteBmp(e.file, 420, 70);
      } else {
        WriteBmp(e.file, 8, 8);
      }
    } else {
      WriteWav(e.file);
    }
  }
}

class Catalogue : public testing::Test {
 protected:
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
  void SetUp() override {
    savedScene = scene;
    savedPrevious = previousScene;
    WriteCompleteFolder();
    hiScore = 123456;
    scene = 3;
    previousScene = 3;
  }
  void TearDown() override {
    scene = savedScene;
    previousScene = savedPrevious;
  }
  int savedScene = 0;
  int savedPrevious = 0;
};

TEST_F(Catalogue, MissingFilesKeepTheLaterIdsInPlace) {
  std::remove((Folder() + "ZAK5.BMP").c_str());
  std::remove((Folder() + "VAL402.BMP").c_str());
  testing::internal::CaptureStderr();
  LoadAssets();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(objZAK5, 0);
  EXPECT_EQ(objZAK6, 23);
  EXPECT_EQ(objVAL402, 0);
  EXPECT_EQ(objVAL402b, 0);
  EXPECT_EQ(objZVAL401, 57);
  EXPECT_EQ(objBACK2, 73);
  EXPECT_EQ(hiScore, 5000);
  const std::string line = "zuDraw::LoadObject : BMPファイルを読み込めません\n";
  size_t count = 0;
  for (size_t at = err.find(line); at != std::string::npos; at = err.find(line, at + 1)) ++count;
  EXPECT_EQ(count, 3u) << err;
}

}  // namespace
