#include "app/win32/window_proc.h"


#include "lib/draw/zuDrawSettings.h"
#include "lib/input/inputInternal.h"
#include "lib/system/zuSystem.h"
#include "lib/win32/drawWin32.h"
#include "lib/win32/inputWin32.h"
#include "lib/win32/soundWin32.h"

namespace {

// Full screen unless the player asked for a window.
bool FullScreen() { return zuDraw::GetScreenSettings().windowed == 0; }

// Bit 29 of a key message: Alt was held; bit 30: the key was down before (auto-repeat).
bool AltHeld(LPARAM lParam) { return (lParam & (1 << 29)) != 0; }
bool Repeated(LPARAM lParam) { return (lParam & (1 << 30)) != 0; }

// Keys released while another program has the foreground send us nothing:
// every key goes up now, as a fresh look at the keyboard would find it.
void ReleaseKeys() {
  for (int vk = 1; vk < 256; ++vk) {
    if (zuSystem::IsKeyDown(vk)) OnKeyUp(vk);
  }
  zuSystem::ReleaseAllKeys();
}

}  // namespace

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN: {
      const int vk = zuSystem::OnKeyMessage(wParam, lParam, true);
      if (vk != 0) OnKeyDown(vk);  // auto-repeat included
      break;
    }
    case WM_KEYUP: {
      if (wParam == VK_RETURN) OnSwitchScreenKey(false, false);
      const int vk = zuSystem::OnKeyMessage(wParam, lParam, false);
      if (vk != 0) OnKeyUp(vk);
      break;
    }
    case WM_SYSKEYDOWN:
      // Alt+Enter: window or full screen, once per press. The Enter is not the game's to see.
      if (wParam == VK_RETURN && AltHeld(lParam)) {
        if (OnSwitchScreenKey(true, Repeated(lParam))) zuDraw::ToggleFullScreen();
        return 0;
      }
      zuSystem::OnKeyMessage(wParam, lParam, true);
      // Alt, F10 and Alt+F4 do nothing; the program is left with [ESC].
      if (allowSystemKeys == 0) return 0;
      break;
    case WM_SYSKEYUP:
      if (wParam == VK_RETURN) OnSwitchScreenKey(false, false);
      zuSystem::OnKeyMessage(wParam, lParam, false);
      break;
    case WM_ACTIVATEAPP:
      if (wParam == 0) ReleaseKeys();
      OnActivate(wParam != 0);
      if (wParam != 0) zuDraw::OnActivated();
      return 0;
    case WM_KILLFOCUS:
      // The focus went to another window of ours (an error box) or elsewhere.
      ReleaseKeys();
      break;
    case WM_SETCURSOR:
      if (FullScreen() && messageBoxOpen == 0) {
        SetCursor(nullptr);
        return TRUE;
      }
      break;
    case WM_MOVE:
      windowX = LOWORD(lParam);
      windowY = HIWORD(lParam);
      break;
    case WM_SIZE:
      zuDraw::OnWindowSized();
      break;
    case WM_PAINT:
      if (!zuDraw::ExclusiveMode()) {
        // Nothing may be presenting (pause, continue question): show the last frame again.
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        zuDraw::Flip();
        return 0;
      }
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_MONITORPOWER) return 1;
      break;
    case MM_MCINOTIFY:
      zuSound::OnMciNotify(static_cast<unsigned>(wParam));
      break;
    case WM_CLOSE:
      OnCloseRequest();
      return 0;
    case WM_DESTROY:
      if (window == mainWindow) mainWindow = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void PostCloseRequest() {
  if (mainWindow != nullptr) PostMessageW(mainWindow, WM_CLOSE, 0, 0);
}
