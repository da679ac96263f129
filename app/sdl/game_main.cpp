// The SDL side of start-up and end; the order itself is shared (app/game_main.cpp).
#include <SDL.h>

#include "app/game_main.h"
#include "app/platform_main.h"
#include "app/sdl/window_proc.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sdl/zuSystemSdl.h"

bool PlatformOpenWindow(const GameMainOptions& options) {
  char caption[32] = "Skyward Run";
  if (zuDraw::OpenWindow(caption, options.headless ? 1 : 0)) return true;
  SDL_Quit();
  return false;
}

void PlatformShowWindow(bool headless) {
  zuDraw::ShowWindow();
  // What showing the window means on a desktop: it becomes the active one.
  if (headless) PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
}

void PlatformQuietDesktop() {
  SDL_StopTextInput();
  SDL_DisableScreenSaver();
}

void PlatformDestroyWindow() { zuDraw::DestroyWindow(); }

void PlatformEnd() {
  zuDraw::DestroyWindow();
  SDL_Quit();
}

void PlatformShowCursor(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

bool DispatchNextEvent() {
  SDL_Event event;
  if (!SDL_PollEvent(&event)) return false;
  DispatchEvent(event);
  return true;
}

void WaitAndDispatchEvent() {
  SDL_Event event;
  if (SDL_WaitEvent(&event)) DispatchEvent(event);
}
