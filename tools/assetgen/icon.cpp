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

bool WriteIcons(const std::string& outDir) {
  Image icon = MakeIcon();
  bool ok = SaveBmp(icon, outDir + "/skyward-run.bmp");
  std::vector<uint8_t> png = EncodePng(icon);
  const std::string path = outDir + "/skyward-run.png";
  FILE* f = std::fopen(path.c_str(), "wb");
  bool written = f != nullptr && std::fwrite(png.data(), 1, png.size(), f) == png.size();
  if (f != nullptr) written = std::fclose(f) == 0 && written;
  if (!written) std::fprintf(stderr, "skyward-assetgen: cannot write %s\n", path.c_str());
  return ok && written;
}
