// Where a program without a console shows what it has to say.
#pragma once
#include <string>

// --help, --version or a complaint about the command line (err when it is
// not empty, else out): to standard output or error where the program was
// given them, else to the console it was started from, else in a message box.
void ShowCommandLineText(const std::string& out, const std::string& err);

// How a playback ended, or why its file was refused (the exit status 2): the
// line went to standard output, or error for a refusal; where the program was
// not given that one, it goes to the console it was started from, else a box.
void ShowReplayOutcome(const char* line, int status);

// From here on, every line on standard error (the one-line notices, the
// error lines) also goes to skyward-run.log in the user's data folder, and
// still to standard error where there is one. The file is made at the first
// line; a run with nothing to say leaves it alone.
void StartNoticeLog();
// Back to standard error alone, once everything said has reached the file.
void StopNoticeLog();
// The log file's full name ("" when the user's data folder is unknown).
const wchar_t* NoticeLogPath();
