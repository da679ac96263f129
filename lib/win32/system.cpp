// The Win32 side of the system module: ticks, sleep, the error box, the
// program folder and file names, all in UTF-16 towards the system.

#include <cstdio>
#include <cstring>

#include "lib/system/systemPlatform.h"
#include "lib/system/zuSystem.h"
#include "lib/win32/win32.h"

HWND mainWindow = nullptr;
HINSTANCE appInstance = nullptr;

namespace zuSystem {

int headlessRun = 0;

void Widen(const char* text, wchar_t* out, int count) {
  if (MultiByteToWideChar(CP_UTF8, 0, text, -1, out, count) == 0 && count > 0) out[0] = L'\0';
}

void Narrow(const wchar_t* text, char* out, int size) {
  if (WideCharToMultiByte(CP_UTF8, 0, text, -1, out, size, nullptr, nullptr) == 0 && size > 0) {
    out[0] = '\0';
  }
}

uint32_t PlatformTicks() { return timeGetTime(); }

void PlatformSleep(uint32_t ms) { ::Sleep(ms); }

// The desktop loop paces itself: the scenes sleep as they ask.
void PlatformFrameSleep(uint32_t ms) { PlatformSleep(ms); }

void ShowErrorBox(const char* text) {
  if (headlessRun) return;
  static wchar_t wide[1024];
  Widen(text, wide, 1024);
  // Over a full-screen display the box must still be seen.
  FlipToGdi();
  messageBoxOpen = 1;
  MessageBeep(0xFFFFFFFF);
  MessageBoxW(mainWindow, wide, L"エラー発生", MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
  messageBoxOpen = 0;
}

void ProgramFolder(char* out, size_t size) {
  // Any folder name, in any language: the wide name, handed on as UTF-8.
  static wchar_t path[32768];
  const DWORD n = GetModuleFileNameW(appInstance, path, 32768);
  if (n == 0 || n >= 32768) {
    std::snprintf(out, size, ".\\");
    return;
  }
  wchar_t* cut = wcsrchr(path, L'\\');
  if (cut != nullptr) cut[1] = L'\0';
  Narrow(path, out, static_cast<int>(size));
  if (out[0] == '\0') std::snprintf(out, size, ".\\");
}

FILE* OpenFile(const char* path, const char* mode) {
  static wchar_t widePath[32768];
  wchar_t wideMode[8];
  Widen(path, widePath, 32768);
  Widen(mode, wideMode, 8);
  return _wfopen(widePath, wideMode);
}

}  // namespace zuSystem
