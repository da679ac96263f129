// The best score kept between runs, on a real disk in a scratch folder.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/command_line.h"
#include "game/player/score.h"
#include "lib/system/zuSystem.h"
#include "tests/file_util.h"

namespace fs = std::filesystem;

namespace {

using testfiles::Put;
using testfiles::Slurp;

int StderrLines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class BestScore : public testing::Test {
 protected:
  void SetUp() override {
    root = fs::path(testing::TempDir()) / ("best_score_" + std::to_string(getpid()));
    fs::remove_all(root);
    folder = root / "data" / "skyward-run";
    zuSystem::SetUserFolder(folder.c_str());
  }
  void TearDown() override {
    zuSystem::SetUserFolder("");
    std::error_code ignored;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root, ignored);
  }
  fs::path File() const { return folder / BEST_SCORE_FILE; }
  // Loads, then beats the best with `best`, keeping it; what went to standard error.
  std::string LoadAndKeep(int best) {
    testing::internal::CaptureStderr();
    LoadBestScore();
    if (best > hiScore) hiScore = best;
    KeepBestScore();
    return testing::internal::GetCapturedStderr();
  }
  // Runs `body` in a child process (limits and users stay there); its exit status.
  template <typename Body>
  int InChild(Body body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
  }
  fs::path root, folder;
};

// Sets an environment variable for the life of the test, then puts it back.
struct Env {
  Env(const char* name, const char* value) : name(name) {
    const char* old = std::getenv(name);
    had = old != nullptr;
    if (had) kept = old;
    value != nullptr ? setenv(name, value, 1) : unsetenv(name);
  }
  ~Env() { had ? setenv(name, kept.c_str(), 1) : unsetenv(name); }
  const char* name;
  bool had;
  std::string kept;
};

}  // namespace

