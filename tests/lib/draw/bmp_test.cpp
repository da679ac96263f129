// Pictures written by other programs, read through the game's own load: every
// variant ImageMagick writes, and the header kinds it does not (made here from
// its files), compared pixel by pixel with ImageMagick's own decoding of the
// same file. Then files built here, one for each rule of the reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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

enum Expect { kAsMagickReadsIt, kAsMagickReadsTheStart };

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
    {"java_fields565", nullptr, nullptr, kAsMagickReadsIt, {}},
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

// A file made here: any header kind, depth, compression, masks and palette,
// then the pixel bytes as stored.
struct Picture {
  uint32_t header = 40;  // 12 core; 40 with masks behind it; 52 to 124 with masks inside
  int32_t w = 1, h = 1;
  int bits = 24;
  uint32_t compression = 0;
  uint32_t colourCount = 0;
  std::vector<uint32_t> masks;
  std::vector<uint32_t> palette;  // 0x00RRGGBB; 3 bytes an entry behind a core header
  Bytes pixels;
};

Bytes Build(const Picture& p) {
  Bytes f(14 + p.header, 0);
  f[0] = 'B', f[1] = 'M';
  Set32(f, 14, p.header);
  if (p.header == 12) {
    f[18] = static_cast<uint8_t>(p.w), f[19] = static_cast<uint8_t>(p.w >> 8);
    f[20] = static_cast<uint8_t>(p.h), f[21] = static_cast<uint8_t>(p.h >> 8);
    f[22] = 1, f[24] = static_cast<uint8_t>(p.bits);
  } else {
    Set32(f, 18, static_cast<uint32_t>(p.w));
    Set32(f, 22, static_cast<uint32_t>(p.h));
    f[26] = 1, f[28] = static_cast<uint8_t>(p.bits);
    Set32(f, 30, p.compression);
    Set32(f, 46, p.colourCount);
  }
  for (size_t i = 0; i < p.masks.size(); ++i) {
    if (p.header == 40) f.resize(f.size() + 4);
    Set32(f, 54 + 4 * i, p.masks[i]);
  }
  for (uint32_t c : p.palette) {
    f.insert(f.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16)});
    if (p.header != 12) f.push_back(0);
  }
  Set32(f, 10, static_cast<uint32_t>(f.size()));
  f.insert(f.end(), p.pixels.begin(), p.pixels.end());
  Set32(f, 2, static_cast<uint32_t>(f.size()));
  return f;
}

// The RGB565 pixels a picture shows, top row first, rows apart by '|':
// '.' black, R red, G green, B blue, W white.
std::vector<uint16_t> Shows(const std::string& rows) {
  std::vector<uint16_t> out;
  for (char c : rows) {
    if (c != '|') out.push_back(c == 'R' ? 0xF800 : c == 'G' ? 0x07E0 : c == 'B' ? 0x001F : c == 'W' ? 0xFFFF : 0);
  }
  return out;
}

constexpr uint16_t kFrame = 0x5A5A;

// Decoded into a picture with a frame of one pixel on every side, which the
// decoder must leave as it was.
struct Decoded {
  bool ok;
  std::vector<uint16_t> pixels;
  bool frameKept = true;
};

Decoded Decode(const uint8_t* file, size_t size, const zuDraw::BitmapInfo& info) {
  const int w = info.width, h = info.height, pw = w + 2;
  std::vector<uint16_t> px(static_cast<size_t>(pw) * (h + 2), kFrame);
  Decoded d;
  d.ok = zuDraw::DecodeBitmap(file, size, info, {0xF800, 0x07E0, 0x001F}, &px[pw + 1], pw * 2);
  for (int y = 0; y < h + 2; ++y) {
    for (int x = 0; x < pw; ++x) {
      const uint16_t p = px[y * pw + x];
      if (y == 0 || y == h + 1 || x == 0 || x == w + 1) {
        d.frameKept = d.frameKept && p == kFrame;
      } else {
        d.pixels.push_back(p);
      }
    }
  }
  return d;
}

Bytes With(Bytes f, size_t at, uint32_t value) {
  Set32(f, at, value);
  return f;
}

struct HeaderCase {
  const char* name;
  Bytes file;
  const char* shows;  // null: refused
};

