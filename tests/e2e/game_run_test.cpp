// Whole games played through the real skyward-replay binary with scripted keys,
// and the runner's own command line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/file_util.h"

namespace {

using testfiles::Lines;

using Frame = std::map<std::string, double>;

const std::string DATA = std::string(SKYWARD_SOURCE_DIR) + "/tests/e2e/data/";

std::string Scratch(const std::string& name) {
  return testing::TempDir() + "game_run_" + std::to_string(getpid()) + "_" + name;
}

std::string ReadFile(const std::string& path) { return testfiles::Slurp(path); }
void WriteFile(const std::string& path, const std::string& text) { testfiles::Put(path, text); }

// Runs skyward-replay (or another program of the build) with these arguments;
// its exit status, its standard error and output.
int RunReplay(const std::string& args, std::string* err = nullptr, const std::string& environment = "",
              std::string* out = nullptr, const std::string& program = "skyward-replay") {
  const std::string errFile = Scratch("stderr.txt");
  const std::string outFile = Scratch("stdout.txt");
  const int status = std::system(("env " + environment + std::string(SKYWARD_BIN_DIR) + "/" +
                                  program + " " + args + " 2>" + errFile + " >" + outFile).c_str());
  if (err != nullptr) *err = ReadFile(errFile);
  if (out != nullptr) *out = ReadFile(outFile);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A folder made empty, and whether it still is.
std::string EmptyFolder(const std::string& name) {
  const std::string dir = Scratch(name);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}
bool IsEmpty(const std::string& dir) { return std::filesystem::is_empty(dir); }

// Numeric fields of one trace line; that is all the trace holds.
Frame ParseLine(const std::string& line) {
  Frame f;
  size_t pos = 0;
  while ((pos = line.find('"', pos)) != std::string::npos) {
    size_t end = line.find('"', pos + 1);
    if (end == std::string::npos || end + 1 >= line.size() || line[end + 1] != ':') break;
    std::string key = line.substr(pos + 1, end - pos - 1);
    f[key] = std::strtod(line.c_str() + end + 2, nullptr);
    pos = end + 2;
  }
  return f;
}

struct ReplayRun {
  int status = -1;
  std::vector<std::string> lines;
  std::vector<Frame> frames;  // frames[i] is frame i + 1
};

ReplayRun Replay(const std::string& name, const std::string& script, long frames,
                 const std::string& extra = "", const std::string& environment = "") {
  const std::string input = Scratch(name + ".txt");
  const std::string trace = Scratch(name + ".jsonl");
  WriteFile(input, script);
  ReplayRun run;
  run.status = RunReplay("--seed 1 --frames " + std::to_string(frames) + " --input " + input +
                       " --trace " + trace + " " + extra, nullptr, environment);
  run.lines = Lines(ReadFile(trace));
  for (const std::string& line : run.lines) run.frames.push_back(ParseLine(line));
  std::remove(input.c_str());
  std::remove(trace.c_str());
  return run;
}

// The checksums against the recorded ones (rewritten instead with
// SKYWARD_UPDATE_TRACE=1); each line stands for `per` frames of the run.
void ExpectRecorded(const std::string& file, const std::string& actual, const ReplayRun& run,
                    size_t per) {
  if (std::getenv("SKYWARD_UPDATE_TRACE") != nullptr) {
    WriteFile(DATA + file, actual);
    GTEST_SKIP() << "expected checksums rewritten";
  }
  const std::vector<std::string> want = Lines(ReadFile(DATA + file));
  const std::vector<std::string> have = Lines(actual);
  ASSERT_FALSE(want.empty()) << "missing " << file;
  for (size_t i = 0; i < want.size() && i < have.size(); ++i) {
    ASSERT_EQ(have[i], want[i]) << "first difference in frames " << i * per + 1 << " to "
                                << (i + 1) * per << "; frame " << i * per + 1 << ": "
                                << run.lines[i * per];
  }
  EXPECT_EQ(have.size(), want.size());
}

// Scenes in the order they were first entered, repeats collapsed.
std::vector<int> SceneRoad(const ReplayRun& run) {
  std::vector<int> road;
  for (const Frame& f : run.frames) {
    int s = static_cast<int>(f.at("scene"));
    if (road.empty() || road.back() != s) road.push_back(s);
  }
  return road;
}

int Int(const Frame& f, const char* key) { return static_cast<int>(f.at(key)); }

// The first frame from `from` on where key has the value, or -1.
long FindFrame(const ReplayRun& run, size_t from, const char* key, int value) {
  for (size_t i = from; i < run.frames.size(); ++i) {
    if (Int(run.frames[i], key) == value) return static_cast<long>(i);
  }
  return -1;
}

// The first frame of that stage scene where its boss has no hit points left.
long BossDeath(const ReplayRun& run, int stageScene, const char* hitPoints) {
  for (size_t i = 0; i < run.frames.size(); ++i) {
    const Frame& f = run.frames[i];
    if (Int(f, "scene") == stageScene && f.at(hitPoints) <= 0.0) return static_cast<long>(i);
  }
  return -1;
}

}  // namespace

// The whole game, pinned: title, setup, stage 1 and its boss, stage 2 and its
// boss, continues on the way, the title; then a second game on the starfield
// that declines the continue question, the game-over label and the title again.
// Every ten frames' game state and play-column picture are compared with the
// recorded checksums, so any change of behaviour, of drawing or of the order of
// random draws shows up within ten frames of where it starts (what a continue
// restores, what carries into stage 2, how long the game-over label stays).
// Regenerate with SKYWARD_UPDATE_TRACE=1 after a deliberate change; the checks
// before the checksums make sure the run still goes everywhere it went.
TEST(GameRun, WholeGameMatchesTheRecordedChecksums) {
  const std::string sums = Scratch("whole.sums");
  // An empty record folder: the run starts from 5000 and keeps its best there.
  const std::string records = Scratch("records");
  std::filesystem::remove_all(records);
  const long frames = 25700;
  ReplayRun run = Replay("whole", ReadFile(DATA + "whole_game_input.txt"), frames,
                         "--checksums " + sums + " --record-dir " + records);
  ASSERT_EQ(run.status, 0);
  ASSERT_EQ(run.frames.size(), static_cast<size_t>(frames));
  EXPECT_EQ(SceneRoad(run), (std::vector<int>{1, 11, 2, 3, 1, 11, 2, 1}));

  // Both bosses die of their wounds, well before their time limits.
  const long boss1Dead = BossDeath(run, 2, "boss1HitPoints");
  const long boss2Dead = BossDeath(run, 3, "boss2HitPoints");
  ASSERT_GE(boss1Dead, 0);
  ASSERT_GE(boss2Dead, 0);
  EXPECT_LT(run.frames[boss1Dead].at("stageClock"), 10000.0);
  EXPECT_LT(run.frames[boss2Dead].at("stageClock"), 11000.0);
  EXPECT_GE(FindFrame(run, static_cast<size_t>(boss2Dead), "plainBackground", 1), 0) << "no starfield";
  EXPECT_GE(FindFrame(run, 0, "gameOverShown", 1), 0) << "no game over";

  const std::string actual = ReadFile(sums);
  std::remove(sums.c_str());
  ExpectRecorded("whole_game_checksums.txt", actual, run, 10);

  // The best of the run was kept when its games ended, and the next start reads it,
  // while a replay without a record folder keeps to 5000 and writes nothing.
  int best = 0;
  for (const Frame& f : run.frames) best = std::max(best, Int(f, "hiScore"));
  EXPECT_GT(best, 5000);
  EXPECT_EQ(ReadFile(records + "/best-score"), std::to_string(best) + "\n");
  EXPECT_EQ(Int(Replay("again", "", 1, "--record-dir " + records).frames.at(0), "hiScore"), best);
  // The player's own file, where the game would look for it.
  std::filesystem::create_directories(records + "/skyward-run");
  WriteFile(records + "/skyward-run/best-score", "7777\n");
  const std::string player = "HOME=" + records + " XDG_DATA_HOME=" + records + " ";
  EXPECT_EQ(Int(Replay("none", "", 1, "", player).frames.at(0), "hiScore"), 5000);
  std::filesystem::remove_all(records);
}

// Any change of behaviour or of the order of random draws shows up here, at the
// first frame where it starts. Regenerate with SKYWARD_UPDATE_TRACE=1 after a
// deliberate change. The Windows runner plays the same input in its own test.
TEST(GameRun, FixedSeedReplayMatchesTheRecordedChecksums) {
  ReplayRun run = Replay("checksum", ReadFile(DATA + "replay_input.txt"), 6000);
  ASSERT_EQ(run.status, 0);
  std::ostringstream actual;
  for (const std::string& line : run.lines) {
    uint32_t h = 2166136261u;
    for (unsigned char c : line) h = (h ^ c) * 16777619u;
    actual << std::hex << h << "\n";
  }
  ExpectRecorded("replay_checksums.txt", actual.str(), run, 1);
}

// The trace is pinned line by line by the fixed-seed checksums.
TEST(ReplayBasics, Screenshot) {
  const std::string shot = Scratch("f3.bmp");
  std::remove(shot.c_str());
  ASSERT_EQ(RunReplay("--frames 5 --screenshot 3=" + shot), 0);
  const std::string bmp = ReadFile(shot);
  ASSERT_GE(bmp.size(), 26u);
  auto byte = [&](size_t i) { return static_cast<unsigned char>(bmp[i]); };
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(byte(18) | (byte(19) << 8), 640);
  EXPECT_EQ(byte(22) | (byte(23) << 8), 480);
}

TEST(ReplayBasics, BadArgumentsAreReported) {
  std::string err;
  EXPECT_NE(RunReplay("--frames zero", &err), 0);
  EXPECT_NE(err.find("--frames"), std::string::npos);
  const std::string script = Scratch("bad.txt");
  WriteFile(script, "# fine\n1 down z\n2 down nosuchkey\n");
  EXPECT_NE(RunReplay("--input " + script, &err), 0);
  EXPECT_NE(err.find(":3: unknown key"), std::string::npos) << err;
  for (const char* line : {"0 down z", "4 press z", "4 down z extra", "4 down", "x down z"}) {
    WriteFile(script, std::string(line) + "\n");
    EXPECT_EQ(RunReplay("--input " + script, &err), 2) << line;
    EXPECT_NE(err.find(":1: "), std::string::npos) << line;
  }
}

// A recorded run is the run it records, and plays back frame for frame; a run
// without the option, and a playback, write nothing anywhere.
TEST(ReplayFiles, RecordedRunPlaysBackFrameForFrame) {
  const std::string home = EmptyFolder("home");
  const std::string file = Scratch("run.skr");
  const std::string script = ReadFile(DATA + "replay_input.txt");
  const std::string away = "-C " + home + " HOME=" + home + " XDG_DATA_HOME=" + home + " ";
  const ReplayRun plain = Replay("plain", script, 1000, "", away);
  ASSERT_EQ(plain.status, 0);
  EXPECT_TRUE(IsEmpty(home));
  const ReplayRun recorded = Replay("recorded", script, 1000, "--record " + file);
  ASSERT_EQ(recorded.status, 0);
  EXPECT_EQ(recorded.lines, plain.lines);
  // About a byte a frame.
  EXPECT_LT(std::filesystem::file_size(file), 1200u);

  const std::string trace = Scratch("played.jsonl");
  std::string out;
  ASSERT_EQ(RunReplay("--replay " + file + " --trace " + trace, nullptr, away, &out), 0);
  EXPECT_EQ(Lines(ReadFile(trace)), plain.lines);
  EXPECT_EQ(out, "replay: checksum matched (frame 1000, score " +
                     std::to_string(Int(plain.frames.back(), "score")) + ")\n");
  EXPECT_TRUE(IsEmpty(home));

  // Killed while it records: what was written plays to where it ends, and says so.
  WriteFile(Scratch("input.txt"), script);
  std::remove(file.c_str());
  std::system(("(env " + std::string(SKYWARD_BIN_DIR) + "/skyward-replay --seed 1 --input " +
               Scratch("input.txt") + " --record " + file + " & pid=$!; for i in $(seq 300); do " +
               "[ $(stat -c %s " + file + ") -gt 300 ] && break; sleep 0.1; done; " +
               "kill -9 $pid; wait $pid) 2>/dev/null").c_str());
  ASSERT_EQ(RunReplay("--replay " + file + " --trace " + trace, nullptr, "", &out), 1);
  const std::vector<std::string> played = Lines(ReadFile(trace));
  ASSERT_GT(played.size(), 200u);
  ASSERT_LT(played.size(), plain.lines.size());
  EXPECT_EQ(played, std::vector<std::string>(plain.lines.begin(), plain.lines.begin() + played.size()));
  EXPECT_EQ(out, "replay: the recording was cut at frame " + std::to_string(played.size()) + "\n");
  std::filesystem::remove_all(home);
}

// Refused in one line naming the file and the reason, with status 2, before
// anything opens (there is no display here) and without writing anything.
TEST(ReplayFiles, DamagedFilesAreRefusedBeforeAnythingOpens) {
  const std::string file = Scratch("damaged.skr");
  ASSERT_EQ(RunReplay("--frames 30 --record " + file), 0);
  const std::string good = ReadFile(file);
  ASSERT_GT(good.size(), 31u);
  const size_t frame = 31 + static_cast<unsigned char>(good[10]);  // the first frame's byte
  auto with = [&](size_t at, const std::string& bytes, size_t replaced = 1) {
    return good.substr(0, at) + bytes + good.substr(at + replaced);
  };
  const struct {
    std::string bytes, reason;
  } cases[] = {
      {"hello\n", "not a Skyward Run replay"},
      {with(8, "\x02"), "replay format 2; this game plays format 1"},
      {with(11, "x"), "recorded by Skyward Run x"},
      {with(frame, "\x4C\x70"), "frame data garbled at byte " + std::to_string(frame + 1) + " (frame 1)"},
      {with(frame, "\x40"), "frame 1 has a frame time of 0 ms"},
      {with(frame, "\x3F\x80\xDD\xDB\x01"), "frame 1 has a frame time of 3600000 ms (at most 60000)"},
      {good + std::string(16 << 20, '\0'), "larger than 16 MB"},
  };
  const std::string home = EmptyFolder("refused");
  const std::string env = "-u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -C " + home + " HOME=" +
                          home + " XDG_DATA_HOME=" + home + " ";
  for (const auto& c : cases) {
    WriteFile(file, c.bytes);
    std::string err, out;
    EXPECT_EQ(RunReplay("--replay " + file, &err, env, &out, "skyward-run"), 2) << c.reason;
    EXPECT_EQ(err.rfind("replay: cannot play " + file + ": " + c.reason, 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(out, "");
  }
  EXPECT_TRUE(IsEmpty(home));
  std::filesystem::remove_all(home);
  std::remove(file.c_str());
}
