// Helpers shared by the reliability suites: scratch folders, files, and runs
// of the real binaries with their standard error captured.
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/file_util.h"

namespace reliability {

namespace fs = std::filesystem;

inline std::string Scratch(const std::string& name) {
  const fs::path dir = fs::path(testing::TempDir()) /
                       ("skyward_reliability_" + std::to_string(getpid()) + "_" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir.string();
}

inline std::string ReadFile(const std::string& path) { return testfiles::Slurp(path); }
inline void WriteFile(const std::string& path, const std::string& bytes) { testfiles::Put(path, bytes); }
using testfiles::Lines;

struct RunResult {
  bool exited = false;  // ended by exit(), not by a signal
  int status = -1;      // exit status when exited
  std::string err;      // standard error
};

// Runs a shell command with standard error captured into errPath.
inline RunResult RunCommand(const std::string& command, const std::string& errPath) {
  RunResult r;
  const int status = std::system((command + " 2>" + errPath).c_str());
  r.exited = WIFEXITED(status);
  r.status = r.exited ? WEXITSTATUS(status) : -1;
  r.err = ReadFile(errPath);
  return r;
}

inline std::string ReplayBinary() { return std::string(SKYWARD_BIN_DIR) + "/skyward-replay"; }

// Copies the generated pictures, sounds and music into a new folder.
inline std::string CopyAssets(const std::string& name) {
  const std::string dir = Scratch(name);
  for (const auto& entry : fs::directory_iterator(SKYWARD_BIN_DIR)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".BMP" || ext == ".WAV" || ext == ".MID") {
      fs::copy_file(entry.path(), fs::path(dir) / entry.path().filename());
    }
  }
  return dir;
}

// Lines a sanitizer would print; any of them fails a run.
inline bool HasSanitizerReport(const std::string& err) {
  return err.find("AddressSanitizer") != std::string::npos ||
         err.find("LeakSanitizer") != std::string::npos ||
         err.find("runtime error:") != std::string::npos;
}

}  // namespace reliability
