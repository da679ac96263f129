// The generated pictures, sounds and music as the game will find them beside it.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "game/flow/catalogue.h"

namespace {

std::string BinPath(const std::string& name) { return std::string(SKYWARD_BIN_DIR) + "/" + name; }

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A picture as 0xRRGGBB per pixel, read straight from the file.
struct Picture {
  int w = 0, h = 0, bits = 0;
  std::vector<uint32_t> px;
  uint32_t At(int x, int y) const { return px[size_t(y) * w + x]; }
  bool Ink(int x, int y) const { return At(x, y) != 0; }
};

Picture Load(const std::string& name) {
  Picture p;
  SDL_Surface* s = SDL_LoadBMP(BinPath(name).c_str());
  if (!s) return p;
  p.bits = s->format->BitsPerPixel;
  SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGB888, 0);
  SDL_FreeSurface(s);
  p.w = c->w, p.h = c->h;
  p.px.resize(size_t(p.w) * p.h);
  for (int y = 0; y < p.h; ++y) {
    auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(c->pixels) + y * c->pitch);
    for (int x = 0; x < p.w; ++x) p.px[size_t(y) * p.w + x] = row[x] & 0xFFFFFF;
  }
  SDL_FreeSurface(c);
  return p;
}

int InkIn(const Picture& p, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += p.Ink(x, y);
  return n;
}

struct Size {
  int w, h;
};
// The sizes that the game's drawing code relies on.
const std::map<std::string, Size> kSizes = {
    {"TITLE.BMP", {500, 300}},  {"SELECT1.BMP", {380, 480}}, {"JCG1.BMP", {380, 480}},
    {"JCG2.BMP", {400, 480}},   {"JCG3.BMP", {380, 480}},    {"JCG4.BMP", {380, 480}},
    {"CONTINU1.BMP", {200, 100}}, {"GFBAK1.BMP", {480, 120}}, {"MY.BMP", {420, 70}},
    {"FBOM1.BMP", {80, 80}},    {"FLH1.BMP", {60, 60}},      {"FLH2.BMP", {60, 60}},
    {"FLH3.BMP", {60, 60}},     {"ZAK2.BMP", {60, 60}},      {"ZAK4.BMP", {80, 60}},
    {"ZAK6.BMP", {60, 70}},     {"ZAK8.BMP", {60, 70}},      {"ZAK10.BMP", {80, 60}},
    {"ZAK18.BMP", {80, 100}},   {"ZAK50.BMP", {200, 160}},   {"ZAK51.BMP", {200, 160}},
    {"VAL11.BMP", {16, 16}},    {"VAL12.BMP", {16, 16}},     {"VAL13.BMP", {16, 16}},
    {"VAL20.BMP", {20, 20}},    {"ZVAL401.BMP", {200, 40}},  {"LZ50.BMP", {12, 50}},
    {"BOS11.BMP", {380, 380}},  {"BOS21.BMP", {380, 380}},   {"BOS111.BMP", {480, 480}},
    {"ZBAK1.BMP", {600, 60}},   {"ZBAK3.BMP", {640, 160}},   {"BBAK1.BMP", {640, 160}},
    {"BACK1.BMP", {380, 480}},  {"BACK2.BMP", {380, 480}},
};

bool IsPicture(const char* name) {
  std::string n(name);
  return n.size() > 4 && n.substr(n.size() - 4) == ".BMP";
}

}  // namespace

TEST(GeneratedPictures, EveryCatalogueFileIsThereWithItsSize) {
  int pictures = 0;
  for (const CatalogueEntry& e : catalogue) {
    struct stat st;
    ASSERT_EQ(stat(BinPath(e.file).c_str(), &st), 0) << e.file;
    EXPECT_GT(st.st_size, 44) << e.file;
    if (!IsPicture(e.file)) continue;
    ++pictures;
    Picture p = Load(e.file);
    ASSERT_GT(p.w, 0) << e.file << " does not load";
    EXPECT_EQ(p.bits, 24) << e.file;
    auto it = kSizes.find(e.file);
    if (it != kSizes.end()) {
      EXPECT_EQ(p.w, it->second.w) << e.file;
      EXPECT_EQ(p.h, it->second.h) << e.file;
    }
    EXPECT_GT(InkIn(p, 0, 0, p.w, p.h), 0) << e.file << " is empty";
  }
  EXPECT_EQ(pictures, 72);
}

