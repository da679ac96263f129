// The readers of the sound files: RIFF WAVE, and the check a MIDI file passes
// before it reaches the synthesizer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "lib/sound/soundInternal.h"
#include "tests/lib/sound/soundFixtures.h"

using namespace soundtest;

namespace {

class SoundFiles : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = FreshFolder("files"); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Put(const Bytes& file) {
    const auto p = dir_ / "t";
    WriteFile(p, file);
    return p.string();
  }
  void Read(const Bytes& file, WaveRead& r) { r.result = r.From(Put(file)); }
  void ExpectFailure(const Bytes& file, const char* what) {
    WaveRead r{};
    Read(file, r);
    EXPECT_NE(r.result, 0) << what;
    EXPECT_EQ(r.size, 0u) << what;
    EXPECT_EQ(r.format, nullptr) << what;
    EXPECT_EQ(r.data, nullptr) << what;
  }
  bool Playable(const Bytes& file, zuSound::MidiPiece* piece = nullptr) {
    FILE* f = std::fopen(Put(file).c_str(), "rb");
    const int ok = zuSound::MidiFileIsPlayable(f, piece);
    std::fclose(f);
    return ok != 0;
  }
  std::filesystem::path dir_;
};
using WaveReader = SoundFiles;
using MidiCheck = SoundFiles;

TEST_F(WaveReader, ReadsPcmFormatAndSamplesWhereverTheChunksStand) {
  const Bytes samples = Level16(1234, 5);  // 10 bytes
  // "data" before "fmt ", an odd-sized unknown chunk with its pad byte in between.
  Bytes file = Riff({Chunk("data", samples), Chunk("LIST", Bytes{1, 2, 3}),
                     Chunk("fmt ", FmtBody(1, 1, 22050, 16))});
  file[4] -= 24;  // a RIFF size that leaves "fmt " out, as some writers do
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
  // The chunk last in the file, outside a RIFF form that ends before it, claims one byte more
  // than the file holds.
  Bytes pastTheEnd = Riff({Chunk("data", Level16(1, 4)), Chunk("fmt ", FmtBody(1, 1, 8000, 16))});
  pastTheEnd[4] -= 24;
  pastTheEnd[32] = 17;
  ExpectFailure(pastTheEnd, "fmt one byte past the end");

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
  EXPECT_NE(missing.From(dir_ / "none.wav"), 0);
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

TEST_F(MidiCheck, OnlyPiecesTheSynthesizerCanReadAreHandedOver) {
  const Bytes good = HalfSecondPiece();
  EXPECT_TRUE(Playable(good));
  // Running status, a tempo, a sysex and an unknown chunk before the track.
  Bytes rich = Midi({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xF0, 0x02, 0x7E, 0xF7,
                     0x00, 0x90, 60, 100, 0x10, 62, 100, 0x40, 0x80, 60, 0, 0x00, 62, 0},
                    {0x81, 0x00});
  EXPECT_TRUE(Playable(rich));
  Bytes withJunk(good.begin(), good.begin() + 14);
  const Bytes junk = {'J', 'U', 'N', 'K', 0, 0, 0, 2, 9, 9};
  withJunk.insert(withJunk.end(), junk.begin(), junk.end());
  withJunk.insert(withJunk.end(), good.begin() + 14, good.end());
  EXPECT_TRUE(Playable(withJunk));

  auto with = [](Bytes b, size_t at, uint8_t value) {
    b[at] = value;
    return b;
  };
  EXPECT_FALSE(Playable(with(good, 7, 7)));   // header length
  EXPECT_FALSE(Playable(with(good, 9, 3)));   // format 3
  EXPECT_FALSE(Playable(with(good, 11, 2)));  // two tracks where there is one
  // SMPTE timing passes for a sequencer that has it, flagged; 23 frames a second does not.
  zuSound::MidiPiece piece{};
  EXPECT_TRUE(Playable(with(good, 12, 0xE7), &piece));
  EXPECT_EQ(piece.smpte, 1);
  EXPECT_FALSE(Playable(with(good, 12, 0xE9)));
  // RIFF-wrapped: the piece is the data chunk, and must lie wholly in the file.
  const Bytes wrapped = Rmid(good);
  ASSERT_TRUE(Playable(wrapped, &piece));
  EXPECT_EQ(piece.start, static_cast<long>(wrapped.size() - good.size()));
  EXPECT_EQ(piece.length, static_cast<long>(good.size()));
  EXPECT_EQ(piece.smpte, 0);
  EXPECT_FALSE(Playable(Bytes(wrapped.begin(), wrapped.end() - 1)));
  EXPECT_FALSE(Playable(with(wrapped, 8, 'W')));  // not "RMID"
  EXPECT_FALSE(Playable(Bytes(good.begin(), good.end() - 1)));
  EXPECT_FALSE(Playable(Midi({0x00, 60, 100}, {0x0A})));              // no status yet
  EXPECT_FALSE(Playable(Midi({0x00, 0xFF, 0x51, 0x02, 1, 2}, {0x0A})));  // short tempo
  EXPECT_FALSE(Playable(Midi({0x00, 0x90, 60, 100}, {0x00})));         // lasts no time
  EXPECT_FALSE(Playable(Midi({0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, {0x01})));  // delta too long
}

// Program change and channel pressure carry one data byte, every other channel
// message two. Counted wrongly, the events behind fall out of step: a tempo
// of the right length is no longer read as one, one of the wrong length slips through.
TEST_F(MidiCheck, EachChannelMessageCarriesItsOwnNumberOfDataBytes) {
  for (const uint8_t status : {0x80, 0x9F, 0xA0, 0xB0, 0xC0, 0xCF, 0xD0, 0xDF, 0xE0}) {
    SCOPED_TRACE(static_cast<int>(status));
    Bytes message = {0x00, status, 0x05};
    if ((status & 0xF0) != 0xC0 && (status & 0xF0) != 0xD0) message.push_back(0x06);
    auto piece = [&](const Bytes& tempo) {
      Bytes events = message;
      events.insert(events.end(), tempo.begin(), tempo.end());
      return Midi(events, {0x60});
    };
    EXPECT_TRUE(Playable(piece({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20})));
    EXPECT_FALSE(Playable(piece({0x00, 0xFF, 0x51, 0x02, 0x01, 0x02})));
  }
}

}  // namespace
