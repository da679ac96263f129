// Pictures written by other programs, read through the game's own load: every
// variant ImageMagick writes, and the header kinds and masks it does not
// (made here from its files), compared pixel by pixel with ImageMagick's own
// decoding of the same file. Files the reader must refuse get the load's message.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "lib/draw/bmp.h"
#include "tests/lib/draw/draw_test_util.h"

namespace {

using Bytes = std::vector<uint8_t>;
using drawtest::Folder;

Bytes ReadAll(const std::string& path) {
  Bytes b;
  size_t size = 0;
  zuDraw::ReadBitmapFile(path.c_str(), &b, &size);
  b.resize(size);
  return b;
}

void WriteAll(const std::string& path, const Bytes& b) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(b.data(), 1, b.size(), f);
  std::fclose(f);
}

uint32_t Get32(const Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
void Set32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// ImageMagick's reading of a file: 8-bit red, green, blue, top row first.
Bytes MagickPixels(const std::string& path) {
  Bytes out;
  std::FILE* p = popen(("convert '" + path + "' -depth 8 rgb:- 2>/dev/null").c_str(), "r");
  if (p == nullptr) return out;
  uint8_t buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.insert(out.end(), buf, buf + n);
  pclose(p);
  return out;
}

// Rewrites a file with a plain 40-byte header as its rows stored top row first.
Bytes TopDown(Bytes f) {
  const int32_t w = static_cast<int32_t>(Get32(f, 18)), h = static_cast<int32_t>(Get32(f, 22));
  const size_t row = (static_cast<size_t>(w) * (f[28] | f[29] << 8) + 31) / 32 * 4;
  const size_t at = Get32(f, 10);
  Bytes out = f;
  for (int32_t r = 0; r < h; ++r) {
    std::memcpy(&out[at + r * row], &f[at + (h - 1 - r) * row], row);
  }
  Set32(out, 22, static_cast<uint32_t>(-h));
  return out;
}

// A V5 file with masks (ImageMagick's 16 and 32-bit kind) given a shorter
// header: 108 (V4), 56 and 52 hold the masks; 40 puts them behind the header,
// three for compression 3, four for compression 6.
std::function<Bytes(Bytes)> Header(uint32_t size, uint32_t compression = 3) {
  return [=](Bytes v5) {
    Bytes out(v5.begin(), v5.begin() + 14 + std::min<uint32_t>(size, 124));
    Set32(out, 14, size);
    Set32(out, 30, compression);
    if (size == 40) out.insert(out.end(), v5.begin() + 54, v5.begin() + 54 + (compression == 6 ? 16 : 12));
    Set32(out, 10, static_cast<uint32_t>(out.size()));
    out.insert(out.end(), v5.begin() + Get32(v5, 10), v5.end());
    Set32(out, 2, static_cast<uint32_t>(out.size()));
    return out;
  };
}

// A 24-bit file repacked into 16 or 32-bit pixels with the given red, green
// and blue masks, each channel widened or narrowed to its mask's width.
std::function<Bytes(Bytes)> Masks(int bits, uint32_t r, uint32_t g, uint32_t b) {
  return [=](Bytes f) {
    const int w = static_cast<int>(Get32(f, 18)), h = static_cast<int>(Get32(f, 22));
    const size_t inRow = (w * 24 + 31) / 32 * 4, outRow = (w * bits + 31) / 32 * 4;
    Bytes out(54 + 12 + outRow * h, 0);
    std::memcpy(out.data(), f.data(), 54);
    Set32(out, 2, static_cast<uint32_t>(out.size()));
    Set32(out, 10, 66);
    out[28] = static_cast<uint8_t>(bits);
    Set32(out, 30, 3);
    const uint32_t masks[3] = {r, g, b};
    for (int c = 0; c < 3; ++c) Set32(out, 54 + 4 * c, masks[c]);
    auto pack = [](uint8_t v, uint32_t m) {
      int shift = 0, width = 0;
      while (!((m >> shift) & 1)) ++shift;
      while ((m >> (shift + width)) & 1) ++width;
      const uint32_t wide = width <= 8 ? v >> (8 - width) : (v << (width - 8)) | (v >> (16 - width));
      return wide << shift;
    };
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint8_t* p = &f[Get32(f, 10) + y * inRow + x * 3];
        const uint32_t v = pack(p[2], r) | pack(p[1], g) | pack(p[0], b);
        for (int i = 0; i < bits / 8; ++i) out[66 + y * outRow + x * bits / 8 + i] = static_cast<uint8_t>(v >> (8 * i));
      }
    }
    return out;
  };
}

