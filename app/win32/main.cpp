// The program's entry point on Windows.

#include <cstdio>
#include <vector>

#include "app/command_line.h"
#include "app/game_main.h"
#include "lib/win32/win32.h"

#include <shellapi.h>  // after windows.h

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  appInstance = instance;
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
  const int status =
      ParseCommandLine(static_cast<int>(argv.size()), argv.data(), &commandLine, stdout, stderr);
  if (status >= 0) return status;
  GameMainOptions options;
  ApplyCommandLine(commandLine, &options);
  return GameMain(options);
}
