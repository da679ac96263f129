#include "app/command_line.h"

#include <cstring>

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
    "                keep the best score between runs (in the file named below);\n"
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
    "  Alt+Enter                     window / full screen, at any moment\n"
    "\n"
    "Environment:\n";

struct Variable {
  const char* name;
  const char* meaning;
};

// Every variable the game reads (each getenv of the program), as the help lists it.
constexpr Variable kVariables[] = {
    {"XDG_DATA_HOME", "with --keep-best-score: kept in $XDG_DATA_HOME/skyward-run/best-score"},
    {"HOME", "without XDG_DATA_HOME: in $HOME/.local/share/skyward-run/best-score"},
    {"SDL_SOUNDFONTS", "soundfont (.sf2) for the music instead of the system's own"},
    {"SDL_AUDIODRIVER", "sound output (pulseaudio, alsa, ...); none found: the game is silent"},
    {"SDL_VIDEODRIVER", "display system (x11, wayland)"},
    {"SDL_GAMECONTROLLERCONFIG", "mapping lines for game pads SDL does not know"},
    {"SKYWARD_PRESENT", "texture or window: how the picture reaches the screen (default: the\n"
                        "                   cheaper one this machine has; for a broken driver)"},
};

}  // namespace

int ParseCommandLine(int argc, const char* const* argv, CommandLine* settings, std::FILE* out,
                     std::FILE* err) {
  CommandLine parsed;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0) {
      std::fputs(kUsage, out);
      for (const Variable& v : kVariables) std::fprintf(out, "  %-24s %s\n", v.name, v.meaning);
      return 0;
    }
    if (std::strcmp(arg, "--version") == 0) {
      std::fputs("Skyward Run " SKYWARD_VERSION "\n", out);
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
      std::fprintf(err, "skyward-run: unknown option '%s' (try --help)\n", arg);
      return 2;
    }
  }
  *settings = parsed;
  return -1;
}

void ApplyCommandLine(const CommandLine& commandLine, GameMainOptions* options) {
  options->screen = commandLine.screen;
  // The user's data folder, or nowhere at all.
  zuSystem::SetUserFolder(commandLine.keepBestScore ? nullptr : "");
}
