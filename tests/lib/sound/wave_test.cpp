#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "lib/sound/zuSound.h"
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

}  // namespace
