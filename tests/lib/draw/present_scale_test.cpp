// The picture's place on screens players have, and the converting, scaling loop
// that both present paths share.
#include "lib/draw/present_scale.h"

#include <gtest/gtest.h>

#include <vector>

using zuDraw::FitPicture;
using zuDraw::PictureLayout;
using zuDraw::PixelOrder;

namespace {

struct Case {
  int outW, outH;
  int x, y, w, h, multiple;
  bool smooth;
};

uint32_t Rounded(uint16_t p) {  // the exact nearest 8-bit value of each channel
  const uint32_t r = ((p >> 11) * 255u * 2 + 31) / 62, g = (((p >> 5) & 63) * 255u * 2 + 63) / 126,
                 b = ((p & 31) * 255u * 2 + 31) / 62;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// A 640 x 480 picture whose every pixel differs from its neighbours.
std::vector<uint16_t> Picture() {
  std::vector<uint16_t> p(640 * 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) p[y * 640 + x] = static_cast<uint16_t>(x * 37 + y * 1031 + 1);
  return p;
}

}  // namespace

TEST(PictureLayout, LargestAspectKeptSizeWholeMultipleFrom2x) {
  const Case cases[] = {
      {640, 480, 0, 0, 640, 480, 1, false},       // the picture's own size
      {1280, 1024, 0, 32, 1280, 960, 2, false},
      {1920, 1080, 320, 60, 1280, 960, 2, false},  // 3x across does not fit down
      {2560, 1440, 320, 0, 1920, 1440, 3, false},
      {1366, 768, 171, 0, 1024, 768, 2, true},    // 1.6x: through 2x, then down
      {1280, 720, 160, 0, 960, 720, 2, true},
      {1024, 768, 0, 0, 1024, 768, 2, true},
      {800, 1000, 0, 200, 800, 600, 2, true},     // a tall window: limited by its width
      {640, 700, 0, 110, 640, 480, 1, false},
      {320, 240, 0, 0, 320, 240, 1, true},        // smaller than the picture
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.outW << "x" << c.outH);
    const PictureLayout l = FitPicture(640, 480, c.outW, c.outH);
    EXPECT_EQ(l.x, c.x);
    EXPECT_EQ(l.y, c.y);
    EXPECT_EQ(l.w, c.w);
    EXPECT_EQ(l.h, c.h);
    EXPECT_EQ(l.multiple, c.multiple);
    EXPECT_EQ(l.smooth, c.smooth);
  }
  EXPECT_EQ(FitPicture(640, 480, 0, 768).w, 0);  // a minimised window draws nothing
}

TEST(PictureScale, ConversionRoundsEveryRgb565ValueInBothOrders) {
  std::vector<uint16_t> all(65536);
  for (int i = 0; i < 65536; ++i) all[i] = static_cast<uint16_t>(i);
  std::vector<uint32_t> rgb(65536), bgr(65536);
  // An odd count: the vector loop and the pixel-by-pixel tail both run.
  zuDraw::ConvertRow565(all.data(), rgb.data(), 65535, PixelOrder::XRGB8888);
  zuDraw::ConvertRow565(all.data() + 65535, rgb.data() + 65535, 1, PixelOrder::XRGB8888);
  zuDraw::ConvertRow565(all.data(), bgr.data(), 65536, PixelOrder::XBGR8888);
  for (int i = 0; i < 65536; ++i) {
    const uint32_t want = Rounded(static_cast<uint16_t>(i));
    ASSERT_EQ(rgb[i], want) << i;
    const uint32_t swapped =
        (want & 0xFF00FF00u) | ((want >> 16) & 0xFFu) | ((want & 0xFFu) << 16);
    ASSERT_EQ(bgr[i], swapped) << i;
  }
}

TEST(PictureScale, WholeMultiplesRepeatEachPixelAndKeepTheBars) {
  const std::vector<uint16_t> picture = Picture();
  for (int m : {1, 2, 3, 4}) {
    SCOPED_TRACE(m);
    const int outW = 640 * m + (m > 1 ? 10 : 0), outH = 480 * m + 6;
    const PictureLayout l = FitPicture(640, 480, outW, outH);
    ASSERT_EQ(l.multiple, m);
    zuDraw::ScalePlan plan;
    ASSERT_TRUE(zuDraw::MakeScalePlan(plan, 640, 480, l, PixelOrder::XRGB8888));
    std::vector<uint32_t> out(static_cast<size_t>(outW) * outH, 0x12345678u);
    zuDraw::ScalePicture(plan, picture.data(), 640 * 2,
                         reinterpret_cast<uint8_t*>(out.data() + l.y * outW + l.x), outW * 4);
    for (int y = 0; y < outH; ++y) {
      for (int x = 0; x < outW; ++x) {
        const bool inside = x >= l.x && x < l.x + l.w && y >= l.y && y < l.y + l.h;
        const uint32_t want =
            inside ? Rounded(picture[((y - l.y) / m) * 640 + (x - l.x) / m]) : 0x12345678u;
        ASSERT_EQ(out[static_cast<size_t>(y) * outW + x], want) << x << "," << y;
      }
    }
  }
}

