// BMP files, read without any platform: every header kind (core, info, the
// info headers with masks, V4, V5), 1, 4, 8, 16, 24 and 32 bits a pixel,
// uncompressed, run-length (RLE8, RLE4) and bit-field masks of any width,
// decoded into 16-bit pixels laid out as the caller's channel masks say.
// The screen layers read their pictures through it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zuDraw {

// A picture is at most 8192 pixels a side and 16 M pixels in all (32 MB at 16
// bits); the game's largest is 640 x 480.
constexpr int BITMAP_MAX_SIDE = 8192;
constexpr int64_t BITMAP_MAX_PIXELS = 16LL * 1024 * 1024;

// A 16-bit pixel layout: the bits of each channel (RGB565 is 0xF800, 0x07E0, 0x001F).
struct PixelMasks {
  uint16_t red, green, blue;
};

struct BitmapInfo {
  int width, height;
  bool topDown;
  int bits;              // 1, 4, 8, 16, 24 or 32
  uint32_t compression;  // 0 plain, 1 RLE8, 2 RLE4, 3 or 6 bit fields
  uint32_t masks[3];     // red, green, blue bits of a 16 or 32-bit pixel
  uint32_t palette[256]; // 0x00RRGGBB
  int paletteSize;
  size_t pixelOffset;
};

// Reads the whole file into the front of `bytes` (which only grows, so that
// loading picture after picture allocates once) and sets *size to its length.
// False when it cannot be opened or read, or is larger than a picture within
// the limits can be.
bool ReadBitmapFile(const char* path, std::vector<uint8_t>* bytes, size_t* size);

// Checks the headers against the bytes really there. False when the file is
// not a picture this reader takes.
bool ParseBitmap(const uint8_t* file, size_t size, BitmapInfo* info);

// Writes width x height pixels, rows `pitch` bytes apart, top row first.
// False when the pixel data is cut short.
bool DecodeBitmap(const uint8_t* file, size_t size, const BitmapInfo& info, PixelMasks masks,
                  uint16_t* pixels, size_t pitch);

}  // namespace zuDraw
