#include "app/window_state.h"

#include "app/platform_main.h"
#include "game/flow/scene.h"
#include "lib/draw/zuDrawInternal.h"
#include "lib/input/zuInput.h"
#include "lib/sound/soundInternal.h"
#include "lib/system/zuSystem.h"

int appActive = 0;
int shutdownState = 0;
int cursorShown = 1;
int windowX = 0;
int windowY = 0;
int quitPosted = 0;
int libraryReleases = 0;

namespace {

// Alt+Enter is held: it switched the screen already.
bool switchKeyHeld = false;

}  // namespace

void ResetWindowState() {
  appActive = 0;
  shutdownState = 0;
  cursorShown = 1;
  windowX = 0;
  windowY = 0;
  quitPosted = 0;
  libraryReleases = 0;
  switchKeyHeld = false;
}

void HideCursorOverGame() {
  // An error box needs the pointer to be answered.
  if (messageBoxOpen != 0) return;
  PlatformShowCursor(false);
  cursorShown = 0;
}

void OnActivate(bool active) {
  if (!active) {
    appActive = 0;
    if (cursorShown == 0) {
      PlatformShowCursor(true);
      cursorShown = 1;
    }
    return;
  }
  appActive = 1;
  // The time spent inactive must not count as one long frame.
  zuSystem::ResetFrameTime();
  HideCursorOverGame();
}

void OnKeyDown(int vk) {
  lastKey = vk;
  if (vk == VK_ESCAPE) {
    zuSystem::Shutdown();
  } else if (vk == 0x53) {
    TogglePause();
  }
}

void OnKeyUp(int vk) {
  if (vk == lastKey) lastKey = 0;
}

bool OnSwitchScreenKey(bool down, bool repeat) {
  // A repeat that reads as a fresh press (the platform forgot the key while
  // the switch moved the focus) does not switch back: only a release re-arms.
  const bool switchNow = down && !repeat && !switchKeyHeld;
  switchKeyHeld = down;
  return switchNow;
}

void OnCloseRequest() {
  if (shutdownState == 0) shutdownState = 1;
  if (shutdownState < 2) zuSystem::Shutdown();
  PlatformDestroyWindow();
  quitPosted = 1;
}

void OnMusicEnded() { zuSound::OnMusicFinished(); }

namespace zuSystem {

int Shutdown() {
  // An [ESC] repeat still queued behind the first must not release twice.
  if (shutdownState == 2) return 1;
  zuDraw::CloseScreen();  // fonts and joysticks go with it
  zuSound::Release();
  ++libraryReleases;
  // Reached from [ESC]: ask the window to close, as the system would.
  if (shutdownState == 0) PostCloseRequest();
  shutdownState = 2;
  return 1;
}

}  // namespace zuSystem
