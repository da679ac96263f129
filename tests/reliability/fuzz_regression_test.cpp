// Every input that once crashed a fuzz target, fed again through the same path:
// tests/data/fuzz/bmp_load (picture loads), wave_read (the RIFF WAVE reader
// and its conversion), midi_check (the MIDI file check) and replay_script (the
// runner's input scripts).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lib/draw/zuDraw.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sound/soundInternal.h"
#include "lib/system/zuSystem.h"
#include "tests/reliability/reliability_util.h"

namespace {

using namespace reliability;

std::vector<std::string> Inputs(const char* target) {
  std::vector<std::string> files;
  const fs::path dir = fs::path(SKYWARD_SOURCE_DIR) / "tests/data/fuzz" / target;
  if (!fs::is_directory(dir)) return files;
  for (const auto& e : fs::directory_iterator(dir)) {
    if (e.is_regular_file()) files.push_back(e.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

TEST(FuzzRegressions, PictureLoads) {
  const std::string dir = Scratch("fuzz_bmp");
  ASSERT_EQ(zuDraw::OpenWindow("fuzz regressions", 1), 1);
  ASSERT_EQ(zuDraw::Screen(640, 480, 1), 1);
  zuSystem::SetAppPath(dir.c_str());
  for (const std::string& input : Inputs("bmp_load")) {
    SCOPED_TRACE(input);
    fs::copy_file(input, dir + "/F.BMP", fs::copy_options::overwrite_existing);
    if (zuDraw::SwapObject("F.BMP", 2, 2) == 1) {
      SDL_Surface* s = zuDraw::ObjectSurface(2);
      ASSERT_NE(s, nullptr);
      zuDraw::PutObject(100, -20, 2, 0, 0, s->w, s->h);
      zuDraw::PutObject(300, 400, 2, 60, 0, 120, 70);
      zuDraw::PutObjectStretched(140, 10, 2, 0, 0, s->w, s->h, 2 * s->w, 3 * s->h);
    } else {
      EXPECT_EQ(zuDraw::ObjectSurface(2), nullptr);
    }
  }
  zuSystem::SetAppPath(nullptr);
  zuDraw::CloseScreen();
  zuDraw::DestroyWindow();
}

TEST(FuzzRegressions, WaveReads) {
  for (const std::string& input : Inputs("wave_read")) {
    SCOPED_TRACE(input);
    uint32_t size = 1;
    zuSound::WaveFormat* format = nullptr;
    uint8_t* data = nullptr;
    if (zuSound::ReadWaveFile(input.c_str(), &size, &format, &data) == 0) {
      ASSERT_NE(format, nullptr);
      EXPECT_LE(size, fs::file_size(input));
      zuSound::ConvertWave(format, &data, &size);
    } else {
      EXPECT_EQ(format, nullptr);
      EXPECT_EQ(data, nullptr);
      EXPECT_EQ(size, 0u);
    }
    std::free(format);
    std::free(data);
  }
}

TEST(FuzzRegressions, MidiChecks) {
  for (const std::string& input : Inputs("midi_check")) {
    SCOPED_TRACE(input);
    FILE* f = std::fopen(input.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    zuSound::MidiPiece piece{};
    if (zuSound::MidiFileIsPlayable(f, &piece)) {
      EXPECT_LE(static_cast<uintmax_t>(piece.start + piece.length), fs::file_size(input));
    }
    std::fclose(f);
  }
}

TEST(FuzzRegressions, ReplayScripts) {
  const std::string dir = Scratch("fuzz_script");
  for (const std::string& input : Inputs("replay_script")) {
    SCOPED_TRACE(input);
    const RunResult r =
        RunCommand(ReplayBinary() + " --frames 2 --input '" + input + "'", dir + "/stderr.txt");
    EXPECT_FALSE(HasSanitizerReport(r.err)) << r.err;
    ASSERT_TRUE(r.exited) << r.err;
    // A script either runs or is refused with its line number.
    EXPECT_TRUE(r.status == 0 || r.status == 2) << r.status << "\n" << r.err;
  }
}
