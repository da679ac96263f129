#include "app/sdl/window_proc.h"

#include "app/window_state.h"
#include "lib/input/zuInput.h"
#include "lib/sdl/zuDrawSdl.h"
#include "lib/sdl/zuInputSdl.h"
#include "lib/sdl/zuSystemSdl.h"
#include "lib/sdl/soundSdl.h"
#include "lib/system/zuSystem.h"

namespace {

// Keys that the system treats as its own: Alt, F10 and anything with Alt held.
bool SystemKey(int vk, Uint16 mod) { return vk == VK_MENU || vk == VK_F10 || (mod & KMOD_ALT) != 0; }

bool EnterKey(const SDL_KeyboardEvent& key) {
  return key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER;
}

void OnWindowEvent(const SDL_WindowEvent& w) {
  switch (w.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_RESTORED:
      OnActivate(true);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
      OnActivate(false);
      break;
    case SDL_WINDOWEVENT_ENTER:
      HideCursorOverGame();
      break;
    case SDL_WINDOWEVENT_MOVED:
      windowX = w.data1 & 0xFFFF;
      windowY = w.data2 & 0xFFFF;
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      zuDraw::UpdateScaling();
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      // Nothing may be presenting (pause, continue question): show the last frame again.
      zuDraw::Represent();
      break;
    case SDL_WINDOWEVENT_CLOSE:
      OnCloseRequest();
      break;
    default:
      break;
  }
}

}  // namespace

void DispatchEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_KEYDOWN: {
      // Alt+Enter: window or full screen. The Enter is not the game's to see.
      if (EnterKey(e.key) && (e.key.keysym.mod & KMOD_ALT) != 0) {
        if (OnSwitchScreenKey(true, e.key.repeat != 0)) zuDraw::ToggleFullScreen();
        break;
      }
      const int vk = zuSystem::OnKeyEvent(e.key);
      if (vk == 0) break;
      // System keys are swallowed: Alt, F10 and Alt+F4 do nothing.
      if (SystemKey(vk, e.key.keysym.mod)) break;
      OnKeyDown(vk);  // auto-repeat included
      break;
    }
    case SDL_KEYUP: {
      if (EnterKey(e.key)) OnSwitchScreenKey(false, false);
      const int vk = zuSystem::OnKeyEvent(e.key);
      if (vk == 0) break;
      if (SystemKey(vk, e.key.keysym.mod)) break;
      OnKeyUp(vk);
      break;
    }
    case SDL_WINDOWEVENT:
      OnWindowEvent(e.window);
      break;
    case SDL_MOUSEMOTION:
      HideCursorOverGame();
      break;
    case SDL_QUIT:
      OnCloseRequest();
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      zuDraw::OnRenderReset();
      break;
    case SDL_JOYDEVICEADDED:
      zuSystem::OnJoystickAdded(e.jdevice.which);
      break;
    case SDL_JOYDEVICEREMOVED:
      zuSystem::OnJoystickRemoved(e.jdevice.which);
      break;
    default: {
      const uint32_t music = zuSound::MusicEventType();
      if (music != 0 && e.type == music) OnMusicEnded();
      break;
    }
  }
}

void PushWindowEvent(Uint8 event) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = event;
  e.window.windowID = mainWindow != nullptr ? SDL_GetWindowID(mainWindow) : 0;
  SDL_PushEvent(&e);
}

void PostCloseRequest() { PushWindowEvent(SDL_WINDOWEVENT_CLOSE); }
