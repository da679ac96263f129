// The page's events as the browser layer queues them for the main loop: keys
// by their code, the focus, the close request.
#pragma once

extern "C" {
// Called by the page's listeners (app/web/events.js).
void skyward_key(const char* code, int down, int alt);
void skyward_focus(int active);
}

// A key press or release as the headless runner scripts it.
void QueueKey(const char* code, bool down, bool alt);