const std::vector<HeaderCase>& HeaderCases() {
  const uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF;
  auto grey = [](int n) { return std::vector<uint32_t>(n, 0x808080); };
  std::vector<uint32_t> corePalette = grey(256), longPalette = grey(300);
  corePalette[0] = red, corePalette[1] = green;
  longPalette[255] = blue, longPalette[256] = white;
  const Bytes bgr2 = {0, 0, 255, 0, 255, 0, 0, 0};                    // red, green
  const Bytes fields555 = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0};  // red, green, blue
  static const std::vector<HeaderCase> cases = {
      {"core24", Build({12, 2, 1, 24, 0, 0, {}, {}, bgr2}), "RG"},
      {"core8_palette_of_three_bytes", Build({12, 2, 1, 8, 0, 0, {}, corePalette, {0, 1, 0, 0}}), "RG"},
      {"core16", Build({12, 2, 1, 16, 0, 0, {}, {}, fields555}), nullptr},
      {"depth2", Build({40, 2, 1, 2, 0, 0, {}, grey(4), {0, 0, 0, 0}}), nullptr},
      {"rle8_of_4_bits", Build({40, 1, 1, 4, 1, 0, {}, grey(16), {0, 1}}), nullptr},
      {"rle4_of_8_bits", Build({40, 1, 1, 8, 2, 0, {}, grey(256), {0, 1}}), nullptr},
      {"fields_of_24_bits", Build({40, 2, 1, 24, 3, 0, {red, green, blue}, {}, bgr2}), nullptr},
      {"jpeg_inside", Build({40, 2, 1, 24, 4, 0, {}, {}, bgr2}), nullptr},
      {"topdown_rle8", Build({40, 1, -1, 8, 1, 1, {}, {red}, {1, 0, 0, 1}}), nullptr},
      {"topdown_rle4", Build({40, 1, -1, 4, 2, 1, {}, {red}, {1, 0, 0, 1}}), nullptr},
      {"bm_magic", With(Build({40, 2, 1, 24, 0, 0, {}, {}, bgr2}), 0, 'B' | 'A' << 8), nullptr},
      {"header_of_64_bytes_in_a_file_that_holds_it", With(Build({40, 2, 1, 24, 0, 0, {}, {}, Bytes(24, 0)}), 14, 64), nullptr},
      {"header_longer_than_file", With(Build({40, 1, 1, 24, 0, 0, {}, {}, {0, 0, 255, 0}}), 14, 124), nullptr},
      {"seventeen_bytes", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0}, nullptr},
      {"masks_cut_short", Build({40, 1, 1, 16, 3, 0, {0xF800}, {}, {0, 0xF8, 0, 0}}), nullptr},
      // The pixels start inside the masks, so the file ends where the alpha mask would.
      {"alpha_mask_cut_short",
       With(Build({40, 1, 1, 16, 6, 0, {0x7C00, 0x03E0, 0x001F}, {}, {}}), 10, 62), nullptr},
      {"zero_masks_are_555", Build({40, 3, 1, 16, 3, 0, {0, 0, 0}, {}, fields555}), "RGB"},
      {"plain32_is_888", Build({40, 3, 1, 32, 0, 0, {}, {}, {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0}}), "RGB"},
      {"mask_above_16_bits", Build({40, 1, 1, 16, 3, 0, {0xFFFFF800, 0x07E0, 0x001F}, {}, {0, 0xF8, 0, 0}}), "R"},
      {"wide_fields", Build({40, 3, 1, 32, 3, 0, {0x3FF00000, 0x000FFC00, 0x3FF}, {},
                             {0, 0, 0xF0, 0x3F, 0, 0xFC, 0x0F, 0, 0xFF, 0xFF, 0xFF, 0x3F}}), "RGW"},
      {"narrow_fields_repeated", Build({40, 2, 1, 16, 3, 0, {0x01C0, 0x0038, 0x0007}, {}, {0xFF, 0x01, 0xC0, 0x01}}), "WR"},
      {"palette_longer_than_256", Build({40, 1, 1, 8, 0, 300, {}, longPalette, {255, 0, 0, 0}}), "B"},
      {"palette_count_0_is_full", Build({40, 2, 1, 1, 0, 0, {}, {0, white}, {0x40, 0, 0, 0}}), ".W"},
      {"index_beyond_palette_is_black", Build({40, 3, 1, 4, 0, 2, {}, {white, red}, {0x01, 0x50, 0, 0}}), "WR."},
      {"palette_beyond_file", Build({40, 1, 1, 8, 0, 0, {}, {red, green}, {0, 0, 0, 0}}), nullptr},
      {"rle_pixels_beyond_file", With(Build({40, 1, 1, 8, 1, 1, {}, {red}, {1, 0, 0, 1}}), 10, 67), nullptr},
      {"rle_shorter_than_its_rows",
       Build({40, 8, 4, 8, 1, 2, {}, {red, green}, {8, 0, 0, 0, 8, 1, 0, 0, 8, 0, 0, 0, 8, 1, 0, 1}}),
       "GGGGGGGG|RRRRRRRR|GGGGGGGG|RRRRRRRR"},
      {"rows_padded_to_words", Build({40, 1, 2, 24, 0, 0, {}, {}, {0, 0, 255, 0, 0, 255, 0, 0}}), "G|R"},
      {"rows_one_byte_short", [&] {
         Bytes f = Build({40, 1, 2, 24, 0, 0, {}, {}, {0, 0, 255, 0, 0, 255, 0, 0}});
         f.pop_back();
         return f;
       }(), nullptr},
  };
  return cases;
}

