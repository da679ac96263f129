// Recording a run in the test process and playing it back: the real main loop
// on a clock that moves on every reading, keys pushed as SDL events.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_state_hash.h"
#include "app/replay_file.h"
#include "app/replay_session.h"
#include "app/sdl/window_proc.h"
#include "game/flow/scene.h"
#include "lib/system/zuSystem.h"
#include "tests/app/main_loop.h"
#include "tests/file_util.h"

using mainloop::Push;

namespace {

const std::string DIR = testing::TempDir() + "replay_session_" + std::to_string(getpid());
const std::string FILE_PATH = DIR + "/run.skr";
// A copy offered in the middle of the run, as the browser page offers one.
const std::string COPY_PATH = DIR + "/copy.skr";
constexpr long COPY_FRAME = 120;

std::vector<uint64_t> hashes;

// Each reading is a millisecond later than the last: a frame that read the
// clock twice would see two times unless the frame's tick is frozen.
uint32_t Creeping() { return mainloop::now++; }

void RecordedPlayer(long frame) {
  mainloop::now += 9 + static_cast<uint32_t>(frame % 7);
  if (frame == 1) Push(SDLK_SPACE, true);
  if (frame == 4) Push(SDLK_RETURN, true);
  if (frame == 10) Push(SDLK_z, true);
  if (frame > 10 && frame < 60 && frame % 3 == 0) Push(SDLK_z, true, true);  // auto-repeat
  if (frame == 60) Push(SDLK_z, false);
  if (frame == 30) Push(SDLK_LEFT, true);
  if (frame == 50) Push(SDLK_LEFT, false);
  if (frame == 70) {
    // Away and back: the frame measures from the activation, less than its ticks.
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    mainloop::now += 5000;
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  }
  // A held [S]: every repeat toggles the pause.
  if (frame >= 80 && frame <= 82) Push(SDLK_s, true, frame > 80);
  if (frame == 83) Push(SDLK_s, false);
  if (frame == 100) Push(SDLK_s, true);
  if (frame == 101) Push(SDLK_s, false);
  if (frame == COPY_FRAME) {
    ASSERT_TRUE(CopyRecording(COPY_PATH.c_str()));
  }
  if (frame == 140) Push(SDLK_ESCAPE, true);
}

// Whatever the watcher presses reaches only the playback's controls.
void Watcher(long frame) {
  for (SDL_Keycode k : {SDLK_z, SDLK_LEFT, SDLK_y, SDLK_SPACE, SDLK_f}) Push(k, frame % 2 == 0);
  if (frame == 20) {
    Push(SDLK_s, true);  // pause ...
    Push(SDLK_s, true, true);
    Push(SDLK_s, false);
    Push(SDLK_s, true);  // ... and resume
    Push(SDLK_s, false);
  }
  if (frame == 40) {
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  }
}

// From the first stage frame on: before it, the tables hold what the run
// before this one in the process left there, until a new game resets them.
void Hash(long) {
  if (scene == 2) hashes.push_back(HashGameState(GAME_STATE_HASH_START));
}

int PlayGame(void (*before)(long), const char* record, const char* replay) {
  hashes.clear();
  zuSystem::SetUserFolder(DIR.c_str());
  const int status = mainloop::Run(9, before, Hash, 70000, Creeping, mainloop::Nap, record, replay);
  zuSystem::SetUserFolder("");
  return status;
}

std::string Bytes() { return testfiles::Slurp(FILE_PATH); }
void Write(const std::string& bytes) { testfiles::Put(FILE_PATH, bytes); }

class ReplaySession : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::filesystem::create_directories(DIR);
    // The run starts from a kept best score; the playback must start from it too.
    std::ofstream(DIR + "/best-score") << "7777\n";
    // The second recording starts from what a run leaves in the tables, as the playbacks do.
    for (int i = 0; i < 2; ++i) ASSERT_EQ(PlayGame(RecordedPlayer, FILE_PATH.c_str(), nullptr), 0);
    recorded = hashes;
    file = Bytes();
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(DIR); }
  static std::vector<uint64_t> recorded;
  static std::string file;
};
std::vector<uint64_t> ReplaySession::recorded;
std::string ReplaySession::file;

}  // namespace

TEST_F(ReplaySession, PlaysBackFrameForFrameWhateverTheWatcherPresses) {
  ASSERT_GT(recorded.size(), 130u);
  Write(file);
  EXPECT_EQ(PlayGame(Watcher, nullptr, FILE_PATH.c_str()), 0);
  EXPECT_EQ(hashes, recorded);
  EXPECT_EQ(std::string(ReplayOutcome()).rfind("replay: checksum matched (frame 140, score ", 0), 0u)
      << ReplayOutcome();
  // The playback kept its hands off the player's best score.
  std::ifstream best(DIR + "/best-score");
  std::string kept;
  best >> kept;
  EXPECT_EQ(kept, "7777");
}

