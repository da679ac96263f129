#include <gtest/gtest.h>

#include "tests/lib/draw/draw_test_util.h"

using drawtest::Back;
using drawtest::PixelAt;
using drawtest::WriteBmp;

namespace {

struct Blit : drawtest::Screen {
  int sprite = 0;
  void SetUp() override {
    drawtest::Screen::SetUp();
    WriteBmp("SPR32.BMP", 32, 32);
    sprite = zuDraw::LoadObject("SPR32.BMP", 2);
    ASSERT_EQ(sprite, 2);
  }
  // Columns of row y that are drawn, as [first, last]; {-1, -1} when none.
  static std::pair<int, int> DrawnColumns(int y) {
    int first = -1, last = -1;
    for (int x = 0; x < 640; ++x) {
      if (Back(x, y) != 0) {
        if (first < 0) first = x;
        last = x;
      }
    }
    return {first, last};
  }
};

}  // namespace

TEST_F(Blit, TrimmedAtTheLeftEdgeOfThePlayfield) {
  zuDraw::PutObject(120, 100, sprite, 0, 0, 32, 32);
  EXPECT_EQ(DrawnColumns(100), std::make_pair(130, 151));
  EXPECT_EQ(Back(130, 100), PixelAt(10, 0));
  EXPECT_EQ(Back(151, 131), PixelAt(31, 31));
}

TEST_F(Blit, TrimmedAtTheRightEdgeOfThePlayfield) {
  zuDraw::PutObject(490, 100, sprite, 0, 0, 32, 32);
  EXPECT_EQ(DrawnColumns(100), std::make_pair(490, 509));
  EXPECT_EQ(Back(490, 100), PixelAt(0, 0));
  EXPECT_EQ(Back(509, 100), PixelAt(19, 0));
}

TEST_F(Blit, WhollyOutsideDrawsNothing) {
  for (int x : {510, 98, 700, -40}) {
    EXPECT_EQ(zuDraw::PutObject(x, 100, sprite, 0, 0, 32, 32), 0) << x;
  }
  EXPECT_EQ(zuDraw::PutObject(200, 480, sprite, 0, 0, 32, 32), 0);
  EXPECT_EQ(zuDraw::PutObject(200, -32, sprite, 0, 0, 32, 32), 0);
  for (int y = 0; y < 480; ++y) EXPECT_EQ(DrawnColumns(y).first, -1) << y;
}

TEST_F(Blit, TrimmedAtTheTop) {
  zuDraw::PutObject(200, -20, sprite, 0, 0, 32, 32);
  EXPECT_EQ(Back(200, 0), PixelAt(0, 20));
  EXPECT_EQ(Back(231, 11), PixelAt(31, 31));
  EXPECT_EQ(Back(200, 12), 0);
  EXPECT_EQ(Back(200, 479), 0);
}

TEST_F(Blit, WideSpriteStartingLeftIsCutOnBothSides) {
  WriteBmp("WIDE.BMP", 600, 4);
  const int wide = zuDraw::LoadObject("WIDE.BMP", 2);
  ASSERT_EQ(wide, 3);
  zuDraw::PutObject(100, 10, wide, 0, 0, 600, 4);
  EXPECT_EQ(DrawnColumns(10), std::make_pair(130, 509));
  EXPECT_EQ(Back(130, 10), PixelAt(30, 0));
  EXPECT_EQ(Back(509, 10), PixelAt(409, 0));
}

TEST_F(Blit, SourceRectangleLeavingThePictureDrawsNothing) {
  // A layout that expects a 64-pixel picture where the file has 32.
  EXPECT_EQ(zuDraw::PutObject(200, 100, sprite, 32, 0, 64, 32), 0);
  EXPECT_EQ(zuDraw::PutObject(200, 100, sprite, 0, 16, 32, 48), 0);
  EXPECT_EQ(zuDraw::PutObject(200, 100, 999, 0, 0, 32, 32), 0);  // free entry
  EXPECT_EQ(zuDraw::PutObject(200, 100, -1, 0, 0, 32, 32), 0);
  EXPECT_EQ(DrawnColumns(100).first, -1);
}

