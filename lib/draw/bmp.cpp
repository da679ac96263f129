// BMP reader. Every size in the headers is checked against the bytes that are
// really there before anything is read, and the picture's size is bounded, so
// a file that lies is refused instead of read past its end.
#include "lib/draw/bmp.h"

#include <cstdio>
#include <cstring>

#include "lib/system/systemPlatform.h"

namespace zuDraw {
namespace {

constexpr size_t FILE_HEADER = 14;
// The largest file a picture within the limits can need: 32 bits a pixel,
// the biggest header and palette; run-length data is smaller than that.
constexpr long MAX_FILE = BITMAP_MAX_PIXELS * 4 + 4096;

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

int LowestBit(uint32_t m) {
  int s = 0;
  while (m != 0 && (m & 1u) == 0) {
    m >>= 1;
    ++s;
  }
  return s;
}

int BitLength(uint32_t m) {
  int n = 0;
  while (m != 0) {
    m >>= 1;
    ++n;
  }
  return n;
}

// One 8-bit channel value to its place in the 16-bit pixel, cut to the
// channel's width as a conversion between surfaces cuts it.
struct Channel8 {
  uint16_t to16[256];
  void Make(uint16_t mask) {
    const int shift = LowestBit(mask);
    const int width = BitLength(mask >> shift);
    for (int v = 0; v < 256; ++v) {
      to16[v] = width == 0 ? 0 : static_cast<uint16_t>(((v >> (8 - width)) << shift) & mask);
    }
  }
};

// A channel of a 16 or 32-bit pixel, any width: widened to 8 bits by repeating
// its bits, or narrowed by dropping the low ones.
struct FieldChannel {
  uint32_t mask;
  int shift, drop;
  uint8_t widen[256];
  void Make(uint32_t m) {
    mask = m;
    shift = LowestBit(m);
    const int width = BitLength(m >> shift);
    drop = width > 8 ? width - 8 : 0;
    const int bits = width - drop;
    for (int v = 0; v < (1 << bits); ++v) {
      int c = 0;
      for (int at = 8 - bits; bits > 0; at -= bits) {
        c |= at >= 0 ? v << at : v >> -at;
        if (at <= 0) break;
      }
      widen[v] = static_cast<uint8_t>(c);
    }
  }
  uint8_t Of(uint32_t pixel) const { return widen[(pixel & mask) >> shift >> drop]; }
};

struct Converter {
  Channel8 r, g, b;
  bool rgb565;
  explicit Converter(PixelMasks m) {
    r.Make(m.red);
    g.Make(m.green);
    b.Make(m.blue);
    rgb565 = m.red == 0xF800 && m.green == 0x07E0 && m.blue == 0x001F;
  }
  uint16_t Rgb(uint8_t red, uint8_t green, uint8_t blue) const {
    return static_cast<uint16_t>(r.to16[red] | g.to16[green] | b.to16[blue]);
  }
};

uint16_t* Row(uint16_t* pixels, size_t pitch, int y) {
  return reinterpret_cast<uint16_t*>(reinterpret_cast<uint8_t*>(pixels) + pitch * y);
}

void Decode24(const uint8_t* in, int width, const Converter& cv, uint16_t* out) {
  if (cv.rgb565) {
    // The pictures of the game: straight into RGB565, the same truncation as a
    // conversion between surfaces.
    for (int x = 0; x < width; ++x, in += 3) {
      out[x] = static_cast<uint16_t>(((in[2] & 0xF8) << 8) | ((in[1] & 0xFC) << 3) | (in[0] >> 3));
    }
    return;
  }
  for (int x = 0; x < width; ++x, in += 3) out[x] = cv.Rgb(in[2], in[1], in[0]);
}

void DecodeFields(const uint8_t* in, int width, int bits, const FieldChannel* f,
                  const Converter& cv, uint16_t* out) {
  for (int x = 0; x < width; ++x) {
    uint32_t p;
    if (bits == 16) {
      p = Le16(in);
      in += 2;
    } else {
      p = Le32(in);
      in += 4;
    }
    out[x] = cv.Rgb(f[0].Of(p), f[1].Of(p), f[2].Of(p));
  }
}

void DecodeIndexed(const uint8_t* in, int width, int bits, const uint16_t* colours,
                   uint16_t* out) {
  const int perByte = 8 / bits;
  const int mask = (1 << bits) - 1;
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - bits * (x % perByte + 1);
    out[x] = colours[(in[x / perByte] >> shift) & mask];
  }
}

// Run-length data, bottom row first. Pixels it skips stay black; runs that
// leave the picture are cut. False when the data ends before the picture does.
bool DecodeRunLength(const uint8_t* d, size_t size, const BitmapInfo& info,
                     const uint16_t* colours, uint16_t* pixels, size_t pitch) {
  const bool four = info.compression == 2;
  const int w = info.width, h = info.height;
  size_t pos = info.pixelOffset;
  int x = 0, r = 0;
  auto put = [&](int at, int index) {
    if (at < w) Row(pixels, pitch, h - 1 - r)[at] = colours[index];
  };
  while (pos + 2 <= size) {
    const int count = d[pos], value = d[pos + 1];
    pos += 2;
    if (count > 0) {
      for (int i = 0; i < count && x + i < w; ++i) {
        put(x + i, four ? (i & 1 ? value & 15 : value >> 4) : value);
      }
      x = x + count < w ? x + count : w;
    } else if (value == 0) {  // end of line
      x = 0;
      if (++r >= h) return true;
    } else if (value == 1) {  // end of picture
      return true;
    } else if (value == 2) {  // move right and up
      if (pos + 2 > size) return false;
      x = x + d[pos] < w ? x + d[pos] : w;
      r += d[pos + 1];
      pos += 2;
      if (r >= h) return true;
    } else {  // `value` pixels as they stand, padded to a whole word
      const size_t bytes = four ? (value + 1) / 2 : value;
      if (pos + bytes > size) return false;
      for (int i = 0; i < value && x + i < w; ++i) {
        const uint8_t b = d[pos + (four ? i / 2 : i)];
        put(x + i, four ? (i & 1 ? b & 15 : b >> 4) : b);
      }
      pos += (bytes + 1) & ~static_cast<size_t>(1);
      x = x + value < w ? x + value : w;
    }
  }
  return false;
}

bool ValidDepth(int bits, uint32_t compression, bool core) {
  switch (compression) {
    case 0:
      return bits == 1 || bits == 4 || bits == 8 || bits == 24 ||
             (!core && (bits == 16 || bits == 32));
    case 1: return bits == 8;
    case 2: return bits == 4;
    case 3:
    case 6: return bits == 16 || bits == 32;
    default: return false;  // JPEG or PNG inside, or no compression we know
  }
}

}  // namespace

