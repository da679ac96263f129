#include "app/window_state.h"

#include "game/flow/scene.h"
#include "lib/draw/zuDraw.h"
#include "lib/input/zuInput.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

int appActive = 0;
int shutdownState = 0;
int cursorShown = 1;
int windowX = 0;
int windowY = 0;
int quitPosted = 0;
int libraryReleases = 0;

void ResetWindowState() {
  appActive = 0;
  shutdownState = 0;
  cursorShown = 1;
  windowX = 0;
  windowY = 0;
  quitPosted = 0;
  libraryReleases = 0;
}

void OnKeyDown(int vk) {
  lastKey = vk;
  if (vk == VK_ESCAPE) {
    zuSystem::Shutdown();
  } else if (vk == 0x53) {
    TogglePause();
  }
}

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
