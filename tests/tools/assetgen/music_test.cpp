// The music macro language compiler of the asset generator, on small pieces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

// The compiler is part of the generator program, not of a library.
#include "tools/assetgen/music.cpp"

namespace {

struct Note {
  long tick;
  int channel, key;
  bool on;
};

struct Parsed {
  int format = -1, tracks = 0, division = 0;
  long tempo = 0;
  std::vector<long> ends;
  std::vector<Note> notes;
};

Parsed Read(const std::vector<uint8_t>& b) {
  Parsed p;
  auto be16 = [&](size_t i) { return b[i] << 8 | b[i + 1]; };
  auto be32 = [&](size_t i) { return long(be16(i)) << 16 | be16(i + 2); };
  p.format = be16(8), p.tracks = be16(10), p.division = be16(12);
  size_t i = 14;
  for (int t = 0; t < p.tracks; ++t) {
    size_t j = i + 8, end = j + size_t(be32(i + 4));
    long tick = 0;
    auto var = [&]() {
      long v = 0;
      for (;;) {
        uint8_t c = b[j++];
        v = v << 7 | (c & 0x7F);
        if (!(c & 0x80)) return v;
      }
    };
    while (j < end) {
      tick += var();
      uint8_t s = b[j];
      if (s == 0xFF) {
        uint8_t type = b[j + 1];
        j += 2;
        long n = var();
        if (type == 0x51) p.tempo = long(b[j]) << 16 | b[j + 1] << 8 | b[j + 2];
        if (type == 0x2F) p.ends.push_back(tick);
        j += size_t(n);
      } else if ((s >> 4) == 0xC) {
        j += 2;
      } else {
        if ((s >> 4) == 9 || (s >> 4) == 8) p.notes.push_back({tick, (s & 15) + 1, b[j + 1], (s >> 4) == 9});
        j += 3;
      }
    }
    i = end;
  }
  return p;
}

std::vector<uint8_t> Compile(const std::string& text, std::string* error = nullptr) {
  std::string e;
  std::vector<uint8_t> out = CompileSong(text.c_str(), &e);
  if (error) *error = e;
  return out;
}

}  // namespace

TEST(MusicMacroLanguage, NotesLengthsAndTheLoopPoint) {
  Parsed p = Read(Compile("tempo 150\ntrack Lead ch 2 program 81\n  o4 l8 c4.^8 d e r4 | {c e g}1 |\n"));
  EXPECT_EQ(p.format, 1);
  ASSERT_EQ(p.tracks, 2);  // the tempo track and the lead
  EXPECT_EQ(p.tempo, 400000);
  ASSERT_EQ(p.ends.size(), 2u);
  EXPECT_EQ(p.ends[0], 2 * 4 * p.division);  // both end on the last bar line
  EXPECT_EQ(p.ends[1], p.ends[0]);
  std::vector<Note> ons;
  for (const Note& n : p.notes)
    if (n.on) ons.push_back(n);
  ASSERT_EQ(ons.size(), 6u);
  EXPECT_EQ(ons[0].key, 60);   // o4 c is middle C
  EXPECT_EQ(ons[0].channel, 2);
  EXPECT_EQ(ons[1].tick, 960);  // dotted quarter tied to an eighth
  EXPECT_EQ(ons[1].key, 62);
  EXPECT_EQ(ons[2].tick, 1200);
  for (int k = 3; k < 6; ++k) EXPECT_EQ(ons[k].tick, 1920);  // the chord sounds together
  // the default gate releases each note at seven eighths of its length
  EXPECT_EQ(p.notes[1].tick, 840);
  EXPECT_FALSE(p.notes[1].on);
}

TEST(MusicMacroLanguage, RepeatsMacrosAndDrums) {
  Parsed p = Read(Compile("macro beat\n  l8 [{k h} h]4\ntrack Drums ch 10\n  $beat | [x4]4 |\n"));
  ASSERT_EQ(p.ends.size(), 2u);
  EXPECT_EQ(p.ends[1], 2 * 1920);
  int kicks = 0, hats = 0, crashes = 0;
  for (const Note& n : p.notes) {
    if (!n.on) continue;
    EXPECT_EQ(n.channel, 10);
    kicks += n.key == 36, hats += n.key == 42, crashes += n.key == 49;
  }
  EXPECT_EQ(kicks, 4);
  EXPECT_EQ(hats, 8);
  EXPECT_EQ(crashes, 4);
}

TEST(MusicMacroLanguage, MismeasuredMusicIsRefused) {
  std::string error;
  EXPECT_TRUE(Compile("track A ch 1\n  c4 c4 c4 | c4 c4 c4 c4 c4 |\n", &error).empty());
  EXPECT_NE(error.find("bar line"), std::string::npos) << error;
  EXPECT_TRUE(Compile("track A ch 1\n  c1 |\ntrack B ch 2\n  c1 c1 |\n", &error).empty());
  EXPECT_NE(error.find("lasts"), std::string::npos) << error;
  EXPECT_TRUE(Compile("track A ch 1\n  c2. |\n", &error).empty());
  EXPECT_NE(error.find("bar line"), std::string::npos) << error;
  EXPECT_TRUE(Compile("track A ch 1\n  $nothing c1\n", &error).empty());
  EXPECT_NE(error.find("$nothing"), std::string::npos) << error;
  // drum letters mean nothing outside channel 10
  EXPECT_TRUE(Compile("track A ch 1\n  k1\n", &error).empty());
  EXPECT_TRUE(Compile("track A ch 1\n  [c4 c4\n", &error).empty());
  EXPECT_TRUE(Compile("track A ch 1\n  c7 c1\n", &error).empty());
}
