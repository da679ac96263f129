#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/lib/draw/draw_test_util.h"

using drawtest::Back;
using drawtest::Folder;
using drawtest::WriteBmp;

namespace {

struct Objects : drawtest::Screen {};

std::string Capture(const std::function<void()>& f) {
  testing::internal::CaptureStderr();
  f();
  return testing::internal::GetCapturedStderr();
}

void WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes) {
  FILE* f = std::fopen((Folder() + name).c_str(), "wb");
  ASSERT_NE(f, nullptr);
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::vector<unsigned char> ReadBytes(const std::string& name) {
  std::vector<unsigned char> bytes;
  FILE* f = std::fopen((Folder() + name).c_str(), "rb");
  int c;
  while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
  std::fclose(f);
  return bytes;
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
  EXPECT_NE(objectTable[1023].surface, nullptr);
  for (int id : {-1, 0, 1, 1024, 100000}) {
    const std::string err = Capture([&] { EXPECT_EQ(zuDraw::SwapObject("ONE.BMP", id, 2), 0); });
    EXPECT_EQ(err, "zuDraw::SwapObject : オブジェクトNoが範囲外です\n") << id;
  }
  EXPECT_EQ(objectTable[0].name[0], '\0');
  EXPECT_NE(objectTable[0].surface, nullptr);  // the Buffer is untouched
}

TEST_F(Objects, MissingFileKeepsTheNameTaken) {
  const std::string err = Capture([] { EXPECT_EQ(zuDraw::LoadObject("NONE.BMP", 2), 0); });
  EXPECT_EQ(err, "zuDraw::LoadObject : BMPファイルを読み込めません\n");
  EXPECT_STREQ(objectTable[2].name, "NONE.BMP");
  EXPECT_EQ(objectTable[2].surface, nullptr);
  WriteBmp("ONE.BMP", 2, 2);
  EXPECT_EQ(zuDraw::LoadObject("ONE.BMP", 2), 3);
  EXPECT_EQ(zuDraw::PutObject(200, 10, 2, 0, 0, 2, 2), 0);  // absent, not a crash
  const std::string swapErr = Capture([] { EXPECT_EQ(zuDraw::SwapObject("NONE.BMP", 3, 2), 0); });
  EXPECT_EQ(swapErr, "zuDraw::SwapObject : BMPファイルを読み込めません\n");
  EXPECT_EQ(objectTable[3].surface, nullptr);
}

TEST_F(Objects, AbsurdOrTruncatedBitmapsAreReadFailures) {
  WriteBmp("GOOD.BMP", 16, 16);
  const std::vector<unsigned char> good = ReadBytes("GOOD.BMP");
  std::vector<unsigned char> huge = good;
  huge[18] = 0x01;  // width 8193
  huge[19] = 0x20;
  huge[20] = huge[21] = 0;
  WriteBytes("HUGE.BMP", huge);
  std::vector<unsigned char> tall = good;
  tall[22] = 0x00;  // height -100000 (top-down)
  tall[23] = 0x79;
  tall[24] = 0xFE;
  tall[25] = 0xFF;
  WriteBytes("TALL.BMP", tall);
  WriteBytes("SHORT.BMP", std::vector<unsigned char>(good.begin(), good.begin() + good.size() / 2));
  WriteBytes("HEAD.BMP", std::vector<unsigned char>(good.begin(), good.begin() + 20));
  WriteBytes("EMPTY.BMP", {});
  for (const char* name : {"HUGE.BMP", "TALL.BMP", "SHORT.BMP", "HEAD.BMP", "EMPTY.BMP"}) {
    const std::string err = Capture([&] { EXPECT_EQ(zuDraw::LoadObject(name, 2), 0) << name; });
    EXPECT_EQ(err, "zuDraw::LoadObject : BMPファイルを読み込めません\n") << name;
  }
  EXPECT_EQ(zuDraw::LoadObject("GOOD.BMP", 2), 7);
}

TEST_F(Objects, KeyedOnBlackEvenWhenTheCornerIsNotBlack) {
  WriteBmp("CORNER.BMP", 4, 4, [](int c, int r) { return c == 3 && r == 3; });
  const int id = zuDraw::LoadObject("CORNER.BMP", 2);
  ASSERT_EQ(id, 2);
  EXPECT_EQ(objectTable[id].key, 0u);
  EXPECT_EQ(static_cast<const Uint16*>(objectTable[id].surface->pixels)[0], drawtest::PixelAt(0, 0));
  SDL_FillRect(zuDraw::BackSurface(), nullptr, 0x1111);
  zuDraw::PutObject(200, 10, id, 0, 0, 4, 4);
  EXPECT_EQ(Back(200, 10), drawtest::PixelAt(0, 0));
  EXPECT_EQ(Back(203, 13), 0x1111);
}

TEST_F(Objects, ScreenObjectsExistWithKeyZero) {
  for (int id = 0; id < 2; ++id) {
    SDL_Surface* s = objectTable[id].surface;
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, 640);
    EXPECT_EQ(s->h, 480);
    Uint32 key = 1;
    EXPECT_EQ(SDL_GetColorKey(s, &key), 0);
    EXPECT_EQ(key, 0u);
  }
  EXPECT_EQ(zuDraw::BackSurface()->format->format, static_cast<Uint32>(SDL_PIXELFORMAT_RGB565));
}

TEST(ScreenFailure, NoWindowIsReportedAndLoadsStaySilent) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(zuDraw::Screen(640, 480, 1), 0);
  EXPECT_EQ(zuDraw::ScreenReady(), 0);
  EXPECT_EQ(zuDraw::LoadObject("TITLE.BMP", 2), 0);
  zuDraw::Clear();
  zuDraw::Flip();
  EXPECT_EQ(zuDraw::PutObject(200, 10, 2, 0, 0, 4, 4), 0);
  zuDraw::DrawCaption(0, 460, "x");
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("zuDraw::Screen : DirectDrawが使用できません\n"), std::string::npos) << err;
  EXPECT_EQ(err.find("LoadObject"), std::string::npos) << err;
}