bool ReadBitmapFile(const char* path, std::vector<uint8_t>* bytes, size_t* length) {
  *length = 0;
  // UTF-8 names on every platform.
  std::FILE* f = zuSystem::OpenFile(path, "rb");
  if (f == nullptr) return false;
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
  bool ok = size >= 0 && size <= MAX_FILE && std::fseek(f, 0, SEEK_SET) == 0;
  if (ok) {
    *length = static_cast<size_t>(size);
    if (bytes->size() < *length) bytes->resize(*length);
    ok = size == 0 || std::fread(bytes->data(), 1, *length, f) == *length;
  }
  std::fclose(f);
  return ok;
}

bool ParseBitmap(const uint8_t* d, size_t size, BitmapInfo* info) {
  if (size < FILE_HEADER + 4 || d[0] != 'B' || d[1] != 'M') return false;
  const uint32_t offset = Le32(d + 10);
  const uint32_t headerSize = Le32(d + 14);
  const bool core = headerSize == 12;
  if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124) {
    return false;
  }
  if (FILE_HEADER + headerSize > size) return false;
  int64_t width, height;
  uint32_t colourCount = 0;
  BitmapInfo& in = *info;
  in.compression = 0;
  if (core) {
    width = Le16(d + 18);
    height = Le16(d + 20);
    in.bits = Le16(d + 24);
  } else {
    width = static_cast<int32_t>(Le32(d + 18));
    height = static_cast<int32_t>(Le32(d + 22));
    in.bits = Le16(d + 28);
    in.compression = Le32(d + 30);
    colourCount = Le32(d + 46);
  }
  if (!ValidDepth(in.bits, in.compression, core)) return false;
  in.topDown = height < 0;
  if (height < 0) height = -height;
  // A run-length picture is always stored bottom row first.
  if (in.topDown && (in.compression == 1 || in.compression == 2)) return false;
  if (width < 1 || height < 1 || width > BITMAP_MAX_SIDE || height > BITMAP_MAX_SIDE ||
      width * height > BITMAP_MAX_PIXELS) {
    return false;
  }
  in.width = static_cast<int>(width);
  in.height = static_cast<int>(height);

  size_t table = FILE_HEADER + headerSize;
  const bool fields = in.compression == 3 || in.compression == 6;
  if (fields) {
    // Behind a plain info header the masks follow it; the larger headers hold them.
    const uint8_t* m = d + FILE_HEADER + 40;
    if (headerSize == 40) {
      const size_t maskBytes = in.compression == 6 ? 16 : 12;
      if (table + maskBytes > size) return false;
      table += maskBytes;
    }
    for (int c = 0; c < 3; ++c) in.masks[c] = Le32(m + 4 * c);
  }
  if (!fields || (in.masks[0] | in.masks[1] | in.masks[2]) == 0) {
    const bool wide = in.bits == 32;
    in.masks[0] = wide ? 0xFF0000u : 0x7C00u;
    in.masks[1] = wide ? 0x00FF00u : 0x03E0u;
    in.masks[2] = wide ? 0x0000FFu : 0x001Fu;
  }
  if (in.bits == 16) {
    for (uint32_t& m : in.masks) m &= 0xFFFFu;
  }

  in.paletteSize = 0;
  std::memset(in.palette, 0, sizeof in.palette);
  if (in.bits <= 8) {
    const uint32_t full = 1u << in.bits;
    const uint32_t count = colourCount == 0 || colourCount > full ? full : colourCount;
    const size_t entry = core ? 3 : 4;
    if (table + count * entry > size) return false;
    for (uint32_t i = 0; i < count; ++i) {
      const uint8_t* e = d + table + i * entry;
      in.palette[i] = static_cast<uint32_t>(e[2]) << 16 | e[1] << 8 | e[0];
    }
    in.paletteSize = static_cast<int>(count);
  }

  in.pixelOffset = offset;
  if (offset > size) return false;
  if (in.compression == 1 || in.compression == 2) return true;
  const uint64_t rowBytes = (static_cast<uint64_t>(in.width) * in.bits + 31) / 32 * 4;
  return offset + rowBytes * in.height <= size;
}