namespace {

struct Wave {
  int format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;
};

Wave ReadWave(const std::string& name) {
  Wave w;
  std::vector<uint8_t> b = ReadAll(BinPath(name));
  auto u16 = [&](size_t i) { return b[i] | b[i + 1] << 8; };
  auto u32 = [&](size_t i) { return uint32_t(u16(i)) | uint32_t(u16(i + 2)) << 16; };
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" || std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
    return w;
  for (size_t i = 12; i + 8 <= b.size();) {
    std::string id(b.begin() + i, b.begin() + i + 4);
    uint32_t n = u32(i + 4);
    if (id == "fmt ") w.format = u16(i + 8), w.channels = u16(i + 10), w.rate = int(u32(i + 12)), w.bits = u16(i + 22);
    if (id == "data")
      for (size_t k = 0; k + 1 < n && i + 8 + k + 1 < b.size(); k += 2) w.samples.push_back(int16_t(u16(i + 8 + k)));
    i += 8 + n + (n & 1);
  }
  return w;
}

double Rms(const std::vector<int16_t>& s, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
  return std::sqrt(sum / std::max<size_t>(1, to - from));
}

}  // namespace

TEST(GeneratedSounds, ExplosionHitsHardAndDiesQuickly) {
  Wave w = ReadWave("BOM.WAV");
  ASSERT_EQ(w.format, 1);
  EXPECT_EQ(w.bits, 16);
  EXPECT_TRUE(w.rate == 22050 || w.rate == 44100);
  ASSERT_GT(w.samples.size(), size_t(w.rate / 10));
  const size_t n = w.samples.size() / w.channels;
  EXPECT_LT(n, size_t(w.rate));  // restarted often: under a second
  size_t peakAt = size_t(std::max_element(w.samples.begin(), w.samples.end(),
                                          [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); }) -
                         w.samples.begin());
  EXPECT_LT(peakAt / w.channels, size_t(w.rate * 0.05));  // sharp attack
  double head = Rms(w.samples, 0, size_t(w.rate * 0.1) * w.channels);
  double tail = Rms(w.samples, w.samples.size() * 9 / 10, w.samples.size());
  EXPECT_LT(tail, head * 0.1);
  EXPECT_LT(std::abs(w.samples.back()), 300);  // no click when it stops
}

namespace {

struct Smf {
  int format = -1, division = 0;
  double tempoBpm = 0;
  int tempoChanges = 0;
  std::vector<long> trackEnds;
  int noteOns = 0, drumNotes = 0, unmatched = 0;
  std::vector<int> channels;
};

Smf ParseSmf(const std::vector<uint8_t>& b) {
  Smf m;
  if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd") return m;
  auto be16 = [&](size_t i) { return b[i] << 8 | b[i + 1]; };
  auto be32 = [&](size_t i) { return uint32_t(be16(i)) << 16 | uint32_t(be16(i + 2)); };
  m.format = be16(8);
  int tracks = be16(10);
  m.division = be16(12);
  size_t i = 8 + be32(4);
  for (int t = 0; t < tracks && i + 8 <= b.size(); ++t) {
    if (std::string(b.begin() + i, b.begin() + i + 4) != "MTrk") break;
    size_t j = i + 8, end = j + be32(i + 4);
    long tick = 0;
    int status = 0;
    std::map<int, int> held;
    auto var = [&]() {
      uint32_t v = 0;
      while (j < end) {
        uint8_t c = b[j++];
        v = v << 7 | (c & 0x7F);
        if (!(c & 0x80)) break;
      }
      return v;
    };
    bool ended = false;
    while (j < end && !ended) {
      tick += var();
      if (b[j] == 0xFF) {
        uint8_t type = b[j + 1];
        j += 2;
        uint32_t n = var();
        if (type == 0x51) m.tempoBpm = 60e6 / (b[j] << 16 | b[j + 1] << 8 | b[j + 2]), ++m.tempoChanges;
        if (type == 0x2F) ended = true;
        j += n;
        continue;
      }
      if (b[j] & 0x80) status = b[j++];
      int kind = status >> 4, ch = status & 15;
      int d1 = b[j++], d2 = (kind == 0xC || kind == 0xD) ? 0 : b[j++];
      if (kind == 9 && d2 > 0) {
        ++m.noteOns;
        ++held[ch << 8 | d1];
        if (ch == 9) ++m.drumNotes;
        if (std::find(m.channels.begin(), m.channels.end(), ch) == m.channels.end()) m.channels.push_back(ch);
      } else if (kind == 8 || (kind == 9 && d2 == 0)) {
        --held[ch << 8 | d1];
      }
    }
    for (auto& h : held) m.unmatched += std::abs(h.second);
    m.trackEnds.push_back(ended ? tick : -1);
    i = end;
  }
  return m;
}

}  // namespace