TEST_F(Blit, BlackIsTransparentInThePlainAndBothStretchedPaths) {
  // Checkerboard of black and coloured 1-pixel cells, top-left not black.
  WriteBmp("CHECK.BMP", 8, 8, [](int c, int r) { return (c + r) % 2 == 1; });
  const int check = zuDraw::LoadObject("CHECK.BMP", 2);
  ASSERT_EQ(check, 3);
  const Uint16 under = 0x1234;
  SDL_FillRect(zuDraw::BackSurface(), nullptr, under);

  zuDraw::PutObject(200, 10, check, 0, 0, 8, 8);
  EXPECT_EQ(Back(200, 10), PixelAt(0, 0));
  EXPECT_EQ(Back(201, 10), under);
  EXPECT_EQ(Back(201, 11), PixelAt(1, 1));

  zuDraw::PutObjectStretched(300, 10, check, 0, 0, 8, 8, 16, 16);  // 2x
  EXPECT_EQ(Back(300, 10), PixelAt(0, 0));
  EXPECT_EQ(Back(301, 11), PixelAt(0, 0));
  EXPECT_EQ(Back(302, 10), under);
  EXPECT_EQ(Back(303, 11), under);

  stretchCapable = 0;
  zuDraw::PutObjectStretched(400, 10, check, 0, 0, 8, 8, 16, 16);
  EXPECT_EQ(Back(400, 10), PixelAt(0, 0));
  EXPECT_EQ(Back(402, 10), under);
  EXPECT_EQ(Back(403, 13), PixelAt(1, 1));
}

TEST_F(Blit, StretchedNeverWritesOutsideTheBackSurfaceOrTheBuffer) {
  const Uint16 under = 0x0841;
  SDL_FillRect(zuDraw::BackSurface(), nullptr, under);
  EXPECT_EQ(zuDraw::PutObjectStretched(170, 200, sprite, 0, 0, 32, 32, 300, 400), 0);
  EXPECT_EQ(zuDraw::PutObjectStretched(-10, 0, sprite, 0, 0, 32, 32, 30, 30), 0);
  EXPECT_EQ(zuDraw::PutObjectStretched(0, 0, sprite, 0, 0, 32, 32, 100000, 100000), 0);
  EXPECT_EQ(zuDraw::PutObjectStretched(0, 0, sprite, 0, 0, 32, 32, -5, 10), 0);
  EXPECT_EQ(zuDraw::PutObjectStretched(0, 0, sprite, 0, 0, 64, 32, 10, 10), 0);
  stretchCapable = 0;
  EXPECT_EQ(zuDraw::PutObjectStretched(0, 0, sprite, 0, 0, 32, 32, 641, 10), 0);
  EXPECT_EQ(zuDraw::PutObjectStretched(0, 0, sprite, 0, 0, 32, 32, 10, 481), 0);
  for (int y = 0; y < 480; y += 7) {
    for (int x = 0; x < 640; x += 5) ASSERT_EQ(Back(x, y), under) << x << "," << y;
  }
  // The full-size label path still works and stays in the clip through the Buffer.
  EXPECT_EQ(zuDraw::PutObjectStretched(100, 0, sprite, 0, 0, 32, 32, 640, 480), 1);
  EXPECT_EQ(Back(129, 5), under);
  EXPECT_NE(Back(130, 5), under);
  EXPECT_EQ(Back(510, 5), under);
}

TEST_F(Blit, ClearZeroesTheWholeBackSurface) {
  SDL_FillRect(zuDraw::BackSurface(), nullptr, 0xFFFF);
  zuDraw::Clear();
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) ASSERT_EQ(Back(x, y), 0);
  }
}

TEST_F(Blit, DeviceResetReloadsPicturesAndSkipsThatFrame) {
  zuDraw::Flip();
  const long presents = zuDraw::PresentCount();
  // The file changes behind the loaded picture; only a reload can notice.
  WriteBmp("SPR32.BMP", 32, 32, [](int c, int) { return c < 16; });
  zuDraw::InjectDeviceReset();
  zuDraw::Flip();
  EXPECT_EQ(zuDraw::PresentCount(), presents);
  zuDraw::PutObject(200, 100, sprite, 0, 0, 32, 32);
  EXPECT_EQ(Back(200, 100), 0);
  EXPECT_EQ(Back(216, 100), PixelAt(16, 0));
  zuDraw::Flip();
  EXPECT_EQ(zuDraw::PresentCount(), presents + 1);
}
