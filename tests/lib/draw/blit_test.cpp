#include <gtest/gtest.h>

#include <algorithm>
#include <array>

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
  // The drawn (non-black) rectangle of the back surface, as {left, top, right,
  // bottom} inclusive; {-1, -1, -1, -1} when nothing is drawn.
  static std::array<int, 4> Drawn() {
    std::array<int, 4> r = {-1, -1, -1, -1};
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        if (Back(x, y) == 0) continue;
        if (r[0] < 0) r = {x, y, x, y};
        r = {std::min(r[0], x), r[1], std::max(r[2], x), y};
      }
    }
    return r;
  }
};

}  // namespace

// A frame is cut to the play column (130..509) and the screen, and each pixel
// that stays is the frame's own pixel at its place.
TEST_F(Blit, TrimmedToThePlayColumnAndTheScreen) {
  WriteBmp("WIDE.BMP", 600, 4);
  const int wide = zuDraw::LoadObject("WIDE.BMP", 2);
  ASSERT_EQ(wide, 3);
  const struct {
    int x, y, id, w, h;
    std::array<int, 4> drawn;
  } cases[] = {
      {120, 100, 2, 32, 32, {130, 100, 151, 131}},  // left edge
      {490, 100, 2, 32, 32, {490, 100, 509, 131}},  // right edge
      {200, -20, 2, 32, 32, {200, 0, 231, 11}},     // top
      {200, 460, 2, 32, 32, {200, 460, 231, 479}},  // bottom
      {100, 10, 3, 600, 4, {130, 10, 509, 13}},     // both sides
      {98, 100, 2, 32, 32, {-1, -1, -1, -1}},       // wholly outside
      {510, 100, 2, 32, 32, {-1, -1, -1, -1}},
      {700, 100, 2, 32, 32, {-1, -1, -1, -1}},
      {-40, 100, 2, 32, 32, {-1, -1, -1, -1}},
      {200, 480, 2, 32, 32, {-1, -1, -1, -1}},
      {200, -32, 2, 32, 32, {-1, -1, -1, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    zuDraw::Clear();
    EXPECT_EQ(zuDraw::PutObject(c.x, c.y, c.id, 0, 0, c.w, c.h), c.drawn[0] < 0 ? 0 : 1);
    const std::array<int, 4> r = Drawn();
    EXPECT_EQ(r, c.drawn);
    if (r[0] < 0) continue;
    EXPECT_EQ(Back(r[0], r[1]), PixelAt(r[0] - c.x, r[1] - c.y));
    EXPECT_EQ(Back(r[2], r[3]), PixelAt(r[2] - c.x, r[3] - c.y));
  }
}

TEST_F(Blit, SourceRectangleLeavingThePictureDrawsNothing) {
  // A layout that expects a 64-pixel picture where the file has 32.
  EXPECT_EQ(zuDraw::PutObject(200, 100, sprite, 32, 0, 64, 32), 0);
  EXPECT_EQ(zuDraw::PutObject(200, 100, sprite, 0, 16, 32, 48), 0);
  EXPECT_EQ(zuDraw::PutObject(200, 100, sprite, 1, 0, 33, 32), 0);  // one column past
  EXPECT_EQ(zuDraw::PutObject(200, 100, sprite, 0, 1, 32, 33), 0);  // one row past
  EXPECT_EQ(zuDraw::PutObject(200, 100, 999, 0, 0, 32, 32), 0);  // free entry
  EXPECT_EQ(zuDraw::PutObject(200, 100, -1, 0, 0, 32, 32), 0);
  EXPECT_EQ(Drawn()[0], -1);
}

TEST_F(Blit, BlackIsTransparentInThePlainAndBothStretchedPaths) {
  // Checkerboard of black and coloured 1-pixel cells, top-left not black: the
  // key is black all the same, not the corner's colour.
  WriteBmp("CHECK.BMP", 8, 8, [](int c, int r) { return (c + r) % 2 == 1; });
  const int check = zuDraw::LoadObject("CHECK.BMP", 2);
  ASSERT_EQ(check, 3);
  EXPECT_EQ(objectTable[check].key, 0u);
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
