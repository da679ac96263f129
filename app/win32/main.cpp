// The program's entry point on Windows.

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/game_main.h"
#include "app/replay_session.h"
#include "app/win32/messages.h"
#include "lib/win32/win32.h"

#include <shellapi.h>  // after windows.h

namespace {

// Every variable the game reads on Windows, as the help lists it.
constexpr HelpVariable kVariables[] = {
    {"LOCALAPPDATA", "the user's data folder: skyward-run\\skyward-run.log in it keeps the\n"
                     "                           game's notices; with --keep-best-score,\n"
                     "                           skyward-run\\best-score the best score"},
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  appInstance = instance;
  SetHelpVariables(kVariables, static_cast<int>(sizeof kVariables / sizeof kVariables[0]));
  // The command line in UTF-16, handed on as UTF-8 like on every platform.
  int argc = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::vector<char>> text;
  std::vector<const char*> argv;
  for (int i = 0; wide != nullptr && i < argc; ++i) {
    text.emplace_back(static_cast<size_t>(wcslen(wide[i])) * 3 + 1);
    zuSystem::Narrow(wide[i], text.back().data(), static_cast<int>(text.back().size()));
  }
  for (const std::vector<char>& t : text) argv.push_back(t.data());
  if (wide != nullptr) LocalFree(wide);
  CommandLine commandLine;
  std::string out, err;
  const int status = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), &commandLine,
                                      &out, &err);
  if (status >= 0) {
    ShowCommandLineText(out, err);
    return status;
  }
  GameMainOptions options;
  ApplyCommandLine(commandLine, &options);
  StartNoticeLog();
  const int result = GameMain(options);
  StopNoticeLog();
  // A watcher started from a command prompt or the desktop has no standard
  // output of ours to read the end of a playback on.
  if (commandLine.replayPath != nullptr) ShowReplayOutcome(ReplayOutcome(), result);
  return result;
}
