// The Win32 window procedure of the one window class.
#pragma once
#include "app/window_state.h"
#include "lib/win32/win32.h"

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
