// Each piece played through the game's own music path and recorded by the
// headless runner: it must be heard, and not clip.
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
#include <string>
#include <vector>

#include "game/flow/catalogue.h"

namespace {

std::string Bin(const std::string& name) { return std::string(SKYWARD_BIN_DIR) + "/" + name; }

// An asset folder like the game's own, except that `piece` stands in for the title
// music, so the title scene plays it.
std::string FolderPlaying(const std::string& piece) {
  std::string dir = testing::TempDir() + "skyward_music_" + std::to_string(getpid()) + "_" + piece;
  mkdir(dir.c_str(), 0700);
  auto link = [&](const std::string& from, const std::string& as) {
    // the catalogue loads one file twice
    if (symlink(Bin(from).c_str(), (dir + "/" + as).c_str()) != 0) {
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
  for (const char* m : {"JOP1.MID", "JSET1.MID", "JBGM1.MID", "JBGM2.MID"}) unlink((dir + "/" + m).c_str());
  rmdir(dir.c_str());
}

}  // namespace

TEST(GeneratedMusicHeard, EveryPieceSoundsThroughTheGame) {
  for (const char* piece : {"JOP1.MID", "JSET1.MID", "JBGM1.MID", "JBGM2.MID"}) {
    std::string dir = FolderPlaying(piece);
    std::string raw = dir + "/audio.raw";
    std::string cmd = "\"" + Bin("skyward-replay") + "\" --assets \"" + dir + "/\" --frames 120 --audio \"" + raw +
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
