#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "app/command_line.h"
#include "tests/file_util.h"

namespace {

struct Parsed {
  int status;
  CommandLine settings;
  std::string out, err;
};

std::string Drain(std::FILE* f) {
  std::rewind(f);
  std::string text;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  std::fclose(f);
  return text;
}

Parsed Parse(std::initializer_list<const char*> args) {
  const char* argv[8] = {"skyward-run"};
  int argc = 1;
  for (const char* a : args) argv[argc++] = a;
  Parsed p;
  p.settings.screen.windowed = 7;  // shows whether the parser wrote the settings
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  p.status = ParseCommandLine(argc, argv, &p.settings, out, err);
  p.out = Drain(out);
  p.err = Drain(err);
  return p;
}

// The program itself, with no display of any kind.
int RunGame(const std::string& args, std::string* out, std::string* err) {
  const std::string base = testing::TempDir() + "command_line_";
  const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " +
                          std::string(SKYWARD_BIN_DIR) + "/skyward-run " + args + " >" + base +
                          "out 2>" + base + "err";
  const int status = std::system(cmd.c_str());
  *out = testfiles::Slurp(base + "out");
  *err = testfiles::Slurp(base + "err");
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(CommandLine, OptionsSetTheScreenTheLastOneWins) {
  Parsed p = Parse({});
  EXPECT_EQ(p.status, -1);
  EXPECT_EQ(p.settings.screen.windowed, 0);
  EXPECT_EQ(p.settings.screen.vsync, 1);
  p = Parse({"--window", "--no-vsync"});
  EXPECT_EQ(p.status, -1);
  EXPECT_EQ(p.settings.screen.windowed, 1);
  EXPECT_EQ(p.settings.screen.vsync, 0);
  p = Parse({"--window", "--fullscreen"});
  EXPECT_EQ(p.settings.screen.windowed, 0);
  EXPECT_EQ(p.out + p.err, "");
  p = Parse({"--replay", "run.skr"});
  EXPECT_EQ(p.status, -1);
  EXPECT_STREQ(p.settings.replayPath, "run.skr");
  EXPECT_EQ(p.settings.recordPath, nullptr);
}

TEST(CommandLine, UnknownOptionIsOneLineAndStatusTwo) {
  for (auto args : {std::initializer_list<const char*>{"--windowed"},
                    std::initializer_list<const char*>{"--window", "-h"},
                    std::initializer_list<const char*>{"level2"},
                    std::initializer_list<const char*>{"--window", "--record"},
                    std::initializer_list<const char*>{"--record", "a.skr", "--replay", "b.skr"}}) {
    const Parsed p = Parse(args);
    EXPECT_EQ(p.status, 2);
    EXPECT_EQ(p.settings.screen.windowed, 7) << "settings written on a refusal";
    EXPECT_EQ(p.out, "");
    EXPECT_EQ(std::count(p.err.begin(), p.err.end(), '\n'), 1) << p.err;
    EXPECT_NE(p.err.find(*(args.end() - 1)), std::string::npos) << p.err;
  }
}

// Every variable the program reads here is in its help, so the help cannot fall
// behind the code; the other platforms' variables are not.
TEST(CommandLine, HelpNamesOptionsKeysAndEveryVariableThisPlatformReads) {
  const Parsed p = Parse({"--window", "--help", "--bogus"});
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.err, "");
  for (const char* word : {"--window", "--fullscreen", "--no-vsync", "--version", "Esc", "--record",
                           "--replay"}) {
    EXPECT_NE(p.out.find(word), std::string::npos) << word;
  }
  std::string help, err;
  ASSERT_EQ(RunGame("--help", &help, &err), 0);
  EXPECT_EQ(help.rfind(p.out, 0), 0u) << help;
  std::set<std::string> read;
  const std::regex call(R"re(getenv\("([A-Za-z_0-9]+)"\))re");
  for (const char* folder : {"app", "lib", "game"}) {
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(std::string(SKYWARD_SOURCE_DIR) + "/" + folder)) {
      const std::string path = entry.path().generic_string();
      // The other platforms' layers.
      if (!entry.is_regular_file() || path.find("/win32/") != std::string::npos ||
          path.find("/web/") != std::string::npos) {
        continue;
      }
      const std::string text = testfiles::Slurp(entry.path());
      for (std::sregex_iterator m(text.begin(), text.end(), call), end; m != end; ++m) {
        read.insert((*m)[1]);
      }
    }
  }
  EXPECT_GE(read.size(), 4u);
  for (const std::string& name : read) EXPECT_NE(help.find(name), std::string::npos) << name;
  EXPECT_EQ(help.find("LOCALAPPDATA"), std::string::npos);
}

TEST(CommandLine, GameAnswersWithoutAnyDisplay) {
  std::string out, err;
  EXPECT_EQ(RunGame("--help", &out, &err), 0);
  EXPECT_EQ(out.rfind("Usage: skyward-run", 0), 0u) << out;
  EXPECT_EQ(err, "");
  EXPECT_EQ(RunGame("--version", &out, &err), 0);
  EXPECT_TRUE(std::regex_match(out, std::regex("Skyward Run [0-9]+\\.[0-9]+(\\.[0-9]+)*\n"))) << out;
  EXPECT_EQ(RunGame("--fulscreen", &out, &err), 2);
  EXPECT_EQ(out, "");
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}
