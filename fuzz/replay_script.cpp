// Fuzzes the replay runner's input-script parser, line by line as the runner
// reads a script, and the key-name lookup on every word.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "tools/replay/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::string line;
  while (std::getline(in, line)) {
    ScriptEvent event{};
    bool hasEvent = false;
    std::string reason;
    const bool ok = ParseScriptLine(line, &event, &hasEvent, &reason);
    // A good line is either empty or one event with a known key; a bad one says why.
    if (ok && hasEvent && (event.frame < 1 || event.virtualKey <= 0 || event.virtualKey > 255)) {
      __builtin_trap();
    }
    if (!ok && reason.empty()) __builtin_trap();
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
      const int vk = KeyFromName(word);
      if (vk < 0 || vk > 255) __builtin_trap();
    }
  }
  return 0;
}
