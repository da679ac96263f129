// A program without a console: its text goes where someone can see it.
#include "app/win32/messages.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "lib/system/systemPlatform.h"
#include "lib/win32/win32.h"

namespace {

std::vector<wchar_t> Wide(const std::string& text) {
  std::vector<wchar_t> wide(text.size() + 1);
  zuSystem::Widen(text.c_str(), wide.data(), static_cast<int>(wide.size()));
  return wide;
}

bool Usable(HANDLE h) {
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

bool WriteTo(HANDLE h, const std::string& text) {
  DWORD mode = 0;
  if (GetConsoleMode(h, &mode)) {
    // A console shows UTF-16, whatever its code page.
    const std::vector<wchar_t> wide = Wide(text);
    DWORD written = 0;
    return WriteConsoleW(h, wide.data(), static_cast<DWORD>(wcslen(wide.data())), &written,
                         nullptr) != 0;
  }
  DWORD written = 0;
  return WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0 &&
         written == text.size();
}

// The console of the program that started us (a command prompt): a program
// of the windows subsystem is not given it, but may join it.
bool WriteToParentConsole(const std::string& text) {
  if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) {
    return false;  // ERROR_ACCESS_DENIED: joined already
  }
  HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
  if (console == INVALID_HANDLE_VALUE) return false;
  const bool ok = WriteTo(console, text);
  CloseHandle(console);
  return ok;
}

// The notice log: a pipe in place of standard error, and a thread that
// copies what comes through to the old standard error and to the file.
wchar_t logFolder[32768];
wchar_t logPath[32768];
HANDLE pipeRead = nullptr;
HANDLE copier = nullptr;
int savedError = -1;          // standard error as it was, kept aside, or -1
HANDLE givenError = nullptr;  // its handle, written to as well, or null

constexpr DWORD kLogLimit = 256 * 1024;

HANDLE OpenLog() {
  CreateDirectoryW(logFolder, nullptr);
  HANDLE log = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return log;
  LARGE_INTEGER size = {};
  if (GetFileSizeEx(log, &size) && size.QuadPart > kLogLimit) {
    // Only the recent runs are of use: a long log starts afresh.
    CloseHandle(log);
    log = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return log;
  }
  SYSTEMTIME now;
  GetLocalTime(&now);
  char header[80];
  const int n = std::snprintf(header, sizeof header, "--- Skyward Run, %04u-%02u-%02u %02u:%02u:%02u\r\n",
                              now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
  DWORD written = 0;
  WriteFile(log, header, static_cast<DWORD>(n), &written, nullptr);
  return log;
}

DWORD WINAPI CopyNotices(void*) {
  HANDLE log = INVALID_HANDLE_VALUE;
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(pipeRead, buffer, sizeof buffer, &n, nullptr) && n > 0) {
    DWORD written = 0;
    if (givenError != nullptr) WriteFile(givenError, buffer, n, &written, nullptr);
    if (log == INVALID_HANDLE_VALUE) log = OpenLog();
    if (log != INVALID_HANDLE_VALUE) WriteFile(log, buffer, n, &written, nullptr);
  }
  if (log != INVALID_HANDLE_VALUE) CloseHandle(log);
  return 0;
}

}  // namespace

void ShowCommandLineText(const std::string& out, const std::string& err) {
  const bool complaint = !err.empty();
  const std::string& text = complaint ? err : out;
  if (text.empty()) return;
  HANDLE given = GetStdHandle(complaint ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (Usable(given) && WriteTo(given, text)) return;
  if (WriteToParentConsole(text)) return;
  // Started from the desktop: nobody would see a console.
  const std::vector<wchar_t> wide = Wide(text);
  MessageBoxW(nullptr, wide.data(), L"Skyward Run",
              MB_OK | (complaint ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
}

void ShowReplayOutcome(const char* line, int status) {
  if (line == nullptr || line[0] == '\0') return;
  if (Usable(GetStdHandle(status == 2 ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE))) return;
  const std::string text = std::string(line) + "\n";
  if (WriteToParentConsole(text)) return;
  const std::vector<wchar_t> wide = Wide(text);
  MessageBoxW(nullptr, wide.data(), L"Skyward Run",
              MB_OK | (status != 0 ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
}

const wchar_t* NoticeLogPath() { return logPath; }

void StartNoticeLog() {
  logPath[0] = L'\0';
  char folder[8192];
  if (copier != nullptr || !zuSystem::PlatformUserDataFolder(folder, sizeof folder)) return;
  zuSystem::Widen(folder, logFolder, 32768);
  std::swprintf(logPath, 32768, L"%ls\\skyward-run.log", logFolder);
  HANDLE pipeWrite = nullptr;
  if (!CreatePipe(&pipeRead, &pipeWrite, nullptr, 0)) return;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(pipeWrite), _O_TEXT);
  if (fd < 0) {
    CloseHandle(pipeWrite);
    CloseHandle(pipeRead);
    pipeRead = nullptr;
    return;
  }
  std::fflush(stderr);
  savedError = _dup(2);  // -1 when the program was started without one
  const HANDLE given =
      savedError >= 0 ? reinterpret_cast<HANDLE>(_get_osfhandle(savedError)) : nullptr;
  givenError = Usable(given) ? given : nullptr;
  _dup2(fd, 2);
  _close(fd);
  std::clearerr(stderr);
  copier = CreateThread(nullptr, 0, CopyNotices, nullptr, 0, nullptr);
}

void StopNoticeLog() {
  if (copier == nullptr) return;
  std::fflush(stderr);
  // The pipe's last writer goes: the copier reads to the end and stops.
  _close(2);
  WaitForSingleObject(copier, 10000);
  CloseHandle(copier);
  CloseHandle(pipeRead);
  copier = nullptr;
  pipeRead = nullptr;
  givenError = nullptr;
  // Standard error as it was.
  if (savedError >= 0) {
    _dup2(savedError, 2);
    _close(savedError);
  }
  savedError = -1;
}
