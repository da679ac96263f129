#include <cstdio>

#include "app/command_line.h"
#include "app/game_main.h"

namespace {

// Every variable the game reads on this platform (each getenv), as the help lists it.
constexpr HelpVariable kVariables[] = {
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

int main(int argc, char** argv) {
  SetHelpVariables(kVariables, static_cast<int>(sizeof kVariables / sizeof kVariables[0]));
  CommandLine commandLine;
  const int status = ParseCommandLine(argc, argv, &commandLine, stdout, stderr);
  if (status >= 0) return status;
  GameMainOptions options;
  ApplyCommandLine(commandLine, &options);
  return GameMain(options);
}
