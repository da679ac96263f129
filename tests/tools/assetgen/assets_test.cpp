// The generated music and the generator's own determinism, as the game will find
// its files beside it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "game/assets/assets.h"

namespace {

std::string BinPath(const std::string& name) { return std::string(SKYWARD_BIN_DIR) + "/" + name; }

const char* const PIECES[] = {"JOP1.MID", "JSET1.MID", "JBGM1.MID", "JBGM2.MID"};

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

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

// An asset folder like the game's own, except that `piece` stands in for the title
// music, so the title scene plays it.
std::string FolderPlaying(const std::string& piece) {
  std::string dir = testing::TempDir() + "skyward_music_" + std::to_string(getpid()) + "_" + piece;
  mkdir(dir.c_str(), 0700);
  auto link = [&](const std::string& from, const std::string& as) {
    // the catalogue loads one file twice
    if (symlink(BinPath(from).c_str(), (dir + "/" + as).c_str()) != 0) {
      EXPECT_EQ(errno, EEXIST) << as;
    }
  };
  for (const CatalogueEntry& e : catalogue) link(e.file, e.file);
  for (const char* m : {"JSET1.MID", "JBGM1.MID", "JBGM2.MID"}) link(m, m);
  link(piece, "JOP1.MID");
  return dir;
}

void RemoveFolder(const std::string& dir) {
  for (const CatalogueEntry& e : catalogue) unlink((dir + "/" + e.file).c_str());
  for (const char* m : PIECES) unlink((dir + "/" + m).c_str());
  rmdir(dir.c_str());
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
  for (const char* m : PIECES) files.push_back(m);
  for (const std::string& f : files) {
    std::vector<uint8_t> again = ReadAll(dir + "/" + f);
    EXPECT_FALSE(again.empty()) << f;
    EXPECT_EQ(ReadAll(BinPath(f)), again) << f;
  }
  for (const std::string& f : files) std::remove((dir + "/" + f).c_str());
  rmdir(dir.c_str());
}


// Each piece played through the game's own music path and recorded by the
// headless runner: it must be heard, and not clip.
TEST(GeneratedMusicHeard, EveryPieceSoundsThroughTheGame) {
  for (const char* piece : PIECES) {
    std::string dir = FolderPlaying(piece);
    std::string raw = dir + "/audio.raw";
    std::string cmd = std::string("\"") + BinPath("skyward-replay") + "\" --assets \"" + dir + "/\" --frames 120 --audio \"" + raw +
                      "\" > /dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << piece;
    std::ifstream in(raw, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    unlink(raw.c_str());
    RemoveFolder(dir);
    // 44100 Hz, signed 16-bit, stereo
    const size_t frames = bytes.size() / 4;
    ASSERT_GT(frames, 44100u / 2) << piece << ": too little recorded";
    const int16_t* s = reinterpret_cast<const int16_t*>(bytes.data());
    double sum = 0;
    size_t clipped = 0, from = frames / 4;  // the synthesiser needs a moment to start
    for (size_t i = from * 2; i < frames * 2; ++i) {
      sum += double(s[i]) * s[i];
      clipped += std::abs(int(s[i])) >= 32767;
    }
    double rms = std::sqrt(sum / double((frames - from) * 2));
    EXPECT_GT(rms, 100) << piece << " is silent";
    EXPECT_LT(clipped, (frames - from) / 1000) << piece << " clips (level " << rms << ")";
  }
}
