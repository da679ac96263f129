#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <cstring>

#include "lib/sound/zuSound.h"
#include "tests/lib/sound/soundDevice.h"
#include "tests/lib/sound/soundFixtures.h"

using namespace soundtest;

namespace {

struct WaveRead {
  int result;
  uint32_t size;
  zuSound::WaveFormat* format;
  uint8_t* data;
  ~WaveRead() {
    std::free(format);
    std::free(data);
  }
};

class WaveReader : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = FreshFolder("wave"); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Read(const Bytes& file, WaveRead& r) {
    const auto p = dir_ / "t.wav";
    WriteFile(p, file);
    r.result = zuSound::ReadWaveFile(p.string().c_str(), &r.size, &r.format, &r.data);
  }
  void ExpectFailure(const Bytes& file, const char* what) {
    WaveRead r{};
    Read(file, r);
    EXPECT_NE(r.result, 0) << what;
    EXPECT_EQ(r.size, 0u) << what;
    EXPECT_EQ(r.format, nullptr) << what;
    EXPECT_EQ(r.data, nullptr) << what;
  }
  std::filesystem::path dir_;
};

TEST_F(WaveReader, ReadsPcmFormatAndSamplesWhereverTheChunksStand) {
  const Bytes samples = Level16(1234, 5);  // 10 bytes
  // "data" before "fmt ", an odd-sized unknown chunk with its pad byte in between.
  const Bytes file = Riff({Chunk("data", samples), Chunk("LIST", Bytes{1, 2, 3}),
                           Chunk("fmt ", FmtBody(1, 1, 22050, 16))});
  WaveRead r{};
  Read(file, r);
  ASSERT_EQ(r.result, 0);
  ASSERT_EQ(r.size, samples.size());
  EXPECT_EQ(0, std::memcmp(r.data, samples.data(), samples.size()));
  EXPECT_EQ(r.format->formatTag, 1);
  EXPECT_EQ(r.format->channels, 1);
  EXPECT_EQ(r.format->samplesPerSec, 22050u);
  EXPECT_EQ(r.format->blockAlign, 2);
  EXPECT_EQ(r.format->bitsPerSample, 16);
  EXPECT_EQ(r.format->cbSize, 0);
}

TEST_F(WaveReader, NonPcmFormatKeepsItsExtraBytes) {
  Bytes extra;
  Put16(extra, 16);  // valid bits
  Put32(extra, 3);   // channel mask
  Put16(extra, 1);   // sub-format: PCM
  for (int i = 0; i < 14; ++i) extra.push_back(static_cast<uint8_t>(0xA0 + i));
  WaveRead r{};
  Read(Riff({Chunk("fmt ", FmtBody(0xFFFE, 2, 44100, 16, extra)), Chunk("data", Level16(7, 4))}), r);
  ASSERT_EQ(r.result, 0);
  EXPECT_EQ(r.format->formatTag, 0xFFFE);
  ASSERT_EQ(r.format->cbSize, extra.size());
  EXPECT_EQ(0, std::memcmp(zuSound::WaveFormatExtra(r.format), extra.data(), extra.size()));
}

TEST_F(WaveReader, NonPcmFormatWithoutExtraCountReadsNothingBeyondItsChunk) {
  // A 16-byte format chunk of IEEE float samples: the next chunk's id is not a count.
  WaveRead r{};
  Read(Riff({Chunk("fmt ", FmtBody(3, 1, 8000, 32)), Chunk("data", Bytes(8, 0))}), r);
  ASSERT_EQ(r.result, 0);
  EXPECT_EQ(r.format->formatTag, 3);
  EXPECT_EQ(r.format->cbSize, 0);
  EXPECT_EQ(r.size, 8u);
}

TEST_F(WaveReader, RefusesFilesThatAreNotWholeOrHonest) {
  const Bytes good = PcmWave(11025, Level16(100, 50));
  ExpectFailure(Riff({Chunk("fmt ", Bytes(14, 1)), Chunk("data", Level16(1, 4))}), "short fmt");
  ExpectFailure(Riff({Chunk("fmt ", FmtBody(1, 1, 11025, 16))}), "no data");
  ExpectFailure(Riff({Chunk("data", Level16(1, 4))}), "no fmt");
  ExpectFailure(Bytes(good.begin(), good.end() - 1), "truncated");

  Bytes bigData = good;
  bigData[40] = 0xFF;  // the data chunk claims more than the file holds
  ExpectFailure(bigData, "data size larger than the file");
  Bytes hugeData = good;
  std::memset(&hugeData[40], 0xFF, 4);
  ExpectFailure(hugeData, "data size near 4 GB");

  Bytes extraTooLong;
  Put16(extraTooLong, 1);
  Bytes lying = FmtBody(2, 1, 8000, 4, extraTooLong);
  lying[16] = 40;  // counts 40 extra bytes where there are 2
  ExpectFailure(Riff({Chunk("fmt ", lying), Chunk("data", Bytes(4, 0))}), "extra count");

  Bytes notWave = good;
  std::memcpy(&notWave[8], "AVI ", 4);
  ExpectFailure(notWave, "form type");
  Bytes listFirst = good;
  std::memcpy(&listFirst[0], "LIST", 4);
  ExpectFailure(listFirst, "first chunk");
  ExpectFailure(Bytes(), "empty file");

  WaveRead missing{};
  missing.result = zuSound::ReadWaveFile((dir_ / "none.wav").string().c_str(), &missing.size,
                                         &missing.format, &missing.data);
  EXPECT_NE(missing.result, 0);
  EXPECT_EQ(missing.format, nullptr);
}

TEST_F(WaveReader, EveryTruncationFailsAndNoCorruptionReadsOutOfBounds) {
  Bytes extra;
  Put16(extra, 0x55AA);
  const Bytes good = Riff({Chunk("fmt ", FmtBody(2, 1, 8000, 4, extra)),
                           Chunk("fact", Bytes{1, 0, 0, 0}), Chunk("data", Bytes(37, 9))});
  for (size_t n = 0; n < good.size() - 1; ++n) {
    WaveRead r{};
    Read(Bytes(good.begin(), good.begin() + static_cast<long>(n)), r);
    EXPECT_NE(r.result, 0) << "length " << n;
  }
  // Deterministic byte corruptions: whatever is read must fit in the file.
  uint32_t seed = 12345;
  for (int round = 0; round < 150; ++round) {
    Bytes bad = good;
    for (int k = 0; k < 3; ++k) {
      seed = seed * 1103515245u + 12345u;
      const size_t at = (seed >> 8) % bad.size();
      seed = seed * 1103515245u + 12345u;
      bad[at] = static_cast<uint8_t>(seed >> 16);
    }
    WaveRead r{};
    Read(bad, r);
    if (r.result == 0) {
      EXPECT_LE(r.size + 18u + r.format->cbSize, bad.size()) << "round " << round;
    } else {
      EXPECT_EQ(r.data, nullptr);
      EXPECT_EQ(r.format, nullptr);
    }
  }
}

// Sounds written by sox, loaded through the game's own load, and their
// samples, as every device is handed them, compared with sox's decoding.
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

  StderrCapture err(dev.Dir() / "err.txt");
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
  r.result = zuSound::ReadWaveFile(made.c_str(), &r.size, &r.format, &r.data);
  ASSERT_EQ(r.result, 0);
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
