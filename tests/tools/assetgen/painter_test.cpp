// The generator's picture rules on small cases: colours never key away, shapes are
// cut at half coverage and outlined in their own dark shade, backgrounds' noise
// repeats exactly every tile.
#include <gtest/gtest.h>

// The painter is part of the generator program, not of a library.
#include "tools/assetgen/image.cpp"
#include "tools/assetgen/noise.cpp"
#include "tools/assetgen/painter.cpp"

namespace {

bool KeysAway(uint32_t c) { return (c >> 19 & 31) == 0 && (c >> 10 & 63) == 0 && (c >> 3 & 31) == 0; }

}  // namespace

TEST(GeneratorPictureRules, OpaqueColoursNeverTurnIntoTheKey) {
  for (int r = 0; r < 24; r += 1)
    for (int g = 0; g < 24; g += 1)
      for (int b = 0; b < 24; b += 1) {
        uint32_t c = Opaque({float(r), float(g), float(b)});
        ASSERT_NE(c, 0u);
        ASSERT_FALSE(KeysAway(c)) << r << "," << g << "," << b;
      }
  // bright colours pass unchanged
  EXPECT_EQ(Opaque({200, 100, 50}), 0xC86432u);
  // and blending over nothing cuts faint glows instead of darkening them
  Image img(2, 1);
  img.Blend(0, 0, {255, 255, 255}, 0.4f);
  img.Blend(1, 0, {255, 255, 255}, 0.6f);
  EXPECT_EQ(img.At(0, 0), 0u);
  EXPECT_EQ(img.At(1, 0), 0xFFFFFFu);
}

TEST(GeneratorPictureRules, ShapesAreCutAtHalfCoverageAndOutlined) {
  Painter p(30, 30);
  // a square from 10.5 to 20.5: columns 10 and 20 are half covered
  p.Poly({{10.5f, 10.5f}, {20.5f, 10.5f}, {20.5f, 20.5f}, {10.5f, 20.5f}}, M_RED, 1, 0, 0);
  Image img = p.Render();
  for (int x = 10; x <= 20; ++x) EXPECT_NE(img.At(x, 15), 0u) << x;
  // the outline ring: one pixel, darker than the body, still not the key
  for (int x : {9, 21}) {
    uint32_t o = img.At(x, 15);
    ASSERT_NE(o, 0u) << x;
    EXPECT_FALSE(KeysAway(o));
    Rgb oc = Unpack(o), body = Unpack(img.At(15, 15));
    EXPECT_LT(oc.r + oc.g + oc.b, (body.r + body.g + body.b) / 2) << x;
  }
  EXPECT_EQ(img.At(8, 15), 0u);
  EXPECT_EQ(img.At(22, 15), 0u);
}

TEST(GeneratorPictureRules, ResamplingKeepsHalfCoveredPixels) {
  Image src(4, 2);
  src.Set(0, 0, 0x808080);
  src.Set(1, 0, 0x808080);  // left 2 × 2 block: half inked
  src.Set(2, 0, 0x808080);  // right 2 × 2 block: a quarter inked
  Image out = Resample(src, 2, 1);
  EXPECT_NE(out.At(0, 0), 0u);
  EXPECT_EQ(out.At(1, 0), 0u);
}

TEST(GeneratorPictureRules, TileNoiseRepeatsEvery480Rows) {
  for (float x : {0.0f, 17.5f, 201.0f, 379.0f})
    for (float y : {0.0f, 1.0f, 239.0f, 479.0f}) {
      EXPECT_NEAR(Fbm(x, y, 120, 5, 480, 11), Fbm(x, y + 480, 120, 5, 480, 11), 1e-4f) << x << "," << y;
      EXPECT_NEAR(Fbm(x, y, 96, 5, 480, 14), Fbm(x, y - 480, 96, 5, 480, 14), 1e-4f) << x << "," << y;
    }
  // without a period it does not repeat
  EXPECT_GT(std::fabs(Fbm(50, 10, 120, 5, 0, 11) - Fbm(50, 490, 120, 5, 0, 11)), 1e-3f);
}
