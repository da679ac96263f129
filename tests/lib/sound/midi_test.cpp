#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "lib/sdl/soundSdl.h"
#include "tests/lib/sound/soundDevice.h"

using namespace soundtest;

namespace {

constexpr long HALF_SECOND = 22050;

TEST(MidiMusic, PieceLoopsFromItsStartWithoutAGapAndIsHeard) {
  // Bare, and wrapped in RIFF as the Windows sequencer also plays it.
  for (const Bytes& piece : {HalfSecondPiece(), Rmid(HalfSecondPiece())}) {
    SCOPED_TRACE(piece[0] == 'R' ? "RMID" : "bare");
    DiskDevice dev("midiloop");
    ASSERT_TRUE(dev.Open());
    if (zuSound::midiSoundFont[0] == '\0') GTEST_SKIP() << "no soundfont installed";
    WriteFile(dev.Dir() / "JOP1.MID", piece);
    StderrCapture err;
    zuSound::PlayMidi("JOP1.MID");
    ASSERT_NE(zuSound::midiMusic, nullptr);
    ASSERT_TRUE(dev.WaitFrames(dev.Frames() + 5 * HALF_SECOND));
    zuSound::StopMidi();
    const Recording r = dev.Close();
    // The synthesizer stays quiet on standard error (the disk driver itself
    // announces the file it writes).
    const std::string text = err.Text();
    EXPECT_EQ(text.find("fluidsynth"), std::string::npos) << text;

    const std::vector<long> at = Onsets(r, 1000, 4410);
    ASSERT_GE(at.size(), 4u);
    // Every pass starts exactly half a second after the one before: the note at
    // the start comes again, with no gap added at the loop.
    for (size_t i = 1; i < at.size(); ++i) {
      EXPECT_NEAR(at[i] - at[i - 1], HALF_SECOND, 132) << "pass " << i;
    }
  }
}

TEST(MidiMusic, EndedPieceStartsAgainFromTheStartThroughItsNotification) {
  DiskDevice dev("midirestart", true);
  ASSERT_TRUE(dev.Open());
  if (zuSound::midiSoundFont[0] == '\0') GTEST_SKIP() << "no soundfont installed";
  // Three seconds: the opening note, then quiet up to tick 2880.
  WriteFile(dev.Dir() / "JBGM1.MID",
            Midi({0x00, 0xC0, 0x00, 0x00, 0x90, 60, 127, 0x60, 0x80, 60, 0}, {0x95, 0x60}));
  zuSound::PlayMidi("JBGM1.MID");
  // Into the quiet part, then end it as a piece ends that did not loop.
  ASSERT_TRUE(dev.WaitFrames(dev.Frames() + HALF_SECOND * 2));
  Mix_HaltMusic();
  const long ended = dev.Frames();
  ASSERT_EQ(TakeMusicEvents(), 1);
  zuSound::OnMusicFinished();
  EXPECT_TRUE(Mix_PlayingMusic());
  ASSERT_TRUE(dev.WaitFrames(ended + HALF_SECOND * 3));
  const Recording r = dev.Close();
  // The opening note is heard again soon after the restart (the reload of the
  // soundfont takes a moment, more so in an instrumented build), long before
  // the stopped pass would have reached its next note three seconds on.
  long again = -1;
  for (long at : Onsets(r, 1000, 2205)) {
    if (at >= ended - 4096) {
      again = at;
      break;
    }
  }
  EXPECT_GE(again, 0);
  EXPECT_LE(again, ended + HALF_SECOND * 2);
}

// A second synthesizer costs more memory than reading a small soundfont again
// saves; only a list of soundfonts over 16 MB in all keeps one piece loaded.
TEST(MidiMusic, OnlyALargeSoundFontIsKeptLoaded) {
  const char* font = zuSound::FindSoundFont();
  if (font == nullptr) GTEST_SKIP() << "no soundfont installed";
  struct stat st;
  ASSERT_EQ(stat(font, &st), 0);
  const long long copies = (16LL << 20) / st.st_size;  // as many as stay within 16 MB
  if ((copies + 2) * (std::strlen(font) + 1) > 4000) GTEST_SKIP() << "too small a soundfont to list";
  std::string list = "/nonexistent.sf2";                 // counts for nothing
  for (long long i = 0; i < copies; ++i) list += std::string(i % 2 ? ":" : ";") + font;
  EXPECT_FALSE(zuSound::KeepSoundFontLoaded(list.c_str())) << copies << " copies";
  list += std::string(":") + font;
  EXPECT_TRUE(zuSound::KeepSoundFontLoaded(list.c_str())) << copies + 1 << " copies";
}

TEST(MidiMusic, StoppedOrReplacedPieceIgnoresItsLateEndNotification) {
  DiskDevice dev("midistop");
  ASSERT_TRUE(dev.Open());
  if (zuSound::midiSoundFont[0] == '\0') GTEST_SKIP() << "no soundfont installed";
  WriteFile(dev.Dir() / "JSET1.MID", HalfSecondPiece());
  WriteFile(dev.Dir() / "JBGM2.MID", HalfSecondPiece());

  zuSound::PlayMidi("JSET1.MID");
  zuSound::StopMidi();
  EXPECT_EQ(zuSound::midiOpen, 0);
  ASSERT_EQ(TakeMusicEvents(), 1);
  zuSound::OnMusicFinished();
  EXPECT_FALSE(Mix_PlayingMusic());
  EXPECT_EQ(zuSound::midiMusic, nullptr);

  // Entering a scene again: the old piece's notification arrives after the new one started.
  zuSound::PlayMidi("JSET1.MID");
  zuSound::PlayMidi("JBGM2.MID");
  Mix_Music* playing = zuSound::midiMusic;
  ASSERT_NE(playing, nullptr);
  ASSERT_EQ(TakeMusicEvents(), 1);
  zuSound::OnMusicFinished();
  EXPECT_TRUE(Mix_PlayingMusic());
  EXPECT_EQ(zuSound::midiMusic, playing);
  EXPECT_EQ(zuSound::midiOpen, 1);
}

TEST(MidiMusic, MissingOrUnplayablePiecesAreSilentWithoutAWord) {
  DiskDevice dev("midibad");
  ASSERT_TRUE(dev.Open());
  const Bytes piece = HalfSecondPiece();
  WriteFile(dev.Dir() / "CUT.MID", Bytes(piece.begin(), piece.end() - 3));
  // Timed in SMPTE frames, which the synthesizer loads and then plays as silence.
  WriteFile(dev.Dir() / "SMPTE.MID",
            ReadFile(std::string(SKYWARD_SOURCE_DIR) + "/tests/data/formats/java_smpte25.mid"));
  StderrCapture err;
  for (const char* name : {"NONE.MID", "CUT.MID", "SMPTE.MID"}) {
    zuSound::PlayMidi(name);
    EXPECT_EQ(zuSound::midiMusic, nullptr) << name;
    EXPECT_EQ(zuSound::midiOpen, 1) << name;  // the flag reads open all the same
    zuSound::OnMusicFinished();
  }
  zuSound::StopMidi();
  EXPECT_EQ(zuSound::midiOpen, 0);
  EXPECT_EQ(err.Text(), "");
}

}  // namespace
