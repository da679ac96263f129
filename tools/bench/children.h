// The measurements that need a fresh process: start-up to the first presented
// frame, and a whole scripted game for its peak memory.
#pragma once
#include <cstdint>
#include <string>

namespace perf {

// Child side: run the real start-up and print the monotonic time of the first
// present; run a whole game (title, setup, both stages and bosses, title).
int StartupChild();
int WholeRunChild();

struct ChildResult {
  bool ok = false;
  std::string output;   // what the child printed
  uint64_t spawnedNs = 0;  // monotonic time just before the child was started
  uint64_t endedNs = 0;
  long maxRssKb = 0;
};

// Runs this program again with one argument, the video and audio drivers dummy.
ChildResult RunSelf(const char* mode);

}  // namespace perf
