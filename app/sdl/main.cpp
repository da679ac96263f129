#include <cstdio>

#include "app/command_line.h"
#include "app/game_main.h"

int main(int argc, char** argv) {
  CommandLine commandLine;
  const int status = ParseCommandLine(argc, argv, &commandLine, stdout, stderr);
  if (status >= 0) return status;
  GameMainOptions options;
  ApplyCommandLine(commandLine, &options);
  return GameMain(options);
}