TEST(GeneratedMusic, PiecesAreType1AndLoopOnABarLine) {
  struct Expect {
    const char* file;
    double minSeconds, maxSeconds;
  };
  for (const Expect& e : {Expect{"JOP1.MID", 20, 120}, Expect{"JSET1.MID", 8, 90}, Expect{"JBGM1.MID", 60, 100},
                          Expect{"JBGM2.MID", 60, 100}}) {
    Smf m = ParseSmf(ReadAll(BinPath(e.file)));
    ASSERT_EQ(m.format, 1) << e.file;
    ASSERT_GE(m.trackEnds.size(), 5u) << e.file << ": tempo, melody, bass, harmony and drums";
    EXPECT_EQ(m.tempoChanges, 1) << e.file;
    EXPECT_EQ(m.unmatched, 0) << e.file;
    EXPECT_GE(m.channels.size(), 4u) << e.file;
    EXPECT_GT(m.drumNotes, 0) << e.file;
    const long bar = 4L * m.division;
    for (size_t t = 0; t < m.trackEnds.size(); ++t) {
      EXPECT_EQ(m.trackEnds[t], m.trackEnds[0]) << e.file << " track " << t;
      EXPECT_EQ(m.trackEnds[t] % bar, 0) << e.file << " track " << t << " ends off the bar line";
    }
    double seconds = m.trackEnds[0] / double(m.division) * 60 / m.tempoBpm;
    EXPECT_GE(seconds, e.minSeconds) << e.file;
    EXPECT_LE(seconds, e.maxSeconds) << e.file;
    if (std::string(e.file).find("BGM") != std::string::npos) {
      EXPECT_GE(m.tempoBpm, 140) << e.file;
      EXPECT_LE(m.tempoBpm, 170) << e.file;
    }
  }
}

// Same input, same bytes: a second run of the generator writes identical files.
TEST(AssetGenerator, SecondRunWritesTheSameBytes) {
  std::string dir = testing::TempDir() + "skyward_assets_" + std::to_string(getpid());
  ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
  std::string cmd = "\"" + BinPath("skyward-assetgen") + "\" \"" + dir + "\"";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  std::vector<std::string> files;
  for (const CatalogueEntry& e : catalogue) files.push_back(e.file);
  for (const char* m : {"JOP1.MID", "JSET1.MID", "JBGM1.MID", "JBGM2.MID"}) files.push_back(m);
  for (const std::string& f : files) {
    std::vector<uint8_t> again = ReadAll(dir + "/" + f);
    EXPECT_FALSE(again.empty()) << f;
    EXPECT_EQ(ReadAll(BinPath(f)), again) << f;
  }
  for (const std::string& f : files) std::remove((dir + "/" + f).c_str());
  rmdir(dir.c_str());
}