std::function<Bytes(Bytes)> Set(size_t at, uint32_t value) {
  return [=](Bytes f) {
    Set32(f, at, value);
    return f;
  };
}

// A 4-bit file run-length coded: the first five pixels of a row as they
// stand, the rest in runs of two.
Bytes RunLength4(Bytes f) {
  const int w = static_cast<int>(Get32(f, 18)), h = static_cast<int>(Get32(f, 22));
  const size_t row = (w * 4 + 31) / 32 * 4, at = Get32(f, 10);
  Bytes out(f.begin(), f.begin() + at);
  auto pixel = [&](int y, int x) { return (f[at + y * row + x / 2] >> (x & 1 ? 0 : 4)) & 15; };
  for (int y = 0; y < h; ++y) {
    out.insert(out.end(), {0, 5, static_cast<uint8_t>(pixel(y, 0) << 4 | pixel(y, 1)),
                           static_cast<uint8_t>(pixel(y, 2) << 4 | pixel(y, 3)),
                           static_cast<uint8_t>(pixel(y, 4) << 4), 0});
    for (int x = 5; x < w; x += 2) {
      const int n = std::min(2, w - x);
      out.insert(out.end(), {static_cast<uint8_t>(n),
                             static_cast<uint8_t>(pixel(y, x) << 4 | (n > 1 ? pixel(y, x + 1) : 0))});
    }
    out.insert(out.end(), {0, 0});
  }
  out.insert(out.end(), {0, 1});
  Set32(out, 30, 2);
  Set32(out, 2, static_cast<uint32_t>(out.size()));
  return out;
}

enum Expect { kAsMagickReadsIt, kAsMagickReadsTheStart, kRefused };

struct Variant {
  const char* name;
  const char* magick;  // how ImageMagick writes the starting file; null: tests/data/formats/<name>.bmp
  std::function<Bytes(Bytes)> change;
  Expect expect;
  // Channels narrower than 8 bits: ImageMagick shifts them up where the reader
  // repeats their bits, so that white stays white.
  int narrow[3];
};

void PrintTo(const Variant& v, std::ostream* os) { *os << v.name; }

