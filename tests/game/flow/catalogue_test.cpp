#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "game/assets/assets.h"
#include "game/flow/catalogue.h"
#include "game/flow/scene.h"
#include "game/player/score.h"
#include "lib/draw/zuDraw.h"
#include "tests/lib/draw/draw_test_util.h"

namespace {

using drawtest::Folder;

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

class Catalogue : public drawtest::Screen {
 protected:
  void SetUp() override {
    savedScene = scene;
    savedPrevious = previousScene;
    for (const CatalogueEntry& e : catalogue) {
      if (e.soundBuffers == 0) {
        drawtest::FillBmp(e.file, 8, 8);
      } else {
        WriteWav(e.file);
      }
    }
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

// A missing or damaged file and the ids after it: tests/reliability/hostile_assets_test.cpp.
TEST_F(Catalogue, IdsOfACompleteInstallation) {
  LoadAssets();
  // The logo is object 2, the stage 2 background 73, and 74 on stay free; the two
  // loads of "VAL402.BMP" are two objects.
  EXPECT_EQ(objTITLE, 2);
  EXPECT_EQ(objBACK2, 73);
  EXPECT_NE(objVAL402, objVAL402b);
  EXPECT_EQ(zuDraw::LoadObject("TITLE.BMP", 2), 74);
  EXPECT_EQ(hiScore, 5000);
  EXPECT_EQ(scene, 1);
  EXPECT_EQ(previousScene, 0);
}

}  // namespace
