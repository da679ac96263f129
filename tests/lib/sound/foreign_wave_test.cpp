// Sounds written by sox, loaded through the game's own load, and their
// samples, as every device is handed them, compared with sox's decoding.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "tests/lib/sound/soundDevice.h"

using namespace soundtest;

namespace {

struct SoxVariant {
  const char* name;
  int channels;         // of the sound sox makes
  const char* encode;   // how sox writes it
  const char* downmix;  // sox's mix of the same channels to two, if more than two
  std::function<void(Bytes&)> change;
  bool plays;
};

void PrintTo(const SoxVariant& v, std::ostream* os) { *os << v.name; }

// Five-one and three channels: each side the mean of its speakers, no low-frequency channel.
constexpr const char* kMix6 = "remix 1v0.333333,3v0.333333,5v0.333333 2v0.333333,3v0.333333,6v0.333333";
constexpr const char* kMix3 = "remix 1v0.5,3v0.5 2v0.5,3v0.5";

void RiffTooSmall(Bytes& b) { b[4] = static_cast<uint8_t>(b[4] - 12); }  // as if "fact" were left out
void RiffTooLarge(Bytes& b) { b[6] = 0x7F; }

const SoxVariant kSoxVariants[] = {
    {"u8", 2, "-b 8 -e unsigned", nullptr, nullptr, true},
    {"s16", 2, "-b 16", nullptr, nullptr, true},
    {"s24", 2, "-b 24", nullptr, nullptr, true},
    {"s24_plain", 2, "-t wavpcm -b 24", nullptr, nullptr, true},
    {"s32", 2, "-b 32", nullptr, nullptr, true},
    {"s32_plain", 1, "-t wavpcm -b 32", nullptr, nullptr, true},
    {"f32", 2, "-e floating-point -b 32", nullptr, nullptr, true},
    {"f32_plain", 1, "-t wavpcm -e floating-point -b 32", nullptr, nullptr, true},
    {"mono24", 1, "-b 24", nullptr, nullptr, true},
    {"six16", 6, "-b 16", kMix6, nullptr, true},
    {"three24", 3, "-b 24", kMix3, nullptr, true},
    {"rate8000", 2, "-b 16 -r 8000", nullptr, nullptr, true},
    {"rate96000", 1, "-b 24 -r 96000", nullptr, nullptr, true},
    {"riff_too_small", 2, "-b 24", nullptr, RiffTooSmall, true},
    {"riff_too_large", 1, "-b 16", nullptr, RiffTooLarge, true},
    {"ulaw", 1, "-e u-law", nullptr, nullptr, false},
    {"alaw", 1, "-e a-law", nullptr, nullptr, false},
    {"ima_adpcm", 1, "-e ima-adpcm", nullptr, nullptr, false},
    {"ms_adpcm", 1, "-e ms-adpcm", nullptr, nullptr, false},
    {"f64", 1, "-e floating-point -b 64", nullptr, nullptr, false},
};

std::string Sox(const std::string& args) {
  std::string out;
  std::FILE* p = popen(("sox -D " + args + " 2>/dev/null").c_str(), "r");
  if (p == nullptr) return out;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

struct SoxSounds : testing::TestWithParam<SoxVariant> {};

TEST_P(SoxSounds, PlayAsSoxReadsThemOrAreRefused) {
  const SoxVariant& v = GetParam();
  DiskDevice dev("sox");
  ASSERT_TRUE(dev.Open());
  const std::string made = (dev.Dir() / "MADE.WAV").string();
  // A chord, a different tone on every channel, not quite full scale.
  std::string synth = "synth 0.05";
  for (int c = 0; c < v.channels; ++c) synth += " sine " + std::to_string(300 + 200 * c);
  Sox("-n -r 44100 -c " + std::to_string(v.channels) + " " + v.encode + " '" + made + "' " + synth + " vol 0.9");
  Bytes file = ReadFile(made);
  ASSERT_GT(file.size(), 44u);
  if (v.change) {
    v.change(file);
    WriteFile(made, file);
  }

  StderrCapture err;
  zuSound::LoadObject("MADE.WAV", 1);
  const std::string said = err.Text();
  if (!v.plays) {
    EXPECT_EQ(said, "zuSound::LoadObject : サウンドバッファが生成できません\n");
    EXPECT_EQ(zuSound::soundTable[0].used, 0);
    return;
  }
  EXPECT_EQ(said, "");
  EXPECT_EQ(zuSound::soundTable[0].used, 1);

  WaveRead r{};
  ASSERT_EQ(r.From(made), 0);
  ASSERT_EQ(zuSound::ConvertWave(r.format, &r.data, &r.size), 0);
  const int outChannels = v.channels == 1 ? 1 : 2;
  EXPECT_EQ(r.format->formatTag, 1);
  EXPECT_EQ(r.format->channels, outChannels);
  EXPECT_EQ(r.format->bitsPerSample, 16);
  const std::string expected =
      Sox("'" + made + "' -t raw -e signed -b 16 - " + (v.downmix ? v.downmix : ""));
  ASSERT_EQ(r.size, expected.size());
  int differing = 0;
  for (size_t i = 0; i + 1 < expected.size(); i += 2) {
    const int want = static_cast<int16_t>(static_cast<uint8_t>(expected[i]) | static_cast<uint8_t>(expected[i + 1]) << 8);
    const int got = static_cast<int16_t>(r.data[i] | r.data[i + 1] << 8);
    differing += std::abs(want - got) > 2;  // sox rounds where the reader cuts
  }
  EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Variants, SoxSounds, testing::ValuesIn(kSoxVariants),
                         [](const testing::TestParamInfo<SoxVariant>& i) { return std::string(i.param.name); });

}  // namespace