// Parsed into an info block that holds garbage, as a caller's own may.
TEST(BitmapDecoder, HeadersAreReadAsTheySayOrRefused) {
  for (const HeaderCase& c : HeaderCases()) {
    SCOPED_TRACE(c.name);
    zuDraw::BitmapInfo info;
    std::memset(&info, 0xA5, sizeof info);
    const bool parsed = zuDraw::ParseBitmap(c.file.data(), c.file.size(), &info);
    if (c.shows == nullptr) {
      EXPECT_FALSE(parsed);
      continue;
    }
    ASSERT_TRUE(parsed);
    EXPECT_LE(info.paletteSize, 256);
    const Decoded d = Decode(c.file.data(), c.file.size(), info);
    EXPECT_TRUE(d.ok);
    EXPECT_TRUE(d.frameKept);
    EXPECT_EQ(d.pixels, Shows(c.shows));
    if (info.compression != 1 && info.compression != 2) {
      EXPECT_FALSE(Decode(c.file.data(), c.file.size() - 1, info).ok) << "pixel data one byte short";
    }
  }
}

TEST(BitmapDecoder, SidesOfOneTo8192PixelsAnd16MPixelsInAll) {
  const struct { int32_t w, h; bool read; } sizes[] = {
      {8192, 1, true}, {8193, 1, false}, {1, 8192, true}, {1, -8192, true}, {1, -8193, false},
      {0, 1, false}, {1, 0, false}, {1, -100000, false}, {8192, 2048, true}, {8192, 2049, false}};
  for (const auto& s : sizes) {
    const size_t row = (static_cast<size_t>(std::abs(s.w)) + 31) / 32 * 4;
    const Bytes f = Build({40, s.w, s.h, 1, 0, 0, {}, {0, 0xFFFFFF}, Bytes(row * std::min(std::abs(s.h), 8193), 0)});
    zuDraw::BitmapInfo info;
    EXPECT_EQ(zuDraw::ParseBitmap(f.data(), f.size(), &info), s.read) << s.w << " x " << s.h;
  }
}

TEST(BitmapDecoder, FileLargerThanAPictureCanBeIsNotRead) {
  const std::string path = Folder() + "HUGE.BMP";
  // A 16 M-pixel picture of 32 bits, its largest header and palette, and one byte more.
  WriteAll(path, {'B', 'M'});
  std::filesystem::resize_file(path, 16LL * 1024 * 1024 * 4 + 4096 + 1);
  Bytes b;
  size_t size = 1;
  EXPECT_FALSE(zuDraw::ReadBitmapFile(path.c_str(), &b, &size));
  EXPECT_EQ(size, 0u);
  EXPECT_TRUE(b.empty());
  std::filesystem::remove(path);
}

struct RunLengthCase {
  const char* name;
  int w, h;
  uint32_t compression;  // 1 RLE8, 2 RLE4
  Bytes data;
  size_t beyond;  // bytes at the end that lie behind the size the decoder is given
  bool ok;
  const char* shows;
};

