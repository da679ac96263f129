// Whole games played through the real skyward-replay binary with scripted keys.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Frame = std::map<std::string, double>;

std::string Scratch(const std::string& name) {
  return testing::TempDir() + "game_run_" + std::to_string(getpid()) + "_" + name;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path);
  out << text;
}

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
  const std::string cmd = "env " + environment + std::string(SKYWARD_BIN_DIR) +
                          "/skyward-replay --seed 1 --frames " +
                          std::to_string(frames) + " --input " + input + " --trace " + trace +
                          " " + extra + " 2>" + Scratch(name + ".err");
  ReplayRun run;
  const int status = std::system(cmd.c_str());
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream in(trace);
  std::string line;
  while (std::getline(in, line)) {
    run.frames.push_back(ParseLine(line));
    run.lines.push_back(line);
  }
  std::remove(input.c_str());
  std::remove(trace.c_str());
  return run;
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

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

const std::string DATA = std::string(SKYWARD_SOURCE_DIR) + "/tests/e2e/data/";

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
// random draws shows up within ten frames of where it starts. Regenerate with
// SKYWARD_UPDATE_TRACE=1 after a deliberate change.
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

  bool declined = false;
  for (size_t i = 1; i < run.frames.size(); ++i) {
    const Frame& a = run.frames[i - 1];
    const Frame& b = run.frames[i];
    // [Y] restores 50 energy and 3 bombs and clears the score.
    if (Int(a, "continuePrompt") == 1 && Int(b, "continuePrompt") == 0 &&
        Int(b, "gameOverShown") == 0 && Int(b, "paused") == 0 && !declined) {
      EXPECT_EQ(Int(b, "energy"), 50) << "frame " << i + 1;
      EXPECT_EQ(Int(b, "bombs"), 3);
      EXPECT_EQ(Int(b, "score"), 0);
    }
    if (Int(b, "gameOverShown") == 1) declined = true;
    // Score and energy carry over from stage 1 into stage 2.
    if (Int(a, "scene") == 2 && Int(b, "scene") == 3) {
      EXPECT_EQ(Int(b, "energy"), Int(a, "energy"));
      EXPECT_EQ(Int(b, "score"), Int(a, "score"));
    }
    EXPECT_GE(Int(b, "hiScore"), Int(b, "score"));
    // The starfield chosen in the second game's setup lasts through its stage.
    if (Int(b, "scene") == 2 && i > static_cast<size_t>(boss2Dead)) {
      EXPECT_EQ(Int(b, "plainBackground"), 1) << "frame " << i + 1;
    }
  }

  // The game-over label stays 9 seconds (750 frames of 12 ms), then the title.
  const long shown = FindFrame(run, 0, "gameOverShown", 1);
  ASSERT_GE(shown, 0) << "no game over";
  const long title = FindFrame(run, static_cast<size_t>(shown), "scene", 1);
  ASSERT_GE(title, 0) << "the title did not return";
  EXPECT_NEAR(static_cast<double>(title - shown), 750.0, 3.0);

  const std::string expectedPath = DATA + "whole_game_checksums.txt";
  const std::string actual = ReadFile(sums);
  std::remove(sums.c_str());
  if (std::getenv("SKYWARD_UPDATE_TRACE") != nullptr) {
    WriteFile(expectedPath, actual);
    GTEST_SKIP() << "expected checksums rewritten";
  }
  const std::vector<std::string> want = Lines(ReadFile(expectedPath));
  const std::vector<std::string> have = Lines(actual);
  ASSERT_FALSE(want.empty()) << "missing " << expectedPath;
  for (size_t i = 0; i < want.size() && i < have.size(); ++i) {
    ASSERT_EQ(have[i], want[i]) << "first difference in frames " << i * 10 + 1 << " to "
                                << i * 10 + 10 << "; frame " << i * 10 + 1 << ": "
                                << run.lines[i * 10];
  }
  EXPECT_EQ(have.size(), want.size());

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
// deliberate change.
TEST(GameRun, FixedSeedReplayMatchesTheRecordedChecksums) {
  // The Windows runner plays the same input in its own test.
  std::ifstream script(std::string(SKYWARD_SOURCE_DIR) + "/tests/e2e/data/replay_input.txt");
  std::stringstream input;
  input << script.rdbuf();
  ReplayRun run = Replay("checksum", input.str(), 6000);
  ASSERT_EQ(run.status, 0);
  std::ostringstream actual;
  for (const std::string& line : run.lines) {
    uint32_t h = 2166136261u;
    for (unsigned char c : line) h = (h ^ c) * 16777619u;
    actual << std::hex << h << "\n";
  }
  const std::string expectedPath = std::string(SKYWARD_SOURCE_DIR) + "/tests/e2e/data/replay_checksums.txt";
  if (std::getenv("SKYWARD_UPDATE_TRACE") != nullptr) {
    WriteFile(expectedPath, actual.str());
    GTEST_SKIP() << "expected checksums rewritten";
  }
  std::ifstream in(expectedPath);
  ASSERT_TRUE(in.good()) << "missing " << expectedPath;
  std::istringstream got(actual.str());
  std::string want, have;
  size_t frame = 0;
  while (std::getline(in, want)) {
    ++frame;
    ASSERT_TRUE(static_cast<bool>(std::getline(got, have))) << "trace ends at frame " << frame;
    ASSERT_EQ(have, want) << "first difference at frame " << frame << ": " << run.lines[frame - 1];
  }
  EXPECT_EQ(frame, run.lines.size());
}