TEST(PictureScale, SmoothStepLosesNoRowAndKeepsEdgesSharp) {
  for (const auto& size : {std::make_pair(1366, 768), std::make_pair(1280, 720)}) {
    SCOPED_TRACE(testing::Message() << size.first << "x" << size.second);
    const PictureLayout l = FitPicture(640, 480, size.first, size.second);
    zuDraw::ScalePlan plan;
    ASSERT_TRUE(zuDraw::MakeScalePlan(plan, 640, 480, l, PixelOrder::XRGB8888));
    for (const std::vector<zuDraw::Taps>* axis : {&plan.columns, &plan.rows}) {
      // Each picture row (column) rules one or two output rows: none is lost,
      // none shown three times over.
      const int source = axis == &plan.columns ? 640 : 480;
      std::vector<int> ruled(static_cast<size_t>(source), 0);
      for (const zuDraw::Taps& t : *axis) {
        int sum = 0;
        for (int k = 0; k < t.count; ++k) {
          sum += t.weight[k];
          if (t.weight[k] > 128) ++ruled[static_cast<size_t>(t.first + k)];
        }
        ASSERT_EQ(sum, 256);
      }
      for (int i = 0; i < source; ++i) {
        EXPECT_GE(ruled[i], 1) << "row or column " << i << " lost";
        EXPECT_LE(ruled[i], 2) << "row or column " << i << " tripled";
      }
    }
    // Black left of column 130, one flat colour from there: the output is
    // exactly black up to 130 x scale and exactly the colour from the next
    // whole pixel on (the play column's edge stays sharp).
    std::vector<uint16_t> picture(640 * 480, 0);
    for (int y = 0; y < 480; ++y)
      for (int x = 130; x < 640; ++x) picture[y * 640 + x] = 0x7BEF;
    std::vector<uint32_t> out(static_cast<size_t>(size.first) * size.second, 0);
    zuDraw::ScalePicture(plan, picture.data(), 640 * 2,
                         reinterpret_cast<uint8_t*>(out.data() + l.y * size.first + l.x),
                         size.first * 4);
    const int edge = 130 * l.w / 640;  // 208 and 195: whole numbers at both sizes
    for (int y = l.y; y < l.y + l.h; y += 7) {
      const uint32_t* row = out.data() + static_cast<size_t>(y) * size.first + l.x;
      EXPECT_EQ(row[edge - 1], 0xFF000000u) << y;
      EXPECT_EQ(row[edge], Rounded(0x7BEF)) << y;
      EXPECT_EQ(row[l.w - 1], Rounded(0x7BEF)) << y;
    }
    EXPECT_EQ(out[static_cast<size_t>(l.y) * size.first + l.x - 1], 0u);  // the bar untouched
  }
}

TEST(PictureScale, SmoothStepIsTheAreaAverageAcrossThenDown) {
  const std::vector<uint16_t> picture = Picture();
  // Enlargements (four pixels at a time, with a tail at 1023 wide), a halving
  // (two taps each) and a small window (up to four taps); 32 and 16 bits out.
  const struct { int w, h; PixelOrder order; } sizes[] = {
      {1366, 768, PixelOrder::XRGB8888}, {1280, 720, PixelOrder::XRGB8888},
      {1364, 767, PixelOrder::XRGB8888}, {320, 240, PixelOrder::XRGB8888},
      {200, 150, PixelOrder::XRGB8888},  {1364, 767, PixelOrder::RGB565}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(testing::Message() << size.w << "x" << size.h << " " << static_cast<int>(size.order));
    const PictureLayout l = FitPicture(640, 480, size.w, size.h);
    zuDraw::ScalePlan plan;
    ASSERT_TRUE(zuDraw::MakeScalePlan(plan, 640, 480, l, size.order));
    const int bytes = size.order == PixelOrder::RGB565 ? 2 : 4;
    std::vector<uint8_t> out(static_cast<size_t>(l.w) * l.h * bytes);
    zuDraw::ScalePicture(plan, picture.data(), 640 * 2, out.data(), l.w * bytes);
    // Each pass sums channel times weight and drops the fraction.
    auto mix = [](const uint32_t* p, const zuDraw::Taps& t) {
      uint32_t v = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        uint32_t sum = 0;
        for (int k = 0; k < t.count; ++k) sum += ((p[k] >> shift) & 0xFF) * t.weight[k];
        v |= (sum >> 8) << shift;
      }
      return v;
    };
    for (int oy = 0; oy < l.h; ++oy) {
      const zuDraw::Taps& down = plan.rows[static_cast<size_t>(oy)];
      for (int ox = 0; ox < l.w; ++ox) {
        const zuDraw::Taps& across = plan.columns[static_cast<size_t>(ox)];
        uint32_t column[4];
        for (int k = 0; k < down.count; ++k) {
          uint32_t row[4];
          for (int j = 0; j < across.count; ++j)
            row[j] = Rounded(picture[(down.first + k) * 640 + across.first + j]);
          column[k] = mix(row, across);
        }
        const uint32_t want = mix(column, down);
        const size_t at = static_cast<size_t>(oy) * l.w + ox;
        if (size.order == PixelOrder::RGB565) {
          const uint16_t want16 = static_cast<uint16_t>(((want >> 8) & 0xF800) | ((want >> 5) & 0x07E0) |
                                                        ((want >> 3) & 0x001F));
          ASSERT_EQ(reinterpret_cast<const uint16_t*>(out.data())[at], want16) << ox << "," << oy;
        } else {
          ASSERT_EQ(reinterpret_cast<const uint32_t*>(out.data())[at], want) << ox << "," << oy;
        }
      }
    }
  }
}
