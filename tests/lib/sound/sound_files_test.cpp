// The readers of the sound files: RIFF WAVE, and the check a MIDI file passes
// before it reaches the synthesizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// The extra bytes are read where the format has them, behind their count,
// and nowhere else.
TEST_F(WaveReader, FormatKeepsTheExtraBytesOnlyWhereItHasThem) {
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

  // A 16-byte format chunk of IEEE float samples: the next chunk's id is not a count.
  WaveRead plainFloat{};
  Read(Riff({Chunk("fmt ", FmtBody(3, 1, 8000, 32)), Chunk("data", Bytes(8, 0))}), plainFloat);
  ASSERT_EQ(plainFloat.result, 0);
  EXPECT_EQ(plainFloat.format->formatTag, 3);
  EXPECT_EQ(plainFloat.format->cbSize, 0);
  EXPECT_EQ(plainFloat.size, 8u);

  // PCM has no extra bytes, whatever an 18-byte chunk holds behind its 16.
  Bytes pcm18 = FmtBody(1, 1, 8000, 16);
  Put16(pcm18, 0xFFFF);
  WaveRead pcm{};
  Read(Riff({Chunk("fmt ", pcm18), Chunk("data", Level16(5, 2))}), pcm);
  ASSERT_EQ(pcm.result, 0);
  EXPECT_EQ(pcm.format->cbSize, 0);
}

// A file cut short anywhere (no data chunk, one shorter than it says, nothing at
// all): the truncation test below.
TEST_F(WaveReader, RefusesFilesThatAreNotWholeOrHonest) {
  const Bytes good = PcmWave(11025, Level16(100, 50));
  ExpectFailure(Riff({Chunk("fmt ", Bytes(14, 1)), Chunk("data", Level16(1, 4))}), "short fmt");
  ExpectFailure(Riff({Chunk("data", Level16(1, 4))}), "no fmt");
  // The chunk last in the file, outside a RIFF form that ends before it, claims one byte more
  // than the file holds.
  Bytes pastTheEnd = Riff({Chunk("data", Level16(1, 4)), Chunk("fmt ", FmtBody(1, 1, 8000, 16))});
  pastTheEnd[4] -= 24;
  pastTheEnd[32] = 17;
  ExpectFailure(pastTheEnd, "fmt one byte past the end");

  Bytes hugeData = good;
  std::memset(&hugeData[40], 0xFF, 4);
  ExpectFailure(hugeData, "data size near 4 GB");

  Bytes extraTooLong;
  Put16(extraTooLong, 1);
  Bytes lying = FmtBody(2, 1, 8000, 4, extraTooLong);
  lying[16] = 4;  // counts 4 extra bytes where there are 2, the next chunk behind them
  ExpectFailure(Riff({Chunk("fmt ", lying), Chunk("data", Bytes(4, 0))}), "extra count");

  Bytes notWave = good;
  std::memcpy(&notWave[8], "AVI ", 4);
  ExpectFailure(notWave, "form type");
  Bytes listFirst = good;
  std::memcpy(&listFirst[0], "LIST", 4);
  ExpectFailure(listFirst, "first chunk");

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

struct Format {
  uint16_t tag, channels;
  uint32_t rate;
  uint16_t blockAlign, bits;
  Bytes extra = {};
  int cbSize = -1;  // -1: the size of `extra`
};

// The samples the converter hands every device for a format block and its
// data, and its answer.
std::vector<int16_t> Convert(const Format& f, const Bytes& samples, int* result) {
  auto* wf = static_cast<zuSound::WaveFormat*>(
      std::calloc(1, std::max(sizeof(zuSound::WaveFormat), 18 + f.extra.size())));
  *wf = {f.tag, f.channels, f.rate, 0, f.blockAlign, f.bits,
         static_cast<uint16_t>(f.cbSize < 0 ? f.extra.size() : f.cbSize)};
  if (!f.extra.empty()) std::memcpy(zuSound::WaveFormatExtra(wf), f.extra.data(), f.extra.size());
  uint32_t size = static_cast<uint32_t>(samples.size());
  auto* data = static_cast<uint8_t*>(std::malloc(std::max<size_t>(size, 1)));
  if (size > 0) std::memcpy(data, samples.data(), size);
  std::vector<int16_t> out;
  if ((*result = zuSound::ConvertWave(wf, &data, &size)) == 0) {
    out.assign(reinterpret_cast<const int16_t*>(data), reinterpret_cast<const int16_t*>(data) + size / 2);
  }
  std::free(wf);
  std::free(data);
  return out;
}

Bytes Samples16(std::initializer_list<int> levels) {
  Bytes b;
  for (int v : levels) Put16(b, static_cast<uint16_t>(v));
  return b;
}

Bytes Floats(std::initializer_list<float> values) {
  Bytes b;
  for (float v : values) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    Put32(b, bits);
  }
  return b;
}

