#include "app/command_line.h"

#include <cstring>
#include <string>

#include "lib/system/zuSystem.h"

#ifndef SKYWARD_VERSION
#define SKYWARD_VERSION "unknown"
#endif

namespace {

constexpr const char* kUsage =
    "Usage: skyward-run [OPTION]...\n"
    "Skyward Run, a vertical-scrolling shoot-'em-up.\n"
    "\n"
    "Options:\n"
    "  --fullscreen  cover the whole desktop (the default)\n"
    "  --window      start in a window\n"
    "  --no-vsync    present without waiting for the display's refresh\n"
    "  --keep-best-score\n"
    "                keep the best score between runs, in the user's data folder;\n"
    "                without it every run starts from 5000 and nothing is written\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "Keys:\n"
    "  cursor keys, keypad 8 4 6 2   move the ship; also a pad's stick, hat or D-pad\n"
    "  Z or Shift                    fire (both held: double rate); pad A, or button 1\n"
    "  X or Ctrl                     bomb, clears the enemies' shots; pad B, or button 2\n"
    "  Space                         title -> setup screen\n"
    "  Enter or F2                   start the game from the setup screen\n"
    "  F4                            on the setup screen: plain starfield background\n"
    "  S                             pause / resume\n"
    "  Y / N                         answer the continue question\n"
    "  Esc                           quit, from anywhere\n"
    "  Alt+Enter                     window / full screen, at any moment\n";

// The platform's environment variables, as its entry point named them.
const HelpVariable* helpVariables = nullptr;
int helpVariableCount = 0;

}  // namespace

void SetHelpVariables(const HelpVariable* variables, int count) {
  helpVariables = variables;
  helpVariableCount = count;
}

int ParseCommandLine(int argc, const char* const* argv, CommandLine* settings, std::string* out,
                     std::string* err) {
  CommandLine parsed;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0) {
      *out = kUsage;
      if (helpVariableCount > 0) *out += "\nEnvironment:\n";
      for (int v = 0; v < helpVariableCount; ++v) {
        char line[512];
        std::snprintf(line, sizeof line, "  %-24s %s\n", helpVariables[v].name,
                      helpVariables[v].meaning);
        *out += line;
      }
      return 0;
    }
    if (std::strcmp(arg, "--version") == 0) {
      *out = "Skyward Run " SKYWARD_VERSION "\n";
      return 0;
    }
    if (std::strcmp(arg, "--window") == 0) {
      parsed.screen.windowed = 1;
    } else if (std::strcmp(arg, "--fullscreen") == 0) {
      parsed.screen.windowed = 0;
    } else if (std::strcmp(arg, "--no-vsync") == 0) {
      parsed.screen.vsync = 0;
    } else if (std::strcmp(arg, "--keep-best-score") == 0) {
      parsed.keepBestScore = 1;
    } else {
      *err = std::string("skyward-run: unknown option '") + arg + "' (try --help)\n";
      return 2;
    }
  }
  *settings = parsed;
  return -1;
}

int ParseCommandLine(int argc, const char* const* argv, CommandLine* settings, std::FILE* out,
                     std::FILE* err) {
  std::string said, complaint;
  const int status = ParseCommandLine(argc, argv, settings, &said, &complaint);
  std::fputs(said.c_str(), out);
  std::fputs(complaint.c_str(), err);
  return status;
}

void ApplyCommandLine(const CommandLine& commandLine, GameMainOptions* options) {
  options->screen = commandLine.screen;
  // The user's data folder, or nowhere at all.
  zuSystem::SetUserFolder(commandLine.keepBestScore ? nullptr : "");
}
