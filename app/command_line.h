// The game's command line. Platform-free: answered before any display or sound
// is touched, so --help and --version work without a desktop.
#pragma once
#include <cstdio>
#include <string>

#include "app/game_main.h"
#include "lib/draw/zuDrawSettings.h"

struct CommandLine {
  zuDraw::ScreenSettings screen;
  // --keep-best-score: the best score is read at start and kept between runs.
  // Without it nothing is read or written, and every run starts from 5000.
  int keepBestScore = 0;
};

// An environment variable the platform reads, as --help names it.
struct HelpVariable {
  const char* name;
  const char* meaning;
};
// Each platform's entry point names the variables it reads (the table stays
// its own); --help lists no others.
void SetHelpVariables(const HelpVariable* variables, int count);

// Returns -1 when the game should start with *settings; otherwise the exit
// status, after the help or version went to `out` or a one-line complaint to `err`.
int ParseCommandLine(int argc, const char* const* argv, CommandLine* settings, std::FILE* out,
                     std::FILE* err);
// The same, the text kept in strings, for a platform that shows it itself.
int ParseCommandLine(int argc, const char* const* argv, CommandLine* settings, std::string* out,
                     std::string* err);

// What the command line asks of the run: the screen settings into options,
// and where (if anywhere) the best score is kept.
void ApplyCommandLine(const CommandLine& commandLine, GameMainOptions* options);