// Palette: 0 black, 1 red, 2 green, 3 blue.
const RunLengthCase kRunLengthCases[] = {
    // Two red, a move one right and one up, three green as they stand (two
    // beyond the edge, padded to a word), a line end, five red cut to four.
    {"moves_clips_and_line_ends", 4, 3, 1,
     {2, 1, 0, 2, 1, 1, 0, 3, 2, 9, 9, 0, 0, 0, 5, 1, 0, 0, 0, 1}, 0, true, "RRRR|...G|RR.."},
    {"skipped_pixels_are_black", 4, 2, 1, {0, 2, 1, 1, 1, 3, 0, 1}, 0, true, ".B..|...."},
    {"move_past_the_top_ends_the_picture", 2, 2, 1, {0, 2, 0, 2, 2, 1, 0, 1}, 0, true, "..|.."},
    {"line_end_past_the_top_ends_the_picture", 2, 1, 1, {1, 1, 0, 0, 2, 2, 0, 1}, 0, true, "R."},
    {"move_cut_by_the_end", 2, 2, 1, {1, 1, 0, 2, 0, 5}, 2, false, "..|R."},
    {"pixels_as_they_stand_cut_by_the_end", 4, 1, 1, {0, 4, 1, 2, 3, 1}, 2, false, "...."},
    {"no_end_mark", 2, 1, 1, {2, 1}, 0, false, "RR"},
    {"rle4_nibbles_and_odd_count_padded", 8, 1, 2, {0, 5, 0x12, 0x31, 0x20, 0, 3, 0x13, 0, 1}, 0, true, "RGBRGRBR"},
};

Bytes RunLengthFile(const RunLengthCase& c) {
  return Build({40, c.w, c.h, c.compression == 1 ? 8 : 4, c.compression, 4, {}, {0, 0xFF0000, 0x00FF00, 0x0000FF}, c.data});
}

TEST(BitmapDecoder, RunLengthRunsMovesAndEndsStayInThePictureAndTheData) {
  for (const RunLengthCase& c : kRunLengthCases) {
    SCOPED_TRACE(c.name);
    const Bytes f = RunLengthFile(c);
    zuDraw::BitmapInfo info;
    ASSERT_TRUE(zuDraw::ParseBitmap(f.data(), f.size(), &info));
    const Decoded d = Decode(f.data(), f.size() - c.beyond, info);
    EXPECT_EQ(d.ok, c.ok);
    EXPECT_TRUE(d.frameKept);
    EXPECT_EQ(d.pixels, Shows(c.shows));
  }
}

TEST(BitmapDecoder, RunLengthDataCutAnywhereIsAFailureUntilTheLastLineEnds) {
  const Bytes f = RunLengthFile(kRunLengthCases[0]);
  zuDraw::BitmapInfo info;
  ASSERT_TRUE(zuDraw::ParseBitmap(f.data(), f.size(), &info));
  for (size_t n = info.pixelOffset; n < f.size(); ++n) {
    // Without its end mark the picture is whole once its last line has ended.
    EXPECT_EQ(Decode(f.data(), n, info).ok, n >= f.size() - 2) << n;
  }
}

// Runs and moves that add up to more pixels than an int counts, which a file
// within the size limit can hold, still end at the picture's edge.
TEST(BitmapDecoder, RunLengthRowsLongerThanAnIntStayInThePicture) {
  for (const Bytes& step : {Bytes{255, 1}, Bytes{0, 2, 255, 0}}) {
    Bytes data;
    data.reserve(step.size() * 8421505 + 4);
    for (int i = 0; i < 8421505; ++i) data.insert(data.end(), step.begin(), step.end());  // 2^31 + 128 pixels
    data.insert(data.end(), {4, 2, 0, 1});
    const Bytes f = RunLengthFile({"", 4, 1, 1, data, 0, true, ""});
    zuDraw::BitmapInfo info;
    ASSERT_TRUE(zuDraw::ParseBitmap(f.data(), f.size(), &info));
    const Decoded d = Decode(f.data(), f.size(), info);
    EXPECT_TRUE(d.ok);
    EXPECT_TRUE(d.frameKept);
    EXPECT_EQ(d.pixels, Shows(step.size() == 2 ? "RRRR" : "...."));
  }
}

}  // namespace
