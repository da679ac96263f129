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

TEST(GeneratedPictures, ScoreSheetCellsHoldTheirPieces) {
  Picture p = Load("MYMY.BMP");
  ASSERT_GE(p.w, 225);
  ASSERT_GE(p.h, 80);
  std::vector<std::vector<uint32_t>> digits;
  for (int d = 0; d < 10; ++d) {
    EXPECT_GE(InkIn(p, 8 + 7 * d, 70, 15 + 7 * d, 80), 12) << "digit " << d;
    std::vector<uint32_t> cell;
    for (int y = 70; y < 80; ++y)
      for (int x = 8 + 7 * d; x < 15 + 7 * d; ++x) cell.push_back(p.At(x, y));
    for (size_t k = 0; k < digits.size(); ++k) EXPECT_NE(cell, digits[k]) << "digits " << k << " and " << d;
    digits.push_back(cell);
  }
  EXPECT_GE(InkIn(p, 81, 70, 136, 80), 120) << "game-over label";
  EXPECT_GE(InkIn(p, 170, 70, 194, 80), 40) << "bomb label";
  EXPECT_GE(InkIn(p, 200, 70, 224, 80), 30) << "energy label";
  // seven streaks of seven different colours, each filling most of its 3 × 10
  std::vector<uint32_t> heads;
  for (int k = 0; k < 7; ++k) {
    EXPECT_GE(InkIn(p, 139 + 3 * k, 70, 142 + 3 * k, 80), 20) << "streak " << k;
    uint32_t head = p.At(140 + 3 * k, 79);
    EXPECT_EQ(std::count(heads.begin(), heads.end(), head), 0) << "streak " << k << " repeats a colour";
    heads.push_back(head);
  }
}

// The hit box lies at x 22…38, y 32…38 of a frame: the cockpit must be there in
// every bank, and every bank must look different.
TEST(GeneratedPictures, ShipFramesBankAroundTheirCore) {
  Picture p = Load("MY.BMP");
  ASSERT_EQ(p.w, 420);
  std::vector<std::vector<uint32_t>> frames;
  for (int f = 0; f < 7; ++f) {
    EXPECT_EQ(InkIn(p, f * 60 + 27, 30, f * 60 + 34, 40), 7 * 10) << "frame " << f << " core";
    EXPECT_EQ(InkIn(p, f * 60, 0, f * 60 + 1, 70) + InkIn(p, f * 60 + 59, 0, f * 60 + 60, 70), 0)
        << "frame " << f << " touches its neighbour";
    std::vector<uint32_t> px;
    for (int y = 0; y < 70; ++y)
      for (int x = f * 60; x < f * 60 + 60; ++x) px.push_back(p.At(x, y));
    for (size_t k = 0; k < frames.size(); ++k) EXPECT_NE(px, frames[k]) << "frames " << k << " and " << f;
    frames.push_back(px);
  }
  // rolling left narrows the left wing: frame 6 has less ink left of the centre than frame 0
  EXPECT_LT(InkIn(p, 360, 0, 390, 70), InkIn(p, 0, 0, 30, 70));
}

// Shots are launched at the top-left of their pictures and hit by fixed windows,
// so the visible bullet must sit in the middle.
TEST(GeneratedPictures, BulletsSitInTheMiddleOfTheirPictures) {
  for (const char* name : {"FLH1.BMP", "FLH2.BMP", "FLH3.BMP", "VAL11.BMP", "VAL12.BMP", "VAL13.BMP", "VAL20.BMP",
                           "LZ50.BMP"}) {
    Picture p = Load(name);
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < p.h; ++y)
      for (int x = 0; x < p.w; ++x)
        if (p.Ink(x, y)) sx += x + 0.5, sy += y + 0.5, ++n;
    ASSERT_GT(n, 0) << name;
    EXPECT_NEAR(sx / n, p.w / 2.0, p.w * 0.08) << name;
    EXPECT_NEAR(sy / n, p.h / 2.0, p.h * 0.12) << name;
  }
  // each fan frame has its shot in its own 40 × 40 cell
  Picture fan = Load("ZVAL401.BMP");
  for (int k = 0; k < 5; ++k) EXPECT_GE(InkIn(fan, 40 * k + 10, 10, 40 * k + 30, 30), 200) << "fan frame " << k;
}

