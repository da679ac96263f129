// The browser's event source: the page's listeners queue key, focus and close
// events; the main loop dispatches them with the window rules of
// app/window_state.h, as the desktop's window procedure does.
#include "app/web/events.h"

#include <emscripten.h>

#include <cstdio>

#include "app/platform_main.h"
#include "app/window_state.h"
#include "lib/input/zuInput.h"
#include "lib/web/web.h"

extern "C" {
// The page's side (app/web/events.js).
void skyward_listen();
void skyward_cursor(int shown);
}

namespace {

enum class Kind { Key, Focus, Close };

struct Event {
  Kind kind;
  bool down, alt, active;
  char code[24];
};

// Events wait here until the main loop's next step; a burst beyond it is dropped.
constexpr int QUEUE = 256;
Event queue[QUEUE];
int head = 0, count = 0;

void Push(const Event& e) {
  if (count == QUEUE) return;
  queue[(head + count) % QUEUE] = e;
  ++count;
}

// Keys that the system treats as its own: Alt, F10 and anything with Alt held.
bool SystemKey(int vk, bool alt) { return vk == VK_MENU || vk == VK_F10 || alt; }

void Dispatch(const Event& e) {
  switch (e.kind) {
    case Kind::Key: {
      const int vk = zuSystem::OnWebKey(e.code, e.down);
      if (vk == 0 || SystemKey(vk, e.alt)) break;
      if (e.down) {
        OnKeyDown(vk);  // auto-repeat included
      } else {
        OnKeyUp(vk);
      }
      break;
    }
    case Kind::Focus:
      if (!e.active) {
        // The keys held when the page went away are not held any more: their
        // releases would go elsewhere.
        zuSystem::ReleaseAllKeys(OnKeyUp);
      }
      OnActivate(e.active);
      skyward_audio_active(e.active ? 1 : 0);
      break;
    case Kind::Close:
      OnCloseRequest();
      break;
  }
}

}  // namespace

void QueueKey(const char* code, bool down, bool alt) {
  Event e{Kind::Key, down, alt, false, {}};
  std::snprintf(e.code, sizeof e.code, "%s", code);
  Push(e);
}

extern "C" {

EMSCRIPTEN_KEEPALIVE void skyward_key(const char* code, int down, int alt) {
  QueueKey(code, down != 0, alt != 0);
}

EMSCRIPTEN_KEEPALIVE void skyward_focus(int active) {
  Push(Event{Kind::Focus, false, false, active != 0, {}});
}

}  // extern "C"

bool DispatchNextEvent() {
  if (count == 0) return false;
  const Event e = queue[head];
  head = (head + 1) % QUEUE;
  --count;
  Dispatch(e);
  return true;
}

// The page's loop is the browser's: nothing can wait here. An inactive game
// is simply not stepped until its page comes back.
void WaitAndDispatchEvent() { DispatchNextEvent(); }

void PostCloseRequest() { Push(Event{Kind::Close, false, false, false, {}}); }

bool PlatformOpenWindow(const GameMainOptions&) {
  if (skyward_has_page()) skyward_listen();
  return true;
}

// Shown, the page is the active one, as a desktop window is when it opens; it
// says so itself when it loses the focus.
void PlatformShowWindow(bool) { skyward_focus(1); }

void PlatformQuietDesktop() {}

void PlatformDestroyWindow() {}

void PlatformEnd() {}

void PlatformShowCursor(bool shown) {
  if (skyward_has_page()) skyward_cursor(shown ? 1 : 0);
}
