#include "app/win32/window_proc.h"


#include "lib/draw/zuDrawSettings.h"
#include "lib/input/inputInternal.h"
#include "lib/system/zuSystem.h"
#include "lib/win32/drawWin32.h"
#include "lib/win32/soundWin32.h"

namespace {

// Full screen unless the player asked for a window.
bool FullScreen() { return zuDraw::GetScreenSettings().windowed == 0; }

void KeyTable(WPARAM wParam, bool down) {
  zuSystem::SetKeyDown(static_cast<int>(wParam & 0xFF), down);
}

}  // namespace

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      KeyTable(wParam, true);
      OnKeyDown(static_cast<int>(wParam));  // auto-repeat included
      break;
    case WM_KEYUP:
      KeyTable(wParam, false);
      OnKeyUp(static_cast<int>(wParam));
      break;
    case WM_SYSKEYDOWN:
      KeyTable(wParam, true);
      // Alt, F10 and Alt+F4 do nothing; the program is left with [ESC].
      if (allowSystemKeys == 0) return 0;
      break;
    case WM_SYSKEYUP:
      KeyTable(wParam, false);
      break;
    case WM_ACTIVATEAPP:
      OnActivate(wParam != 0);
      return 0;
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