const Variant kVariants[] = {
    {"info24", "BMP3:", nullptr, kAsMagickReadsIt, {}},
    {"core24", "BMP2:", nullptr, kAsMagickReadsIt, {}},
    {"v5_24", "BMP:", nullptr, kAsMagickReadsIt, {}},
    {"core8", "-type palette BMP2:", nullptr, kAsMagickReadsIt, {}},
    {"pal8", "-type palette -compress none BMP3:", nullptr, kAsMagickReadsIt, {}},
    {"rle8", "-type palette -compress RLE BMP3:", nullptr, kAsMagickReadsIt, {}},
    {"pal4", "-colors 16 BMP3:", nullptr, kAsMagickReadsIt, {}},
    {"rle4", "-colors 16 BMP3:", RunLength4, kAsMagickReadsTheStart, {}},
    {"pal1", "-monochrome BMP3:", nullptr, kAsMagickReadsIt, {}},
    {"rgb565", "-define bmp:subtype=RGB565 BMP:", nullptr, kAsMagickReadsIt, {}},
    {"rgb555", "-define bmp:subtype=RGB555 BMP:", nullptr, kAsMagickReadsIt, {}},
    {"argb4444", "-alpha set -define bmp:subtype=ARGB4444 BMP:", nullptr, kAsMagickReadsIt, {4, 4, 4}},
    {"argb32", "-alpha set -channel A -fx 0.5 BMP:", nullptr, kAsMagickReadsIt, {}},
    {"v4_565", "-define bmp:subtype=RGB565 BMP:", Header(108), kAsMagickReadsIt, {}},
    {"v3_565", "-define bmp:subtype=RGB565 BMP:", Header(56), kAsMagickReadsIt, {}},
    {"v2_32", "-alpha set BMP:", Header(52), kAsMagickReadsIt, {}},
    {"info_fields", "-define bmp:subtype=RGB565 BMP:", Header(40), kAsMagickReadsIt, {}},
    {"info_alpha_fields", "-alpha set BMP:", Header(40, 6), kAsMagickReadsTheStart, {}},
    {"topdown24", "BMP3:", TopDown, kAsMagickReadsIt, {}},
    {"topdown4", "-colors 16 BMP3:", TopDown, kAsMagickReadsIt, {}},
    {"mask10", "BMP3:", Masks(32, 0x3FF00000, 0x000FFC00, 0x000003FF), kAsMagickReadsIt, {}},
    {"mask231", "BMP3:", Masks(16, 0x30, 0x0E, 0x01), kAsMagickReadsIt, {2, 3, 1}},
    {"java_fields565", nullptr, nullptr, kAsMagickReadsIt, {}},
    {"topdown_rle8", "-type palette -compress RLE BMP3:", Set(22, static_cast<uint32_t>(-7)), kRefused, {}},
    {"jpeg_inside", "BMP3:", Set(30, 4), kRefused, {}},
    {"png_inside", "BMP3:", Set(30, 5), kRefused, {}},
    {"compression7", "-define bmp:subtype=RGB565 BMP:", Set(30, 7), kRefused, {}},
    {"fields24", "BMP3:", Set(30, 3), kRefused, {}},
    {"os2_header", "BMP3:", Set(14, 64), kRefused, {}},
};

// An 8-bit channel as the reader makes it from the `bits` ImageMagick kept.
int Widened(int v, int bits) {
  if (bits == 0 || bits >= 8) return v;
  const int kept = v >> (8 - bits);
  int c = 0;
  for (int at = 8 - bits; at > -bits; at -= bits) c |= at >= 0 ? kept << at : kept >> -at;
  return c;
}

struct ForeignBitmaps : drawtest::Screen, testing::WithParamInterface<Variant> {};

TEST_P(ForeignBitmaps, ReadAsImageMagickReadsThemOrRefused) {
  const Variant& v = GetParam();
  const std::string start = Folder() + "START.BMP", made = Folder() + v.name + ".BMP";
  if (v.magick != nullptr) {
    // 13 x 7: odd rows need padding; every pixel a different colour.
    ASSERT_EQ(std::system(("convert -size 13x7 xc: -sparse-color bilinear "
                           "'0,0 red 12,0 lime 0,6 blue 12,6 white' " + std::string(v.magick) +
                           "'" + start + "'").c_str()), 0);
  } else {
    WriteAll(start, ReadAll(std::string(SKYWARD_SOURCE_DIR) + "/tests/data/formats/" + v.name + ".bmp"));
  }
  const Bytes original = ReadAll(start);
  WriteAll(made, v.change ? v.change(original) : original);

  testing::internal::CaptureStderr();
  const int id = zuDraw::LoadObject((std::string(v.name) + ".BMP").c_str(), 2);
  const std::string err = testing::internal::GetCapturedStderr();
  if (v.expect == kRefused) {
    EXPECT_EQ(id, 0);
    EXPECT_EQ(err, "zuDraw::LoadObject : BMPファイルを読み込めません\n");
    return;
  }
  ASSERT_EQ(id, 2) << err;
  const SDL_Surface* s = zuDraw::ObjectSurface(id);
  const Bytes expected = MagickPixels(v.expect == kAsMagickReadsIt ? made : start);
  ASSERT_EQ(expected.size(), static_cast<size_t>(s->w * s->h * 3));
  int differing = 0;
  for (int y = 0; y < s->h; ++y) {
    for (int x = 0; x < s->w; ++x) {
      const uint16_t p = reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(s->pixels) + y * s->pitch)[x];
      const uint8_t* e = &expected[(y * s->w + x) * 3];
      const int got[3] = {p >> 11, p >> 5 & 63, p & 31}, shift[3] = {3, 2, 3};
      // A channel may differ by one step where ImageMagick rounds.
      for (int c = 0; c < 3; ++c) differing += std::abs(got[c] - (Widened(e[c], v.narrow[c]) >> shift[c])) > 1;
    }
  }
  EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Variants, ForeignBitmaps, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<Variant>& i) { return std::string(i.param.name); });

}  // namespace

