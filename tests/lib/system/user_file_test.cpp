// The kept-file writer against what an interrupted or foreign earlier write
// left beside the file or in its place, on a real disk in a scratch folder.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "lib/system/zuSystem.h"
#include "tests/file_util.h"

namespace fs = std::filesystem;

namespace {

using testfiles::Put;
using testfiles::Slurp;

struct Outcome {
  int read;
  char text[32];
  int wrote;
};

class KeptFile : public testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(testing::TempDir()) / ("kept_file_" + std::to_string(getpid()));
    errors = folder.string() + ".err";
    fs::remove(errors);
    Clear();
    zuSystem::SetUserFolder(folder.c_str());
  }
  void TearDown() override {
    zuSystem::SetUserFolder("");
    fs::remove_all(folder);
    fs::remove(errors);
  }
  // An empty folder that a user of its own may write in.
  void Clear() {
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::all);
  }
  fs::path File() const { return folder / "best"; }
  fs::path Temporary() const { return folder / "best.new"; }
  // Reads the file and then writes "4321\n" over it, in a child process that
  // is not root (as root, nothing is read-only), its standard error kept aside.
  Outcome ReadThenWrite() {
    int out[2];
    EXPECT_EQ(pipe(out), 0);
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
      Outcome o{};
      if ((getuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0)) &&
          std::freopen(errors.c_str(), "w", stderr) != nullptr) {
        o.read = zuSystem::ReadUserFile("best", o.text, sizeof o.text);
        o.wrote = zuSystem::WriteUserFile("best", "4321\n", 5);
        std::fflush(stderr);
      } else {
        o.read = 99;
      }
      _exit(write(out[1], &o, sizeof o) == sizeof o ? 0 : 1);
    }
    Outcome o{};
    close(out[1]);
    EXPECT_EQ(read(out[0], &o, sizeof o), static_cast<ssize_t>(sizeof o));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return o;
  }
  int ErrorLines() {
    const std::string text = Slurp(errors);
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  }
  fs::path folder;
  std::string errors;
};

}  // namespace

// What is read back: -1 nothing there, -2 something there that cannot be
// read, else the bytes. The next write leaves the whole new file and nothing
// beside it, or fails saying so and leaves the old file as it was.
TEST_F(KeptFile, WhatAnEarlierWriteLeftBehindIsReadAndReplaced) {
  const struct {
    const char* name;
    std::function<void()> leave;
    int read;
    const char* text;
    bool written;
    int errorLines;
  } cases[] = {
      {"nothing yet", [] {}, -1, "", true, 0},
      {"a stale temporary longer than the new file",
       [this] {
         Put(File(), "12340\n");
         Put(Temporary(), "999999999\nand the rest of a longer file");
       },
       6, "12340\n", true, 0},
      {"a temporary, the file never renamed", [this] { Put(Temporary(), "12340\n"); }, -1, "", true, 0},
      {"an empty file", [this] { Put(File(), ""); }, 0, "", true, 0},
      {"a file cut short", [this] { Put(File(), "123"); }, 3, "123", true, 0},
      {"a read-only temporary",
       [this] {
         Put(File(), "777\n");
         Put(Temporary(), "12340\n");
         fs::permissions(Temporary(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       4, "777\n", true, 0},
      {"a temporary that links to another file",
       [this] {
         Put(File(), "777\n");
         Put(folder / "other", "other\n");
         fs::create_symlink(folder / "other", Temporary());
       },
       4, "777\n", true, 0},
      {"an unreadable file",
       [this] {
         Put(File(), "777\n");
         fs::permissions(File(), fs::perms::none);
       },
       -2, "", true, 1},
      {"a folder in place of the temporary",
       [this] {
         Put(File(), "777\n");
         fs::create_directory(Temporary());
       },
       4, "777\n", false, 1},
      {"a folder in place of the file", [this] { fs::create_directory(File()); }, -2, "", false, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Clear();
    c.leave();
    const bool folderInPlace = fs::is_directory(File());
    const bool folderForTemporary = fs::is_directory(Temporary());
    const std::string before = folderInPlace ? "" : Slurp(File());
    const Outcome o = ReadThenWrite();
    EXPECT_EQ(o.read, c.read);
    EXPECT_STREQ(o.text, c.text);
    EXPECT_EQ(o.wrote, c.written ? 1 : 0);
    EXPECT_EQ(ErrorLines(), c.errorLines) << Slurp(errors);
    EXPECT_EQ(fs::exists(fs::symlink_status(Temporary())), folderForTemporary) << "left beside the file";
    if (c.written) {
      EXPECT_EQ(Slurp(File()), "4321\n");
    } else {
      EXPECT_EQ(fs::is_directory(File()), folderInPlace);
      EXPECT_EQ(folderInPlace ? "" : Slurp(File()), before);
    }
    if (fs::exists(folder / "other")) {
      EXPECT_EQ(Slurp(folder / "other"), "other\n");
    }
  }
}

TEST_F(KeptFile, ReadFitsItsBufferAndWriteOfNothingIsRefusedQuietly) {
  Put(File(), "12345\n");
  char buffer[5] = {'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(zuSystem::ReadUserFile("best", buffer, 4), 3);
  EXPECT_STREQ(buffer, "123");
  EXPECT_EQ(buffer[4], 'x');
  EXPECT_EQ(zuSystem::ReadUserFile("best", buffer, 0), -1);
  EXPECT_EQ(buffer[0], '1');
  testing::internal::CaptureStderr();
  EXPECT_EQ(zuSystem::WriteUserFile("other", "12", -1), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(fs::exists(folder / "other"));
  EXPECT_FALSE(fs::exists(folder / "other.new"));
}