// Where the game's shots leave the bosses and where they take hits must be solid.
TEST(GeneratedPictures, BossBodiesAndGunsAreWhereTheGameUsesThem) {
  Picture b1 = Load("BOS11.BMP"), b2 = Load("BOS21.BMP");
  EXPECT_GE(InkIn(b1, 130, 10, 250, 260), 120 * 250 * 9 / 10);
  EXPECT_GE(InkIn(b2, 130, 10, 230, 230), 100 * 220 * 9 / 10);
  for (int x : {30, 70, 130, 190, 250, 310, 350}) EXPECT_TRUE(b1.Ink(x, 110) || b1.Ink(x, 190)) << "boss 1 gun " << x;
  for (int x : {100, 168, 212, 280}) EXPECT_TRUE(b1.Ink(x, 212)) << "boss 1 laser " << x;
  for (int x : {55, 95, 135, 175, 205, 245, 285, 325}) EXPECT_GT(InkIn(b2, x - 3, 100, x + 3, 222), 0) << "boss 2 laser " << x;
  EXPECT_TRUE(b2.Ink(190, 190));
}

// Every cell that an animation shows has something in it, and a blast fades: its
// first frame is brighter than its last.
TEST(GeneratedPictures, AnimationCellsAreFilledAndBlastsFade) {
  auto brightness = [](const Picture& p, int x0, int y0, int s) {
    double sum = 0;
    for (int y = y0; y < y0 + s; ++y)
      for (int x = x0; x < x0 + s; ++x) {
        uint32_t c = p.At(x, y);
        sum += (c >> 16) + (c >> 8 & 255) + (c & 255);
      }
    return sum;
  };
  Picture z3 = Load("ZBAK3.BMP");
  for (int f = 0; f < 14; ++f) {
    int col = f < 8 ? f : f - 7, row = f < 8 ? 0 : 1;
    EXPECT_GT(InkIn(z3, col * 80, row * 80, col * 80 + 80, row * 80 + 80), 0) << "ZBAK3 frame " << f;
  }
  EXPECT_GT(brightness(z3, 0, 0, 80), 2 * brightness(z3, 7 * 80, 80, 80));
  Picture z1 = Load("ZBAK1.BMP");
  EXPECT_GT(brightness(z1, 0, 0, 60), 2 * brightness(z1, 9 * 60, 0, 60));
  Picture big = Load("BBAK1.BMP");
  for (int f = 0; f < 4; ++f) EXPECT_GT(InkIn(big, f * 160, 0, f * 160 + 160, 160), 2000) << "BBAK1 frame " << f;
  Picture debris = Load("GFBAK1.BMP");
  for (int f = 0; f < 15; ++f) {
    int col = f < 8 ? f : f - 7, row = f < 8 ? 0 : 1;
    EXPECT_GT(InkIn(debris, col * 60, row * 60, col * 60 + 60, row * 60 + 60), 100) << "GFBAK1 frame " << f;
  }
}

// The backgrounds scroll as a strip of copies: the last row meets the first.
TEST(GeneratedPictures, BackgroundsJoinWithoutASeamAndStayCalm) {
  for (const char* name : {"BACK1.BMP", "BACK2.BMP"}) {
    Picture p = Load(name);
    ASSERT_EQ(p.h, 480);
    auto step = [&](int a, int b) {
      double sum = 0;
      for (int x = 0; x < p.w; ++x) {
        uint32_t u = p.At(x, a), v = p.At(x, b);
        for (int s = 0; s < 24; s += 8) sum += std::abs(int(u >> s & 255) - int(v >> s & 255));
      }
      return sum / (p.w * 3);
    };
    std::vector<double> steps;
    for (int y = 0; y + 1 < p.h; ++y) steps.push_back(step(y, y + 1));
    std::sort(steps.begin(), steps.end());
    double typical = steps[steps.size() * 3 / 4];
    EXPECT_LE(step(p.h - 1, 0), std::max(typical, 0.5)) << name;
    // solid everywhere, and darker than the craft that fly over it
    double value = 0;
    for (uint32_t c : p.px) {
      ASSERT_NE(c, 0u) << name << " has a hole";
      value += std::max({c >> 16, c >> 8 & 255, c & 255});
    }
    EXPECT_LT(value / p.px.size(), 0.6 * 255) << name;
  }
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

TEST(GeneratedSounds, ShotIsShort) {
  Wave w = ReadWave("SHOT.WAV");
  ASSERT_EQ(w.format, 1);
  EXPECT_EQ(w.bits, 16);
  ASSERT_GT(w.samples.size(), 100u);
  EXPECT_LT(w.samples.size() / w.channels, size_t(w.rate / 2));
  EXPECT_GT(Rms(w.samples, 0, w.samples.size()), 1000);
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
