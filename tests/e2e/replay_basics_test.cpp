// Drives the real skyward-replay binary.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Scratch(const std::string& name) {
  return testing::TempDir() + "replay_basics_" + std::to_string(getpid()) + "_" + name;
}

int Replay(const std::string& args, std::string* err = nullptr) {
  const std::string errFile = Scratch("stderr.txt");
  const std::string cmd =
      std::string(SKYWARD_BIN_DIR) + "/skyward-replay " + args + " 2>" + errFile;
  const int status = std::system(cmd.c_str());
  if (err != nullptr) {
    std::ifstream in(errFile);
    std::stringstream ss;
    ss << in.rdbuf();
    *err = ss.str();
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path);
  out << text;
}

}  // namespace

TEST(ReplayBasics, FramesScreenshotAndTrace) {
  const std::string shot = Scratch("f3.bmp");
  const std::string trace = Scratch("trace.jsonl");
  std::remove(shot.c_str());
  ASSERT_EQ(Replay("--frames 5 --screenshot 3=" + shot + " --trace " + trace), 0);
  const std::vector<std::string> lines = Lines(trace);
  ASSERT_EQ(lines.size(), 5u);
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].rfind("{\"frame\":" + std::to_string(i + 1) + ",", 0), 0u) << lines[i];
    for (const char* field : {"scene", "stageClock", "score", "hiScore", "energy", "bombs",
                              "playerX", "playerY", "playerAlive", "paused", "continuePrompt",
                              "gameOverShown", "boss1HitPoints", "boss2HitPoints", "lastKey"}) {
      EXPECT_NE(lines[i].find(std::string("\"") + field + "\":"), std::string::npos) << field;
    }
  }
  std::ifstream bmp(shot, std::ios::binary);
  ASSERT_TRUE(bmp.good());
  unsigned char h[26] = {};
  bmp.read(reinterpret_cast<char*>(h), sizeof h);
  EXPECT_EQ(h[0], 'B');
  EXPECT_EQ(h[1], 'M');
  EXPECT_EQ(h[18] | (h[19] << 8), 640);
  EXPECT_EQ(h[22] | (h[23] << 8), 480);
}

TEST(ReplayBasics, BadArgumentsAreReported) {
  std::string err;
  EXPECT_NE(Replay("--frames zero", &err), 0);
  EXPECT_NE(err.find("--frames"), std::string::npos);
  const std::string script = Scratch("bad.txt");
  WriteFile(script, "# fine\n1 down z\n2 down nosuchkey\n");
  EXPECT_NE(Replay("--input " + script, &err), 0);
  EXPECT_NE(err.find(":3: unknown key"), std::string::npos) << err;
  for (const char* line : {"0 down z", "4 press z", "4 down z extra", "4 down", "x down z"}) {
    WriteFile(script, std::string(line) + "\n");
    EXPECT_EQ(Replay("--input " + script, &err), 2) << line;
    EXPECT_NE(err.find(":1: "), std::string::npos) << line;
  }
}

