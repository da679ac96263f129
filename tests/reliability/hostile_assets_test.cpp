// Damaged asset files: each file of a representative set is in turn missing,
// empty, cut in half, a directory, or garbage behind a header that lies about
// its sizes. The game goes through the title and the setup screen into stage 1:
// only the damaged file's own message appears, nothing crashes, and every frame
// that does not show the damaged picture is exactly the undamaged game's frame.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/reliability/reliability_util.h"

namespace {

using namespace reliability;

const char kBmpMessage[] = "zuDraw::LoadObject : BMPファイルを読み込めません";
const char kWaveMessage[] = "zuSound::LoadObject : WAVEリソースが見つかりません";

// Frames photographed: title (first attract picture), setup screen, stage 1.
enum Shot { kTitle = 0, kSetup = 1, kStage = 2 };
const long kShotFrames[] = {10, 30, 220};

struct Case {
  const char* file;
  std::vector<Shot> visibleIn;  // photographed frames in which the file is drawn
  int messages;                 // times its load is reported
};

// One picture per place it shows (title, setup, ship, score sheet, backdrop),
// one loaded twice, one never drawn, the last one loaded (its id must not
// move), both sounds and two pieces of music.
const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"JCG1.BMP", {kTitle}, 1},    {"SELECT1.BMP", {kSetup}, 1}, {"TITLE.BMP", {}, 1},
      {"MY.BMP", {kStage}, 1},      {"MYMY.BMP", {kStage}, 1},    {"BACK1.BMP", {kStage}, 1},
      {"FLH1.BMP", {kStage}, 1},    {"VAL402.BMP", {}, 2},        {"FBAK1.BMP", {}, 1},
      {"BACK2.BMP", {}, 1},         {"BOM.WAV", {}, 1},           {"SHOT.WAV", {}, 1},
      {"JOP1.MID", {}, 0},          {"JBGM1.MID", {}, 0},
  };
  return cases;
}

std::string Extension(const std::string& file) { return file.substr(file.rfind('.') + 1); }

std::string Garbage(size_t n, uint32_t seed) {
  std::string s(n, '\0');
  for (char& c : s) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 23);
  }
  return s;
}

void Le32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A header that looks right and claims far more than the file holds.
std::string LyingFile(const std::string& ext, size_t length) {
  std::string s = Garbage(length < 4096 ? 4096 : length, 99);
  if (ext == "BMP") {
    std::memcpy(&s[0], "BM", 2);
    Le32(s, 2, 0x7FFFFFF0);   // file size
    Le32(s, 10, 54);          // pixels start after the header
    Le32(s, 14, 40);          // BITMAPINFOHEADER
    Le32(s, 18, 4000);        // width
    Le32(s, 22, 4000);        // height
    s[26] = 1, s[27] = 0;     // planes
    s[28] = 24, s[29] = 0;    // bits per pixel
    Le32(s, 30, 0);           // uncompressed
    Le32(s, 34, 0x7FFFFFF0);  // image size
  } else if (ext == "WAV") {
    std::memcpy(&s[0], "RIFF", 4);
    Le32(s, 4, 0xFFFFFFF0);
    std::memcpy(&s[8], "WAVEfmt ", 8);
    Le32(s, 16, 16);
    const unsigned char pcm[16] = {1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0};
    std::memcpy(&s[20], pcm, 16);
    std::memcpy(&s[36], "data", 4);
    Le32(s, 40, 0x7FFFFFF0);
  } else {
    const unsigned char head[14] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0};
    std::memcpy(&s[0], head, 14);
    std::memcpy(&s[14], "MTrk", 4);
    s[18] = 0x7F, s[19] = static_cast<char>(0xFF), s[20] = static_cast<char>(0xFF);
    s[21] = static_cast<char>(0xF0);
  }
  return s;
}

enum class Damage { kMissing, kEmpty, kTruncated, kDirectory, kLying };

