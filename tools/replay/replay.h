// skyward-replay: the real start-up and main loop, headless, on a virtual clock
// with scripted input.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ScriptEvent {
  long frame;   // pushed before this frame (1 = the first)
  bool down;
  int virtualKey;
};

// Parses one line of an input script. Returns false with a reason for a bad line;
// blank and comment lines give true with *hasEvent false.
bool ParseScriptLine(const std::string& line, ScriptEvent* event, bool* hasEvent,
                     std::string* reason);
// Virtual-key code of a key name or hexadecimal code, 0 if unknown.
int KeyFromName(const std::string& name);

int ReplayMain(int argc, char** argv);
