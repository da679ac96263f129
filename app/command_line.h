// The game's command line. Platform-free: answered before any display or sound
// is touched, so --help and --version work without a desktop.
#pragma once
#include <cstdio>

#include "lib/draw/zuDrawSettings.h"

struct CommandLine {
  zuDraw::ScreenSettings screen;
};

// Returns -1 when the game should start with *settings; otherwise the exit
// status, after the help or version went to `out` or a one-line complaint to `err`.
int ParseCommandLine(int argc, const char* const* argv, CommandLine* settings, std::FILE* out,
                     std::FILE* err);
