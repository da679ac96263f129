#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/lib/draw/draw_test_util.h"

using drawtest::Back;
using drawtest::WriteBmp;

namespace {

struct Objects : drawtest::Screen {};

std::string Capture(const std::function<void()>& f) {
  testing::internal::CaptureStderr();
  f();
  return testing::internal::GetCapturedStderr();
}

}  // namespace

TEST_F(Objects, ThirtyCharacterNameLoadsThirtyOneIsRefused) {
  const std::string n30 = std::string(26, 'A') + ".BMP";
  const std::string n31 = std::string(27, 'A') + ".BMP";
  ASSERT_EQ(n30.size(), 30u);
  WriteBmp(n30, 4, 4);
  WriteBmp(n31, 4, 4);
  std::string err = Capture([&] { EXPECT_EQ(zuDraw::LoadObject(n31.c_str(), 2), 0); });
  EXPECT_EQ(err, "zuDraw::LoadObject : ファイル名またはリソース名が長すぎます\n");
  EXPECT_EQ(zuDraw::LoadObject(n30.c_str(), 2), 2);  // no entry was taken by the refusal
  EXPECT_STREQ(objectTable[2].name, n30.c_str());
  err = Capture([&] { EXPECT_EQ(zuDraw::SwapObject(n31.c_str(), 2, 2), 0); });
  EXPECT_EQ(err, "zuDraw::SwapObject : ファイル名またはリソース名が長すぎます\n");
}

TEST_F(Objects, TableFillsFromTwoToTheLastId) {
  WriteBmp("ONE.BMP", 2, 2);
  EXPECT_EQ(zuDraw::LoadObject("ONE.BMP", 2), 2);
  int last = 0;
  for (int i = 2; i <= 1022; ++i) last = zuDraw::LoadObject("ONE.BMP", 2);
  EXPECT_EQ(last, 1023);  // the 1022nd load
  const std::string err = Capture([] { EXPECT_EQ(zuDraw::LoadObject("ONE.BMP", 2), 0); });
  EXPECT_EQ(err, "zuDraw::LoadObject : オブジェクト数が多すぎます\n");
  // Screen objects were never taken.
  EXPECT_STREQ(objectTable[0].name, "");
  EXPECT_STREQ(objectTable[1].name, "");
}

TEST_F(Objects, SwapObjectAcceptsTwoToLastAndRefusesTheRest) {
  WriteBmp("ONE.BMP", 2, 2);
  EXPECT_EQ(zuDraw::SwapObject("ONE.BMP", 2, 2), 1);
  EXPECT_EQ(zuDraw::SwapObject("ONE.BMP", 1023, 2), 1);
  EXPECT_NE(zuDraw::ObjectSurface(1023), nullptr);
  for (int id : {-1, 0, 1, 1024, 100000}) {
    const std::string err = Capture([&] { EXPECT_EQ(zuDraw::SwapObject("ONE.BMP", id, 2), 0); });
    EXPECT_EQ(err, "zuDraw::SwapObject : オブジェクトNoが範囲外です\n") << id;
  }
  EXPECT_EQ(objectTable[0].name[0], '\0');
  EXPECT_NE(zuDraw::ObjectSurface(0), nullptr);  // the Buffer is untouched
}

TEST_F(Objects, MissingFileKeepsTheNameTaken) {
  const std::string err = Capture([] { EXPECT_EQ(zuDraw::LoadObject("NONE.BMP", 2), 0); });
  EXPECT_EQ(err, "zuDraw::LoadObject : BMPファイルを読み込めません\n");
  EXPECT_STREQ(objectTable[2].name, "NONE.BMP");
  EXPECT_EQ(zuDraw::ObjectSurface(2), nullptr);
  WriteBmp("ONE.BMP", 2, 2);
  EXPECT_EQ(zuDraw::LoadObject("ONE.BMP", 2), 3);
  EXPECT_EQ(zuDraw::PutObject(200, 10, 2, 0, 0, 2, 2), 0);  // absent, not a crash
  const std::string swapErr = Capture([] { EXPECT_EQ(zuDraw::SwapObject("NONE.BMP", 3, 2), 0); });
  EXPECT_EQ(swapErr, "zuDraw::SwapObject : BMPファイルを読み込めません\n");
  EXPECT_EQ(zuDraw::ObjectSurface(3), nullptr);
}

TEST_F(Objects, ScreenObjectsExistWithKeyZero) {
  for (int id = 0; id < 2; ++id) {
    SDL_Surface* s = zuDraw::ObjectSurface(id);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, 640);
    EXPECT_EQ(s->h, 480);
    Uint32 key = 1;
    EXPECT_EQ(SDL_GetColorKey(s, &key), 0);
    EXPECT_EQ(key, 0u);
  }
  EXPECT_EQ(zuDraw::BackSurface()->format->format, static_cast<Uint32>(SDL_PIXELFORMAT_RGB565));
}
