// Kept files on Windows: %LOCALAPPDATA%\skyward-run, and a replace that is
// written in full and flushed beside the old file, then moved over it.
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "lib/system/systemPlatform.h"
#include "lib/win32/win32.h"

namespace {

const char* Reason(DWORD error) {
  static char text[512];
  wchar_t wide[256] = L"";
  if (FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                     0, wide, 256, nullptr) == 0) {
    std::snprintf(text, sizeof text, "error %lu", static_cast<unsigned long>(error));
    return text;
  }
  zuSystem::Narrow(wide, text, sizeof text);
  // The system's text ends with a line break.
  size_t n = std::strlen(text);
  while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r')) text[--n] = '\0';
  return text;
}

}  // namespace

namespace zuSystem {

bool PlatformUserDataFolder(char* out, size_t size) {
  static wchar_t folder[32768];
  const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", folder, 32768);
  if (n == 0 || n >= 32768) return false;
  char base[8192];
  Narrow(folder, base, sizeof base);
  if (base[0] == '\0') return false;
  const int written = std::snprintf(out, size, "%s\\skyward-run", base);
  return written > 0 && static_cast<size_t>(written) < size;
}

bool PlatformMakeFolder(const char* path) {
  static wchar_t wide[32768];
  Widen(path, wide, 32768);
  // Each missing level in turn.
  for (wchar_t* p = wide; *p != L'\0'; ++p) {
    if ((*p != L'\\' && *p != L'/') || p == wide || p[-1] == L':') continue;
    const wchar_t was = *p;
    *p = L'\0';
    CreateDirectoryW(wide, nullptr);
    *p = was;
  }
  CreateDirectoryW(wide, nullptr);
  const DWORD attributes = GetFileAttributesW(wide);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool PlatformReplaceFile(const char* path, const char* data, size_t size, const char** why) {
  static wchar_t target[32768];
  static wchar_t temporary[32768];
  Widen(path, target, 32768);
  std::swprintf(temporary, 32768, L"%ls.new", target);
  // What an interrupted earlier write left there (made read-only, say) must
  // not block this one.
  SetFileAttributesW(temporary, FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(temporary);
  HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *why = Reason(GetLastError());
    return false;
  }
  bool ok = true;
  DWORD error = 0;
  while (ok && size > 0) {
    const DWORD chunk = size > 0x10000000u ? 0x10000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    ok = WriteFile(file, data, chunk, &written, nullptr) && written == chunk;
    data += chunk;
    size -= chunk;
  }
  if (ok) ok = FlushFileBuffers(file) != 0;
  if (!ok) error = GetLastError();
  CloseHandle(file);
  if (ok && !MoveFileExW(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ok = false;
    error = GetLastError();
  }
  if (!ok) {
    DeleteFileW(temporary);
    *why = Reason(error != 0 ? error : ERROR_WRITE_FAULT);
    return false;
  }
  return true;
}

}  // namespace zuSystem