bool DecodeBitmap(const uint8_t* file, size_t size, const BitmapInfo& info, PixelMasks masks,
                  uint16_t* pixels, size_t pitch) {
  const Converter cv(masks);
  uint16_t colours[256] = {};
  for (int i = 0; i < info.paletteSize; ++i) {
    const uint32_t c = info.palette[i];
    colours[i] = cv.Rgb(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF);
  }
  if (info.compression == 1 || info.compression == 2) {
    for (int y = 0; y < info.height; ++y) {
      std::memset(Row(pixels, pitch, y), 0, static_cast<size_t>(info.width) * 2);
    }
    return DecodeRunLength(file, size, info, colours, pixels, pitch);
  }
  FieldChannel fields[3];
  if (info.bits == 16 || info.bits == 32) {
    for (int c = 0; c < 3; ++c) fields[c].Make(info.masks[c]);
  }
  const size_t rowBytes = (static_cast<size_t>(info.width) * info.bits + 31) / 32 * 4;
  if (info.pixelOffset + rowBytes * info.height > size) return false;
  for (int r = 0; r < info.height; ++r) {
    const uint8_t* in = file + info.pixelOffset + rowBytes * r;
    uint16_t* out = Row(pixels, pitch, info.topDown ? r : info.height - 1 - r);
    switch (info.bits) {
      case 24: Decode24(in, info.width, cv, out); break;
      case 16:
      case 32: DecodeFields(in, info.width, info.bits, fields, cv, out); break;
      default: DecodeIndexed(in, info.width, info.bits, colours, out); break;
    }
  }
  return true;
}

}  // namespace zuDraw
