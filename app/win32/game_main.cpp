// The Windows side of start-up and end: the window class and the window, the
// message queue; the order itself is shared (app/game_main.cpp).

#include <cstdio>

#include "app/game_main.h"
#include "app/platform_main.h"
#include "app/win32/window_proc.h"
#include "lib/system/zuSystem.h"
#include "lib/win32/drawWin32.h"

#include <imm.h>  // after windows.h

namespace {

constexpr wchar_t kClass[] = L"DEFAULT";

HWND MakeWindow(const wchar_t* caption, bool headless, bool windowed) {
  WNDCLASSW wc = {};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = appInstance;
  wc.hIcon = LoadIconW(appInstance, L"MAIN");
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszMenuName = kClass;
  wc.lpszClassName = kClass;
  RegisterClassW(&wc);
  if (headless) {
    // The runner's window is never shown; it only owns the devices.
    return CreateWindowExW(0, kClass, caption, WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                           appInstance, nullptr);
  }
  DWORD style = 0;
  RECT place;
  zuDraw::WindowPlacement(windowed, &style, &place);
  return CreateWindowExW(0, kClass, caption, style, place.left, place.top,
                         place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                         appInstance, nullptr);
}

}  // namespace

bool PlatformOpenWindow(const GameMainOptions& options) {
  zuSystem::headlessRun = options.headless ? 1 : 0;
  if (appInstance == nullptr) appInstance = GetModuleHandleW(nullptr);
  // The input method editor stays out of the game: switched off before the
  // first window exists (later it no longer takes), and the window gets no
  // input context. Keys then reach the game whatever editor the player uses.
  ImmDisableIME(static_cast<DWORD>(-1));
  wchar_t caption[32] = L"Skyward Run";
  mainWindow = MakeWindow(caption, options.headless, options.screen.windowed != 0);
  if (mainWindow == nullptr) {
    std::fprintf(stderr, "Skyward Run: cannot create the window (error %lu)\n",
                 static_cast<unsigned long>(GetLastError()));
    return false;
  }
  ImmAssociateContext(mainWindow, nullptr);
  return true;
}

void PlatformShowWindow(bool headless) {
  if (headless) {
    // No one hands the hidden window the activation: it is active from the start.
    SendMessageW(mainWindow, WM_ACTIVATEAPP, TRUE, 0);
    return;
  }
  ShowWindow(mainWindow, SW_SHOWNORMAL);
  UpdateWindow(mainWindow);
  SetForegroundWindow(mainWindow);
}

// The screen saver is refused in the window procedure (WM_SYSCOMMAND); the
// input method editor was switched off with the window.
void PlatformQuietDesktop() {}

void PlatformDestroyWindow() {
  if (mainWindow != nullptr) DestroyWindow(mainWindow);
}

void PlatformEnd() { PlatformDestroyWindow(); }

// The pointer is hidden over the game by WM_SETCURSOR in full screen and
// comes back by itself outside the window: the system's count stays as it is.
void PlatformShowCursor(bool) {}

bool DispatchNextEvent() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    quitPosted = 1;
    return false;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void WaitAndDispatchEvent() { WaitMessage(); }