TEST_F(BestScore, NewBestIsWrittenAndReadBackOnlyWhenBeaten) {
  EXPECT_EQ(LoadAndKeep(0), "");
  EXPECT_EQ(hiScore, 5000) << "no file: the start value";
  EXPECT_FALSE(fs::exists(folder)) << "nothing beaten, nothing written";
  EXPECT_EQ(LoadAndKeep(12340), "");
  EXPECT_EQ(Slurp(File()), "12340\n");
  hiScore = 0;
  EXPECT_EQ(LoadAndKeep(9000), "");
  EXPECT_EQ(hiScore, 12340) << "read back, and a lower score leaves it";
  EXPECT_EQ(Slurp(File()), "12340\n");
  EXPECT_EQ(LoadAndKeep(SCORE_MAX), "");
  EXPECT_EQ(Slurp(File()), "999999999\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
      << "no temporary file left behind";
}

TEST_F(BestScore, DamagedOrUnreadableFileStartsFrom5000AndIsReplacedOnlyByANewBest) {
  fs::create_directories(folder);
  for (const char* damaged : {"", "12a45\n", "1234\n5678\n", "-300\n", "1000000000\n",
                              "123456789012345678901234567890123456789\n", "\x01\x02\x03"}) {
    Put(File(), damaged);
    EXPECT_EQ(StderrLines(LoadAndKeep(0)), 1) << damaged;
    EXPECT_EQ(hiScore, 5000) << damaged;
    EXPECT_EQ(Slurp(File()), damaged) << "kept as it was until a new best";
  }
  EXPECT_EQ(StderrLines(LoadAndKeep(6000)), 1);
  EXPECT_EQ(Slurp(File()), "6000\n");
  Put(File(), "7000\r\n");  // edited on another system
  EXPECT_EQ(LoadAndKeep(0), "");
  EXPECT_EQ(hiScore, 7000);
  // A folder where the file should be cannot be read: one line, 5000, no crash.
  fs::remove(File());
  fs::create_directories(File());
  EXPECT_EQ(StderrLines(LoadAndKeep(8000)), 2) << "read failure, then write failure";
  EXPECT_EQ(hiScore, 8000);
}

TEST_F(BestScore, FolderThatCannotBeMadeCostsOnlyTheRecord) {
  fs::create_directories(root);
  Put(root / "data", "a file where a folder should be");
  EXPECT_EQ(StderrLines(LoadAndKeep(9000)), 1);
  EXPECT_EQ(hiScore, 9000) << "play goes on with its best";
  testing::internal::CaptureStderr();
  KeepBestScore();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the same best is not tried again";
  EXPECT_EQ(Slurp(root / "data"), "a file where a folder should be");
}

TEST_F(BestScore, ReadOnlyFolderAndFullDiskKeepTheOldRecord) {
  EXPECT_EQ(LoadAndKeep(5500), "");
  ASSERT_EQ(Slurp(File()), "5500\n");
  // A folder the player may not write to (as root: as nobody).
  for (const fs::path& p : {root, root / "data"}) {
    fs::permissions(p, fs::perms::owner_all | fs::perms::others_exec | fs::perms::group_exec);
  }
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                              fs::perms::others_exec | fs::perms::group_read | fs::perms::group_exec);
  const int readOnly = InChild([&] {
    if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 90;
    std::string err = LoadAndKeep(777777);
    return hiScore == 777777 && StderrLines(err) == 1 ? 0 : 1;
  });
  EXPECT_EQ(readOnly, 0);
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(Slurp(File()), "5500\n");
  // A full disk: every write past two bytes fails (and must not end the program;
  // standard error is not captured here, as that too is a file).
  const int full = InChild([&] {
    const rlimit limit{2, 2};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 91;
    LoadBestScore();
    hiScore = 888888;
    KeepBestScore();
    return hiScore == 888888 ? 0 : 1;
  });
  EXPECT_EQ(full, 0);
  EXPECT_EQ(Slurp(File()), "5500\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
      << "the half-written new file was removed";
}

TEST_F(BestScore, DefaultFolderFollowsXdgDataHome) {
  const Env home("HOME", "/home/player"), xdg("XDG_DATA_HOME", "/srv/data");
  zuSystem::SetUserFolder(nullptr);
  EXPECT_STREQ(zuSystem::UserFilePath("best-score"), "/srv/data/skyward-run/best-score");
  for (const char* ignored : {"relative/data", static_cast<const char*>(nullptr)}) {
    const Env notAbsolute("XDG_DATA_HOME", ignored);
    EXPECT_STREQ(zuSystem::UserFilePath("best-score"),
                 "/home/player/.local/share/skyward-run/best-score");
  }
  zuSystem::SetUserFolder("");
  EXPECT_STREQ(zuSystem::UserFilePath("best-score"), "");
}

// A default run reads and writes nothing, even after a game that beats 5000;
// --keep-best-score keeps it in the user's data folder.
TEST_F(BestScore, KeptOnlyWhenTheCommandLineAsks) {
  const fs::path xdg = root / "xdg";
  const Env data("XDG_DATA_HOME", xdg.c_str());
  fs::create_directories(xdg / "skyward-run");
  Put(xdg / "skyward-run" / BEST_SCORE_FILE, "7000\n");
  for (bool keep : {false, true}) {
    const char* argv[] = {"skyward-run", "--keep-best-score"};
    CommandLine commandLine;
    ASSERT_EQ(ParseCommandLine(keep ? 2 : 1, argv, &commandLine, stdout, stderr), -1);
    GameMainOptions options;
    ApplyCommandLine(commandLine, &options);
    hiScore = 0;
    EXPECT_EQ(LoadAndKeep(9000), "");
    EXPECT_EQ(Slurp(xdg / "skyward-run" / BEST_SCORE_FILE), keep ? "9000\n" : "7000\n");
  }
  hiScore = 0;
  LoadBestScore();
  EXPECT_EQ(hiScore, 9000) << "kept, then read back at the next start";
}
