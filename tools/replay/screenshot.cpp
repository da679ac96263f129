#include "tools/replay/screenshot.h"

#include <cstdio>

namespace {

void Put16(std::FILE* f, unsigned v) {
  std::fputc(static_cast<int>(v & 0xFF), f);
  std::fputc(static_cast<int>((v >> 8) & 0xFF), f);
}

void Put32(std::FILE* f, unsigned long v) {
  Put16(f, static_cast<unsigned>(v & 0xFFFF));
  Put16(f, static_cast<unsigned>(v >> 16));
}

}  // namespace

// A 24-bit BMP, rows from the bottom, as every viewer reads them.
bool WriteScreenBmp(const std::string& path, const uint16_t* screen, std::string* why) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) {
    *why = "cannot open the file";
    return false;
  }
  const unsigned long rowBytes = 640 * 3;
  const unsigned long dataBytes = rowBytes * 480;
  std::fputc('B', f);
  std::fputc('M', f);
  Put32(f, 54 + dataBytes);
  Put32(f, 0);
  Put32(f, 54);
  Put32(f, 40);
  Put32(f, 640);
  Put32(f, 480);
  Put16(f, 1);
  Put16(f, 24);
  Put32(f, 0);
  Put32(f, dataBytes);
  Put32(f, 2835);
  Put32(f, 2835);
  Put32(f, 0);
  Put32(f, 0);
  for (int y = 479; y >= 0; --y) {
    for (int x = 0; x < 640; ++x) {
      const unsigned p = screen[y * 640 + x];
      const unsigned r = (p >> 11) & 0x1F, g = (p >> 5) & 0x3F, b = p & 0x1F;
      std::fputc(static_cast<int>((b << 3) | (b >> 2)), f);
      std::fputc(static_cast<int>((g << 2) | (g >> 4)), f);
      std::fputc(static_cast<int>((r << 3) | (r >> 2)), f);
    }
  }
  const bool ok = std::ferror(f) == 0;
  if (std::fclose(f) != 0 || !ok) {
    *why = "cannot write the file";
    return false;
  }
  return true;
}