// The extra bytes of an extensible format: valid bits, speaker mask, sub-format.
Bytes Extensible(uint32_t speakers, uint16_t subFormat) {
  Bytes e;
  Put16(e, 16);
  Put32(e, speakers);
  Put16(e, subFormat);
  e.insert(e.end(), {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71});
  return e;
}

TEST(WaveConverter, PlaysWhatEveryDeviceCanTakeAndRefusesTheRest) {
  constexpr uint16_t PCM = 1, FLOAT = 3, EXT = 0xFFFE;
  const float nan = std::nanf(""), inf = HUGE_VALF;
  Bytes frame64, frame65;
  for (int c = 0; c < 64; ++c) Put16(frame64, 1000);
  Put16(frame65 = frame64, 1000);
  const struct {
    const char* name;
    Format format;
    Bytes data;
    std::vector<int16_t> out;  // none: refused
  } cases[] = {
      {"extensible pcm", {EXT, 1, 8000, 2, 16, Extensible(4, PCM)}, Samples16({1234}), {1234}},
      {"extensible, extra bytes cut", {EXT, 1, 8000, 2, 16, Extensible(4, PCM), 21}, Samples16({1234}), {}},
      {"a-law", {6, 1, 8000, 1, 8}, Bytes{0x55, 0x55}, {}},
      {"no channels", {PCM, 0, 8000, 2, 16}, Samples16({1}), {}},
      {"64 channels", {PCM, 64, 8000, 128, 16}, frame64, {1000, 1000}},
      {"65 channels", {PCM, 65, 8000, 130, 16}, frame65, {}},
      {"block of two channels and a half", {PCM, 2, 8000, 3, 8}, Bytes{1, 2, 3}, {}},
      {"block of nothing", {PCM, 1, 8000, 0, 0}, Samples16({1}), {}},
      {"64-bit integers", {PCM, 1, 8000, 8, 64}, Bytes(8, 0x40), {}},
      {"16 bits in a byte", {PCM, 1, 8000, 1, 16}, Samples16({1}), {}},
      {"24-bit floats", {FLOAT, 1, 8000, 3, 24}, Bytes(3, 0x40), {}},
      {"less than a frame", {PCM, 1, 8000, 2, 16}, Bytes{1}, {}},
      {"part of a frame at the end", {PCM, 1, 8000, 2, 16}, Bytes{7, 0, 8, 0, 9}, {7, 8}},
      // Left, right, centre: each side the mean of its speakers.
      {"three channels, standard order", {PCM, 3, 8000, 6, 16}, Samples16({3000, -3000, 1200}), {2100, -900}},
      {"three channels, a mask of two", {EXT, 3, 8000, 6, 16, Extensible(3, PCM)},
       Samples16({3000, -3000, 1200}), {2100, -900}},
      {"all speakers on the right", {EXT, 3, 8000, 6, 16, Extensible(0x422, PCM)},
       Samples16({300, 600, 900}), {600, 600}},
      {"all speakers on the left", {EXT, 3, 8000, 6, 16, Extensible(0x211, PCM)},
       Samples16({300, 600, 900}), {600, 600}},
      {"floats beyond full scale", {FLOAT, 1, 8000, 4, 32}, Floats({0.5f, 1.0f, 2.0f, -1.0f, -3.0f, nan, inf, -inf}),
       {16384, 32767, 32767, -32768, -32768, 0, 32767, -32768}},
  };
  int result;
  for (const auto& c : cases) {
    EXPECT_EQ(Convert(c.format, c.data, &result), c.out) << c.name;
    EXPECT_EQ(result == 0, !c.out.empty()) << c.name;
  }
  // 100 to 200000 Hz, and less than five minutes.
  for (const uint32_t rate : {99u, 100u, 200000u, 200001u}) {
    EXPECT_EQ((Convert({PCM, 1, rate, 2, 16}, Samples16({1}), &result), result == 0), rate >= 100 && rate <= 200000) << rate;
  }
  for (const size_t frames : {29999u, 30000u}) {
    EXPECT_EQ((Convert({PCM, 1, 100, 2, 16}, Bytes(frames * 2, 0), &result), result == 0), frames < 30000) << frames;
  }
}