TEST_F(ReplaySession, ACopyTakenMidRunEndsWhereItWasTaken) {
  ASSERT_EQ(PlayGame(nullptr, nullptr, COPY_PATH.c_str()), 0);
  ASSERT_LT(hashes.size(), recorded.size());
  EXPECT_TRUE(std::equal(hashes.begin(), hashes.end(), recorded.begin()));
  EXPECT_EQ(std::string(ReplayOutcome()).rfind("replay: checksum matched (frame 120, score ", 0), 0u)
      << ReplayOutcome();
  // Nothing to copy from when no recording runs.
  EXPECT_FALSE(CopyRecording(COPY_PATH.c_str()));
}

TEST_F(ReplaySession, AnotherEndOrACutIsSaidAndFails) {
  std::string other = file;
  other[other.size() - 1] ^= 1;  // the checksum's last byte
  Write(other);
  EXPECT_EQ(PlayGame(nullptr, nullptr, FILE_PATH.c_str()), 1);
  EXPECT_EQ(std::string(ReplayOutcome()), "replay: checksum did not match (frame 140, score 0)");
  // Cut inside the trailer: every frame plays, then the cut is said.
  Write(file.substr(0, file.size() - 5));
  EXPECT_EQ(PlayGame(nullptr, nullptr, FILE_PATH.c_str()), 1);
  EXPECT_EQ(hashes, recorded);
  EXPECT_EQ(std::string(ReplayOutcome()), "replay: the recording was cut at frame 140");
}

// Every length the file could have been cut to is either refused (inside the
// header) or a recording of fewer whole frames; none reads past its end.
TEST_F(ReplaySession, AFileCutAnywherePlaysToItsLastWholeFrame) {
  const auto* data = reinterpret_cast<const uint8_t*>(file.data());
  const std::string version = file.substr(11, static_cast<size_t>(file[10]));
  replay::Summary s{};
  char why[replay::REASON_SIZE];
  uint32_t frames = 0;
  bool header = true;
  for (size_t n = 0; n < file.size(); ++n) {
    const std::vector<uint8_t> cut(data, data + n);  // exactly n bytes, for the sanitizers
    const bool ok = replay::CheckFile(cut.data(), n, version.c_str(), &s, why);
    if (header && !ok) continue;
    ASSERT_TRUE(ok) << n << ": " << why;
    header = false;
    EXPECT_TRUE(s.cut) << n;
    EXPECT_GE(s.frames, frames) << n;
    frames = s.frames;
  }
  ASSERT_TRUE(replay::CheckFile(data, file.size(), version.c_str(), &s, why)) << why;
  EXPECT_FALSE(s.cut);
  EXPECT_EQ(s.frames, 140u);
  EXPECT_EQ(frames, 140u);
}

TEST(ReplayEvents, EveryKindReadsBackAsWritten) {
  std::vector<replay::Event> events;
  for (int kind = 0; kind < 4; ++kind) {
    for (int vk : {1, 0x1B, 0x53, 0x59, 0x25, 0x73, 255}) {
      events.push_back({static_cast<replay::EventKind>(kind), static_cast<uint8_t>(vk), 0, 0, 0, 0});
    }
  }
  for (int j = 0; j < 2; ++j) {
    for (int8_t d : {-1, 0, 1}) {
      events.push_back({replay::EventKind::Joystick, static_cast<uint8_t>(j), d, static_cast<int8_t>(-d),
                        static_cast<uint8_t>(d != 0), static_cast<uint8_t>(j)});
    }
  }
  replay::PendingInput input;
  for (const replay::Event& e : events) replay::AddEvent(&input, e);
  std::vector<uint8_t> bytes;
  replay::AppendFrame(&bytes, 70000, 12, input);
  replay::Cursor cursor{bytes.data(), bytes.size(), 0, 0};
  replay::Frame frame{};
  replay::Trailer trailer{};
  char why[replay::REASON_SIZE] = "";
  // [ESC] among a frame's input: no frame can follow it.
  ASSERT_EQ(replay::NextRecord(&cursor, &frame, &trailer, why), replay::Record::Bad);
  EXPECT_NE(std::string(why).find("garbled"), std::string::npos) << why;
  EXPECT_EQ(frame.advance, 70000u);
  EXPECT_EQ(frame.measured, 12u);
  std::vector<replay::Event> read;
  replay::ForEachEvent(bytes.data(), frame.input, bytes.size(), [](const replay::Event& e, void* to) {
    static_cast<std::vector<replay::Event>*>(to)->push_back(e);
  }, &read);
  ASSERT_EQ(read.size(), events.size());
  for (size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(std::memcmp(&read[i], &events[i], sizeof read[i]), 0) << i;
  }
}
