// The icon is the player's ship climbing through a night sky, on a rounded tile so
// that it reads at menu sizes.
#include "tools/assetgen/icon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/assetgen/assets.h"

namespace {

bool InsideTile(int x, int y) {
  const float r = 11, lo = r, hi = ICON_SIZE - 1 - r;
  float cx = std::fmin(std::fmax(x + 0.5f, lo), hi + 1);
  float cy = std::fmin(std::fmax(y + 0.5f, lo), hi + 1);
  float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
  return dx * dx + dy * dy <= r * r;
}

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Put32(out, uint32_t(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace

Image MakeIcon() {
  Image icon(ICON_SIZE, ICON_SIZE);
  FillAll(icon, [](int, int y) { return Mix(Rgb{14, 22, 60}, Rgb{46, 96, 160}, y / float(ICON_SIZE - 1)); });
  // A few fixed stars; same bytes on every run.
  const int stars[][2] = {{9, 12}, {52, 9}, {45, 22}, {14, 40}, {55, 47}, {20, 6}, {7, 55}};
  for (const auto& s : stars) icon.Set(s[0], s[1], Opaque({210, 220, 255}));
  Image ship = Resample(MakeShipFrame(0), 46, 54);
  icon.Paste(ship, (ICON_SIZE - ship.w) / 2, (ICON_SIZE - ship.h) / 2 + 2);
  for (int y = 0; y < ICON_SIZE; ++y)
    for (int x = 0; x < ICON_SIZE; ++x)
      if (!InsideTile(x, y)) icon.Set(x, y, 0);
  EnforceKeySafety(icon);
  return icon;
}

std::vector<uint8_t> EncodePng(const Image& img) {
  // Raw scanlines (filter 0) in stored deflate blocks: no compressor needed.
  std::vector<uint8_t> raw;
  raw.reserve(size_t(img.h) * (1 + size_t(img.w) * 4));
  for (int y = 0; y < img.h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < img.w; ++x) {
      uint32_t c = img.At(x, y);
      raw.push_back(uint8_t(c >> 16));
      raw.push_back(uint8_t(c >> 8));
      raw.push_back(uint8_t(c));
      raw.push_back(c ? 255 : 0);
    }
  }
  std::vector<uint8_t> z = {0x78, 0x01};
  size_t pos = 0;
  do {
    size_t n = std::min<size_t>(raw.size() - pos, 65535);
    bool last = pos + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(uint8_t(n));
    z.push_back(uint8_t(n >> 8));
    z.push_back(uint8_t(~n));
    z.push_back(uint8_t(~n >> 8));
    z.insert(z.end(), raw.begin() + long(pos), raw.begin() + long(pos + n));
    pos += n;
  } while (pos < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  Put32(z, b << 16 | a);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  Put32(header, uint32_t(img.w));
  Put32(header, uint32_t(img.h));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", {});
  return png;
}

std::vector<uint8_t> EncodeIco(const std::vector<Image>& sizes) {
  std::vector<uint8_t> out;
  const auto put16 = [&out](unsigned v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
  };
  const auto put32 = [&](uint32_t v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  put16(0);
  put16(1);  // an icon
  put16(unsigned(sizes.size()));
  uint32_t offset = uint32_t(6 + 16 * sizes.size());
  const auto maskRow = [](const Image& img) { return uint32_t((img.w + 31) / 32 * 4); };
  for (const Image& img : sizes) {
    const uint32_t bytes = 40 + uint32_t(img.w * img.h * 4) + maskRow(img) * uint32_t(img.h);
    out.push_back(uint8_t(img.w));
    out.push_back(uint8_t(img.h));
    out.push_back(0);  // no palette
    out.push_back(0);
    put16(1);   // planes
    put16(32);  // bits per pixel
    put32(bytes);
    put32(offset);
    offset += bytes;
  }
  for (const Image& img : sizes) {
    // A 32-bit DIB of twice the height: the colours with their alpha, then
    // the 1-bit mask, both bottom-up; black is transparent, as everywhere.
    put32(40);
    put32(uint32_t(img.w));
    put32(uint32_t(img.h * 2));
    put16(1);
    put16(32);
    for (int i = 0; i < 6; ++i) put32(0);
    for (int y = img.h - 1; y >= 0; --y)
      for (int x = 0; x < img.w; ++x) {
        const uint32_t c = img.At(x, y);
        out.push_back(uint8_t(c));
        out.push_back(uint8_t(c >> 8));
        out.push_back(uint8_t(c >> 16));
        out.push_back(c ? 255 : 0);
      }
    for (int y = img.h - 1; y >= 0; --y) {
      std::vector<uint8_t> row(maskRow(img), 0);
      for (int x = 0; x < img.w; ++x)
        if (!img.At(x, y)) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
      out.insert(out.end(), row.begin(), row.end());
    }
  }
  return out;
}

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  bool written = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f != nullptr) written = std::fclose(f) == 0 && written;
  if (!written) std::fprintf(stderr, "skyward-assetgen: cannot write %s\n", path.c_str());
  return written;
}

}  // namespace

bool WriteIcons(const std::string& outDir) {
  Image icon = MakeIcon();
  bool ok = SaveBmp(icon, outDir + "/skyward-run.bmp");
  ok = WriteFile(outDir + "/skyward-run.png", EncodePng(icon)) && ok;
  // The Windows program's icon, at the sizes its shell asks for.
  std::vector<Image> sizes;
  for (int size : {16, 24, 32, 48}) sizes.push_back(Resample(icon, size, size));
  sizes.push_back(icon);
  return WriteFile(outDir + "/skyward-run.ico", EncodeIco(sizes)) && ok;
}
