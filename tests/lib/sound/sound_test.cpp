#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "tests/lib/sound/soundDevice.h"

using namespace soundtest;

namespace {

std::atomic<int> cutCount{0};
std::atomic<int> cutChannels[64];

void RecordCut(int channel) {
  const int n = cutCount.fetch_add(1);
  if (n < 64) cutChannels[n] = channel;
}

const zuSound::SoundSlot& Slot(int id) { return zuSound::soundTable[id]; }

TEST(SoundTable, RoundRobinAcrossTenBuffersAndExplicitIndexKeepsTheTurn) {
  DiskDevice dev("roundrobin");
  ASSERT_TRUE(dev.Open());
  WriteFile(dev.Dir() / "SHOT.WAV", PcmWave(22050, Level16(3000, 200)));
  WriteFile(dev.Dir() / "BOM.WAV", PcmWave(22050, Level16(3000, 44100)));  // 2 s
  EXPECT_EQ(zuSound::LoadObject("SHOT.WAV", 1), 0);
  const int bom = zuSound::LoadObject("BOM.WAV", 10);
  ASSERT_EQ(bom, 1);
  const int first = zuSound::soundVoices[bom].firstChannel;
  EXPECT_EQ(first, 1);
  EXPECT_GE(Mix_AllocateChannels(-1), 11);
  Mix_ChannelFinished(RecordCut);

  for (int i = 0; i < 10; ++i) {
    zuSound::Play(bom, -1);
    EXPECT_TRUE(Mix_Playing(first + i)) << i;
    EXPECT_EQ(Slot(bom).nextBuffer, (i + 1) % 10);
  }
  EXPECT_EQ(cutCount.load(), 0);
  EXPECT_FALSE(Mix_Playing(0));  // the other sound's channel was left alone
  // The eleventh play takes buffer 0 again and cuts it off.
  zuSound::Play(bom, -1);
  ASSERT_EQ(cutCount.load(), 1);
  EXPECT_EQ(cutChannels[0].load(), first);
  EXPECT_EQ(Slot(bom).nextBuffer, 1);

  zuSound::Play(bom, 5);
  ASSERT_EQ(cutCount.load(), 2);
  EXPECT_EQ(cutChannels[1].load(), first + 5);
  EXPECT_EQ(Slot(bom).nextBuffer, 1);
  zuSound::Play(bom, -1);
  ASSERT_EQ(cutCount.load(), 3);
  EXPECT_EQ(cutChannels[2].load(), first + 1);

  // Nothing for a buffer beyond the sound's, or an id that holds no sound.
  zuSound::Play(bom, 10);
  zuSound::Play(5, -1);
  zuSound::Play(-1, -1);
  zuSound::Play(zuSound::MAX_SOUNDS, 0);
  EXPECT_EQ(cutCount.load(), 3);
  EXPECT_EQ(Slot(bom).nextBuffer, 2);
  EXPECT_EQ(Slot(5).nextBuffer, 0);
  Mix_ChannelFinished(nullptr);
}

// Runs of at least `frames` frames whose level is within 2% of `level`.
long LongestRun(const Recording& r, int level) {
  long best = 0, run = 0;
  for (int16_t s : r.left) {
    run = std::abs(s - level) <= level / 50 ? run + 1 : 0;
    best = std::max(best, run);
  }
  return best;
}

TEST(SoundTable, WhatIsHeardIsTheSoundConvertedToTheMixersFormat) {
  DiskDevice dev("heard");
  ASSERT_TRUE(dev.Open());
  // 0.1 s of 16-bit mono at 22050 Hz, and 0.2 s of 8-bit stereo at 11025 Hz.
  WriteFile(dev.Dir() / "A.WAV", PcmWave(22050, Level16(8000, 2205)));
  Bytes u8;
  for (int i = 0; i < 2205 * 2; ++i) u8.push_back(192);
  WriteFile(dev.Dir() / "B.WAV", Riff({Chunk("fmt ", FmtBody(1, 2, 11025, 8)), Chunk("data", u8)}));
  const int a = zuSound::LoadObject("A.WAV", 1);
  const int b = zuSound::LoadObject("B.WAV", 1);
  ASSERT_EQ(b, 1);
  zuSound::Play(a, -1);
  ASSERT_TRUE(dev.WaitFrames(dev.Frames() + 44100 / 4));
  zuSound::Play(b, 0);
  ASSERT_TRUE(dev.WaitFrames(dev.Frames() + 44100 / 2));
  const Recording r = dev.Close();
  EXPECT_NEAR(LongestRun(r, 8000), 4410, 60);
  EXPECT_NEAR(LongestRun(r, 16384), 8820, 60);
}

TEST(SoundTable, SeventyFirstLoadFindsNoFreeSlot) {
  DiskDevice dev("seventy");
  ASSERT_TRUE(dev.Open());
  WriteFile(dev.Dir() / "S.WAV", PcmWave(44100, Level16(100, 10)));
  StderrCapture err;
  for (int i = 0; i < zuSound::MAX_SOUNDS; ++i) {
    ASSERT_EQ(zuSound::LoadObject("S.WAV", 1), i);
  }
  EXPECT_EQ(zuSound::LoadObject("S.WAV", 1), 0);
  const std::string text = err.Text();
  EXPECT_EQ(text, "zuSound::LoadObject : オブジェクト数が多すぎます\n");
  EXPECT_GE(Mix_AllocateChannels(-1), zuSound::MAX_SOUNDS);
}

TEST(SoundTable, RefusedLoadsSayWhyAndKeepTheTableStraight) {
  DiskDevice dev("refused");
  ASSERT_TRUE(dev.Open());
  const Bytes ok = PcmWave(44100, Level16(100, 10));
  WriteFile(dev.Dir() / "OK.WAV", ok);
  WriteFile(dev.Dir() / "EMPTY.WAV", PcmWave(44100, Bytes()));
  WriteFile(dev.Dir() / "CUT.WAV", Bytes(ok.begin(), ok.end() - 1));
  const std::string longName(31, 'L');
  WriteFile(dev.Dir() / longName, ok);

  StderrCapture err;
  EXPECT_EQ(zuSound::LoadObject("OK.WAV", 0), 0);
  EXPECT_EQ(zuSound::LoadObject("OK.WAV", 11), 0);
  EXPECT_EQ(zuSound::LoadObject("EMPTY.WAV", 1), 0);
  // A file the reader refuses, or none at all, is looked for among resources the program has not.
  EXPECT_EQ(zuSound::LoadObject("CUT.WAV", 1), 0);
  EXPECT_EQ(zuSound::LoadObject("MISSING.WAV", 1), 0);
  EXPECT_EQ(Slot(0).used, 0);
  // A name too long to keep: reported, yet the sound stays in its slot.
  EXPECT_EQ(zuSound::LoadObject(longName.c_str(), 2), 0);
  EXPECT_EQ(Slot(0).used, 1);
  EXPECT_STREQ(Slot(0).name, "");
  EXPECT_EQ(zuSound::LoadObject("OK.WAV", 1), 1);
  EXPECT_EQ(err.Text(),
            "zuSound::LoadObject : バッファ数が範囲外です\n"
            "zuSound::LoadObject : バッファ数が範囲外です\n"
            "zuSound::LoadObject : サウンドバッファが生成できません\n"
            "zuSound::LoadObject : WAVEリソースが見つかりません\n"
            "zuSound::LoadObject : WAVEリソースが見つかりません\n"
            "zuSound::LoadObject : ファイル名またはリソース名が長すぎます\n");
  EXPECT_EQ(zuSound::soundVoices[1].firstChannel, 2);  // after the two buffers of slot 0
}

TEST(SoundTable, ReleasedSoundsAreSilentUntilRestoredIntoTheSameIds) {
  DiskDevice dev("restore");
  ASSERT_TRUE(dev.Open());
  WriteFile(dev.Dir() / "SHOT.WAV", PcmWave(44100, Level16(100, 44100)));
  WriteFile(dev.Dir() / "BOM.WAV", PcmWave(44100, Level16(100, 44100)));
  ASSERT_EQ(zuSound::LoadObject("SHOT.WAV", 1), 0);
  ASSERT_EQ(zuSound::LoadObject("BOM.WAV", 10), 1);
  zuSound::Play(1, -1);
  zuSound::Play(1, -1);
  zuSound::Release();
  zuSound::Play(1, -1);  // no device: nothing happens
  zuSound::Release();    // a second release is harmless
  EXPECT_EQ(Slot(1).nextBuffer, 2);
  zuSound::Restore();
  ASSERT_EQ(zuSound::soundEnabled, 1);
  EXPECT_EQ(Slot(1).bufferCount, 10);
  EXPECT_EQ(Slot(1).nextBuffer, 2);  // the turn survives the reload
  zuSound::Play(1, -1);
  EXPECT_TRUE(Mix_Playing(zuSound::soundVoices[1].firstChannel + 2));
}

TEST(SoundTable, WithoutAnAudioDeviceEverythingIsSilentAndQuiet) {
  const auto dir = FreshFolder("nodevice");
  WriteFile(dir / "BOM.WAV", PcmWave(44100, Level16(100, 10)));
  WriteFile(dir / "JOP1.MID", HalfSecondPiece());
  zuSystem::SetAppPath(dir.c_str());
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  std::string text;
  {
    StderrCapture err;
    EXPECT_EQ(zuSound::Init(), 0);
    zuSound::ClearTable();
    zuSound::InitMidi();
    EXPECT_EQ(zuSound::LoadObject("BOM.WAV", 10), 0);
    EXPECT_EQ(zuSound::LoadObject("BOM.WAV", 11), 0);
    zuSound::Play(0, -1);
    zuSound::PlayMidi("JOP1.MID");
    zuSound::OnMusicFinished();
    zuSound::RestartMidi();
    zuSound::PlayMidi("JOP1.MID");
    zuSound::StopMidi();
    zuSound::Release();
    zuSound::Restore();
    text = err.Text();
  }
  EXPECT_EQ(text, "");
  EXPECT_EQ(zuSound::midiOpen, 0);
  SDL_Quit();
  zuSystem::SetAppPath(nullptr);
  std::filesystem::remove_all(dir);
}

}  // namespace