TEST_F(MidiCheck, OnlyPiecesTheSynthesizerCanReadAreHandedOver) {
  const Bytes good = HalfSecondPiece();
  auto with = [](Bytes b, size_t at, uint8_t value) {
    b[at] = value;
    return b;
  };
  Bytes withJunk(good.begin(), good.begin() + 14);
  const Bytes junk = {'J', 'U', 'N', 'K', 0, 0, 0, 2, 9, 9};
  withJunk.insert(withJunk.end(), junk.begin(), junk.end());
  withJunk.insert(withJunk.end(), good.begin() + 14, good.end());
  // RIFF-wrapped: the piece is the data chunk, and must lie wholly in the file and the chunk.
  const Bytes wrapped = Rmid(good);
  Bytes pieceLongerThanChunk = Form("RMID", {Chunk("data", good)});
  pieceLongerThanChunk[16] -= 1;
  const Bytes trackBehindChunk =
      Form("RMID", {Chunk("data", with(good, 11, 2)), Bytes{'M', 'T', 'r', 'k', 0, 0, 0, 4, 0x60, 0xFF, 0x2F, 0x00}});
  const struct {
    const char* name;
    Bytes file;
    bool playable;
  } cases[] = {
      {"half a second", good, true},
      {"running status, tempo, SMPTE offset, time and key signatures, a sysex",
       Midi({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x54, 0x05, 0x60, 0, 0, 0, 0,
             0x00, 0xFF, 0x58, 0x04, 4, 2, 24, 8, 0x00, 0xFF, 0x59, 0x02, 0, 0, 0x00, 0xF0, 0x02, 0x7E, 0xF7,
             0x00, 0x90, 60, 100, 0x10, 62, 100, 0x40, 0x80, 60, 0, 0x00, 62, 0},
            {0x81, 0x00}),
       true},
      {"an unknown chunk before the track", withJunk, true},
      {"header length 7", with(good, 7, 7), false},
      {"header length 0x01000006", with(good, 4, 1), false},
      {"header length 0x00010006", with(good, 5, 1), false},
      {"header length 0x00000106", with(good, 6, 1), false},
      {"not MThd", with(good, 3, 'x'), false},
      {"format 0x0100", with(good, 8, 1), false},
      {"format 3", with(good, 9, 3), false},
      {"no ticks a quarter note", with(with(good, 12, 0), 13, 0), false},
      {"two tracks where there is one", with(good, 11, 2), false},
      {"24 frames a second", with(good, 12, 0xE8), true},
      {"25 frames a second", with(good, 12, 0xE7), true},
      {"29.97 frames a second", with(good, 12, 0xE3), true},
      {"30 frames a second", with(good, 12, 0xE2), true},
      {"23 frames a second", with(good, 12, 0xE9), false},
      {"26 frames a second", with(good, 12, 0xE6), false},
      {"no ticks a frame", with(with(good, 12, 0xE7), 13, 0), false},
      {"RIFF-wrapped", wrapped, true},
      {"RIFF-wrapped, the chunk one byte longer than the file", with(wrapped, 28, static_cast<uint8_t>(wrapped[28] + 1)), false},
      {"RIFF of another form", with(wrapped, 8, 'W'), false},
      {"RIFF-wrapped behind a chunk of odd length", Form("RMID", {Chunk("LIST", {'I', 'N', 'F', 'O', 'x'}), Chunk("data", good)}), true},
      {"a piece one byte longer than its chunk", pieceLongerThanChunk, false},
      {"a track behind the piece's chunk", trackBehindChunk, false},
      {"cut", Bytes(good.begin(), good.end() - 1), false},
      {"no status yet", Midi({0x00, 60, 100}, {0x0A}), false},
      {"short tempo", Midi({0x00, 0xFF, 0x51, 0x02, 1, 2}, {0x0A}), false},
      {"SMPTE offset of 4 bytes", Midi({0x00, 0xFF, 0x54, 0x04, 1, 2, 3, 4}, {0x0A}), false},
      {"time signature of 3 bytes", Midi({0x00, 0xFF, 0x58, 0x03, 1, 2, 3}, {0x0A}), false},
      {"key signature of 1 byte", Midi({0x00, 0xFF, 0x59, 0x01, 1}, {0x0A}), false},
      {"lasts no time", Midi({0x00, 0x90, 60, 100}, {0x00}), false},
      {"delta time of 4 bytes", Midi({0x00, 0x90, 60, 100}, {0x81, 0x80, 0x80, 0x00}), true},
      {"delta time of 5 bytes", Smf({{0x81, 0x80, 0x80, 0x80, 0x00, 0xFF, 0x2F, 0x00}}), false},
      {"sysex longer than its track", Smf({{0x60, 0xF0, 0x05, 0x7E, 0xF7}}), false},
      {"sysex length of 5 bytes", Smf({{0x60, 0xF0, 0x80, 0x80, 0x80, 0x80, 0x00, 0xFF, 0x2F, 0x00}}), false},
      {"system message in a track", Smf({{0x00, 0xF4, 0x01, 0x02, 0x60, 0xFF, 0x2F, 0x00}}), false},
      {"bytes behind the end of track", Smf({{0x60, 0xFF, 0x2F, 0x00, 0x00, 0xF4}}), true},
      {"note cut by the end of its track", Smf({{0x60, 0x90, 60}}), false},
      {"program change cut by the end of its track", Smf({{0x60, 0xC0}}), false},
      {"first of two tracks runs on behind its end", Smf({{0x00, 0xFF, 0x2F, 0x00, 0x12, 0x34}, {0x60, 0xFF, 0x2F, 0x00}}, 1), true},
      {"the longer track first", Smf({{0x60, 0xFF, 0x2F, 0x00}, {0x00, 0xFF, 0x2F, 0x00}}, 1), true},
  };
  for (const auto& c : cases) EXPECT_EQ(Playable(c.file), c.playable) << c.name;

  // SMPTE timing is flagged for a sequencer that has it; a RIFF-wrapped piece is its data chunk.
  zuSound::MidiPiece piece{};
  ASSERT_TRUE(Playable(with(good, 12, 0xE7), &piece));
  EXPECT_EQ(piece.smpte, 1);
  ASSERT_TRUE(Playable(wrapped, &piece));
  EXPECT_EQ(piece.start, static_cast<long>(wrapped.size() - good.size()));
  EXPECT_EQ(piece.length, static_cast<long>(good.size()));
  EXPECT_EQ(piece.smpte, 0);
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
