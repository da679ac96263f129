#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <cstring>
#include <string>

#include "tests/lib/draw/draw_test_util.h"

using drawtest::Back;

namespace {

struct Text : drawtest::Screen {};

constexpr Uint16 kNavy = 0x0010;   // COLORREF 0x800000 in RGB565
constexpr Uint16 kWhite = 0xFFFF;

std::string Row(int x0, int x1, int y) {
  std::string s;
  for (int x = x0; x < x1; ++x) s += std::to_string(Back(x, y)) + ",";
  return s;
}

}  // namespace

TEST_F(Text, StandardFacesResolveToJapaneseFonts) {
  const std::string gothic = zuDraw::FontFile(1);
  const std::string mincho = zuDraw::FontFile(0);
  ASSERT_FALSE(gothic.empty());
  ASSERT_FALSE(mincho.empty());
  EXPECT_NE(gothic, mincho);
  // Check the family inside the file: Debian reaches the IPA fonts through links.
  auto family = [](const std::string& file) {
    TTF_Init();
    TTF_Font* f = TTF_OpenFont(file.c_str(), 12);
    std::string name = f != nullptr ? TTF_FontFaceFamilyName(f) : "";
    if (f != nullptr) TTF_CloseFont(f);
    TTF_Quit();
    return name;
  };
  EXPECT_EQ(family(gothic), "IPAGothic") << gothic;
  EXPECT_EQ(family(mincho), "IPAMincho") << mincho;
}

TEST_F(Text, CaptionIsWhiteOnNavyBoxesInTheLeftMargin) {
  zuDraw::DrawCaption(0, 460, "ＳＰＡＣＥキーでスタート");
  int navy = 0, white = 0, other = 0;
  for (int y = 460; y < 472; ++y) {
    for (int x = 0; x < 130; ++x) {
      const Uint16 p = Back(x, y);
      if (p == kNavy) ++navy;
      else if (p == kWhite) ++white;
      else ++other;
    }
  }
  EXPECT_GT(navy, 200);  // opaque boxes, also outside the clip rectangle
  EXPECT_GT(white, 20);
  EXPECT_EQ(Back(0, 459), 0);
  EXPECT_EQ(Back(0, 472), 0);  // 12 pixels high
  EXPECT_EQ(Back(0, 460), kNavy);
}

// The same text draws the same pixels again; a face number that is neither
// mincho (0) nor gothic (1) keeps the face drawn before.
TEST_F(Text, SameTextSamePixelsAndUnknownFaceKeepsThePreviousOne) {
  auto draw = [](int face, const char* text = "永東京") {
    zuDraw::Clear();
    zuDraw::BeginText(face, 16, 0, 0, 0, 0);
    zuDraw::SetTextColors(0xFFFFFF, 0, 1);
    zuDraw::TextOut(10, 10, text);
    zuDraw::EndText();
    std::string rows;
    for (int y = 10; y < 26; ++y) rows += Row(10, 60, y);
    return rows;
  };
  const std::string mincho = draw(0);
  const std::string gothic = draw(1);
  EXPECT_NE(mincho, gothic);
  EXPECT_NE(draw(1, "永東都"), gothic);
  EXPECT_EQ(draw(0), mincho);
  EXPECT_EQ(draw(2), mincho);
}