namespace {

// The 54 bytes in front of an uncompressed w x h picture of `bits` bits.
Bytes InfoHeader(int32_t w, int32_t h, int bits) {
  Bytes f(54, 0);
  f[0] = 'B', f[1] = 'M';
  Set32(f, 10, 54);
  Set32(f, 14, 40);
  Set32(f, 18, static_cast<uint32_t>(w));
  Set32(f, 22, static_cast<uint32_t>(h));
  f[26] = 1, f[28] = static_cast<uint8_t>(bits);
  return f;
}

TEST(BitmapDecoder, SidesOfOneTo8192Pixels) {
  const struct { int32_t w, h; bool read; } sizes[] = {
      {8192, 1, true}, {8193, 1, false}, {1, 8192, true}, {1, -8192, true}, {1, -8193, false},
      {0, 1, false}, {1, 0, false}, {1, -100000, false}};
  for (const auto& s : sizes) {
    Bytes f = InfoHeader(s.w, s.h, 24);
    f.resize(f.size() + (std::abs(s.w) * 3 + 3) / 4 * 4 * std::min(std::abs(s.h), 8193), 0);
    zuDraw::BitmapInfo info;
    EXPECT_EQ(zuDraw::ParseBitmap(f.data(), f.size(), &info), s.read) << s.w << " x " << s.h;
  }
}

// Moves, line ends and runs that leave the picture, which no writer above
// makes; and data that stops before the picture ends.
TEST(BitmapDecoder, RunLengthMovesClipsAndStopsShort) {
  Bytes f = InfoHeader(4, 3, 8);
  Set32(f, 10, 54 + 12);
  f[30] = 1;
  Set32(f, 46, 3);
  f.insert(f.end(), {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0});  // black, red, green
  f.insert(f.end(), {2, 1, 0, 2, 1, 1,  // bottom row: two red, then one right and one up
                     0, 3, 2, 9, 9, 0,  // three green as they stand, two beyond the edge
                     0, 0, 5, 1, 0, 0,  // next line: five red, cut to four
                     0, 1});
  zuDraw::BitmapInfo info;
  ASSERT_TRUE(zuDraw::ParseBitmap(f.data(), f.size(), &info));
  uint16_t px[3][4];
  ASSERT_TRUE(zuDraw::DecodeBitmap(f.data(), f.size(), info, {0xF800, 0x07E0, 0x001F}, &px[0][0], 8));
  const uint16_t R = 0xF800, G = 0x07E0;
  const uint16_t expected[3][4] = {{R, R, R, R}, {0, 0, 0, G}, {R, R, 0, 0}};
  EXPECT_EQ(0, std::memcmp(px, expected, sizeof px));
  for (size_t n = 66; n < f.size(); ++n) {
    // Without its end mark the picture is whole once its last line has ended.
    EXPECT_EQ(zuDraw::DecodeBitmap(f.data(), n, info, {0xF800, 0x07E0, 0x001F}, &px[0][0], 8), n >= f.size() - 2) << n;
  }
}

}  // namespace