void DamageFile(const std::string& dir, const std::string& file, Damage damage) {
  const std::string path = dir + "/" + file;
  const std::string original = ReadFile(path);
  fs::remove(path);
  switch (damage) {
    case Damage::kMissing: break;
    case Damage::kEmpty: WriteFile(path, ""); break;
    case Damage::kTruncated: WriteFile(path, original.substr(0, original.size() / 2)); break;
    case Damage::kDirectory:
      fs::create_directory(path);
      WriteFile(path + "/inside", original);
      break;
    case Damage::kLying: WriteFile(path, LyingFile(Extension(file), original.size())); break;
  }
}

void RestoreFile(const std::string& dir, const std::string& file) {
  fs::remove_all(dir + "/" + file);
  fs::copy_file(fs::path(SKYWARD_BIN_DIR) / file, fs::path(dir) / file);
}

struct Frames {
  RunResult run;
  std::string shots[3];
};

Frames PlayIntoStage1(const std::string& assets, const std::string& work) {
  const std::string script = work + "/input.txt";
  WriteFile(script, "20 down space\n22 up space\n40 down enter\n42 up enter\n50 down z\n");
  std::string cmd = ReplayBinary() + " --seed 3 --frames 220 --assets " + assets +
                    " --input " + script;
  for (int i = 0; i < 3; ++i) {
    cmd += " --screenshot " + std::to_string(kShotFrames[i]) + "=" + work + "/shot" +
           std::to_string(i) + ".bmp";
    fs::remove(work + "/shot" + std::to_string(i) + ".bmp");
  }
  Frames f;
  f.run = RunCommand(cmd, work + "/stderr.txt");
  for (int i = 0; i < 3; ++i) f.shots[i] = ReadFile(work + "/shot" + std::to_string(i) + ".bmp");
  return f;
}

void CheckEveryCase(Damage damage, const char* name) {
  const std::string assets = CopyAssets(std::string("assets_") + name);
  const std::string work = Scratch(std::string("work_") + name);
  const Frames good = PlayIntoStage1(assets, work);
  ASSERT_TRUE(good.run.exited && good.run.status == 0) << good.run.err;
  ASSERT_EQ(good.run.err, "");
  for (const std::string& shot : good.shots) ASSERT_GT(shot.size(), 600000u);

  for (const Case& c : Cases()) {
    SCOPED_TRACE(std::string(c.file) + " " + name);
    DamageFile(assets, c.file, damage);
    const Frames bad = PlayIntoStage1(assets, work);
    RestoreFile(assets, c.file);

    EXPECT_FALSE(HasSanitizerReport(bad.run.err)) << bad.run.err;
    ASSERT_TRUE(bad.run.exited) << "crashed\n" << bad.run.err;
    EXPECT_EQ(bad.run.status, 0) << bad.run.err;
    const std::string ext = Extension(c.file);
    std::string expected;
    for (int i = 0; i < c.messages; ++i) {
      expected += (ext == "BMP" ? kBmpMessage : kWaveMessage);
      expected += "\n";
    }
    EXPECT_EQ(bad.run.err, expected);
    for (int i = 0; i < 3; ++i) {
      bool visible = false;
      for (Shot s : c.visibleIn) visible = visible || s == i;
      ASSERT_FALSE(bad.shots[i].empty()) << "no frame " << kShotFrames[i];
      if (visible) {
        EXPECT_NE(bad.shots[i], good.shots[i]) << "frame " << kShotFrames[i];
      } else {
        EXPECT_EQ(bad.shots[i], good.shots[i]) << "frame " << kShotFrames[i];
      }
    }
  }
  fs::remove_all(assets);
  fs::remove_all(work);
}

}  // namespace

TEST(HostileAssets, MissingFiles) { CheckEveryCase(Damage::kMissing, "missing"); }
TEST(HostileAssets, EmptyFiles) { CheckEveryCase(Damage::kEmpty, "empty"); }
TEST(HostileAssets, FilesCutInHalf) { CheckEveryCase(Damage::kTruncated, "truncated"); }
TEST(HostileAssets, DirectoriesInPlaceOfFiles) { CheckEveryCase(Damage::kDirectory, "dir"); }
TEST(HostileAssets, HeadersThatLieAboutSizes) { CheckEveryCase(Damage::kLying, "lying"); }
